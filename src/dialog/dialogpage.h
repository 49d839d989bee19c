#pragma once

#include "dialogcontext.h"

#include "model/cpuobject.h"

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QPushButton;

// One page of the properties dialog. It loads its widgets from an object (the edited one,
// or a default object while its Defaults run), and writes them into the edited object once
// every check of the dialog has passed. Page numbers name what the frame's updatePage and
// restorePageDefaults address; a page may serve several.
class DialogPage : public QWidget
{
    Q_OBJECT

public:
    explicit DialogPage(const DialogContext& context, QWidget* parent = nullptr);

    virtual QList<int> pageNumbers() const = 0;

    // Loads the widgets of page `number` from `source`.
    virtual void load(int number, const CpuObject& source) = 0;

    // Writes the widgets into `target`.
    virtual void apply(CpuObject& target) = 0;

signals:
    // The page's Defaults button: the frame reloads page `number` from a default object.
    void defaultsRequested(int number);

protected:
    const DialogContext& context() const { return m_context; }

    // The row that heads a page: its word-wrapped description (none when empty) and its
    // "Defaults" button, which `defaults` receives.
    QHBoxLayout* introRow(const QString& text, QPushButton*& defaults);

private:
    const DialogContext& m_context;
};
