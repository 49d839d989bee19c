// Time from the config export to the end of the properties dialog's first paint, for the
// richest sample model (KLV2 R70: SOE, every local I/O page, six counters). Cold is the
// first open in a process (each run is a fresh child process), warm a later open in the
// same process. Prints the medians in milliseconds.
//
// With --large, it also opens the module "PLC" of that project (as `hwcfg opcua generate`
// writes it: 50 000 symbols, a 50 000-record OPC UA interface), turn about with the sample
// in this one process, and prints both warm medians and their ratio.
//
//   bench_dialog [--runs <n>] [--id <catalog id>] [--large <project file>]

#include <plugin/corvocpuapi.h>

#include <corekit/projectqueries.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Notes the first paint of a dialog window and closes the dialog once that paint is done
// (the zero timer runs after the whole synchronous repaint).
class FirstPaint : public QObject
{
public:
    QElapsedTimer clock;
    double paintedMs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType()) {
            auto* dialog = qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window());
            if (dialog) {
                m_seen = true;
                QTimer::singleShot(0, dialog, [this, dialog] {
                    paintedMs = double(clock.nsecsElapsed()) / 1e6;
                    dialog->reject();
                });
            }
        }
        return false;
    }

public:
    void reset()
    {
        m_seen = false;
        paintedMs = -1;
    }

private:
    bool m_seen = false;
};

struct Plugin
{
    QLibrary library{QStringLiteral(CORVO_PLUGIN_FILE)};
    CorvoCpuApi::CreateObjectFn createObject = nullptr;
    CorvoCpuApi::ReleaseObjectFn releaseObject = nullptr;
    CorvoCpuApi::ConfigFn config = nullptr;
    CorvoCpuApi::RestoreFn restore = nullptr;

    bool load()
    {
        if (!library.load())
            return false;
        createObject =
            reinterpret_cast<CorvoCpuApi::CreateObjectFn>(library.resolve("createObject"));
        releaseObject =
            reinterpret_cast<CorvoCpuApi::ReleaseObjectFn>(library.resolve("releaseObject"));
        config = reinterpret_cast<CorvoCpuApi::ConfigFn>(library.resolve("config"));
        restore = reinterpret_cast<CorvoCpuApi::RestoreFn>(library.resolve("restore"));
        return createObject && releaseObject && config && restore;
    }
};

// Opens the dialog `times` times; the milliseconds of each open.
QList<double> openDialog(int id, int times)
{
    Plugin plugin;
    if (!plugin.load()) {
        std::fprintf(stderr, "bench_dialog: %s\n", qPrintable(plugin.library.errorString()));
        return {};
    }
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("line1.json"));
    QFile::copy(QStringLiteral(CORVO_SAMPLE_PROJECT_DIR "/line1.json"), project);
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    void* handle = plugin.createObject(id, project);
    if (!handle) {
        std::fprintf(stderr, "bench_dialog: no module for id %d\n", id);
        return {};
    }
    QWidget host;
    FirstPaint paint;
    qApp->installEventFilter(&paint);
    QList<double> times_ms;
    for (int i = 0; i < times; ++i) {
        paint.reset();
        paint.clock.start();
        plugin.config(handle, project, &host, false);
        times_ms.append(paint.paintedMs);
    }
    qApp->removeEventFilter(&paint);
    plugin.releaseObject(handle);
    return times_ms;
}

// The sample module and the large project's stored module "PLC" opened in turn, `times`
// times each (after one open of each that is not counted): the milliseconds of each.
bool openBoth(int id, const QString& large, int times, QList<double>& sample, QList<double>& big)
{
    Plugin plugin;
    if (!plugin.load())
        return false;
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("line1.json"));
    QFile::copy(QStringLiteral(CORVO_SAMPLE_PROJECT_DIR "/line1.json"), project);
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    void* small = plugin.createObject(id, project);
    const QByteArray saved = getPrjObjectChildContent(large, 160, QStringLiteral("PLC"));
    void* stored = saved.isEmpty() ? nullptr : plugin.restore(saved, large);
    if (!small || !stored) {
        std::fprintf(stderr, "bench_dialog: no module \"PLC\" in %s\n", qPrintable(large));
        return false;
    }
    QWidget host;
    FirstPaint paint;
    qApp->installEventFilter(&paint);
    for (int i = 0; i <= times; ++i) {
        for (bool isLarge : {false, true}) {
            paint.reset();
            paint.clock.start();
            plugin.config(isLarge ? stored : small, isLarge ? large : project, &host, false);
            if (i > 0)
                (isLarge ? big : sample).append(paint.paintedMs);
        }
    }
    qApp->removeEventFilter(&paint);
    plugin.releaseObject(small);
    plugin.releaseObject(stored);
    return true;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("CORVO_HOST_HOME"))
        qputenv("CORVO_HOST_HOME", CORVO_SAMPLE_HOST_HOME);
    // The offscreen platform's notes would drown the numbers.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);

    QStringList args = app.arguments();
    const auto option = [&args](const QString& name, int fallback) {
        const int at = args.indexOf(name);
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt(nullptr, 0) : fallback;
    };
    const int runs = qMax(1, option(QStringLiteral("--runs"), 9));
    const int id = option(QStringLiteral("--id"), 0x21);
    const int largeAt = args.indexOf(QStringLiteral("--large"));
    const QString large =
        largeAt >= 0 && largeAt + 1 < args.size() ? args.at(largeAt + 1) : QString();

    if (args.contains(QStringLiteral("--child"))) {
        const QList<double> cold = openDialog(id, 1);
        if (cold.isEmpty())
            return 1;
        std::printf("%.3f\n", cold.first());
        return 0;
    }

    QList<double> cold;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(app.applicationFilePath(),
                    {QStringLiteral("--child"), QStringLiteral("--id"), QString::number(id)});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench_dialog: child run failed\n%s",
                         child.readAllStandardError().constData());
            return 1;
        }
        cold.append(child.readAllStandardOutput().trimmed().toDouble());
    }
    // The first open of this process is cold too; the warm ones follow it.
    const QList<double> all = openDialog(id, runs + 1);
    if (all.size() != runs + 1)
        return 1;
    const QList<double> warm = all.mid(1);

    QTextStream out(stdout);
    out << "config to first paint, catalog id 0x" << QString::number(id, 16) << ", " << runs
        << " runs\n";
    out << QStringLiteral("  cold (first open in a process): median %1 ms, min %2 ms\n")
               .arg(median(cold), 0, 'f', 2)
               .arg(*std::min_element(cold.begin(), cold.end()), 0, 'f', 2);
    out << QStringLiteral("  warm (later opens):             median %1 ms, min %2 ms\n")
               .arg(median(warm), 0, 'f', 2)
               .arg(*std::min_element(warm.begin(), warm.end()), 0, 'f', 2);
    if (!large.isEmpty()) {
        QList<double> sample;
        QList<double> big;
        if (!openBoth(id, large, runs, sample, big))
            return 1;
        out << QStringLiteral("  warm, in turn: sample project %1 ms, 50 000 symbols and "
                              "records %2 ms, ratio %3\n")
                   .arg(median(sample), 0, 'f', 2)
                   .arg(median(big), 0, 'f', 2)
                   .arg(median(big) / median(sample), 0, 'f', 2);
    }
    return 0;
}
