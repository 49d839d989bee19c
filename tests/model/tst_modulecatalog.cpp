#include "hostfixture.h"

#include <model/modulecatalog.h>

#include <QBuffer>
#include <QtTest>

namespace {

QList<ModuleDescriptor> parse(const QByteArray& text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return ModuleCatalog::parse(buffer);
}

ModuleDescriptor parseOne(const QByteArray& lines)
{
    return parse("[MODULE START]\n" + lines + "\n[END]\n").value(0);
}

template <typename Bytes>
QString hex(const Bytes& bytes)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())).toHex());
}

// A descriptor's member as text, by its key in the catalog file.
QString member(const ModuleDescriptor& d, const QString& key)
{
    QStringList notSupported;
    for (qint32 v : d.NotSupported)
        notSupported.append(QString::number(v));
    const QMap<QString, QString> members{
        {"ObjName", d.ObjName},
        {"MLFB", d.MLFB},
        {"ServerFile", d.ServerFile},
        {"ObjID", QString::number(d.ObjID)},
        {"BaseType", QString::number(d.BaseType)},
        {"FwVersion", QString::number(d.FwVersion)},
        {"IsCatEntry", QString::number(d.IsCatEntry)},
        {"SupportCANopen", QString::number(d.SupportCANopen)},
        {"SupportEtherCAT", QString::number(d.SupportEtherCAT)},
        {"ModuleInfo", QString::number(d.ModuleInfo)},
        {"BuffCnfg", hex(d.BuffCnfg)},
        {"SyncCnfg", hex(d.SyncCnfg)},
        {"IntSupported", hex(d.IntSupported)},
        {"NotSupported", notSupported.join(QLatin1Char(','))},
        {"SampPeriodList", d.SampPeriodList.join(QLatin1Char('|'))}};
    return members.value(key, QStringLiteral("<no such member>"));
}

} // namespace

class TestModuleCatalog : public QObject
{
    Q_OBJECT

private slots:
    void valueForms_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* name, const char* line, const char* key,
                            const char* value) {
            QTest::newRow(name) << QByteArray(line) << QString(key) << QString(value);
        };
        row("key case ignored", "objname=CPU A", "ObjName", "CPU A");
        row("value simplified", "MLFB =  KLV2   R70 ", "MLFB", "KLV2 R70");
        row("text after first =", "ServerFile=a=b.srv", "ServerFile", "a=b.srv");
        row("no = gives empty", "ObjName", "ObjName", "");
        row("decimal", "ObjID=4099", "ObjID", "4099");
        row("bad decimal is 0", "ObjID=12abc", "ObjID", "0");
        row("low 8 bits", "BaseType=258", "BaseType", "2");
        row("fw version points", "FwVersion = 2.10", "FwVersion", "210");
        row("fw version 2.1", "FwVersion=2.1", "FwVersion", "21");
        row("flag", "IsCatEntry=5", "IsCatEntry", "1");
        row("flag 0", "SupportCANopen=0", "SupportCANopen", "0");
        row("buff partial", "BuffCnfg=1,2,3", "BuffCnfg", "0102030000000000000000000000");
        row("hex bytes, empty part 0", "SyncCnfg=ff,,1A", "SyncCnfg", "ff001a000000000000");
        row("first 5 used", "IntSupported=1,2,3,4,5,6,7", "IntSupported", "0102030405");
        row("not supported appended", "NotSupported=21,,ff\nNotSupported=1", "NotSupported",
            "33,0,255,1");
        row("samp periods", "SampPeriodList= 1 ms ,,2  ms", "SampPeriodList", "1 ms||2 ms");
        row("module info unsigned", "ModuleInfo=4294967295", "ModuleInfo", "4294967295");
        // Keys count only at the start of a line, the first key in the table that starts the
        // line wins.
        row("indented", " ObjName=Indented", "ObjName", "");
        row("tabbed", "\tMLFB=Tabbed", "MLFB", "");
        row("commented", "; ObjID=9", "ObjID", "0");
        row("commented after blanks", "   ;ServerFile=commented.srv", "ServerFile", "");
        row("key inside a value", "Comment=ObjName=Nope", "ObjName", "");
        row("longer key", "ObjIDExtra=7", "ObjID", "7");
        row("longer key, plural", "SupportEtherCATs=3", "SupportEtherCAT", "3");
    }

    void valueForms()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(member(parseOne(line), key), value);
    }

    void recordsOpenCloseAndReset()
    {
        const auto records = parse("SupportEtherCAT=2\n"
                                   "ObjName=before any record\n"
                                   "[END]\n" // stray: closes nothing
                                   "[MODULE START]\n"
                                   "ObjName=First\nObjID=1\nNeedHwCnfgVersion=2100\n"
                                   "SupportHSC=6\nBuffCnfg=9,9\n"
                                   "[END] trailing text\n"
                                   "[MODULE START]\n"
                                   "ObjID=2\n"
                                   "[END]\n"
                                   "[MODULE START]\n"
                                   "ObjName=Never closed\n");
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.at(0).ObjName, QStringLiteral("First"));
        QCOMPARE(records.at(0).SupportHSC, 6);
        // The second record starts from the reset values...
        const ModuleDescriptor& second = records.at(1);
        QVERIFY(second.ObjName.isEmpty());
        QCOMPARE(second.NeedHwCnfgVersion, 2000);
        QCOMPARE(second.SupportHSC, 0);
        QCOMPARE(second.BuffCnfg[0], quint8(0));
        QCOMPARE(second.rackId, -1);
        // ...but members outside the reset keep what came before.
        QCOMPARE(second.SupportEtherCAT, 2);
        QCOMPARE(second.supportRack, 4);
    }

    void lookup_data()
    {
        QTest::addColumn<QByteArray>("file3");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");

        const QByteArray two = "[MODULE START]\nObjID=5\nObjName=Other\n[END]\n"
                               "[MODULE START]\nObjID=3\nObjName=Three\n[END]\n";
        QTest::newRow("second record matches") << two << 3 << 1 << "Three";
        QTest::newRow("id 4 reads file 3") << two << 4 << 1 << "Three";
        QTest::newRow("gate hides later records")
            << QByteArray("[MODULE START]\nObjID=9\nNeedHwCnfgVersion=2101\n[END]\n") + two << 3
            << -1 << "";
        QTest::newRow("gate at the host version passes")
            << QByteArray("[MODULE START]\nObjID=3\nObjName=Now\nNeedHwCnfgVersion=2100\n[END]\n")
            << 3 << 0 << "Now";
        QTest::newRow("no matching record")
            << QByteArray("[MODULE START]\nObjID=7\n[END]\n") << 3 << -1 << "";
        QTest::newRow("no file for the id") << two << 0x77 << -1 << "";
        QTest::newRow("file over the size limit")
            << two + QByteArray(int(ModuleCatalog::MaxFileSize), ';') << 3 << -1 << "";
    }

    void lookup()
    {
        QFETCH(QByteArray, file3);
        QFETCH(int, id);
        QFETCH(int, index);
        QFETCH(QString, name);
        HostFixture host;
        host.setAppVersion(2100);
        host.writeFile(QStringLiteral("hwcnfg/6/hw00000003.met"), file3);
        ModuleDescriptor out;
        QCOMPARE(ModuleCatalog::lookup(id, out), index);
        if (index >= 0) {
            QCOMPARE(out.ObjName, name);
            QCOMPARE(out.ObjID, id);
        }
    }

    void rewrittenFileIsReadAgain()
    {
        HostFixture host;
        const QString file = QStringLiteral("hwcnfg/6/hw00000003.met");
        ModuleDescriptor out;
        for (const char* name : {"First", "Second one", "3rd"}) {
            host.writeFile(file,
                           QByteArray("[MODULE START]\nObjID=3\nObjName=") + name + "\n[END]\n");
            QCOMPARE(ModuleCatalog::lookup(3, out), 0);
            QCOMPARE(out.ObjName, QString::fromLatin1(name));
            QCOMPARE(ModuleCatalog::lookup(4, out), 0); // the same file, from the cache
            QCOMPARE(out.ObjName, QString::fromLatin1(name));
        }
        host.removeFile(file);
        QCOMPARE(ModuleCatalog::lookup(3, out), -1);
    }
};

QTEST_GUILESS_MAIN(TestModuleCatalog)
#include "tst_modulecatalog.moc"
