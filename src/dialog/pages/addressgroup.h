#pragma once

#include <QWidget>

class QGroupBox;
class QRadioButton;

// A group box with a radio button lying over its title, whose text starts with blanks to
// leave it room. The button is the box's sibling, so it stays usable while the box is
// disabled; it follows the box whenever the box is resized.
class AddressGroup : public QWidget
{
    Q_OBJECT

public:
    AddressGroup(const QString& title, QWidget* parent = nullptr);

    QGroupBox* box() const { return m_box; }
    QRadioButton* radio() const { return m_radio; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* m_box;
    QRadioButton* m_radio;
};
