#include "dialogtesting.h"

#include <block/paramblock.h>
#include <dialog/filedialogs.h>
#include <opcua/opcuadragdata.h>
#include <opcua/opcuafile.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/ui/folderdlg.h>
#include <opcua/ui/opcuainterfacetreemodel.h>
#include <opcua/ui/opcuanodepanel.h>
#include <opcua/ui/opcuapage.h>
#include <opcua/ui/opcuaparwdgt.h>
#include <opcua/ui/opcuasourcemodel.h>
#include <opcua/ui/opcuavariabletablemodel.h>
#include <symbolkit/prjsymboloperator.h>

#include <QJsonArray>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>

using DialogTesting::child;

namespace {

const QString kRootHint =
    QStringLiteral("Please right-click the Server Interface to\nadd an interface.");
const QString kEmptyHint = QStringLiteral("Please drag elements into the interface.");
const QString kTooMany = QStringLiteral("The number of elements added cannot exceed 50000.");

QJsonObject symbol(const QString& name, const QString& address, const QString& comment = {})
{
    return {{"name", name}, {"address", address}, {"dataType", "INT"}, {"comment", comment}};
}

// Symbols of every address kind (and timers and counters the editor leaves out), a table
// of a type the editor does not list, and a data block of three elements.
QJsonObject project()
{
    QJsonArray global;
    for (const QString line : {"StartButton I0.0 Start the line", "Motor Q0.0 Conveyor motor",
                               "Speed MW10", "Pressure AIW4 Inlet pressure", "Status SMB28",
                               "Total VD100", "Cycle T37", "Pieces C5", "Fast HC0", "Analog AC1"})
        global << symbol(line.section(' ', 0, 0), line.section(' ', 1, 1), line.section(' ', 2));
    const QJsonArray rows{QJsonArray{"+0.0", "", "", "Level", "INT", "", "", "Fill level"},
                          QJsonArray{"+8.0", "", "", "Total", "DINT", "", "", "Litres so far"},
                          QJsonArray{"+12.0", "", "", "Full", "BOOL", "", "", "Tank full"},
                          QJsonArray{"", "", "", "", "END_STRUCT", "", "", ""}};
    const QJsonObject block{{"name", "DB5"},      {"symbol", "Mixer"}, {"comment", "Mixing tank"},
                            {"retentive", false}, {"instance", false}, {"rows", rows}};
    const auto table = [](const char* name, int type, const QJsonArray& symbols) {
        return QJsonObject{{"name", name}, {"type", type}, {"symbols", symbols}};
    };
    QJsonObject project = DialogTesting::r70Project();
    project["dataBlocks"] = QJsonArray{block};
    project["symbolTables"] =
        QJsonArray{table("Global", 0, global), table("System", 3, {symbol("Hidden", "VW0")}),
                   table("Blocks", 5, {symbol("Mixer", "DB5")})};
    return project;
}

OpcUaVarRecord var(const QString& address, OpcUaDataType type, OpcUaAddressKind kind)
{
    OpcUaVarRecord r;
    r.address = address;
    r.browseName = address;
    r.dataType = quint32(type);
    r.addressKind = quint32(kind);
    return r;
}

// `count` plain records in the first of `interfaces` interfaces.
QByteArray payloadOf(int count, int interfaces = 1)
{
    OpcUaInterfaces list(static_cast<size_t>(interfaces));
    for (int i = 0; i < interfaces; ++i)
        list[size_t(i)].name = QStringLiteral("Interface %1").arg(i + 1);
    for (int i = 0; i < count; ++i)
        list[0].records.push_back(
            var(QStringLiteral("VW%1").arg(2 * i), OpcUaDataType::Int16, OpcUaAddressKind::Word));
    return OpcUaInterfaceCodec::encode(list);
}

// Every node below `parent`, counting the published ones; checks that each child names its
// parent and row.
int walk(const QAbstractItemModel* model, const QModelIndex& parent, bool& consistent)
{
    int records = 0;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex child = model->index(row, 0, parent);
        if (child.parent() != parent || child.row() != row)
            consistent = false;
        if (static_cast<const OpcUaInterfaceTreeModel*>(model)->record(child))
            ++records;
        records += walk(model, child, consistent);
    }
    return records;
}

// The texts of the rows below `parent`: a tree's children, a list's entries.
QStringList texts(const QAbstractItemModel* model, const QModelIndex& parent = {})
{
    QStringList list;
    for (int row = 0; row < model->rowCount(parent); ++row)
        list << model->index(row, 0, parent).data().toString();
    return list;
}

} // namespace

// The server interface editor driven through its widgets.
class TestOpcUaEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;
    QString m_project;
    QStringList m_messages; // "title: text"

    std::unique_ptr<OpcUaParWdgt> editor(const QByteArray& payload = QByteArray())
    {
        auto e = std::make_unique<OpcUaParWdgt>(payload, m_project);
        e->resize(900, 560);
        e->show();
        if (!QTest::qWaitForWindowExposed(e.get()))
            qWarning("editor not exposed");
        return e;
    }

    // The source tree's items below its top rows, in tree order.
    static QModelIndexList sourceItems(OpcUaParWdgt& e)
    {
        const OpcUaSourceModel* m = e.sourceModel();
        QModelIndexList items;
        for (int top = 0; top < OpcUaSourceModel::TopRows; ++top) {
            const QModelIndex parent = m->index(top, 0);
            for (int r = 0; r < m->rowCount(parent); ++r) {
                const QModelIndex item = m->index(r, 0, parent);
                items << item;
                for (int c = 0; c < m->rowCount(item); ++c)
                    items << m->index(c, 0, item);
            }
        }
        return items;
    }

    // The last of that address: DB5 is the block, not its symbol.
    static QModelIndex sourceItem(OpcUaParWdgt& e, const QString& address)
    {
        const QModelIndexList items = sourceItems(e);
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            if (e.sourceModel()->item(*it)->address == address)
                return *it;
        }
        return {};
    }

    static QMimeData* dragFromSource(OpcUaParWdgt& e, const QStringList& addresses)
    {
        QModelIndexList indexes;
        for (const QString& a : addresses)
            indexes << sourceItem(e, a);
        return e.sourceModel()->mimeData(indexes);
    }

    // A drag that enters the view, moves to `at` and is dropped there, as the window
    // system delivers it; whether the drop was taken.
    static bool dropAt(QAbstractItemView* view, const QPoint& at, const QMimeData* data)
    {
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        return drop.isAccepted();
    }

    static QPoint centre(QAbstractItemView* view, const QModelIndex& index)
    {
        view->scrollTo(index);
        return view->visualRect(index).center();
    }

    static QPoint below(QAbstractItemView* view) { return {5, view->viewport()->height() - 5}; }

    static QString hint(OpcUaParWdgt& e)
    {
        return e.infoStack()->currentWidget()->findChild<QLabel*>()->text();
    }

    // The name dialog is nameDialog's; elsewhere an interface is added as its OK does.
    static void addInterface(OpcUaParWdgt& e, const QString& name)
    {
        e.ensureLoaded();
        e.interfaceView()->setCurrentIndex(e.treeModel()->addInterface(name));
    }

    // Types `name` into the next name dialog and presses OK, then Cancel if it is still
    // open; `title` gets its title.
    static void answerFolderDlg(const QString& name, QString* title)
    {
        QTimer::singleShot(0, [name, title] {
            auto* dialog = qobject_cast<FolderDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            *title = dialog->windowTitle();
            auto* field = child<QLineEdit>(*dialog, "displayName");
            field->clear();
            QTest::keyClicks(field, name);
            QTest::mouseClick(child<QPushButton>(*dialog, "folderOk"), Qt::LeftButton);
            if (dialog->isVisible())
                QTest::mouseClick(child<QPushButton>(*dialog, "folderCancel"), Qt::LeftButton);
        });
    }

    static QStringList enabledActions(QMenu* menu)
    {
        QStringList names;
        for (QAction* a : menu->actions()) {
            if (a->isEnabled())
                names << a->objectName();
        }
        menu->hide();
        return names;
    }

    static bool counterHolds(OpcUaParWdgt& e)
    {
        bool consistent = true;
        const int walked = walk(e.treeModel(), e.treeModel()->rootIndex(), consistent);
        const int records = OpcUaInterfaceCodec::recordCount(e.treeModel()->interfaces());
        return consistent && walked == records && e.elementCount() == records;
    }

private slots:
    void init()
    {
        m_host = std::make_unique<HostFixture>();
        m_project = m_host->writeProject(QStringLiteral("p.json"), project());
        m_messages.clear();
        Messages::setInterceptor([this](QMessageBox::Icon, const QString& t, const QString& s) {
            m_messages << t + QStringLiteral(": ") + s;
        });
    }

    void cleanup()
    {
        Messages::setInterceptor({});
        FileDialogs::setInterceptor({});
        m_host.reset();
    }

    // A new editor writes nothing until something changes and holds the symbol service for
    // its life only; the source tree's top items do not drag; a click on the block shows its
    // hint; Update Element reads the project again.
    void newEditor()
    {
        const int before = PrjSymbolOperator::liveInstances();
        auto e = editor();
        QCOMPARE(PrjSymbolOperator::liveInstances(), before + 1);
        QVERIFY(e->interfaceData().isEmpty());
        OpcUaSourceModel* m = e->sourceModel();
        const QModelIndex variables = m->index(OpcUaSourceModel::VariableRow, 0);
        QVERIFY(!(m->flags(variables) & Qt::ItemIsDragEnabled));
        QVERIFY(!m->mimeData({variables, m->index(0, 0, variables)}));
        const QModelIndex mixer = sourceItem(*e, QStringLiteral("DB5"));
        QTest::mouseClick(e->sourceView()->viewport(), Qt::LeftButton, {},
                          centre(e->sourceView(), mixer));
        QVERIFY(hint(*e).startsWith(QStringLiteral("Please drag variables,program blocks")));
        QJsonObject changed = project();
        changed.remove(QStringLiteral("dataBlocks"));
        m_host->writeProject(QStringLiteral("p.json"), changed);
        child<QAction>(*e, "sourceMenu/updateElement")->trigger();
        QCOMPARE(m->rowCount(m->index(OpcUaSourceModel::ProgramBlockRow, 0)), 0);
        e.reset();
        QCOMPARE(PrjSymbolOperator::liveInstances(), before);
    }

    // The filter narrows the source tree by address, name or comment, in any case; a block
    // shown for its own text shows all its elements, and drags with all of them in any case.
    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("none") << "" << QStringList{"I0.0",     "Q0.0",     "MW10",       "AIW4",
                                                   "SMB28",    "VD100",    "DB5",        "DB5",
                                                   "DB5.DBW0", "DB5.DBD8", "DB5.DBX12.0"};
        QTest::newRow("a name, another case") << "startBUTTON" << QStringList{"I0.0"};
        QTest::newRow("a comment") << "conveyor" << QStringList{"Q0.0"};
        QTest::newRow("an address") << "aiw" << QStringList{"AIW4"};
        QTest::newRow("the block")
            << "mixing" << QStringList{"DB5", "DB5.DBW0", "DB5.DBD8", "DB5.DBX12.0"};
        QTest::newRow("one element") << "litres" << QStringList{"DB5", "DB5.DBD8"};
        QTest::newRow("nothing") << "nowhere" << QStringList{};
    }

    void filter()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        auto e = editor();
        QTest::keyClicks(child<QLineEdit>(*e, "sourceFilter"), text);
        QStringList got;
        for (const QModelIndex& item : sourceItems(*e))
            got << e->sourceModel()->item(item)->address;
        QCOMPARE(got, shown);
        if (shown.contains(QStringLiteral("DB5"))) {
            std::unique_ptr<QMimeData> data(dragFromSource(*e, {"DB5"}));
            QCOMPARE(int(OpcUaDragData::items(data.get())->at(0).elements.size()), 3);
        }
    }

    // The menus: what each item of the tree enables (at most five interfaces), and the
    // table's.
    void interfaceMenu_data()
    {
        QTest::addColumn<int>("interfaces");
        QTest::addColumn<int>("item"); // 0 root, 1 an interface, 2 a variable
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("root, four interfaces") << 4 << 0 << QStringList{"addInterface"};
        QTest::newRow("root, five interfaces") << 5 << 0 << QStringList{};
        QTest::newRow("an interface")
            << 1 << 1 << QStringList{"changeInterfaceName", "deleteInterface"};
        QTest::newRow("a variable") << 1 << 2 << QStringList{"deleteVariable"};
    }

    void interfaceMenu()
    {
        QFETCH(int, interfaces);
        QFETCH(int, item);
        QFETCH(QStringList, enabled);
        auto e = editor(payloadOf(1, interfaces));
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        const QModelIndex target = item == 0   ? tree->rootIndex()
                                   : item == 1 ? tree->interfaceIndex(0)
                                               : tree->index(0, 0, tree->interfaceIndex(0));
        e->interfaceView()->setCurrentIndex(target);
        emit e->interfaceView()->customContextMenuRequested(
            e->interfaceView()->visualRect(target).center());
        QCOMPARE(enabledActions(child<QMenu>(*e, "interfaceMenu")), enabled);
        // The table's menu: only Delete Variable, on a row of a shown item.
        emit e->tableView()->customContextMenuRequested(QPoint(5, 5));
        QCOMPARE(enabledActions(child<QMenu>(*e, "tableMenu")),
                 item == 0 ? QStringList() : QStringList{"deleteVariable"});
    }

    // The name dialog refuses empty and blank-led names and stays open; a good name (cut to
    // 32 characters) makes a new, current, empty interface; a rename keeps the rest.
    void nameDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* tag, const QString& name, const char* message) {
            QTest::newRow(tag) << name << QString::fromLatin1(message);
        };
        row("empty", "", "Display name can't be empty.");
        row("blank-led", " Line", "Display name cannot start with a blank.");
        row("good", "Line 1", "");
        row("32 characters at most", QString(40, 'x'), "");
    }

    void nameDialog()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        auto e = editor();
        QString title;
        e->interfaceView()->setCurrentIndex(e->treeModel()->rootIndex());
        answerFolderDlg(name, &title);
        e->slot_addInterface();
        QCOMPARE(title, QStringLiteral("Server Interface"));
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        QCOMPARE(m_messages,
                 message.isEmpty() ? QStringList() : QStringList{"Warning: " + message});
        if (!message.isEmpty()) {
            QCOMPARE(tree->interfaceCount(), 0);
            QVERIFY(!e->isChanged());
            return;
        }
        QCOMPARE(tree->interfaceIndex(0).data().toString(), name.left(32));
        QCOMPARE(e->interfaceView()->currentIndex(), tree->interfaceIndex(0));
        QCOMPARE(hint(*e), kEmptyHint);

        answerFolderDlg(QStringLiteral("Renamed"), &title);
        e->slot_changeInterfaceName();
        QCOMPARE(title, QStringLiteral("Change Name"));
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QCOMPARE(read.interfaces.size(), size_t(1));
        QCOMPARE(read.interfaces.at(0).name, QStringLiteral("Renamed"));
    }

    // Where drops land: onto an interface only (tree), rows of the table shown for an
    // interface, and the data block with its elements. Deleting from the table (an element
    // lowers the counter by one, a block by its records) and the tree; the table is rebuilt
    // once it would have one row; the Delete key leaves an interface alone.
    void dropAndDelete()
    {
        auto e = editor();
        addInterface(*e, QStringLiteral("Line"));
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        const QModelIndex line = tree->interfaceIndex(0);
        QTreeView* view = e->interfaceView();
        QTableView* table = e->tableView();
        auto* address = child<QLineEdit>(*e->nodePanel(), "nodeAddress");
        std::unique_ptr<QMimeData> three(dragFromSource(*e, {"I0.0", "Q0.0", "MW10"}));
        std::unique_ptr<QMimeData> one(dragFromSource(*e, {"VD100"}));
        std::unique_ptr<QMimeData> two(dragFromSource(*e, {"DB5", "VD100"})); // in tree order
        QVERIFY(!dropAt(view, centre(view, tree->rootIndex()), three.get()));
        QVERIFY(!dropAt(view, below(view), three.get()));
        QVERIFY(dropAt(view, centre(view, line), three.get()));
        view->expand(line);
        QVERIFY(!dropAt(view, centre(view, tree->index(1, 0, line)), three.get()));
        // The table: onto row 1 inserts there, the table and the panel follow; below the rows
        // appends.
        view->setCurrentIndex(line);
        QVERIFY(dropAt(table, centre(table, e->tableModel()->index(1, 0)), one.get()));
        QCOMPARE(table->currentIndex().row(), 1);
        QCOMPARE(address->text(), QStringLiteral("VD100"));
        QVERIFY(dropAt(table, below(table), two.get()));
        QCOMPARE(texts(tree, line), (QStringList{"I0.0", "VD100", "Q0.0", "MW10", "VD100", "DB5"}));
        QCOMPARE(e->elementCount(), 5 + 4);

        // A data block shows its elements and takes no drops; nor does the root.
        const QModelIndex mixer = tree->index(5, 0, line);
        view->setCurrentIndex(mixer);
        QCOMPARE(e->tableModel()->rowCount(), 3);
        QVERIFY(!dropAt(table, centre(table, e->tableModel()->index(0, 0)), one.get()));
        view->setCurrentIndex(tree->rootIndex());
        QVERIFY(!dropAt(table, QPoint(5, 5), one.get()));
        QCOMPARE(e->elementCount(), 9);

        view->setCurrentIndex(mixer);
        table->setCurrentIndex(e->tableModel()->index(2, 0));
        QTest::keyClick(table, Qt::Key_Delete);
        table->setCurrentIndex(e->tableModel()->index(0, 0));
        e->slot_deleteVariable();
        QCOMPARE(e->elementCount(), 7);
        QCOMPARE(texts(tree, mixer), QStringList{"DB5.DBD8"});
        QCOMPARE(e->tableModel()->rowCount(), 1);
        QCOMPARE(address->text(), QStringLiteral("DB5.DBD8"));
        view->setCurrentIndex(line);
        table->setCurrentIndex(e->tableModel()->index(5, 0)); // the block, 2 records
        e->slot_deleteVariable();
        QCOMPARE(e->elementCount(), 5);
        view->setCurrentIndex(tree->index(0, 0, line));
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(texts(tree, line), (QStringList{"VD100", "Q0.0", "MW10", "VD100"}));
        view->setCurrentIndex(line);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(tree->interfaceCount(), 1);
        e->slot_deleteInterface();
        QCOMPARE(tree->interfaceCount(), 0);
        QCOMPARE(e->elementCount(), 0);
        QCOMPARE(view->currentIndex(), tree->rootIndex());
        QCOMPARE(hint(*e), kRootHint);
    }

    // The limit of 50 000 records, elements included: a drop that would pass it adds nothing
    // and says so.
    void limit_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("taken");
        QTest::newRow("two with one place left") << 49999 << QStringList{"I0.0", "Q0.0"} << false;
        QTest::newRow("one with one place left") << 49999 << QStringList{"I0.0"} << true;
        QTest::newRow("a block of four records, three places")
            << 49997 << QStringList{"DB5"} << false;
        QTest::newRow("a block of four records, four places")
            << 49996 << QStringList{"DB5"} << true;
    }

    void limit()
    {
        QFETCH(int, present);
        QFETCH(QStringList, dropped);
        QFETCH(bool, taken);
        auto e = editor(payloadOf(present));
        std::unique_ptr<QMimeData> data(dragFromSource(*e, dropped));
        const QModelIndex first = e->treeModel()->interfaceIndex(0);
        QCOMPARE(dropAt(e->interfaceView(), centre(e->interfaceView(), first), data.get()), taken);
        QCOMPARE(e->elementCount(), taken ? 50000 : present);
        QCOMPARE(e->treeModel()->rowCount(first), taken ? present + int(dropped.size()) : present);
        QCOMPARE(m_messages, taken ? QStringList() : QStringList{"Warning: " + kTooMany});
        QCOMPARE(e->isChanged(), taken);
    }

    // The counter equals the records after any sequence of drops, deletions, new
    // interfaces, Defaults and imports.
    void counterInvariant_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2024u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }

    void counterInvariant()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        auto e = editor();
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        const QStringList sources{"I0.0", "Q0.0",     "MW10",     "AIW4",        "SMB28", "VD100",
                                  "DB5",  "DB5.DBW0", "DB5.DBD8", "DB5.DBX12.0", "DB5"};
        const auto pick = [&](const QModelIndex& parent) {
            const int rows = tree->rowCount(parent);
            return rows ? tree->index(int(random.bounded(rows)), 0, parent) : QModelIndex();
        };
        for (int step = 0; step < 300; ++step) {
            const int op = int(random.bounded(100));
            if (tree->interfaceCount() == 0 || (op < 8 && tree->interfaceCount() < 5)) {
                tree->addInterface(QStringLiteral("I%1").arg(step));
            } else if (op < 55) {
                QStringList picked;
                for (int n = int(random.bounded(1, 5)); n > 0; --n)
                    picked << sources.at(int(random.bounded(sources.size())));
                std::unique_ptr<QMimeData> data(dragFromSource(*e, picked));
                e->interfaceView()->setCurrentIndex(pick(tree->rootIndex()));
                const int rows = e->tableModel()->rowCount();
                const QPoint at = rows && random.bounded(2)
                                      ? centre(e->tableView(),
                                               e->tableModel()->index(int(random.bounded(rows)), 0))
                                      : below(e->tableView());
                dropAt(e->tableView(), at, data.get());
            } else if (op < 75) {
                // A node anywhere: in an interface or in a data block.
                QModelIndex node = pick(pick(tree->rootIndex()));
                if (node.isValid() && tree->rowCount(node) > 0 && random.bounded(2))
                    node = pick(node);
                if (!node.isValid())
                    continue;
                e->interfaceView()->setCurrentIndex(node);
                if (random.bounded(2))
                    QTest::keyClick(e->interfaceView(), Qt::Key_Delete);
                else
                    e->slot_deleteVariable();
            } else if (op < 90) {
                e->interfaceView()->setCurrentIndex(pick(tree->rootIndex()));
                if (e->tableModel()->rowCount() == 0)
                    continue;
                e->tableView()->setCurrentIndex(
                    e->tableModel()->index(int(random.bounded(e->tableModel()->rowCount())), 0));
                QTest::keyClick(e->tableView(), Qt::Key_Delete);
            } else if (op < 96) {
                e->interfaceView()->setCurrentIndex(pick(tree->rootIndex()));
                e->slot_deleteInterface();
            } else if (op < 98) {
                e->importInterfaces(e->interfaceData());
            } else {
                e->slot_defaults();
            }
            QVERIFY2(counterHolds(*e), qPrintable(QStringLiteral("after step %1").arg(step)));
        }
        // What the editor writes reads back as it is.
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QVERIFY(read.complete());
        QCOMPARE(OpcUaInterfaceCodec::recordCount(read.interfaces), e->elementCount());
    }

    // The node panel offers the access levels and types the address allows and writes back,
    // when a field is left after typing or an entry is picked, only what changed; the 200 ms
    // timer brings it in step with the table's current row.
    void nodePanel()
    {
        OpcUaVarRecord word = var("MW4", OpcUaDataType::Int16, OpcUaAddressKind::Word);
        word.description = QString(60, 'd'); // stored longer than the field takes
        word.accessLevel = 2;
        OpcUaVarRecord input = var("I0.2", OpcUaDataType::Bool, OpcUaAddressKind::Bit);
        input.accessLevel = 3; // stored "RW" where only "R" is offered
        auto e = editor(OpcUaInterfaceCodec::encode({{QStringLiteral("Line"), {word, input}}}));
        e->interfaceView()->setCurrentIndex(e->treeModel()->interfaceIndex(0));
        auto* browse = child<QLineEdit>(*e->nodePanel(), "nodeBrowseName");
        auto* address = child<QLineEdit>(*e->nodePanel(), "nodeAddress");
        auto* access = child<QComboBox>(*e->nodePanel(), "nodeAccessLevel");
        auto* type = child<QComboBox>(*e->nodePanel(), "nodeDataType");
        QCOMPARE(address->text(), QStringLiteral("MW4"));
        QCOMPARE(texts(access->model()), (QStringList{"R", "W", "RW"}));
        QCOMPARE(access->currentText(), QStringLiteral("W"));
        QCOMPARE(texts(type->model()), (QStringList{"INT16", "UINT16"}));
        browse->selectAll();
        QTest::keyClicks(browse, QStringLiteral("Valve"));
        QTest::keyClick(browse, Qt::Key_Return);
        type->setCurrentIndex(1);
        emit type->activated(1);
        QCOMPARE(e->tableModel()->index(0, OpcUaVariableTableModel::BrowseName).data().toString(),
                 QStringLiteral("Valve"));
        QCOMPARE(e->tableModel()->index(0, OpcUaVariableTableModel::DataType).data().toString(),
                 QStringLiteral("UINT16"));

        {
            const QSignalBlocker quiet(e->tableView()->selectionModel());
            e->tableView()->setCurrentIndex(e->tableModel()->index(1, 0));
        }
        QCOMPARE(address->text(), QStringLiteral("MW4"));
        QTRY_COMPARE_WITH_TIMEOUT(address->text(), QStringLiteral("I0.2"),
                                  OpcUaParWdgt::SyncIntervalMs * 3);
        QCOMPARE(texts(access->model()), QStringList{"R"});
        const auto records =
            OpcUaInterfaceCodec::decode(e->interfaceData()).interfaces.at(0).records;
        QCOMPARE(records.at(0).browseName, QStringLiteral("Valve"));
        QCOMPARE(records.at(0).dataType, quint32(OpcUaDataType::UInt16));
        QCOMPARE(records.at(0).description, QString(60, 'd'));
        QCOMPARE(records.at(1).accessLevel, 3u); // never picked
    }

    // Loads: records without a place are left out, counted and logged; more than 50 000
    // variables leave the root with a note; the counter is what was loaded; a plain OK
    // keeps the stored bytes, an edit writes the editor's. Importing and Defaults set the
    // counter to the records shown too.
    void loads_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("note"); // a part of it
        QTest::addColumn<QString>("log");

        OpcUaVarRecord element = var("DB5.DBW0", OpcUaDataType::Int16, OpcUaAddressKind::Word);
        element.dbNumber = 5;
        OpcUaVarRecord block = var("DB5", OpcUaDataType::Object, OpcUaAddressKind::DataBlockObject);
        block.dbNumber = 5;
        block.elements = {element};
        const QByteArray bytes = OpcUaInterfaceCodec::encode(
            {{"Line", {var("I0.0", OpcUaDataType::Bool, OpcUaAddressKind::Bit), block}}});
        QTest::newRow("complete") << bytes << 3 << QString() << QString();
        // The interface block is 3 + 14 bytes; records start after the 2 + 8 bytes behind it.
        const int records = 3 + 14 + 2 + 8;
        QByteArray noInterface = bytes;
        noInterface[records + 1] = 9; // the first variable names interface 9
        QTest::newRow("an interface id that names nothing")
            << noInterface << 2 << "1 variables name no interface"
            << "left out: 1 variables name no interface, 0 no data-block object";
        QByteArray noParent = bytes;
        const int third = records + (22 + 5 + 3) + (22 + 4 + 3); // after I0.0 and DB5
        noParent[third + 5] = 9; // the low byte of DB5.DBW0's parent node id
        QTest::newRow("a parent node id that names nothing")
            << noParent << 2 << "1 variables name no data-block object"
            << "left out: 0 variables name no interface, 1 no data-block object";
        QTest::newRow("50001 variables")
            << QByteArray::fromHex("0003 00 0000 00000008 0000C351 0000") << 0
            << "publishes 50001 variables, more than 50000"
            << "50001 variables stored";
    }

    void loads()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, records);
        QFETCH(QString, note);
        QFETCH(QString, log);
        if (!log.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QRegularExpression::escape(log)));
        auto e = editor(payload);
        QCOMPARE(e->elementCount(), records);
        QVERIFY(counterHolds(*e));
        QVERIFY(e->note().contains(note));
        QCOMPARE(child<QLabel>(*e, "interfaceNote")->isVisible(), !note.isEmpty());
        QCOMPARE(e->interfaceData(), payload); // unchanged: the stored bytes
        addInterface(*e, QStringLiteral("New"));
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QVERIFY(read.complete());
        QCOMPARE(OpcUaInterfaceCodec::recordCount(read.interfaces), records);
        QCOMPARE(read.interfaces.back().name, QStringLiteral("New"));

        e->importInterfaces(QByteArray()); // changes nothing
        QCOMPARE(e->interfaceData(), OpcUaInterfaceCodec::encode(read.interfaces));
        e->importInterfaces(payloadOf(3, 2));
        QCOMPARE(e->elementCount(), 3);
        QCOMPARE(e->interfaceData(), payloadOf(3, 2)); // as imported, until changed
        child<QPushButton>(*e, "hintDefaults")->click();
        QCOMPARE(e->elementCount(), 0);
        QCOMPARE(e->interfaceData(), OpcUaInterfaceCodec::encode({}));
    }

    // End to end: the editor is built when first shown; an interface, a drop and an edit in
    // the panel, OK, and the saved block carries them.
    void editInTheSavedBlock()
    {
        clearUsedMemory(m_project);
        auto cpu = CpuObjectFactory::create(0x21, m_project);
        QVERIFY(cpu);
        DialogTesting::OpenDialog open(cpu.get(), m_project);
        QVERIFY(open.showActive());
        auto* page = qobject_cast<OpcUaPage*>(open->page(PageId::OpcUa));
        QVERIFY(page);
        auto* e = qobject_cast<OpcUaParWdgt*>(page->interfaceTab());
        QVERIFY(e);
        QVERIFY(!e->sourceModel()->rowCount(e->sourceModel()->index(0, 0)));
        open->pageStack()->setCurrentWidget(page);
        page->findChild<QTabWidget*>()->setCurrentWidget(e);
        QApplication::processEvents();
        QVERIFY(e->sourceModel()->rowCount(e->sourceModel()->index(0, 0)) > 0);
        addInterface(*e, QStringLiteral("Line"));
        std::unique_ptr<QMimeData> data(dragFromSource(*e, {"Q0.0"}));
        QVERIFY(dropAt(e->tableView(), below(e->tableView()), data.get()));
        QTemporaryDir dir; // an export before OK writes the interfaces as edited
        const QString file = dir.filePath(QStringLiteral("x.opuca"));
        FileDialogs::setInterceptor([&](FileDialogs::Kind, const QString&, const QString&,
                                        const QString&) { return file; });
        page->exportOpcUaConfig();
        QFile exported(file);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const OpcUaInterfaces inFile =
            OpcUaInterfaceCodec::decode(OpcUaFile::read(exported, nullptr)->interfaces).interfaces;
        QCOMPARE(inFile.size(), size_t(1));
        QCOMPARE(inFile.at(0).records.size(), size_t(1));
        auto* display = child<QLineEdit>(*e->nodePanel(), "nodeDisplayName");
        display->selectAll();
        QTest::keyClicks(display, QStringLiteral("Belt motor")); // OK commits what is typed
        QVERIFY(open.ok());

        const auto restored = ParamBlock::restore(ParamBlock::save(*cpu), m_project, false);
        QVERIFY(restored);
        const auto read = OpcUaInterfaceCodec::decode(restored->opcUaInterfaceData);
        QVERIFY(read.complete());
        QCOMPARE(read.interfaces.at(0).name, QStringLiteral("Line"));
        const OpcUaVarRecord& got = read.interfaces.at(0).records.at(0);
        QCOMPARE((QStringList{got.address, got.displayName, got.description}),
                 (QStringList{"Q0.0", "Belt motor", "Conveyor motor"}));
        QCOMPARE(got.accessLevel, 3u);
    }
};

QTEST_MAIN(TestOpcUaEditor)
#include "tst_opcuaeditor.moc"
