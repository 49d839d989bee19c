#pragma once

#include "dialog/dialogpage.h"

#include <array>

class MComboBoxEx;
class MSpinBoxEx;
class QLabel;
struct PortParams;

// The "PPI Ports" tab: the settings of the two serial ports side by side.
class PpiPortsPage : public DialogPage
{
    Q_OBJECT

public:
    explicit PpiPortsPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;

public slots:
    void slot_bttnDefauPort();

private:
    struct PortControls
    {
        QLabel* title = nullptr;
        MSpinBoxEx* plcAddress = nullptr;
        MSpinBoxEx* highestAddress = nullptr;
        MComboBoxEx* baud = nullptr;
        MSpinBoxEx* retryCount = nullptr;
        MSpinBoxEx* gapFactor = nullptr;
    };

    static void loadPort(PortControls& controls, const PortParams& port);
    static void applyPort(const PortControls& controls, PortParams& port);

    std::array<PortControls, 2> m_ports;
};
