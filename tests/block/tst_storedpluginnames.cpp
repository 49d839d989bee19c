#include "hostfixture.h"

#include <block/paramblock.h>
#include <model/cpuobjectfactory.h>
#include <model/slavepluginname.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QtEndian>
#include <QtTest>

namespace {

struct Bus
{
    quint8 section;
    QString kit;    // the name the good slaves are stored under
    QString victim; // the name of the slave whose stored name a case replaces
};

const Bus kBuses[] = {
    {22, QStringLiteral("ecatslavekit.dll"), QStringLiteral("ecatslavekit")},
    {35, QStringLiteral("qbusslavekit.dll"), QStringLiteral("qbusslavekit")},
    {49, QStringLiteral("eipslavekit.dll"), QStringLiteral("eipslavekit")},
};

// Whether a copy of the marker library under this file name was loaded.
bool markLeft(const QString& fileName)
{
    const QStringList loaded =
        qEnvironmentVariable("CORVO_MARKERKIT_LOADED").split(QLatin1Char(':'));
    return std::any_of(loaded.begin(), loaded.end(),
                       [&](const QString& file) { return QFileInfo(file).fileName() == fileName; });
}

// The block with the stored name `from` in section `id` replaced by `to`, the section's
// length adjusted; the block unchanged when the section does not hold that name.
QByteArray withStoredName(QByteArray block, quint8 id, const QString& from, const QByteArray& to)
{
    const QByteArray needle = char(from.size()) + from.toLocal8Bit();
    for (int at = 1; at + 8 <= block.size();) {
        const quint32 length = qFromBigEndian<quint32>(block.constData() + at);
        if (quint8(block.at(at + 5)) == id) {
            const int name = block.indexOf(needle, at);
            if (name < 0 || name >= at + int(length))
                return block;
            block.replace(name, needle.size(), char(to.size()) + to);
            qToBigEndian(quint32(length + to.size() - from.size()), block.data() + at);
            return block;
        }
        at += int(length);
    }
    return block;
}

QList<int> nodeIds(const QList<SlaveEntry>& slaves)
{
    QList<int> ids;
    for (const SlaveEntry& slave : slaves)
        ids.append(SlaveRegistry::nodeIdOf(slave.iface, slave.handle));
    return ids;
}

} // namespace

// Slave plug-in names read from save data and download blocks pick plug-ins from the
// host's plug-in folders only; anything else is a slave whose plug-in cannot be resolved.
class TestStoredPluginNames : public QObject
{
    Q_OBJECT

    std::optional<HostFixture> m_host;
    QString m_project;
    QString m_previousDir;
    QByteArray m_previousPluginPath;
    QString m_pluginDir; // a plug-in folder of this case
    QString m_marker;    // a copy of the marker library there: "marker<n>"

    // The compact CPU (its last sections follow every slave section) with three slaves,
    // node ids 1 to 3, on EtherCAT, QBUS and EtherNet/IP; the middle one of each under the
    // bus's victim name.
    std::unique_ptr<CpuObject> makeCpu()
    {
        auto cpu = CpuObjectFactory::create(0x30, QString());
        if (!cpu)
            return nullptr;
        cpu->extBusClock = 3;
        cpu->localPort.gapFactor = 77;
        cpu->etherCat.enabled = 1;
        cpu->qbus.masterEnabled = 1;
        cpu->eip.enabled = 1;
        QList<SlaveEntry>* lists[] = {&cpu->etherCatSlaves, &cpu->qbus.slaves, &cpu->eip.slaves};
        for (int b = 0; b < 3; ++b) {
            const SlaveControl control(kBuses[b].kit);
            for (int node = 1; node <= 3; ++node)
                SlaveRegistry::insertOrdered(*lists[b], control.create(node),
                                             node == 2 ? kBuses[b].victim : kBuses[b].kit);
        }
        return cpu;
    }

    QString markerFile() const { return m_pluginDir + QStringLiteral("/lib%1.so").arg(m_marker); }

private slots:
    void initTestCase() { qunsetenv("CORVO_MARKERKIT_LOADED"); }

    void init()
    {
        m_host.emplace();
        m_project = m_host->writeProject(QStringLiteral("p.json"), QStringLiteral("MRW-Q310"));
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_host->home() + QStringLiteral("/bin")); // recompile's server files
        for (const Bus& b : kBuses)
            SlaveControl(b.kit).reset();
        // A library loads once per process; each case gets a copy of its own, in a plug-in
        // folder where a lookup by file name would find it.
        static int copies = 0;
        m_marker = QStringLiteral("marker%1").arg(++copies);
        m_pluginDir = m_host->home() + QStringLiteral("/plugins");
        QDir().mkpath(m_pluginDir);
        QVERIFY(QFile::copy(QStringLiteral(CORVO_MARKERKIT_FILE), markerFile()));
        m_previousPluginPath = qgetenv("CORVO_PLUGIN_PATH");
        qputenv("CORVO_PLUGIN_PATH", m_pluginDir.toLocal8Bit());
    }

    void cleanup()
    {
        QDir::setCurrent(m_previousDir);
        qputenv("CORVO_PLUGIN_PATH", m_previousPluginPath);
    }

    // The rule's other cases (empty, NUL and control characters are refused end to end
    // below); writers store the file-name part of a host's path.
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("resolvable");
        QTest::addColumn<QString>("storable"); // null: not asked
        const auto row = [](const char* what, const QString& name, bool bare, const char* stored) {
            QTest::newRow(what) << name << (bare ? name : QString()) << QString(stored);
        };
        row("bare", "ecatslavekit.dll", true, "ecatslavekit.dll");
        row("bare, no suffix", "libx.so.1", true, nullptr);
        row("blank inside", "my kit.dll", true, nullptr);
        row("dot", ".", false, nullptr);
        row("dot dot", "..", false, nullptr);
        row("absolute", "/opt/kits/libecatslavekit.so", false, "libecatslavekit.so");
        row("drive letter", "C:\\kits\\x.dll", false, "x.dll");
        row("mixed separators", "a\\b/c.dll", false, "c.dll");
        row("trailing slash", "x.dll/", false, nullptr);
        row("DEL", "x\x7f.dll", false, nullptr);
        row("C1 control", QString(QChar(0x85)) + "x.dll", false, nullptr);
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, resolvable);
        QFETCH(QString, storable);
        QCOMPARE(SlavePluginName::resolvable(name), resolvable);
        if (!storable.isNull())
            QCOMPARE(SlavePluginName::storable(name), storable);
    }

    // A host adds slaves by path; its blocks carry the file name, found again on reading.
    void slavesAddedByPathComeBack()
    {
        auto cpu = CpuObjectFactory::create(0x30, QString());
        QVERIFY(cpu);
        const QString library = QFileInfo(QStringLiteral(CORVO_MARKERKIT_FILE)).absolutePath();
        cpu->etherCat.enabled = 1;
        cpu->eip.enabled = 1;
        SlaveRegistry::insertOrdered(cpu->etherCatSlaves, SlaveControl(kBuses[0].kit).create(4),
                                     library + QStringLiteral("/libecatslavekit.so"));
        SlaveRegistry::insertOrdered(cpu->eip.slaves, SlaveControl(kBuses[2].kit).create(5),
                                     library + QStringLiteral("/libeipslavekit.so"));
        QVERIFY(cpu->etherCatSlaves.first().iface.isLoaded());
        const QByteArray saved = ParamBlock::save(*cpu);
        QVERIFY(!saved.contains(library.toLocal8Bit()));
        auto back = ParamBlock::restore(saved, m_project, false);
        QVERIFY(back);
        QCOMPARE(nodeIds(back->etherCatSlaves), QList<int>{4});
        QCOMPARE(back->etherCatSlaves.first().pluginPath, QStringLiteral("libecatslavekit.so"));
        QCOMPARE(nodeIds(back->eip.slaves), QList<int>{5});
        QCOMPARE(ParamBlock::save(*back), saved);
    }

    void refusedNamesLoadNothing_data()
    {
        QTest::addColumn<int>("bus"); // into kBuses
        QTest::addColumn<bool>("download");
        QTest::addColumn<QByteArray>("name"); // {dir}: the plug-in folder, {lib}: "marker<n>"
        // Without the rule the first three load the marker library: the first as it
        // stands, the next two by their file-name part, found in the plug-in folder.
        const QList<QPair<const char*, QByteArray>> names{
            {"absolute path", "{dir}/lib{lib}.so"},
            {"parent folder", "../plugins/lib{lib}.so"},
            {"sub folder", "plugins/{lib}.dll"},
            {"NUL inside", QByteArray("lib{lib}.so\0.dll", 16)},
            {"backslash", "plugins\\{lib}.dll"},
            {"control character", "{lib}\x1b.dll"},
            {"empty", ""},
        };
        for (int bus = 0; bus < 3; ++bus) {
            for (bool download : {false, true}) {
                for (const auto& [what, name] : names)
                    QTest::addRow("%d %s, %s", kBuses[bus].section, download ? "download" : "save",
                                  what)
                        << bus << download << name;
            }
        }
    }

    void refusedNamesLoadNothing()
    {
        QFETCH(int, bus);
        QFETCH(bool, download);
        QFETCH(QByteArray, name);
        name.replace("{dir}", m_pluginDir.toLocal8Bit()).replace("{lib}", m_marker.toLocal8Bit());
        const int section = kBuses[bus].section;
        auto cpu = makeCpu();
        QVERIFY(cpu);
        QByteArray block;
        QList<int> errors;
        if (download)
            QCOMPARE(ParamBlock::compile(*cpu, block, errors), 0);
        else
            block = ParamBlock::save(*cpu);
        const QByteArray patched = withStoredName(block, quint8(section), kBuses[bus].victim, name);
        QVERIFY(patched != block);

        int error = 0;
        auto back = download ? ParamBlock::recompile(patched, m_project, error)
                             : ParamBlock::restore(patched, m_project, false);
        QVERIFY(!markLeft(QFileInfo(markerFile()).fileName()));
        QVERIFY(back);
        // The slave is left out. EtherCAT records are not framed, so the section ends there;
        // the other lists frame each record and go on.
        QCOMPARE(nodeIds(back->etherCatSlaves),
                 section == 22 ? QList<int>{1} : QList<int>({1, 2, 3}));
        QCOMPARE(nodeIds(back->qbus.slaves),
                 section == 35 ? QList<int>({1, 3}) : QList<int>({1, 2, 3}));
        QCOMPARE(nodeIds(back->eip.slaves),
                 section == 49 ? QList<int>({1, 3}) : QList<int>({1, 2, 3}));
        // The rest of the block is read.
        QCOMPARE(back->extBusClock, quint8(3));
        QCOMPARE(back->localPort.gapFactor, quint8(77));
    }

    // The mark works, and bare names still reach the plug-in folders.
    void bareNameIsLookedUpInThePluginFolder()
    {
        auto cpu = makeCpu();
        QVERIFY(cpu);
        const QByteArray block = withStoredName(ParamBlock::save(*cpu), 35, kBuses[1].victim,
                                                m_marker.toLocal8Bit() + ".dll");
        auto back = ParamBlock::restore(block, m_project, false);
        QVERIFY(markLeft(QFileInfo(markerFile()).fileName()));
        QVERIFY(back);
        QCOMPARE(nodeIds(back->qbus.slaves), QList<int>({1, 3})); // no slave entry points
    }
};

QTEST_GUILESS_MAIN(TestStoredPluginNames)
#include "tst_storedpluginnames.moc"
