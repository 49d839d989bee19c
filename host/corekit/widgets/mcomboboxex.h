#pragma once

#include <corekit/corekit_global.h>

#include <QComboBox>
#include <QVariant>

// A combo box addressed by its items' user data. The wheel only changes it while it has
// the focus, so that scrolling a page of settings does not change values by accident.
class COREKIT_EXPORT MComboBoxEx : public QComboBox
{
    Q_OBJECT

public:
    explicit MComboBoxEx(QWidget* parent = nullptr);

    void addItemWithData(const QString& text, const QVariant& data);
    // The first item with this user data, -1 when none has it.
    int findItemData(const QVariant& data) const;
    // Selects the first item with this user data; false, and the selection unchanged,
    // when none has it.
    bool setCurrentData(const QVariant& data);
    // The current item's user data; invalid when nothing is selected.
    QVariant currentItemData() const;

protected:
    void wheelEvent(QWheelEvent* event) override;
};
