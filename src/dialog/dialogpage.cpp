#include "dialogpage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

DialogPage::DialogPage(PageId id, const DialogContext& context, QWidget* parent)
    : QWidget(parent)
    , m_id(id)
    , m_context(context)
{}

void DialogPage::followUp(const CpuObject&, ApplyFollowUp&) {}

QList<PageCheck> DialogPage::checks() const
{
    return {};
}

QList<StationAddress> DialogPage::stationAddresses() const
{
    return {};
}

QList<QWidget*> DialogPage::noInputMethodFields() const
{
    return {};
}

QHBoxLayout* DialogPage::introRow(const QString& text)
{
    auto* row = new QHBoxLayout;
    if (text.isEmpty()) {
        row->addStretch(1);
    } else {
        auto* intro = new QLabel(text, this);
        intro->setObjectName(QStringLiteral("pageIntro"));
        intro->setWordWrap(true);
        row->addWidget(intro, 1);
    }
    m_defaults = new QPushButton(tr("Defaults"), this);
    m_defaults->setObjectName(QStringLiteral("defaultsButton"));
    row->addWidget(m_defaults, 0, Qt::AlignTop);
    return row;
}
