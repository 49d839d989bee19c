#pragma once

#include "dialog/checkfailure.h"
#include "dialog/okstep.h"

#include "model/cardmemory.h"
#include "model/cardrecord.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// The parameter page of one card kind inside a slot. It shows its region of the card
// record, checks its input without changing anything, and writes the region back.
class CardParWgt : public QWidget
{
    Q_OBJECT

public:
    // A range of project memory the page's addresses occupy, and the field that chooses it.
    struct MemoryUse
    {
        CardClaim claim;
        QPointer<QWidget> field;
    };

    CardParWgt(const QString& projectPath, int slotId, QWidget* parent = nullptr);

    int slotId() const { return m_slot; }
    const QString& projectPath() const { return m_projectPath; }
    virtual CardType cardType() const = 0;

    // Shows the page's region of `record`.
    virtual void load(const CardRecord& record) = 0;
    // Why the input cannot be taken (the page's own message and the field to correct);
    // nothing when it can. Reads the widgets only.
    virtual CheckResult validate() const;
    // Writes the page's region into `record`; false, and `record` untouched, when the input
    // is invalid.
    bool collect(CardRecord& record) const;
    // Shows the defaults of a card in this slot.
    void restoreDefaults();

    // The station addresses the card's serial ports answer to.
    virtual QList<StationAddress> stationAddresses() const;
    // The memory the page's addresses occupy: the ranges a collected record holds, in the
    // order CardMemory lists them. Meaningful only while validate() passes.
    QList<MemoryUse> memoryUse() const;

    // The page becomes its slot's card: it reports the exclusive functions it has switched
    // on (real-time clock, CANopen master) and learns who holds them.
    virtual void reportState() {}
    // The page stops being its slot's card: it gives back what it holds; its widgets stay.
    virtual void releaseExclusive() {}

protected:
    virtual void write(CardRecord& record) const = 0;
    // The fields that choose the ranges of memoryUse(), in the same order.
    virtual QList<QWidget*> memoryFields() const { return {}; }

private:
    const QString m_projectPath;
    const int m_slot;
};
