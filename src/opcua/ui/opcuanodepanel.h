#pragma once

#include "opcua/opcuavarrecord.h"

#include <QGroupBox>
#include <QString>

class QComboBox;
class QLineEdit;

// The attributes of a published node that the panel edits.
struct OpcUaNodeValues
{
    quint32 accessLevel = 0;
    quint32 dataType = 0;
    QString browseName;
    QString displayName;
    QString description;
};

// The "Node Information" panel: a published node's address, its access level, browse
// name, display name, description and data type. It offers only what the node's address
// allows and reports the user's changes (a list picked, a text field left after typing).
// Only what the user changed is written back: a text longer than the fields allow, or a
// stored access level or data type the lists do not offer, stays as it was otherwise.
class OpcUaNodePanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int MaxTextLength = 32;

    explicit OpcUaNodePanel(QWidget* parent = nullptr);

    void showRecord(const OpcUaVarRecord& record);
    void clearRecord();

    // The attributes of `record` with what the user changed in the panel written over them.
    OpcUaNodeValues values(const OpcUaVarRecord& record) const;
    // Whether the user changed anything since the record was shown.
    bool hasChanges() const;

signals:
    void edited();

private:
    QLineEdit* textField(const char* name);
    void textLeft(QLineEdit* field);

    QLineEdit* m_address = nullptr;
    QComboBox* m_access = nullptr;
    QLineEdit* m_browseName = nullptr;
    QLineEdit* m_displayName = nullptr;
    QLineEdit* m_description = nullptr;
    QComboBox* m_dataType = nullptr;
    bool m_accessChosen = false;
    bool m_typeChosen = false;
};
