#pragma once

#include "applyfollowup.h"
#include "dialogcontext.h"
#include "okstep.h"
#include "pageid.h"

#include "model/cpuobject.h"

#include <QList>
#include <QPushButton>
#include <QWidget>

class QHBoxLayout;

// One page of the properties dialog. It loads its widgets from an object (the edited one,
// or a default object while Defaults run), hands the frame its checks for OK, and writes
// its widgets into the edited object once every check has passed.
class DialogPage : public QWidget
{
    Q_OBJECT

public:
    DialogPage(PageId id, const DialogContext& context, QWidget* parent = nullptr);

    PageId id() const { return m_id; }

    // Shows `source` in the widgets.
    virtual void load(const CpuObject& source) = 0;
    // The first load when the dialog opens; pages that keep working state beside their
    // widgets take it from the object here.
    virtual void loadAtOpen(const CpuObject& object) { load(object); }
    // Shows a default object of the module's type (Defaults and Default All).
    virtual void loadDefaults(const CpuObject& defaults) { load(defaults); }

    // Writes the widgets into `target`; runs only after every check has passed.
    virtual void apply(CpuObject& target) = 0;
    // What the frame does after every page has written (warnings, bus lines).
    virtual void followUp(const CpuObject& target, ApplyFollowUp& followUp);

    // The page's checks of OK with their steps.
    virtual QList<PageCheck> checks() const;
    // The station addresses of the serial ports the page configures.
    virtual QList<StationAddress> stationAddresses() const;
    // Fields in which no input method may compose text.
    virtual QList<QWidget*> noInputMethodFields() const;

signals:
    // The frame reloads page `id` from a default object.
    void defaultsRequested(PageId id);
    // A page that switches another one on or off (the frame knows where it sits).
    void pageEnabledRequested(PageId id, bool enabled);

public slots:
    void requestDefaults() { emit defaultsRequested(m_id); }

protected:
    const DialogContext& context() const { return m_context; }

    // The row that heads a page: its word-wrapped description (none when empty) and the
    // page's "Defaults" button, which calls `defaultsSlot`.
    template <typename Page>
    QHBoxLayout* introRow(const QString& text, void (Page::*defaultsSlot)())
    {
        QHBoxLayout* row = introRow(text);
        connect(m_defaults, &QPushButton::clicked, static_cast<Page*>(this), defaultsSlot);
        return row;
    }
    QHBoxLayout* introRow(const QString& text);
    QPushButton* defaultsButton() const { return m_defaults; }

private:
    const PageId m_id;
    const DialogContext& m_context;
    QPushButton* m_defaults = nullptr;
};
