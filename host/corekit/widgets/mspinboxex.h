#pragma once

#include <corekit/corekit_global.h>

#include <QSpinBox>

// A spin box that can do without its buttons and frame (inside tables), and that the
// wheel only changes while it has the focus, so that scrolling a page does not change it.
class COREKIT_EXPORT MSpinBoxEx : public QSpinBox
{
    Q_OBJECT

public:
    explicit MSpinBoxEx(QWidget* parent = nullptr, bool withButtons = true, bool withFrame = true);

    void setButtonsVisible(bool visible);
    bool buttonsVisible() const;
    void setFramed(bool framed);
    bool isFramed() const;

protected:
    void wheelEvent(QWheelEvent* event) override;
};
