#pragma once

#include "hostfixture.h"

#include <block/blockdecoder.h>
#include <corekit/memory.h>
#include <corekit/widgets/ipaddresswidget.h>
#include <dialog/corvopropdlg.h>
#include <dialog/dialogpage.h>
#include <dialog/messages.h>
#include <model/cpuobjectfactory.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonObject>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

// The first failing check of a page, in the order OK runs them.
inline CheckResult firstFailure(const DialogPage& page)
{
    QList<PageCheck> checks = page.checks();
    std::stable_sort(checks.begin(), checks.end(),
                     [](const PageCheck& a, const PageCheck& b) { return a.step < b.step; });
    for (const PageCheck& check : checks) {
        if (CheckResult result = check.run())
            return result;
    }
    return std::nullopt;
}

namespace DialogTesting {

// A widget by object name, the innermost where a page and its field share the name;
// "group/field" looks for the field inside the widget "group".
template <typename T = QWidget>
T* child(const QObject& parent, const QString& path)
{
    const QStringList names = path.split(QLatin1Char('/'));
    const QObject* at = &parent;
    for (int i = 0; at && i < names.size(); ++i) {
        const QObject* inner = nullptr;
        int innerDepth = -1;
        for (const QObject* found : at->findChildren<QObject*>(names.at(i))) {
            int depth = 0;
            for (const QObject* p = found; p != at; p = p->parent())
                ++depth;
            if (depth > innerDepth && (i + 1 < names.size() || qobject_cast<const T*>(found)))
                std::tie(inner, innerDepth) = std::make_pair(found, depth);
        }
        at = inner;
    }
    auto* widget = qobject_cast<T*>(const_cast<QObject*>(at));
    if (!widget)
        qWarning("no widget %s", qPrintable(path));
    return widget;
}

// Presses a button with the space bar, as the keyboard does: a page that was never shown has
// no room for the mouse to hit.
inline void press(QAbstractButton* button)
{
    QTest::keyClick(button, Qt::Key_Space);
}

// Edits widgets by object name: "name=value" sets a spin box, the entry of that text (or
// "#index") in a list, a line edit's or address field's text, a checkable group or box ("1"
// or "0");
// "name+text" types into a line edit through its validator; "name" presses a button;
// "name.slot" calls a slot.
inline void edit(const QWidget& root, const QStringList& steps)
{
    for (const QString& step : steps) {
        const int at = step.indexOf(QRegularExpression(QStringLiteral("[=+.]")));
        const QString value = at < 0 ? QString() : step.mid(at + 1);
        QWidget* field = child(root, step.left(at));
        if (!field)
            continue;
        const QChar how = at < 0 ? QChar() : step.at(at);
        auto* line = qobject_cast<QLineEdit*>(field);
        if (auto* box = qobject_cast<QComboBox*>(field); box && box->isEditable())
            line = box->lineEdit();
        if (at < 0) {
            press(qobject_cast<QAbstractButton*>(field));
        } else if (how == QLatin1Char('.')) {
            QMetaObject::invokeMethod(field, qPrintable(value));
        } else if (how == QLatin1Char('+')) {
            QTest::keyClicks(line, value);
        } else if (auto* spin = qobject_cast<QSpinBox*>(field)) {
            spin->setValue(value.toInt());
        } else if (auto* address = qobject_cast<IpAddressWidget*>(field)) {
            address->setIpAddr(value);
        } else if (line) {
            line->setText(value);
        } else if (auto* list = qobject_cast<QComboBox*>(field)) {
            list->setCurrentIndex(value.startsWith(QLatin1Char('#')) ? value.mid(1).toInt()
                                                                     : list->findText(value));
        } else if (auto* group = qobject_cast<QGroupBox*>(field)) {
            group->setChecked(value == QLatin1String("1"));
        } else if (auto* button = qobject_cast<QAbstractButton*>(field)) {
            button->setChecked(value == QLatin1String("1"));
        }
    }
}

// The Defaults button of the page that holds `field`.
inline QPushButton* defaultsNear(QWidget* field)
{
    for (QWidget* w = field; w; w = w->parentWidget()) {
        if (auto* button = w->findChild<QPushButton*>(QStringLiteral("defaultsButton")))
            return button;
    }
    return nullptr;
}

// Section `id` of a block as hwcfg dump decodes it; empty when the block has none.
inline DecodedSection decodedSection(const QByteArray& block, int id)
{
    for (const DecodedSection& s : BlockDecoder::decode(block).sections) {
        if (s.id == id)
            return s;
    }
    return {};
}

// Its bytes, head included.
inline QByteArray sectionOf(const QByteArray& block, int id)
{
    return decodedSection(block, id).bytes;
}

// One case's own copy of the host data with a project, its memory claims cleared; what the
// dialog shows while editing is collected instead of shown.
struct DialogCase
{
    explicit DialogCase(const QJsonObject& projectFile)
    {
        project = host.writeProject(QStringLiteral("p.json"), projectFile);
        clearUsedMemory(project);
        Messages::setInterceptor(
            [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
                messages.append(text);
                icons.append(icon);
                titles.append(title);
            });
    }
    ~DialogCase() { Messages::setInterceptor({}); }

    std::unique_ptr<CpuObject> create(int id) const
    {
        return CpuObjectFactory::create(id, project);
    }

    HostFixture host;
    QString project;
    QStringList messages;
    QList<QMessageBox::Icon> icons;
    QStringList titles;
};

// The project of most dialog cases: a KLV2-R70 with QBUS and Ethernet/IP.
inline QJsonObject r70Project()
{
    return QJsonObject{{"plcType", "KLV2-R70"},
                       {"plcVersion", "02.01"},
                       {"hwFileCreatedVersion", 2100},
                       {"supportsEip", true},
                       {"supportsQbus", true}};
}

// The properties dialog as config opens it: in a host window, inside a memory snapshot that
// OK keeps and Cancel rolls back.
class OpenDialog
{
    QMainWindow m_window; // before the dialog, which it outlives
    QString m_project;
    bool m_closed = false;

public:
    OpenDialog(CpuObject* object, const QString& project, QWidget* host = nullptr)
        : m_project(project)
    {
        backupUsedMemory(project);
        dialog = std::make_unique<Corvopropdlg>(object, project, host ? host : &m_window, false);
    }
    ~OpenDialog()
    {
        if (!m_closed)
            restoreUsedMemory(m_project);
    }

    Corvopropdlg* operator->() const { return dialog.get(); }
    template <typename T = QWidget>
    T* at(const QString& name) const
    {
        return child<T>(*dialog, name);
    }

    // Brings the page of a tree item to the front.
    void showPage(const QString& item) const
    {
        QTreeWidgetItem* root = dialog->pageTree()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->text(0) == item)
                dialog->pageTree()->setCurrentItem(root->child(i));
        }
    }
    // Shown and active, as keyboard focus needs; false when the window system never got there.
    bool showActive() const
    {
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }
    // true when the dialog accepted
    bool ok()
    {
        QTest::mouseClick(at<QPushButton>(QStringLiteral("okButton")), Qt::LeftButton);
        m_closed = dialog->result() == QDialog::Accepted;
        if (m_closed)
            popBackupMemory(m_project);
        return m_closed;
    }
    void cancel()
    {
        QTest::mouseClick(at<QPushButton>(QStringLiteral("cancelButton")), Qt::LeftButton);
        restoreUsedMemory(m_project);
        m_closed = true;
    }

    std::unique_ptr<Corvopropdlg> dialog;
};

// A page of a sample module loaded as the dialog loads it, outside a dialog.
template <typename Page>
struct LoadedPage
{
    using Change = std::function<void(CpuObject&, DialogContext&)>;

    explicit LoadedPage(int id, const Change& change = {})
        : object(CpuObjectFactory::create(id, QString()))
        , context(contextOf(*object, change))
        , page(context)
    {
        page.load(*object);
    }

    static DialogContext contextOf(CpuObject& object, const Change& change)
    {
        DialogContext c;
        c.plcType = object.descriptor.ObjName; // the sample facts know the module names
        c.plcVersion = object.descriptor.MLFB;
        c.descriptor = object.descriptor;
        c.localInputPoints = object.descriptor.inMap.points;
        c.localOutputPoints = object.descriptor.outMap.points;
        if (change)
            change(object, c);
        return c;
    }

    // The object as OK would write it from this page.
    CpuObject applied()
    {
        CpuObject target = *object;
        page.apply(target);
        return target;
    }
    template <typename T = QWidget>
    T* at(const QString& name)
    {
        return child<T>(page, name);
    }

    std::unique_ptr<CpuObject> object;
    DialogContext context; // the page keeps a reference
    Page page;
};

} // namespace DialogTesting
