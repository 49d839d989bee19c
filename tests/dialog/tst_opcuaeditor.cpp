#include "hostfixture.h"

#include <block/paramblock.h>
#include <corekit/memory.h>
#include <dialog/corvopropdlg.h>
#include <dialog/filedialogs.h>
#include <dialog/messages.h>
#include <model/cpuobjectfactory.h>
#include <opcua/opcuadragdata.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/ui/folderdlg.h>
#include <opcua/ui/opcuainterfacetreemodel.h>
#include <opcua/ui/opcuanodepanel.h>
#include <opcua/ui/opcuapage.h>
#include <opcua/ui/opcuaparwdgt.h>
#include <opcua/ui/opcuasourcemodel.h>
#include <opcua/ui/opcuavariabletablemodel.h>
#include <symbolkit/prjsymboloperator.h>

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Kind = OpcUaInterfaceTreeModel::NodeKind;

const QString kRootHint = QStringLiteral("Please right-click the Server Interface to\nadd an "
                                         "interface.");
const QString kEmptyHint = QStringLiteral("Please drag elements into the interface.");
const QString kTooMany = QStringLiteral("The number of elements added cannot exceed 50000.");

QJsonObject symbol(const char* name, const char* address, const char* comment = "")
{
    return {{"name", name}, {"address", address}, {"dataType", "INT"}, {"comment", comment}};
}

// Symbols of every address kind (and timers and counters the editor leaves out), a table
// of a type the editor does not list, and a data block of three elements.
QJsonObject project()
{
    const QJsonArray global{symbol("StartButton", "I0.0", "Start the line"),
                            symbol("Motor", "Q0.0", "Conveyor motor"),
                            symbol("Speed", "MW10"),
                            symbol("Pressure", "AIW4", "Inlet pressure"),
                            symbol("Status", "SMB28"),
                            symbol("Total", "VD100"),
                            symbol("Cycle", "T37"),
                            symbol("Pieces", "C5"),
                            symbol("Fast", "HC0"),
                            symbol("Analog", "AC1")};
    const QJsonArray rows{
        QJsonArray{"+0.0", "", "", "Level", "INT", "", "", "Fill level"},
        QJsonArray{"+8.0", "", "", "Total", "DINT", "", "", "Litres so far"},
        QJsonArray{"+12.0", "", "", "Full", "BOOL", "", "", "Tank full"},
        QJsonArray{"", "", "", "", "END_STRUCT", "", "", ""},
    };
    return {{"name", "Editor test"},
            {"plcType", "KLV2-R70"},
            {"plcVersion", "02.01"},
            {"hwFileCreatedVersion", 2100},
            {"dataBlocks", QJsonArray{QJsonObject{{"name", "DB5"},
                                                  {"symbol", "Mixer"},
                                                  {"comment", "Mixing tank"},
                                                  {"retentive", false},
                                                  {"instance", false},
                                                  {"rows", rows}}}},
            {"symbolTables",
             QJsonArray{QJsonObject{{"name", "Global"}, {"type", 0}, {"symbols", global}},
                        QJsonObject{{"name", "System"},
                                    {"type", 3},
                                    {"symbols", QJsonArray{symbol("Hidden", "VW0")}}},
                        QJsonObject{{"name", "Blocks"},
                                    {"type", 5},
                                    {"symbols", QJsonArray{symbol("Mixer", "DB5")}}}}}};
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

QMimeData* dragOf(const OpcUaDragItems& items)
{
    return OpcUaDragData::mimeData(items);
}

OpcUaDragItem plain(const QString& address)
{
    OpcUaDragItem item;
    item.address = address;
    item.browseName = address;
    return item;
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

} // namespace

// The server interface editor driven through its widgets: the tree and its menus, the
// interface dialog, drops on the tree and the table, the node panel, the source tree with
// its filter, the element limit and counter, loads that cannot place everything, and the
// payload on OK.
class TestOpcUaEditor : public QObject
{
    Q_OBJECT

    struct Message
    {
        QString title;
        QString text;
    };

    std::unique_ptr<HostFixture> m_host;
    QString m_project;
    QList<Message> m_messages;

    std::unique_ptr<OpcUaParWdgt> editor(const QByteArray& payload = QByteArray())
    {
        auto e = std::make_unique<OpcUaParWdgt>(payload, m_project);
        e->resize(900, 560);
        e->show();
        if (!QTest::qWaitForWindowExposed(e.get()))
            qWarning("editor not exposed");
        return e;
    }

    static QModelIndex sourceItem(OpcUaParWdgt& e, const QString& address)
    {
        // Data blocks first: DB5 is the block, not its symbol.
        OpcUaSourceModel* m = e.sourceModel();
        for (int top = OpcUaSourceModel::TopRows - 1; top >= 0; --top) {
            const QModelIndex parent = m->index(top, 0);
            for (int r = 0; r < m->rowCount(parent); ++r) {
                const QModelIndex item = m->index(r, 0, parent);
                if (m->item(item)->address == address)
                    return item;
                for (int c = 0; c < m->rowCount(item); ++c) {
                    if (m->item(m->index(c, 0, item))->address == address)
                        return m->index(c, 0, item);
                }
            }
        }
        return {};
    }

    // The source items of these addresses, dragged together.
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

    // Adds an interface through the root's menu and the name dialog.
    static void addInterface(OpcUaParWdgt& e, const QString& name)
    {
        e.interfaceView()->setCurrentIndex(e.treeModel()->rootIndex());
        answerFolderDlg(name, nullptr);
        e.slot_addInterface();
    }

    // Types `name` into the next name dialog and presses OK, then Cancel if it is still
    // open; `title` gets its title.
    static void answerFolderDlg(const QString& name, QString* title)
    {
        QTimer::singleShot(0, [name, title] {
            auto* dialog = qobject_cast<FolderDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (title)
                *title = dialog->windowTitle() + QLatin1Char(' ') +
                         QString::number(dialog->width()) + QLatin1Char('x') +
                         QString::number(dialog->height());
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("displayName"));
            field->clear();
            QTest::keyClicks(field, name);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("folderOk")),
                              Qt::LeftButton);
            if (dialog->isVisible())
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("folderCancel")),
                                  Qt::LeftButton);
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
            m_messages.append({t, s});
        });
    }

    void cleanup()
    {
        Messages::setInterceptor({});
        FileDialogs::setInterceptor({});
        m_host.reset();
    }

    // A new editor: the root only, its hint, an empty payload; the symbol service is taken
    // for the editor's life.
    void newEditor()
    {
        const int before = PrjSymbolOperator::liveInstances();
        {
            auto e = editor();
            QCOMPARE(PrjSymbolOperator::liveInstances(), before + 1);
            QCOMPARE(e->treeModel()->rowCount(e->treeModel()->rootIndex()), 0);
            QCOMPARE(e->treeModel()->rootIndex().data().toString(),
                     QStringLiteral("Server Interface"));
            QCOMPARE(e->infoStack()->currentWidget()->findChild<QLabel*>()->text(), kRootHint);
            QCOMPARE(e->elementCount(), 0);
            QVERIFY(e->note().isEmpty());
            QVERIFY(e->interfaceData().isEmpty()); // nothing given, nothing changed
            e->slot_defaults();
            QCOMPARE(e->interfaceData().toHex(' '),
                     QByteArray("00 03 00 00 00 00 00 00 08 00 00 00 00 00 00"));
        }
        QCOMPARE(PrjSymbolOperator::liveInstances(), before);
    }

    // The source tree: symbols of the listed table types without timers and counters, the
    // data block with its elements, the top items' tooltips.
    void sourceTree()
    {
        auto e = editor();
        OpcUaSourceModel* m = e->sourceModel();
        const QModelIndex variables = m->index(OpcUaSourceModel::VariableRow, 0);
        const QModelIndex blocks = m->index(OpcUaSourceModel::ProgramBlockRow, 0);
        QCOMPARE(variables.data().toString(), QStringLiteral("Variable"));
        QCOMPARE(blocks.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Please drag the program block or the elements of the program "
                                "block into the interface"));
        QStringList addresses;
        for (int r = 0; r < m->rowCount(variables); ++r)
            addresses << m->item(m->index(r, 0, variables))->address;
        QCOMPARE(addresses, (QStringList{"I0.0", "Q0.0", "MW10", "AIW4", "SMB28", "VD100", "DB5"}));
        QCOMPARE(m->rowCount(blocks), 1);
        const QModelIndex mixer = m->index(0, 0, blocks);
        QCOMPARE(mixer.data().toString(), QStringLiteral("DB5 (Mixer)"));
        QCOMPARE(m->rowCount(mixer), 3);
        const OpcUaDragItem* total = m->item(m->index(1, 0, mixer));
        QCOMPARE(total->address, QStringLiteral("DB5.DBD8"));
        QCOMPARE(total->displayName, QStringLiteral("Mixer.Total"));
        QCOMPARE(total->description, QStringLiteral("Litres so far"));
        QCOMPARE(total->tag, 8);
        QVERIFY(!(m->flags(variables) & Qt::ItemIsDragEnabled));
        QVERIFY(!m->mimeData({variables, m->index(0, 0, variables)}));

        // A click on it shows its hint; Update Element reads the project again.
        QTest::mouseClick(e->sourceView()->viewport(), Qt::LeftButton, {},
                          centre(e->sourceView(), mixer));
        QVERIFY(e->infoStack()->currentWidget()->findChild<QLabel*>()->text().startsWith(
            QStringLiteral("Please drag variables,program blocks")));
        QJsonObject changed = project();
        changed.remove(QStringLiteral("dataBlocks"));
        m_host->writeProject(QStringLiteral("p.json"), changed);
        e->findChild<QMenu*>(QStringLiteral("sourceMenu"))
            ->findChild<QAction*>(QStringLiteral("updateElement"))
            ->trigger();
        QCOMPARE(m->rowCount(m->index(OpcUaSourceModel::ProgramBlockRow, 0)), 0);
    }

    // The filter narrows the source tree by address, name or comment, in any case; a block
    // shown for its own text shows all its elements.
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
        QTest::keyClicks(e->findChild<QLineEdit*>(QStringLiteral("sourceFilter")), text);
        OpcUaSourceModel* m = e->sourceModel();
        QStringList got;
        for (int top = 0; top < OpcUaSourceModel::TopRows; ++top) {
            const QModelIndex parent = m->index(top, 0);
            for (int r = 0; r < m->rowCount(parent); ++r) {
                const QModelIndex item = m->index(r, 0, parent);
                got << m->item(item)->address;
                for (int c = 0; c < m->rowCount(item); ++c)
                    got << m->item(m->index(c, 0, item))->address;
            }
        }
        QCOMPARE(got, shown);
    }

    // Several source items drag together, in tree order; a block carries all its elements
    // even when the filter shows only some.
    void multiSelection()
    {
        auto e = editor();
        // "o": the block shows only its element "Total".
        e->findChild<QLineEdit*>(QStringLiteral("sourceFilter"))->setText(QStringLiteral("o"));
        QCOMPARE(e->sourceModel()->rowCount(sourceItem(*e, QStringLiteral("DB5"))), 1);
        QItemSelectionModel* selection = e->sourceView()->selectionModel();
        for (const char* a : {"DB5", "VD100", "I0.0"})
            selection->select(sourceItem(*e, QLatin1String(a)), QItemSelectionModel::Select);
        std::unique_ptr<QMimeData> data(e->sourceModel()->mimeData(selection->selectedIndexes()));
        const auto items = OpcUaDragData::items(data.get());
        QVERIFY(items);
        QCOMPARE(int(items->size()), 3);
        QCOMPARE(items->at(0).address, QStringLiteral("I0.0"));
        QCOMPARE(items->at(1).address, QStringLiteral("VD100"));
        QCOMPARE(items->at(2).address, QStringLiteral("DB5"));
        QCOMPARE(int(items->at(2).elements.size()), 3);

        addInterface(*e, QStringLiteral("Line"));
        QVERIFY(dropAt(e->interfaceView(),
                       centre(e->interfaceView(), e->treeModel()->interfaceIndex(0)), data.get()));
        QCOMPARE(e->elementCount(), 6);
    }

    // The tree's menu: what each item enables.
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
        QCOMPARE(enabledActions(e->findChild<QMenu*>(QStringLiteral("interfaceMenu"))), enabled);
        // The table's menu: only Delete Variable, on a row of a shown item.
        emit e->tableView()->customContextMenuRequested(QPoint(5, 5));
        QCOMPARE(enabledActions(e->findChild<QMenu*>(QStringLiteral("tableMenu"))),
                 item == 0 ? QStringList() : QStringList{"deleteVariable"});
        emit e->sourceView()->customContextMenuRequested(QPoint(5, 5));
        QCOMPARE(enabledActions(e->findChild<QMenu*>(QStringLiteral("sourceMenu"))),
                 QStringList{"updateElement"});
    }

    // The name dialog refuses empty and blank-led names and stays open; a good name makes a
    // new, current, empty interface; a rename keeps the rest.
    void nameDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Display name can't be empty.";
        QTest::newRow("blank-led") << " Line"
                                   << "Display name cannot start with a blank.";
        QTest::newRow("good") << "Line 1"
                              << "";
        QTest::newRow("32 characters at most") << QString(40, 'x') << "";
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
        QCOMPARE(title, QStringLiteral("Server Interface 250x180"));
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        if (!message.isEmpty()) {
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages.first().title, QStringLiteral("Warning"));
            QCOMPARE(m_messages.first().text, message);
            QCOMPARE(tree->interfaceCount(), 0);
            QVERIFY(!e->isChanged());
            return;
        }
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(tree->interfaceCount(), 1);
        QCOMPARE(tree->interfaceIndex(0).data().toString(), name.left(32));
        QCOMPARE(e->interfaceView()->currentIndex(), tree->interfaceIndex(0));
        QCOMPARE(e->infoStack()->currentWidget()->findChild<QLabel*>()->text(), kEmptyHint);

        answerFolderDlg(QStringLiteral("Renamed"), &title);
        e->slot_changeInterfaceName();
        QCOMPARE(title, QStringLiteral("Change Name 250x180"));
        QCOMPARE(tree->interfaceIndex(0).data().toString(), QStringLiteral("Renamed"));
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QCOMPARE(read.interfaces.at(0).name, QStringLiteral("Renamed"));
    }

    // Drops from the source tree: the node's type, the access levels and types the panel
    // offers, the data block; the panel changes a type.
    void drops_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("access");
        QTest::addColumn<QString>("selectedAccess");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<int>("db");
        const QStringList all{"R", "W", "RW"};
        QTest::newRow("I0.0") << "I0.0"
                              << "BOOL" << QStringList{"R"} << "R" << QStringList{"BOOL"} << 0;
        QTest::newRow("Q0.0") << "Q0.0"
                              << "BOOL" << all << "RW" << QStringList{"BOOL"} << 0;
        QTest::newRow("MW10") << "MW10"
                              << "INT16" << all << "RW" << QStringList{"INT16", "UINT16"} << 0;
        QTest::newRow("AIW4") << "AIW4"
                              << "INT16" << QStringList{"R"} << "R"
                              << QStringList{"INT16", "UINT16"} << 0;
        QTest::newRow("SMB28") << "SMB28"
                               << "SBYTE" << QStringList{"R"} << "R"
                               << QStringList{"SBYTE", "BYTE/CHAR", "STRING"} << 0;
        QTest::newRow("DB5.DBD8") << "DB5.DBD8"
                                  << "INT32" << all << "RW"
                                  << QStringList{"INT32", "UINT32", "FLOAT"} << 5;
    }

    void drops()
    {
        QFETCH(QString, address);
        QFETCH(QString, type);
        QFETCH(QStringList, access);
        QFETCH(QString, selectedAccess);
        QFETCH(QStringList, types);
        QFETCH(int, db);
        auto e = editor();
        addInterface(*e, QStringLiteral("Line"));
        std::unique_ptr<QMimeData> data(dragFromSource(*e, {address}));
        QVERIFY(dropAt(e->interfaceView(),
                       centre(e->interfaceView(), e->treeModel()->interfaceIndex(0)), data.get()));
        const QModelIndex node = e->treeModel()->index(0, 0, e->treeModel()->interfaceIndex(0));
        QCOMPARE(node.data().toString(), address);
        QCOMPARE(e->treeModel()->record(node)->dbNumber, quint16(db));
        QCOMPARE(e->tableModel()->index(0, OpcUaVariableTableModel::DataType).data().toString(),
                 type);
        auto* accessBox = e->nodePanel()->findChild<QComboBox*>(QStringLiteral("nodeAccessLevel"));
        auto* typeBox = e->nodePanel()->findChild<QComboBox*>(QStringLiteral("nodeDataType"));
        QStringList offered;
        for (int i = 0; i < accessBox->count(); ++i)
            offered << accessBox->itemText(i);
        QCOMPARE(offered, access);
        QCOMPARE(accessBox->currentText(), selectedAccess);
        offered.clear();
        for (int i = 0; i < typeBox->count(); ++i)
            offered << typeBox->itemText(i);
        QCOMPARE(offered, types);

        // The last type offered, picked in the panel, lands in the record and the table.
        typeBox->setCurrentIndex(typeBox->count() - 1);
        emit typeBox->activated(typeBox->count() - 1);
        QCOMPARE(e->tableModel()->index(0, OpcUaVariableTableModel::DataType).data().toString(),
                 types.last());
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QCOMPARE(OpcUaTypes::dataTypeName(read.interfaces.at(0).records.at(0).dataType),
                 types.last());
        QCOMPARE(read.interfaces.at(0).records.at(0).address, address);
    }

    // Where drops land: onto an interface only (tree), rows of the table shown for an
    // interface, and the data block with its elements.
    void dropTargets()
    {
        auto e = editor();
        addInterface(*e, QStringLiteral("Line"));
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        const QModelIndex line = tree->interfaceIndex(0);
        std::unique_ptr<QMimeData> three(dragFromSource(*e, {"I0.0", "Q0.0", "MW10"}));
        QTreeView* view = e->interfaceView();
        QVERIFY(!dropAt(view, centre(view, tree->rootIndex()), three.get()));
        QVERIFY(!dropAt(view, QPoint(5, view->viewport()->height() - 5), three.get()));
        QVERIFY(dropAt(view, centre(view, line), three.get()));
        QCOMPARE(tree->rowCount(line), 3);
        view->expand(line);
        QVERIFY(!dropAt(view, centre(view, tree->index(1, 0, line)), three.get()));
        QCOMPARE(tree->rowCount(line), 3);

        // The table: onto row 1 inserts there, below the rows appends.
        std::unique_ptr<QMimeData> one(dragFromSource(*e, {"VD100"}));
        view->setCurrentIndex(line);
        QTableView* table = e->tableView();
        QVERIFY(dropAt(table, centre(table, e->tableModel()->index(1, 0)), one.get()));
        QCOMPARE(tree->index(1, 0, line).data().toString(), QStringLiteral("VD100"));
        QCOMPARE(table->currentIndex().row(), 1); // the table and the panel follow
        QCOMPARE(e->nodePanel()->findChild<QLineEdit*>(QStringLiteral("nodeAddress"))->text(),
                 QStringLiteral("VD100"));
        QVERIFY(dropAt(table, QPoint(5, table->viewport()->height() - 5), one.get()));
        QCOMPARE(tree->index(4, 0, line).data().toString(), QStringLiteral("VD100"));

        // A data block of three elements adds four records.
        std::unique_ptr<QMimeData> block(dragFromSource(*e, {"DB5"}));
        QVERIFY(dropAt(table, QPoint(5, table->viewport()->height() - 5), block.get()));
        QCOMPARE(e->elementCount(), 5 + 4);
        const QModelIndex mixer = tree->index(5, 0, line);
        QCOMPARE(tree->rowCount(mixer), 3);
        QCOMPARE(tree->record(mixer)->dataType, 255u);
        QCOMPARE(tree->record(mixer)->dbNumber, quint16(5));

        // A data block shows its elements and takes no drops; nor does the root.
        view->setCurrentIndex(mixer);
        QCOMPARE(e->tableModel()->rowCount(), 3);
        QVERIFY(!dropAt(table, centre(table, e->tableModel()->index(0, 0)), one.get()));
        view->setCurrentIndex(tree->rootIndex());
        QVERIFY(!dropAt(table, QPoint(5, 5), one.get()));
        QCOMPARE(e->elementCount(), 9);
        QVERIFY(counterHolds(*e));
    }

    // The limit of 50 000 records: a drop that would pass it adds nothing and says so.
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
        const bool accepted =
            dropAt(e->interfaceView(), centre(e->interfaceView(), first), data.get());
        QCOMPARE(accepted, taken);
        QCOMPARE(e->elementCount(), taken ? 50000 : present);
        QCOMPARE(e->treeModel()->rowCount(first), taken ? present + int(dropped.size()) : present);
        QCOMPARE(m_messages.size(), taken ? 0 : 1);
        if (!taken) {
            QCOMPARE(m_messages.first().title, QStringLiteral("Warning"));
            QCOMPARE(m_messages.first().text, kTooMany);
            QVERIFY(!e->isChanged());
        }
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
                const QModelIndex target = pick(tree->rootIndex());
                e->interfaceView()->setCurrentIndex(target);
                const int rows = e->tableModel()->rowCount();
                const QPoint at = rows && random.bounded(2)
                                      ? centre(e->tableView(),
                                               e->tableModel()->index(int(random.bounded(rows)), 0))
                                      : QPoint(5, e->tableView()->viewport()->height() - 5);
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
                const QModelIndex shown = pick(tree->rootIndex());
                e->interfaceView()->setCurrentIndex(shown);
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

    // Deleting: a table row (an element lowers the counter by one, a block by its records),
    // a tree node, and the Delete key; the table is rebuilt once it would have one row.
    void deleting()
    {
        auto e = editor();
        addInterface(*e, QStringLiteral("Line"));
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        const QModelIndex line = tree->interfaceIndex(0);
        std::unique_ptr<QMimeData> data(dragFromSource(*e, {"I0.0", "DB5", "MW10"}));
        QVERIFY(tree->dropVariables(data.get(), line, -1)); // in tree order: I0.0, MW10, DB5
        QCOMPARE(e->elementCount(), 6);

        e->interfaceView()->setCurrentIndex(tree->index(2, 0, line)); // the block
        QCOMPARE(e->tableModel()->rowCount(), 3);
        e->tableView()->setCurrentIndex(e->tableModel()->index(2, 0));
        QTest::keyClick(e->tableView(), Qt::Key_Delete);
        QCOMPARE(e->elementCount(), 5);
        QCOMPARE(e->tableModel()->rowCount(), 2);
        e->tableView()->setCurrentIndex(e->tableModel()->index(0, 0));
        e->slot_deleteVariable();
        QCOMPARE(e->elementCount(), 4);
        // One element left: the table shows the block's rows afresh, the panel its first.
        QCOMPARE(e->tableModel()->rowCount(), 1);
        QCOMPARE(e->nodePanel()->findChild<QLineEdit*>(QStringLiteral("nodeAddress"))->text(),
                 QStringLiteral("DB5.DBD8"));

        e->interfaceView()->setCurrentIndex(line);
        e->tableView()->setCurrentIndex(e->tableModel()->index(2, 0)); // the block, 2 records
        e->slot_deleteVariable();
        QCOMPARE(e->elementCount(), 2);
        // The Delete key on the tree: a variable goes, an interface stays.
        e->interfaceView()->setCurrentIndex(tree->index(0, 0, line));
        QTest::keyClick(e->interfaceView(), Qt::Key_Delete);
        QCOMPARE(e->elementCount(), 1);
        e->interfaceView()->setCurrentIndex(line);
        QTest::keyClick(e->interfaceView(), Qt::Key_Delete);
        QCOMPARE(tree->interfaceCount(), 1);
        e->slot_deleteInterface();
        QCOMPARE(tree->interfaceCount(), 0);
        QCOMPARE(e->elementCount(), 0);
        QCOMPARE(e->interfaceView()->currentIndex(), tree->rootIndex());
        QCOMPARE(e->infoStack()->currentWidget()->findChild<QLabel*>()->text(), kRootHint);
    }

    // The node panel: texts written back when left after typing, only what changed; the
    // 200 ms timer brings it in step with the table's current row.
    void nodePanel()
    {
        OpcUaVarRecord longText =
            var(QStringLiteral("Q0.1"), OpcUaDataType::Bool, OpcUaAddressKind::Bit);
        longText.description = QString(60, 'd'); // stored longer than the field takes
        longText.accessLevel = 2;
        OpcUaVarRecord input =
            var(QStringLiteral("I0.2"), OpcUaDataType::Bool, OpcUaAddressKind::Bit);
        input.accessLevel = 3; // stored "RW" where only "R" is offered
        const QByteArray payload =
            OpcUaInterfaceCodec::encode({{QStringLiteral("Line"), {longText, input}}});
        auto e = editor(payload);
        OpcUaInterfaceTreeModel* tree = e->treeModel();
        e->interfaceView()->setCurrentIndex(tree->interfaceIndex(0));
        auto* browse = e->nodePanel()->findChild<QLineEdit*>(QStringLiteral("nodeBrowseName"));
        auto* address = e->nodePanel()->findChild<QLineEdit*>(QStringLiteral("nodeAddress"));
        QCOMPARE(address->text(), QStringLiteral("Q0.1"));
        QCOMPARE(
            e->nodePanel()->findChild<QComboBox*>(QStringLiteral("nodeAccessLevel"))->currentText(),
            QStringLiteral("W"));
        browse->selectAll();
        QTest::keyClicks(browse, QStringLiteral("Valve"));
        QTest::keyClick(browse, Qt::Key_Return); // leaves the field: written back
        const QModelIndex first = tree->index(0, 0, tree->interfaceIndex(0));
        QCOMPARE(tree->record(first)->browseName, QStringLiteral("Valve"));
        QCOMPARE(tree->record(first)->description, QString(60, 'd'));
        QCOMPARE(e->tableModel()->index(0, OpcUaVariableTableModel::BrowseName).data().toString(),
                 QStringLiteral("Valve"));

        // The timer: the current row moves without a signal; the panel follows.
        {
            const QSignalBlocker quiet(e->tableView()->selectionModel());
            e->tableView()->setCurrentIndex(e->tableModel()->index(1, 0));
        }
        QCOMPARE(address->text(), QStringLiteral("Q0.1"));
        QTRY_COMPARE_WITH_TIMEOUT(address->text(), QStringLiteral("I0.2"),
                                  OpcUaParWdgt::SyncIntervalMs * 3);
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QCOMPARE(read.interfaces.at(0).records.at(1).accessLevel, 3u); // never picked
        QCOMPARE(read.interfaces.at(0).records.at(0).description, QString(60, 'd'));
    }

    // Loads: records without a place are left out, counted and logged; more than 50 000
    // variables leave the root with a note; the counter is what was loaded; a plain OK
    // keeps the stored bytes, an edit writes the editor's.
    void loads_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("note"); // a part of it
        QTest::addColumn<QString>("log");

        OpcUaVarRecord element =
            var(QStringLiteral("DB5.DBW0"), OpcUaDataType::Int16, OpcUaAddressKind::Word);
        element.dbNumber = 5;
        OpcUaVarRecord block =
            var(QStringLiteral("DB5"), OpcUaDataType::Object, OpcUaAddressKind::DataBlockObject);
        block.dbNumber = 5;
        block.elements = {element};
        const OpcUaInterfaces good{
            {QStringLiteral("Line"),
             {var(QStringLiteral("I0.0"), OpcUaDataType::Bool, OpcUaAddressKind::Bit), block}}};
        const QByteArray bytes = OpcUaInterfaceCodec::encode(good);
        QTest::newRow("complete") << bytes << 3 << ""
                                  << "";
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
        QCOMPARE(e->findChild<QLabel*>(QStringLiteral("interfaceNote"))->isVisible(),
                 !note.isEmpty());
        QCOMPARE(e->interfaceData(), payload); // unchanged: the stored bytes
        addInterface(*e, QStringLiteral("New"));
        const auto read = OpcUaInterfaceCodec::decode(e->interfaceData());
        QVERIFY(read.complete());
        QCOMPARE(OpcUaInterfaceCodec::recordCount(read.interfaces), records);
        QCOMPARE(read.interfaces.back().name, QStringLiteral("New"));
    }

    // Loading, importing and Defaults set the counter to the records shown.
    void counterAfterLoads()
    {
        auto e = editor(payloadOf(40000));
        QCOMPARE(e->elementCount(), 40000);
        e->importInterfaces(payloadOf(30000, 2));
        QCOMPARE(e->elementCount(), 30000);
        QCOMPARE(e->treeModel()->interfaceCount(), 2);
        e->importInterfaces(QByteArray()); // changes nothing
        QCOMPARE(e->elementCount(), 30000);
        // The imported payload is what OK writes, until the interfaces change.
        QCOMPARE(e->interfaceData(), payloadOf(30000, 2));
        e->findChild<QPushButton*>(QStringLiteral("hintDefaults"))->click();
        QCOMPARE(e->elementCount(), 0);
        QCOMPARE(e->interfaceData(), OpcUaInterfaceCodec::encode({}));
    }

    // A data block of number 300 keeps it through the payload.
    void wideBlockNumber()
    {
        auto e = editor();
        addInterface(*e, QStringLiteral("Line"));
        OpcUaDragItem block = plain(QStringLiteral("DB300"));
        block.isObject = true;
        block.elements = {plain(QStringLiteral("DB300.DBW2"))};
        std::unique_ptr<QMimeData> data(dragOf({plain(QStringLiteral("DB300.DBX1.1")), block}));
        QVERIFY(e->treeModel()->dropVariables(data.get(), e->treeModel()->interfaceIndex(0), -1));
        const QByteArray written = e->interfaceData();
        auto reread = editor(written);
        const QModelIndex line = reread->treeModel()->interfaceIndex(0);
        const QModelIndex object = reread->treeModel()->index(1, 0, line);
        QCOMPARE(reread->treeModel()->index(0, 0, line).data().toString(),
                 QStringLiteral("DB300.DBX1.1"));
        QCOMPARE(object.data().toString(), QStringLiteral("DB300"));
        QCOMPARE(reread->treeModel()->record(object)->dbNumber, quint16(300));
        QCOMPARE(reread->treeModel()->index(0, 0, object).data().toString(),
                 QStringLiteral("DB300.DBW2"));
    }

    // Export and import through the page: the interfaces come back, and the counter.
    void exportThenImport()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("x.opuca"));
        QStringList answers{file, file};
        FileDialogs::setInterceptor([&](FileDialogs::Kind, const QString&, const QString&,
                                        const QString&) { return answers.takeFirst(); });
        DialogContext context;
        context.projectPath = m_project;
        OpcUaPage from(context);
        CpuObject source;
        source.opcUaInterfaceData = payloadOf(3, 2);
        from.load(source);
        auto* fromEditor = static_cast<OpcUaParWdgt*>(from.interfaceTab());
        fromEditor->ensureLoaded();
        addInterface(*fromEditor, QStringLiteral("Third"));
        from.exportOpcUaConfig();
        OpcUaPage to(context);
        to.load(CpuObject());
        to.importOpcUaConfig();
        QVERIFY(m_messages.isEmpty());
        auto* toEditor = static_cast<OpcUaParWdgt*>(to.interfaceTab());
        toEditor->ensureLoaded();
        QCOMPARE(toEditor->treeModel()->interfaceCount(), 3);
        QCOMPARE(toEditor->treeModel()->interfaceIndex(2).data().toString(),
                 QStringLiteral("Third"));
        QCOMPARE(toEditor->elementCount(), 3);
        CpuObject written;
        to.apply(written);
        QCOMPARE(written.opcUaInterfaceData, fromEditor->interfaceData());
    }

    // End to end: the dialog on a project, an interface, a drop and an edit in the panel;
    // OK, and the saved block carries them.
    void editInTheSavedBlock()
    {
        clearUsedMemory(m_project);
        auto cpu = CpuObjectFactory::create(0x21, m_project);
        QVERIFY(cpu);
        QMainWindow window;
        Corvopropdlg dialog(cpu.get(), m_project, &window, false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* page = qobject_cast<OpcUaPage*>(dialog.page(PageId::OpcUa));
        QVERIFY(page);
        auto* e = qobject_cast<OpcUaParWdgt*>(page->interfaceTab());
        QVERIFY(e);
        QVERIFY(!e->sourceModel()->rowCount(e->sourceModel()->index(0, 0))); // not shown yet
        dialog.pageStack()->setCurrentWidget(page);
        page->findChild<QTabWidget*>()->setCurrentWidget(e);
        QApplication::processEvents();
        QVERIFY(e->sourceModel()->rowCount(e->sourceModel()->index(0, 0)) > 0);
        addInterface(*e, QStringLiteral("Line"));
        std::unique_ptr<QMimeData> data(dragFromSource(*e, {"Q0.0"}));
        QVERIFY(dropAt(e->tableView(), QPoint(5, e->tableView()->viewport()->height() - 5),
                       data.get()));
        auto* display = e->nodePanel()->findChild<QLineEdit*>(QStringLiteral("nodeDisplayName"));
        display->selectAll();
        QTest::keyClicks(display, QStringLiteral("Belt motor")); // OK commits what is typed
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const auto restored = ParamBlock::restore(ParamBlock::save(*cpu), m_project, false);
        QVERIFY(restored);
        const auto read = OpcUaInterfaceCodec::decode(restored->opcUaInterfaceData);
        QVERIFY(read.complete());
        QCOMPARE(read.interfaces.at(0).name, QStringLiteral("Line"));
        const OpcUaVarRecord& motor = read.interfaces.at(0).records.at(0);
        QCOMPARE(motor.address, QStringLiteral("Q0.0"));
        QCOMPARE(motor.displayName, QStringLiteral("Belt motor"));
        QCOMPARE(motor.description, QStringLiteral("Conveyor motor"));
        QCOMPARE(motor.accessLevel, 3u);
    }
};

QTEST_MAIN(TestOpcUaEditor)
#include "tst_opcuaeditor.moc"
