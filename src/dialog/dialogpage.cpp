#include "dialogpage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

DialogPage::DialogPage(const DialogContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{}

QHBoxLayout* DialogPage::introRow(const QString& text, QPushButton*& defaults)
{
    auto* row = new QHBoxLayout;
    if (text.isEmpty()) {
        row->addStretch(1);
    } else {
        auto* intro = new QLabel(text, this);
        intro->setWordWrap(true);
        row->addWidget(intro, 1);
    }
    defaults = new QPushButton(tr("Defaults"), this);
    defaults->setObjectName(QStringLiteral("defaultsButton"));
    row->addWidget(defaults, 0, Qt::AlignTop);
    return row;
}
