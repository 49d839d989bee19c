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
    const auto records = parse("[MODULE START]\n" + lines + "\n[END]\n");
    return records.value(0);
}

} // namespace

class TestModuleCatalog : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void valueForms_data();
    void valueForms();
    void keysOnlyAtLineStartInTableOrder();
    void recordsOpenCloseAndReset();
    void lookup_data();
    void lookup();
    void missingOrHugeFileReadsEmpty();
    void rewrittenFileIsReadAgain();
};

void TestModuleCatalog::fileName_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("26") << 26 << "hw0000001A.met";
    QTest::newRow("0x1003") << 0x1003 << "hw00001003.met";
    QTest::newRow("0") << 0 << "hw00000000.met";
    QTest::newRow("large") << int(0xABCDEF12) << "hwABCDEF12.met";
}

void TestModuleCatalog::fileName()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QCOMPARE(ModuleCatalog::fileName(id), name);
}

void TestModuleCatalog::valueForms_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("key case ignored")
        << QByteArray("objname=CPU A") << "ObjName" << QVariant("CPU A");
    QTest::newRow("value simplified")
        << QByteArray("MLFB =  KLV2   R70 ") << "MLFB" << QVariant("KLV2 R70");
    QTest::newRow("text after first =")
        << QByteArray("ServerFile=a=b.srv") << "ServerFile" << QVariant("a=b.srv");
    QTest::newRow("no = gives empty") << QByteArray("ObjName") << "ObjName" << QVariant("");
    QTest::newRow("decimal") << QByteArray("ObjID=4099") << "ObjID" << QVariant(4099);
    QTest::newRow("bad decimal is 0") << QByteArray("ObjID=12abc") << "ObjID" << QVariant(0);
    QTest::newRow("low 8 bits") << QByteArray("BaseType=258") << "BaseType" << QVariant(2);
    QTest::newRow("fw version points")
        << QByteArray("FwVersion = 2.10") << "FwVersion" << QVariant(210);
    QTest::newRow("fw version 2.1") << QByteArray("FwVersion=2.1") << "FwVersion" << QVariant(21);
    QTest::newRow("flag") << QByteArray("IsCatEntry=5") << "IsCatEntry" << QVariant(true);
    QTest::newRow("flag 0") << QByteArray("SupportCANopen=0") << "SupportCANopen"
                            << QVariant(false);
    QTest::newRow("buff partial") << QByteArray("BuffCnfg=1,2,3") << "BuffCnfg"
                                  << QVariant("0102030000000000000000000000");
    QTest::newRow("hex bytes, empty part 0")
        << QByteArray("SyncCnfg=ff,,1A") << "SyncCnfg" << QVariant("ff001a000000000000");
    QTest::newRow("first 5 used") << QByteArray("IntSupported=1,2,3,4,5,6,7") << "IntSupported"
                                  << QVariant("0102030405");
    QTest::newRow("not supported appended") << QByteArray("NotSupported=21,,ff\nNotSupported=1")
                                            << "NotSupported" << QVariant("33,0,255,1");
    QTest::newRow("samp periods") << QByteArray("SampPeriodList= 1 ms ,,2  ms") << "SampPeriodList"
                                  << QVariant("1 ms||2 ms");
    QTest::newRow("module info unsigned")
        << QByteArray("ModuleInfo=4294967295") << "ModuleInfo" << QVariant(4294967295u);
}

void TestModuleCatalog::valueForms()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, member);
    QFETCH(QVariant, value);
    const ModuleDescriptor d = parseOne(line);
    auto hex = [](const auto& bytes) {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())).toHex());
    };
    QVariant got;
    if (member == QLatin1String("ObjName"))
        got = d.ObjName;
    else if (member == QLatin1String("MLFB"))
        got = d.MLFB;
    else if (member == QLatin1String("ServerFile"))
        got = d.ServerFile;
    else if (member == QLatin1String("ObjID"))
        got = d.ObjID;
    else if (member == QLatin1String("BaseType"))
        got = int(d.BaseType);
    else if (member == QLatin1String("FwVersion"))
        got = int(d.FwVersion);
    else if (member == QLatin1String("IsCatEntry"))
        got = d.IsCatEntry;
    else if (member == QLatin1String("SupportCANopen"))
        got = d.SupportCANopen;
    else if (member == QLatin1String("BuffCnfg"))
        got = hex(d.BuffCnfg);
    else if (member == QLatin1String("SyncCnfg"))
        got = hex(d.SyncCnfg);
    else if (member == QLatin1String("IntSupported"))
        got = hex(d.IntSupported);
    else if (member == QLatin1String("ModuleInfo"))
        got = d.ModuleInfo;
    else if (member == QLatin1String("NotSupported")) {
        QStringList parts;
        for (qint32 v : d.NotSupported)
            parts.append(QString::number(v));
        got = parts.join(QLatin1Char(','));
    } else if (member == QLatin1String("SampPeriodList"))
        got = d.SampPeriodList.join(QLatin1Char('|'));
    QCOMPARE(got.toString(), value.toString());
}

void TestModuleCatalog::keysOnlyAtLineStartInTableOrder()
{
    const ModuleDescriptor d = parseOne(" ObjName=Indented\n"
                                        "\tMLFB=Tabbed\n"
                                        "; ObjID=9\n"
                                        "   ;ServerFile=commented.srv\n"
                                        "Comment=ObjName=Nope\n"
                                        "ObjIDExtra=7\n"
                                        "SupportEtherCATs=3");
    QVERIFY(d.ObjName.isEmpty());
    QVERIFY(d.MLFB.isEmpty());
    QVERIFY(d.ServerFile.isEmpty());
    // "ObjIDExtra" starts with the key "ObjID"; the first matching key wins.
    QCOMPARE(d.ObjID, 7);
    QCOMPARE(d.SupportEtherCAT, 3);
}

void TestModuleCatalog::recordsOpenCloseAndReset()
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

void TestModuleCatalog::lookup_data()
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
        << QByteArray("[MODULE START]\nObjID=9\nNeedHwCnfgVersion=2101\n[END]\n") + two << 3 << -1
        << "";
    QTest::newRow("gate at the host version passes")
        << QByteArray("[MODULE START]\nObjID=3\nObjName=Now\nNeedHwCnfgVersion=2100\n[END]\n") << 3
        << 0 << "Now";
    QTest::newRow("no matching record")
        << QByteArray("[MODULE START]\nObjID=7\n[END]\n") << 3 << -1 << "";
}

void TestModuleCatalog::lookup()
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

void TestModuleCatalog::missingOrHugeFileReadsEmpty()
{
    HostFixture host;
    ModuleDescriptor out;
    QCOMPARE(ModuleCatalog::lookup(0x77, out), -1);
    QVERIFY(ModuleCatalog::read(0x77).isEmpty());
    QByteArray huge = "[MODULE START]\nObjID=119\n[END]\n";
    huge.append(QByteArray(int(ModuleCatalog::MaxFileSize), ';'));
    host.writeFile(QStringLiteral("hwcnfg/6/hw00000077.met"), huge);
    QVERIFY(ModuleCatalog::read(0x77).isEmpty());
}

void TestModuleCatalog::rewrittenFileIsReadAgain()
{
    HostFixture host;
    const QString file = QStringLiteral("hwcnfg/6/hw00000003.met");
    ModuleDescriptor out;
    for (const char* name : {"First", "Second one", "3rd"}) {
        host.writeFile(file, QByteArray("[MODULE START]\nObjID=3\nObjName=") + name + "\n[END]\n");
        QCOMPARE(ModuleCatalog::lookup(3, out), 0);
        QCOMPARE(out.ObjName, QString::fromLatin1(name));
        QCOMPARE(ModuleCatalog::lookup(4, out), 0); // the same file, from the cache
        QCOMPARE(out.ObjName, QString::fromLatin1(name));
    }
    host.removeFile(file);
    QCOMPARE(ModuleCatalog::lookup(3, out), -1);
}

QTEST_GUILESS_MAIN(TestModuleCatalog)
#include "tst_modulecatalog.moc"
