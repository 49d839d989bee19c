#include "addressgroup.h"

#include <QEvent>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The button's place relative to the box: over the start of its title.
const QPoint kOverTitle(8, -8);

} // namespace

AddressGroup::AddressGroup(const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_box(new QGroupBox(title, this))
    , m_radio(new QRadioButton(this))
{
    auto* layout = new QVBoxLayout(this);
    // Room above the box for the part of the button that stands over the title.
    layout->setContentsMargins(0, -kOverTitle.y(), 0, 0);
    layout->addWidget(m_box);
    m_radio->adjustSize();
    m_radio->raise();
    m_box->installEventFilter(this);
}

bool AddressGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::Resize)
        m_radio->move(m_box->pos() + kOverTitle);
    return QWidget::eventFilter(watched, event);
}
