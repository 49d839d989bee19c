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

template <typename Bytes>
QString hex(const Bytes& bytes)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())).toHex());
}

// One member of a descriptor as text.
using Member = std::function<QString(const ModuleDescriptor&)>;

} // namespace

Q_DECLARE_METATYPE(Member)

class TestModuleCatalog : public QObject
{
    Q_OBJECT

private slots:
    void valueForms_data();
    void valueForms();
    void keysOnlyAtLineStartInTableOrder();
    void recordsOpenCloseAndReset();
    void lookup_data();
    void lookup();
    void missingOrHugeFileReadsEmpty();
    void rewrittenFileIsReadAgain();
};

void TestModuleCatalog::valueForms_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Member>("member");
    QTest::addColumn<QString>("value");
    const auto row = [](const char* name, const char* line, Member member, const char* value) {
        QTest::newRow(name) << QByteArray(line) << member << QString(value);
    };
    const Member name = [](const ModuleDescriptor& d) {
        return d.ObjName;
    };
    const Member id = [](const ModuleDescriptor& d) {
        return QString::number(d.ObjID);
    };
    const Member flag = [](const ModuleDescriptor& d) {
        return QString::number(d.SupportCANopen);
    };
    row("key case ignored", "objname=CPU A", name, "CPU A");
    row(
        "value simplified", "MLFB =  KLV2   R70 ", [](auto& d) { return d.MLFB; }, "KLV2 R70");
    row(
        "text after first =", "ServerFile=a=b.srv", [](auto& d) { return d.ServerFile; },
        "a=b.srv");
    row("no = gives empty", "ObjName", name, "");
    row("decimal", "ObjID=4099", id, "4099");
    row("bad decimal is 0", "ObjID=12abc", id, "0");
    row(
        "low 8 bits", "BaseType=258", [](auto& d) { return QString::number(d.BaseType); }, "2");
    row(
        "fw version points", "FwVersion = 2.10",
        [](auto& d) { return QString::number(d.FwVersion); }, "210");
    row(
        "fw version 2.1", "FwVersion=2.1", [](auto& d) { return QString::number(d.FwVersion); },
        "21");
    row(
        "flag", "IsCatEntry=5", [](auto& d) { return QString::number(d.IsCatEntry); }, "1");
    row("flag 0", "SupportCANopen=0", flag, "0");
    row(
        "buff partial", "BuffCnfg=1,2,3", [](auto& d) { return hex(d.BuffCnfg); },
        "0102030000000000000000000000");
    row(
        "hex bytes, empty part 0", "SyncCnfg=ff,,1A", [](auto& d) { return hex(d.SyncCnfg); },
        "ff001a000000000000");
    row(
        "first 5 used", "IntSupported=1,2,3,4,5,6,7", [](auto& d) { return hex(d.IntSupported); },
        "0102030405");
    row(
        "not supported appended", "NotSupported=21,,ff\nNotSupported=1",
        [](auto& d) {
            QStringList parts;
            for (qint32 v : d.NotSupported)
                parts.append(QString::number(v));
            return parts.join(QLatin1Char(','));
        },
        "33,0,255,1");
    row(
        "samp periods", "SampPeriodList= 1 ms ,,2  ms",
        [](auto& d) { return d.SampPeriodList.join(QLatin1Char('|')); }, "1 ms||2 ms");
    row(
        "module info unsigned", "ModuleInfo=4294967295",
        [](auto& d) { return QString::number(d.ModuleInfo); }, "4294967295");
}

void TestModuleCatalog::valueForms()
{
    QFETCH(QByteArray, line);
    QFETCH(Member, member);
    QFETCH(QString, value);
    QCOMPARE(member(parseOne(line)), value);
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
