#pragma once

#include "dialogcontext.h"
#include "pageid.h"

#include <QString>
#include <QVector>

class DialogPage;
class QWidget;

// Whether a page exists in a dialog, and whether its tree item shows.
enum class PagePresence { Absent, Shown, HiddenItem };

// One page of the properties dialog: how it shows in the tree, when it exists and how it
// is built. The table's order is the order of the tree and of loading.
struct PageEntry
{
    PageId id;
    // The page whose tree item the page sits in: itself for an item of its own.
    PageId item;
    const char* treeText;        // source text of the item (context "Corvopropdlg")
    const char* compactTreeText; // on the compact model, when it differs; else null
    const char* tabTitle;        // the page's tab in its item; null: the page fills the item
    const char* helpEnglish;     // help topic of the item
    const char* helpLocal;       // the same topic in the local help, UTF-8
    PagePresence (*presence)(const DialogContext& context);
    DialogPage* (*build)(const DialogContext& context, QWidget* parent);
};

class PageTable
{
public:
    // Every page, in tree order.
    static const QVector<PageEntry>& pages();

    // The entry of a page; null for an id the table does not know.
    static const PageEntry* find(PageId id);

    // The pages Default All reloads from the default object, in this order. Pages a dialog
    // does not have are skipped by the caller.
    static QList<PageId> defaultAllOrder(const DialogContext& context);

    // The item's tree text for a context (translated).
    static QString treeText(const PageEntry& entry, const DialogContext& context);
};
