#include "hostfixture.h"

#include <corekit/hosthome.h>
#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>
#include <corekit/pwdcodec.h>

#include <QtTest>

class TestHostServices : public QObject
{
    Q_OBJECT

    HostFixture m_host;

private slots:
    // The facts are found by PLC type, module name or order number, in either argument.
    void plcFactsFoundByAnyName_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("localInputs");
        QTest::addColumn<bool>("opcUa");
        const auto row = [](const char* name, const char* first, const char* second, int inputs,
                            bool opcUa) {
            QTest::newRow(name) << QString(first) << QString(second) << inputs << opcUa;
        };
        row("plc type", "KLV2-R70", "02.01", 16, true);
        row("module name and order number", "R70", "KLV2 R70-500P", 16, true);
        row("order number second", "nothing", "MRW-Q310-24T", 24, false);
        row("unknown", "KLV9", "99.99", 0, false);
        row("empty", "", "", 0, false);
    }

    void plcFactsFoundByAnyName()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, localInputs);
        QFETCH(bool, opcUa);
        QCOMPARE(getPlcAddrRange(first, second, QStringLiteral("LocalI")), localInputs);
        QCOMPARE(getPlcSupportOpcUA(first, second), opcUa);
        QCOMPARE(getPlcAddrRange(first, second, QStringLiteral("NoSuchKey")), 0);
    }

    void unreadableProjectKeepsPresets_data()
    {
        QTest::addColumn<QString>("content"); // empty: no file at all
        QTest::newRow("no file") << QString();
        QTest::newRow("not json") << QStringLiteral("plcType=KLV2");
        QTest::newRow("json array") << QStringLiteral("[1, 2]");
    }

    void unreadableProjectKeepsPresets()
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
            QCOMPARE(type + version, QStringLiteral("preset02.01"));
            QCOMPARE(getHwFileCreatedVerNum(path), 0);
            QVERIFY(!getPrjSupportEip(path));
            QVERIFY(getPrjObjectChildren(path, 53).isEmpty());
            QVERIFY(!savePrjObjectChildContent(path, 184, QStringLiteral("x"), "data"));
        }
    }

    // Names are free text, including none at all and path-like text, and stay in the project.
    void objectStore()
    {
        const QString project =
            m_host.writeProject(QStringLiteral("store.json"), QStringLiteral("KLV2-R70"));
        QVERIFY(getPrjObjectChildren(project, 184).isEmpty());
        QStringList names{QString(), QStringLiteral("../escape"), QStringLiteral("CPU 1/main")};
        for (const QString& name : names)
            QVERIFY(savePrjObjectChildContent(project, 184, name, name.toUtf8() + "-content"));
        QVERIFY(savePrjObjectChildContent(project, 184, QString(), "replaced"));
        QStringList listed = getPrjObjectChildren(project, 184);
        listed.sort();
        names.sort();
        QCOMPARE(listed, names);
        QCOMPARE(getPrjObjectChildContent(project, 184, QString()), QByteArray("replaced"));
        QCOMPARE(getPrjObjectChildContent(project, 184, QStringLiteral("../escape")),
                 QByteArray("../escape-content"));
        QVERIFY(getPrjObjectChildren(project, 185).isEmpty());
        QVERIFY(!QFile::exists(m_host.home() + QStringLiteral("/escape")));
    }

    void passwordCodec_data()
    {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("short") << QString("abc") << QString("abc");
        QTest::newRow("eight") << QString("Pa$$w0rd") << QString("Pa$$w0rd");
        QTest::newRow("cut to eight") << QString("123456789") << QString("12345678");
        QTest::newRow("high latin-1") << QStringLiteral("ÿþ") << QStringLiteral("ÿþ");
    }

    void passwordCodec()
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
};

QTEST_GUILESS_MAIN(TestHostServices)
#include "tst_hostservices.moc"
