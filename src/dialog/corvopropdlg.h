#pragma once

#include "dialogcontext.h"

#include "model/cpuobject.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QPair>

#include <memory>

class BackgroundPage;
class DialogPage;
class GeneralPage;
class LocalPortPage;
class PasswordPage;
class PpiPortsPage;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class RetentivePage;
class TcpIpPage;
struct CheckFailure;

// The modal properties dialog of one CPU module: a tree of pages on the left, the selected
// page on the right. Pages load from the object when the dialog opens, each has Defaults
// (reloading it from a temporary default object), and OK writes every page back into the
// object once all checks have passed in their fixed order. Cancel leaves the object as it
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
    void buildFrame();
    void buildPageTree();
    void loadPages();
    QTreeWidgetItem* addPage(QWidget* page, const QString& text, const QString& english,
                             const QString& local);
    QWidget* inTab(QWidget* page, const QString& title);
    void registerPage(DialogPage* page);

    // The local I/O bytes the object holds, given back while a default object exists.
    void freeLocalMemory();
    void claimLocalMemory();
    std::unique_ptr<CpuObject> createDefaultObject();
    void releaseDefaultObject(std::unique_ptr<CpuObject> object);

    bool runChecks();
    bool report(const CheckFailure& failure);
    bool checkStationAddresses();
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
    QMap<QTreeWidgetItem*, QWidget*> m_pages;
    QPushButton* m_ok = nullptr;
    QPushButton* m_defaultAll = nullptr;

    QList<DialogPage*> m_loadable;
    GeneralPage* m_general = nullptr;
    PpiPortsPage* m_ppiPorts = nullptr;
    TcpIpPage* m_tcpIp = nullptr;
    RetentivePage* m_retentive = nullptr;
    PasswordPage* m_password = nullptr;
    BackgroundPage* m_background = nullptr;
    LocalPortPage* m_localPort = nullptr;

    QList<QWidget*> m_noInputMethod;
    QList<QPair<QGroupBox*, QRadioButton*>> m_titleRadios;
};
