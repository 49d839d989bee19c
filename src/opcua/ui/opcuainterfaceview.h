#pragma once

#include "opcuainterfacetab.h"

class OpcUaInterfaceTreeModel;
class QLabel;
class QTreeView;

// The stored server interface, shown read-only: the interfaces with their nodes and the
// elements of their data blocks. The payload it was given (or last imported) is what it
// hands back, byte for byte; it is never rebuilt here.
class OpcUaInterfaceView : public OpcUaInterfaceTab
{
    Q_OBJECT

public:
    explicit OpcUaInterfaceView(const QByteArray& payload, QWidget* parent = nullptr);

    void setInterfaceData(const QByteArray& payload) override;
    void importInterfaces(const QByteArray& payload) override;
    QByteArray interfaceData() override { return m_payload; }

    OpcUaInterfaceTreeModel* model() const { return m_model; }

private:
    void showPayload();

    QByteArray m_payload;
    QLabel* m_note = nullptr;
    QTreeView* m_tree = nullptr;
    OpcUaInterfaceTreeModel* m_model = nullptr;
};
