#pragma once

#include "dialog/dialogpage.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

// Where the CPU's own inputs and outputs sit in the process image: start, length and end
// of each, for display only (the host places them; nothing is written back).
class AddressPage : public DialogPage
{
    Q_OBJECT

public:
    explicit AddressPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;

private:
    struct MapRows
    {
        QGroupBox* group = nullptr;
        QSpinBox* start = nullptr;
        QSpinBox* length = nullptr;
        QComboBox* unit = nullptr;
        QLineEdit* end = nullptr;
        QComboBox* memory = nullptr;
    };

    // A group of rows for the inputs ("I", key "IEx") or the outputs ("Q", key "QEx").
    MapRows buildMap(bool inputs);
    static void showMap(const MapRows& rows, const LocalIoMap& map);

    MapRows m_inputs;
    MapRows m_outputs;
};
