#pragma once

#include "cardparwgt.h"

#include "model/cardrecord.h"

#include <QMap>
#include <QWidget>

class MComboBoxEx;
class MLineEdit;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

// One card slot: the card model, its activation, name and description, and the parameter
// page of the chosen model (one page per model, the chosen one shown). Only the shown page
// speaks for the slot in the real-time-clock and CANopen rules.
class CardSlotCfgWidget : public QWidget
{
    Q_OBJECT

public:
    CardSlotCfgWidget(const QString& projectPath, int slotId, const CardRecord& record,
                      QWidget* parent = nullptr);

    int slotId() const { return m_slot; }

    void load(const CardRecord& record);
    // Reads the widgets only: the shown page's complaint, if any.
    CheckResult validate() const;
    // The slot's record from the widgets into the widget's copy and `record`; false, and
    // both untouched, when the card page refuses its input.
    bool collect(CardRecord& record);
    // Gives back what the shown page holds (before the whole page is reloaded).
    void releaseExclusive();

    QList<StationAddress> stationAddresses() const;
    QList<CardParWgt::MemoryUse> memoryUse() const;

    // The card type the widgets show: the chosen entry's code, or the record's code when
    // the list has no entry for it (code 4).
    quint8 currentType() const;
    CardParWgt* page(CardType type) const { return m_pages.value(type); }
    CardParWgt* currentPage() const { return m_current; }
    MComboBoxEx* cardList() const { return m_card; }
    QCheckBox* activation() const { return m_activate; }
    MLineEdit* nameEdit() const { return m_name; }
    QPlainTextEdit* describeEdit() const { return m_describe; }

signals:
    void signal_activateStateChange();
    void signal_rtcEnableOfCardChanged(int slotId, int state);
    void signal_getSlotIdOfRtcEnable(int& slotId);
    void signal_CANOpenSelOfCardChanged(int slotId, bool isSel);
    void signal_getSelCANOpenCardSlotId(int& slotId);
    // Relays to the card pages.
    void signal_rtcEnableCardChanged(int slotId);
    void signal_selCANOpenCardChanged(int slotId);

public slots:
    void slot_ckbActivate_stateChanged(int state);
    void slot_cmbCard_currentIndexChanged(int index);
    void slot_teDescribe_textChanged();
    // "NONE", not activated.
    void slot_bttnDefaults();

private:
    void addPage(CardParWgt* page);
    void showType(quint8 type);

    const QString m_projectPath;
    const int m_slot;
    CardRecord m_record;
    QCheckBox* m_activate;
    MComboBoxEx* m_card;
    MLineEdit* m_name;
    QPlainTextEdit* m_describe;
    QPushButton* m_defaults;
    QStackedWidget* m_stack;
    QWidget* m_empty;
    QMap<CardType, CardParWgt*> m_pages;
    CardParWgt* m_current = nullptr;
};
