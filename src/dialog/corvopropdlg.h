#pragma once

#include "dialogcontext.h"
#include "pageid.h"

#include "model/cpuobject.h"

#include <QDialog>
#include <QList>
#include <QMap>

#include <memory>

class DialogPage;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
struct CheckFailure;
struct PageEntry;

// The modal properties dialog of one CPU module: a tree of pages on the left, the selected
// page on the right. The pages come from the page table; they load from the object when the
// dialog opens, each has Defaults (reloading it from a temporary default object), and OK
// runs every page's checks in their fixed order, then writes every page back into the
// object and tells the host window about switched buses. Cancel leaves the object as it
// was; the caller rolls the memory claims back.
class Corvopropdlg : public QDialog
{
    Q_OBJECT

public:
    // Item data role of a page item's help topic.
    static constexpr int HelpTopicRole = Qt::UserRole + 11;

    Corvopropdlg(CpuObject* object, const QString& projectPath, QWidget* parent, bool readOnly);
    ~Corvopropdlg() override;

    QTreeWidget* pageTree() const { return m_tree; }
    QStackedWidget* pageStack() const { return m_stack; }
    // The object pages load from: the edited one, or a default object during Defaults.
    const CpuObject* pageLoadSource() const { return m_pageLoadSource; }
    // A built page, or null when the dialog has none of that id.
    DialogPage* page(PageId id) const;
    const DialogContext& context() const { return m_context; }

public slots:
    virtual void languageChange();
    void startHelpSystem();
    void raisePage(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void updatePage(int number);
    void slot_bttnOK();
    void slot_bttnDefaultAll();
    void reject() override;

    // Reloads page `number` from a temporary default object of the module's type.
    void restorePageDefaults(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readContext();
    void buildFrame();
    void buildPages();
    QTreeWidgetItem* addItem(const PageEntry& entry, QWidget* page);
    void loadPages();
    void setPageEnabled(PageId id, bool enabled);

    // The local I/O bytes the object holds, given back while a default object exists.
    std::unique_ptr<CpuObject> createDefaultObject();
    void releaseDefaultObject(std::unique_ptr<CpuObject> object);

    bool runChecks();
    bool report(const CheckFailure& failure);
    void reveal(QWidget* field);
    void applyPages();

    CpuObject* m_object;
    const CpuObject* m_pageLoadSource;
    QString m_projectPath;
    QWidget* m_parentWidget;
    bool m_readOnly;
    DialogContext m_context;
    LocalIoMap m_inMapAtOpen;
    LocalIoMap m_outMapAtOpen;
    bool m_heldLocalMemoryAtOpen = false;

    QTreeWidget* m_tree = nullptr;
    QTreeWidgetItem* m_root = nullptr;
    QStackedWidget* m_stack = nullptr;
    QMap<QTreeWidgetItem*, QWidget*> m_itemPages;
    QMap<PageId, QTreeWidgetItem*> m_items; // by the page that owns the item
    QPushButton* m_ok = nullptr;
    QPushButton* m_defaultAll = nullptr;

    QList<DialogPage*> m_pages; // in table order
    QList<QWidget*> m_noInputMethod;
};
