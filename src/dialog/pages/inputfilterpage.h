#pragma once

#include "dialog/dialogpage.h"

#include <QByteArray>
#include <QList>

class MComboBoxEx;
class QComboBox;
class QGroupBox;

// The delay an input must hold still before the PLC takes it, as 4-bit filter codes, two
// to a byte, low nibble first. The compact model sets it per input (code = list index);
// the others per group of four inputs (code = list index + 1).
//
// Only the KLV2 models and the compact model store these codes; on any other model the
// page shows them read-only, so that no edit is lost without a word. A stored code that
// names no list entry shows no selection and is written back as it was; a code the block
// lacks shows, and is then written as, the model's default.
//
// The rows are built when the page is first shown (or a row is asked for); until then the
// page writes what they would show.
class InputFilterPage : public DialogPage
{
    Q_OBJECT

public:
    enum class Variant { Grouped, PerInput };

    // Codes createObject gives every group or input.
    static constexpr quint8 GroupedDefaultCode = 6;
    static constexpr quint8 PerInputDefaultCode = 13;

    explicit InputFilterPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    // Writes the count and the rebuilt codes, on the models that store them.
    void apply(CpuObject& target) override;

    Variant variant() const { return m_variant; }
    bool isStorable() const { return m_storable; }
    int rowCount() const { return m_rowCount; }
    // Builds the page's widgets and shows the loaded codes in them; once only.
    void buildRows();
    bool rowsBuilt() const { return m_built; }
    // A row's delay list, built first when it is not yet; null beyond the rows.
    QComboBox* delayList(int row);
    // The codes the rows stand for, packed as the object holds them.
    QByteArray codes() const;

public slots:
    void slot_bttnDefaultFilterTime();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGrouped(QGroupBox* group);
    void buildPerInput(QGroupBox* group);
    MComboBoxEx* delayCombo(QWidget* parent, int row);
    void showLoaded();
    // The code the loaded codes give a row: its nibble, or the default where they end.
    int storedCode(int row) const;
    int codeOf(int row) const;

    Variant m_variant;
    bool m_storable;
    int m_rowCount;
    bool m_built = false;
    QList<MComboBoxEx*> m_delays;
    QByteArray m_loadedCodes;
};
