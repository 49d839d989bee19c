#pragma once

#include "model/canmasterconfig.h"

#include <QList>
#include <QWidget>

class MComboBoxEx;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The CANopen master's settings: node id (among the ids no CAN slave uses), baud rate,
// COB ID, cycle period and heartbeat time.
class CanMasterWdgt : public QWidget
{
    Q_OBJECT

public:
    CanMasterWdgt(const QList<int>& availableNodeIds, QWidget* parent = nullptr);

    // A node id that is not offered, or a baud rate that is not in the list, leaves its
    // list without a selection.
    void load(const CanMasterConfig& master);
    // Writes what the widget holds: a list without a selection and an empty COB ID or
    // cycle period leave their members as they are.
    void apply(CanMasterConfig& master) const;

    const QList<int>& availableNodeIds() const { return m_nodeIds; }
    bool hasNodeId() const;

private:
    QList<int> m_nodeIds;
    QComboBox* m_nodeId = nullptr;
    MComboBoxEx* m_baudRate = nullptr;
    QLineEdit* m_cobId = nullptr;
    QLineEdit* m_cyclePeriod = nullptr;
    QSpinBox* m_heartbeat = nullptr;
};
