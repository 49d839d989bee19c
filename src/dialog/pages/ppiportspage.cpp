#include "ppiportspage.h"

#include <corekit/plcfacts.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The baud list index is half the stored code.
constexpr int kBaudCodeStep = 2;

enum Row { TitleRow, PlcAddressRow, HighestAddressRow, BaudRow, RetryRow, GapRow };
constexpr int kNoteColumn = 3;

} // namespace

PpiPortsPage::PpiPortsPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::PpiPorts, context, parent)
{
    auto* top = introRow(tr("You can adjust the PPI ports parameters that Tessel PLC will use "
                            "to communicate to the attached PLC."),
                         &PpiPortsPage::slot_bttnDefauPort);

    auto* group = new QGroupBox(tr("Ports"), this);
    auto* grid = new QGridLayout(group);
    const auto addLabel = [group, grid](int row, const QString& text) {
        auto* label = new QLabel(text, group);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, 0);
    };
    addLabel(PlcAddressRow, tr("PLC Address:"));
    addLabel(HighestAddressRow, tr("Highest Address:"));
    addLabel(BaudRow, tr("Baud Rate:"));
    addLabel(RetryRow, tr("Retry Count:"));
    addLabel(GapRow, tr("Gap Update Factor:"));
    grid->addWidget(new QLabel(tr("(range 1..126)"), group), PlcAddressRow, kNoteColumn);
    grid->addWidget(new QLabel(tr("(range 1..126)"), group), HighestAddressRow, kNoteColumn);
    grid->addWidget(new QLabel(tr("(range 0..8)"), group), RetryRow, kNoteColumn);
    grid->addWidget(new QLabel(tr("(range 1..100)"), group), GapRow, kNoteColumn);

    for (int n = 0; n < int(m_ports.size()); ++n) {
        PortControls& port = m_ports[size_t(n)];
        const QString prefix = QStringLiteral("port%1").arg(n);
        const auto spinBox = [group, &prefix](const char* name, int low, int high) {
            auto* box = new MSpinBoxEx(group);
            box->setObjectName(prefix + QLatin1String(name));
            box->setRange(low, high);
            return box;
        };
        port.title = new QLabel(tr("Port%1").arg(n), group);
        port.title->setFixedHeight(24);
        port.plcAddress = spinBox("PlcAddress", 1, 126);
        port.highestAddress = spinBox("HighestAddress", 1, 126);
        port.baud = new MComboBoxEx(group);
        port.baud->setObjectName(prefix + QLatin1String("Baud"));
        port.baud->addItems({tr("9.6 kbps"), tr("19.2 kbps"), tr("187.5 kbps")});
        port.retryCount = spinBox("Retry", 0, 8);
        port.gapFactor = spinBox("Gap", 1, 100);

        const int column = n + 1;
        grid->addWidget(port.title, TitleRow, column);
        grid->addWidget(port.plcAddress, PlcAddressRow, column);
        grid->addWidget(port.highestAddress, HighestAddressRow, column);
        grid->addWidget(port.baud, BaudRow, column);
        grid->addWidget(port.retryCount, RetryRow, column);
        grid->addWidget(port.gapFactor, GapRow, column);
    }

    // A one-port CPU still carries the second record; it is shown and kept, not edited.
    if (getPlcPpiPortNumByVer(context.descriptor.MLFB) < 2) {
        const PortControls& second = m_ports[1];
        for (QWidget* widget :
             {static_cast<QWidget*>(second.title), static_cast<QWidget*>(second.plcAddress),
              static_cast<QWidget*>(second.highestAddress), static_cast<QWidget*>(second.baud),
              static_cast<QWidget*>(second.retryCount), static_cast<QWidget*>(second.gapFactor)})
            widget->setEnabled(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);
}

void PpiPortsPage::load(const CpuObject& source)
{
    loadPort(m_ports[0], source.params.port0);
    loadPort(m_ports[1], source.params.port1);
}

void PpiPortsPage::apply(CpuObject& target)
{
    applyPort(m_ports[0], target.params.port0);
    applyPort(m_ports[1], target.params.port1);
}

void PpiPortsPage::slot_bttnDefauPort()
{
    requestDefaults();
}

void PpiPortsPage::loadPort(PortControls& controls, const PortParams& port)
{
    controls.plcAddress->setValue(port.plcAddress);
    controls.highestAddress->setValue(port.highestAddress);
    controls.baud->setCurrentIndex(port.baudCode / kBaudCodeStep);
    controls.retryCount->setValue(port.retryCount);
    controls.gapFactor->setValue(port.gapFactor);
}

void PpiPortsPage::applyPort(const PortControls& controls, PortParams& port)
{
    port.plcAddress = quint8(controls.plcAddress->value());
    port.highestAddress = quint8(controls.highestAddress->value());
    // A code beyond the list selects nothing; the stored code then stays.
    if (controls.baud->currentIndex() >= 0)
        port.baudCode = quint8(controls.baud->currentIndex() * kBaudCodeStep);
    port.retryCount = quint8(controls.retryCount->value());
    port.gapFactor = quint8(controls.gapFactor->value());
}
