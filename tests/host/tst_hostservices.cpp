#include "hostfixture.h"

#include <corekit/hosthome.h>
#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>
#include <corekit/pwdcodec.h>

#include <QtTest>

// The host stand-in answers from data files; these tests set the data and check the answers.
class TestHostServices : public QObject
{
    Q_OBJECT

private slots:
    void plcFactsFoundByAnyName_data();
    void plcFactsFoundByAnyName();
    void plcFactsFollowTheFiles();
    void unreadableProjectKeepsPresets_data();
    void unreadableProjectKeepsPresets();
    void objectStore();
    void passwordCodec_data();
    void passwordCodec();

private:
    HostFixture m_host;
};

void TestHostServices::plcFactsFoundByAnyName_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("localInputs");
    QTest::addColumn<bool>("opcUa");

    QTest::newRow("plc type") << "KLV2-R70"
                              << "02.01" << 16 << true;
    QTest::newRow("module name and order number") << "R70"
                                                  << "KLV2 R70-500P" << 16 << true;
    QTest::newRow("order number second") << "nothing"
                                         << "MRW-Q310-24T" << 24 << false;
    QTest::newRow("unknown") << "KLV9"
                             << "99.99" << 0 << false;
    QTest::newRow("empty") << ""
                           << "" << 0 << false;
}

void TestHostServices::plcFactsFoundByAnyName()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, localInputs);
    QFETCH(bool, opcUa);
    QCOMPARE(getPlcAddrRange(first, second, QStringLiteral("LocalI")), localInputs);
    QCOMPARE(getPlcSupportOpcUA(first, second), opcUa);
    QCOMPARE(getPlcAddrRange(first, second, QStringLiteral("NoSuchKey")), 0);
}

void TestHostServices::plcFactsFollowTheFiles()
{
    m_host.setPlcModel(
        QStringLiteral("TEST-1"),
        QJsonObject{{"names", QJsonArray{"TEST-1", "T1"}},
                    {"opcUa", true},
                    {"ppiPorts", 1},
                    {"maxPouSize", 4096},
                    {"objectRanges", QJsonObject{{"53", 12}}},
                    {"addrRanges", QJsonObject{{"V", 100}, {"C", 8}}},
                    {"defaultRetentive",
                     QJsonArray{QJsonObject{{"area", "VW"}, {"start", 100}, {"length", 5}},
                                QJsonObject{{"area", "C"}, {"start", 1}, {"length", 2}}}}});
    QCOMPARE(getPlcPpiPortNumByVer(QStringLiteral("T1")), 1);
    QCOMPARE(getPlcMaxPouSize(QStringLiteral("TEST-1"), QString()), 4096);
    QCOMPARE(getPlcObjectRange(QStringLiteral("TEST-1"), QString(), 53), 12);
    QCOMPARE(getPlcObjectRange(QStringLiteral("TEST-1"), QString(), 54), 0);
    QCOMPARE(plcAreaSize(QStringLiteral("TEST-1"), 0x84), 100);
    QCOMPARE(plcAreaSize(QStringLiteral("TEST-1"), 0x83), -1);
    const auto defaults = getDefaultDataRenten(QStringLiteral("T1"), QString());
    QCOMPARE(defaults.size(), 2);
    QCOMPARE(defaults.at(0).area, QStringLiteral("VW"));
    QCOMPARE(defaults.at(0).start, 100);
    QCOMPARE(defaults.at(1).length, 2);
    QVERIFY(getPlcSupportOpcUA(QStringLiteral("T1"), QString()));
    // The same names with other facts: the answers follow the rewrite.
    m_host.setPlcModel(QStringLiteral("TEST-1"),
                       QJsonObject{{"names", QJsonArray{"TEST-1", "T1"}}, {"opcUa", false}});
    QVERIFY(!getPlcSupportOpcUA(QStringLiteral("T1"), QString()));
    QCOMPARE(getPlcMaxPouSize(QStringLiteral("TEST-1"), QString()), 0);

    m_host.setAppVersion(2345);
    QCOMPARE(getAppVerNum(), 2345);
}

void TestHostServices::unreadableProjectKeepsPresets_data()
{
    QTest::addColumn<QString>("content"); // empty: no file at all

    QTest::newRow("no file") << QString();
    QTest::newRow("not json") << QStringLiteral("plcType=KLV2");
    QTest::newRow("json array") << QStringLiteral("[1, 2]");
}

void TestHostServices::unreadableProjectKeepsPresets()
{
    QFETCH(QString, content);
    QString project = m_host.home() + QStringLiteral("/absent.json");
    if (!content.isEmpty()) {
        m_host.writeFile(QStringLiteral("bad.json"), content.toUtf8());
        project = m_host.home() + QStringLiteral("/bad.json");
    }
    for (const QString& path : {project, QString()}) {
        QString type = QStringLiteral("preset");
        QString version = QStringLiteral("02.01");
        getPrjPlcTypeVersion(path, type, version);
        QCOMPARE(type, QStringLiteral("preset"));
        QCOMPARE(version, QStringLiteral("02.01"));
        QCOMPARE(getHwFileCreatedVerNum(path), 0);
        QVERIFY(!getPrjSupportEip(path));
        QVERIFY(getPrjObjectChildren(path, 53).isEmpty());
        QVERIFY(!savePrjObjectChildContent(path, 184, QStringLiteral("x"), "data"));
    }
}

void TestHostServices::objectStore()
{
    const QString project =
        m_host.writeProject(QStringLiteral("store.json"), QStringLiteral("KLV2-R70"));
    QVERIFY(getPrjObjectChildren(project, 184).isEmpty());
    // Names are free text, including none at all and path-like text.
    const QStringList names{QString(), QStringLiteral("../escape"), QStringLiteral("CPU 1/main")};
    for (const QString& name : names)
        QVERIFY(savePrjObjectChildContent(project, 184, name, name.toUtf8() + "-content"));
    QVERIFY(savePrjObjectChildContent(project, 184, QString(), "replaced"));
    QStringList listed = getPrjObjectChildren(project, 184);
    listed.sort();
    QStringList expected = names;
    expected.sort();
    QCOMPARE(listed, expected);
    QCOMPARE(getPrjObjectChildContent(project, 184, QString()), QByteArray("replaced"));
    QCOMPARE(getPrjObjectChildContent(project, 184, QStringLiteral("../escape")),
             QByteArray("../escape-content"));
    QVERIFY(getPrjObjectChildren(project, 185).isEmpty());
    QVERIFY(!QFile::exists(m_host.home() + QStringLiteral("/escape")));
}

void TestHostServices::passwordCodec_data()
{
    QTest::addColumn<QString>("clear");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("short") << "abc"
                           << "abc";
    QTest::newRow("eight") << "Pa$$w0rd"
                           << "Pa$$w0rd";
    QTest::newRow("cut to eight") << "123456789"
                                  << "12345678";
    QTest::newRow("all symbols") << "~!@#$%^&"
                                 << "~!@#$%^&";
    QTest::newRow("high latin-1") << QString::fromUtf8("\xc3\xbf\xc3\xbe")
                                  << QString::fromUtf8("\xc3\xbf\xc3\xbe");
}

void TestHostServices::passwordCodec()
{
    QFETCH(QString, clear);
    QFETCH(QString, decoded);
    const QByteArray field = encodePwdLen8(clear);
    QCOMPARE(field.size(), 8);
    QCOMPARE(decodePwdLen8(field), decoded);
    if (clear.isEmpty())
        QCOMPARE(field, QByteArray(8, '\0'));
    else
        QVERIFY(!field.contains(clear.left(3).toLatin1()));  // never the clear text
    QCOMPARE(decodePwdLen8(field.left(2)), decoded.left(2)); // short input stays in bounds
}

QTEST_GUILESS_MAIN(TestHostServices)
#include "tst_hostservices.moc"
