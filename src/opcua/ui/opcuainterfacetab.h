#pragma once

#include <QByteArray>
#include <QWidget>

// What the OPC UA page needs of its "Interface configuration" tab: the interface payload
// goes in when the dialog opens and may be replaced by an import; OK stores the payload it
// hands back. The editor, OpcUaParWdgt, fills it.
class OpcUaInterfaceTab : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The object's payload, when the dialog opens.
    virtual void setInterfaceData(const QByteArray& payload) = 0;
    // An imported payload; an empty one changes nothing.
    virtual void importInterfaces(const QByteArray& payload) = 0;
    // The payload OK stores.
    virtual QByteArray interfaceData() = 0;
};
