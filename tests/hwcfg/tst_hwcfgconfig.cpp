#include "hostfixture.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QJsonObject changed(QJsonObject document, const QString& group, const QString& key,
                    const QJsonValue& value)
{
    QJsonObject inner = document.value(group).toObject();
    inner.insert(key, value);
    document.insert(group, inner);
    return document;
}

} // namespace

// hwcfg export, import, validate and schema as a user runs them, on copies of the sample
// projects.
class TestHwcfgConfig : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;
    QString m_dir;

    Run hwcfg(const QStringList& args)
    {
        QProcess process;
        process.setWorkingDirectory(m_dir);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVO_HOST_HOME"), m_host->home());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(CORVO_HWCFG), args);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QString project(const char* name)
    {
        const QString path = m_dir + QLatin1Char('/') + QLatin1String(name);
        QFile::copy(QStringLiteral(CORVO_SOURCE_DIR "/examples/project/") + QLatin1String(name),
                    path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    QByteArray stored(const QString& projectPath, const char* module)
    {
        QFile file(projectPath + QStringLiteral(".content/160/obj_%1.bin").arg(module));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A new R70 "cpu" in the project, as exported.
    QJsonObject newR70(const QString& projectPath)
    {
        if (hwcfg({"new", "0x21", "--project", projectPath, "--module", "cpu"}).status != 0)
            return {};
        return QJsonDocument::fromJson(hwcfg({"export", "cpu", "--project", projectPath}).out)
            .object();
    }

private slots:
    void init()
    {
        m_host.reset();
        m_host = std::make_unique<HostFixture>();
        m_dir = m_host->home() + QStringLiteral("/work");
        QDir().mkpath(m_dir);
    }

    void sampleModels_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("projectName");
        const auto row = [](const char* model, const char* id, const char* projectName) {
            QTest::newRow(model) << QString::fromLatin1(id) << QString::fromLatin1(projectName);
        };
        row("KLV2 R70", "0x21", "line1.json");
        row("MRW-Q310-24T", "0x30", "compact.json");
        row("KLV1 C40", "0x10", "line1.json");
        row("KLV1 C24", "3", "line1.json");
    }

    // A new module of each sample model: no findings; exported, imported under another
    // name, it is stored with the same save data and exports the same document.
    void sampleModels()
    {
        QFETCH(QString, id);
        QFETCH(QString, projectName);
        const QString path = project(projectName.toLatin1().constData());
        QCOMPARE(hwcfg({"new", id, "--project", path, "--module", "cpu"}).status, 0);
        const Run valid = hwcfg({"validate", "cpu", "--project", path});
        QCOMPARE(std::make_pair(valid.status, valid.out),
                 std::make_pair(0, QByteArray("cpu: no findings\n")));
        const Run exported = hwcfg({"export", "cpu", "--project", path});
        QCOMPARE(exported.status, 0);
        m_host->writeFile(QStringLiteral("work/cpu.json"), exported.out);
        const Run imported = hwcfg({"import", "cpu.json", "--project", path, "--module", "copy"});
        QVERIFY2(imported.status == 0, imported.err.constData());
        QVERIFY(!stored(path, "copy").isEmpty());
        QCOMPARE(stored(path, "copy"), stored(path, "cpu"));
        QCOMPARE(hwcfg({"export", "copy", "--project", path}).out, exported.out);
    }

    // A refused document stores nothing and replaces nothing; every problem is listed.
    void refusedDocumentStoresNothing()
    {
        const QString path = project("line1.json");
        QJsonObject bad = newR70(path);
        QVERIFY(!bad.isEmpty());
        const QByteArray before = stored(path, "cpu");
        bad = changed(bad, "tcpIp", "port", QStringLiteral("20000"));
        bad = changed(bad, "tcpIp", "vlan", 7);
        m_host->writeFile(QStringLiteral("work/bad.json"), QJsonDocument(bad).toJson());
        for (const char* module : {"cpu", "other"}) {
            const Run run = hwcfg({"import", "bad.json", "--project", path, "--module", module});
            QCOMPARE(run.status, 1);
            QVERIFY(run.err.contains("nothing was stored"));
            QVERIFY(run.err.contains("  tcpIp.port: expected a whole number, not a string\n"));
            QVERIFY(run.err.contains("  tcpIp.vlan: unknown key\n"));
        }
        QCOMPARE(stored(path, "cpu"), before);
        QVERIFY(stored(path, "other").isEmpty());
    }

    // A broken module: one line per finding, exit status 1, the same findings as JSON. The
    // server port is beyond what the page's field shows: the stored value is what compile
    // downloads.
    void brokenModule()
    {
        const QString path = project("line1.json");
        QJsonObject document = changed(newR70(path), "tcpIp", "serverPort", 70000);
        document = changed(document, "buses", "profinet",
                           QJsonObject{{"useBus", true},
                                       {"useCustomName", true},
                                       {"customName", "line-"},
                                       {"ipFromOtherSources", false}});
        m_host->writeFile(QStringLiteral("work/broken.json"), QJsonDocument(document).toJson());
        QCOMPARE(hwcfg({"import", "broken.json", "--project", path, "--module", "broken"}).status,
                 0);

        const Run text = hwcfg({"validate", "broken", "--project", path});
        QCOMPARE(text.status, 1);
        QCOMPARE(text.out,
                 QByteArray("buses.profinet.customName: The custom name cannot end with '-'!\n"
                            "tcpIp.serverPort: The server's port setting has error(range: "
                            "1024~65535).\n"
                            "broken: 2 findings\n"));
        const Run json = hwcfg({"validate", "broken", "--project", path, "--json"});
        QCOMPARE(json.status, 1);
        const QJsonObject result = QJsonDocument::fromJson(json.out).object();
        QCOMPARE(result.value("count").toInt(), 2);
        QCOMPARE(result.value("findings")[0].toObject(),
                 (QJsonObject{{"path", "buses.profinet.customName"},
                              {"message", "The custom name cannot end with '-'!"},
                              {"check", "profinetName"}}));

        QCOMPARE(hwcfg({"validate", "missing", "--project", path}).status, 1);
        QCOMPARE(hwcfg({"validate", "--project", path}).status, 2);
    }

    void schemaIsPublished()
    {
        QFile published(QStringLiteral(CORVO_SOURCE_DIR "/docs/config-schema.json"));
        QVERIFY(published.open(QIODevice::ReadOnly));
        const Run run = hwcfg({"schema"});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out == published.readAll(),
                 "docs/config-schema.json is not the schema of the current member list; "
                 "write it anew with: hwcfg schema > docs/config-schema.json");
    }
};

QTEST_GUILESS_MAIN(TestHwcfgConfig)
#include "tst_hwcfgconfig.moc"
