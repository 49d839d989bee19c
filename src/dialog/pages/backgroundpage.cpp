#include "backgroundpage.h"

#include <corekit/widgets/mspinboxex.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMinPercent = 5;
constexpr int kMaxPercent = 50;

} // namespace

BackgroundPage::BackgroundPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Background, context, parent)
{
    auto* top = introRow(
        tr("You can select the amount of time the PLC will dedicate to background activities "
           "during RUN mode. This parameter is primarily used to control the scan impact during "
           "execution states and runtime edit operations."),
        &BackgroundPage::slot_bttnDefauBackTime);

    auto* group = new QGroupBox(tr("Time"), this);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(
        new QLabel(tr("Select Communications Background Times (5 - 50%)"), group));
    m_percent = new MSpinBoxEx(group);
    m_percent->setObjectName(QStringLiteral("backgroundTime"));
    m_percent->setRange(kMinPercent, kMaxPercent);
    groupLayout->addWidget(m_percent);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);
}

void BackgroundPage::load(const CpuObject& source)
{
    m_percent->setValue(source.params.background.percent);
}

void BackgroundPage::apply(CpuObject& target)
{
    target.params.background.percent = quint8(m_percent->value());
}

void BackgroundPage::slot_bttnDefauBackTime()
{
    requestDefaults();
}
