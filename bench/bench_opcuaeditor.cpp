// The interface editor at the limit: each of its costs next to the plain codec on the same
// records, at 10 000 and 50 000 published records, measured in this one process (ratios;
// absolute times on a shared machine are noise). A plain Qt program printing medians:
//
//   bench_opcuaeditor [--runs <n>]
//
// load        setInterfaceData up to the first paint of tree and table (the first interface
//             current), against decoding the same payload into records
// delete      deleting an interface that holds all the records, to the next paint
// drop        dropping that many variables at once into an empty interface, to the paint
// switch      making the interface of all the records current, to the paint
// interfaceData  the payload from an edited editor, against encoding the records directly
// memory      resident memory the editor adds with 50 000 records (a fresh child process)
// filter      narrowing and widening the source tree of 50 000 symbols
// first show  the editor's first show (payload decoded, project read, painted): 50 000
//             symbols and records against the sample project and its sample interfaces

#include "opcuagenerator.h"
#include "opcuasample.h"

#include <opcua/opcuadragdata.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/ui/opcuainterfacetreemodel.h>
#include <opcua/ui/opcuaparwdgt.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>

namespace {

int g_runs = 9;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Median milliseconds of `run`, with `prepare` (not timed) before each run.
double measure(const std::function<void()>& prepare, const std::function<void()>& run)
{
    QList<double> times;
    for (int i = 0; i < g_runs; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        run();
        times.append(double(clock.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

// Medians of two measurements taken in turn, so that both see the same machine.
std::pair<double, double> measureInTurn(const std::function<void()>& prepareA,
                                        const std::function<void()>& runA,
                                        const std::function<void()>& prepareB,
                                        const std::function<void()>& runB)
{
    QList<double> a;
    QList<double> b;
    for (int i = 0; i < g_runs; ++i) {
        prepareA();
        QElapsedTimer clock;
        clock.start();
        runA();
        a.append(double(clock.nsecsElapsed()) / 1e6);
        prepareB();
        clock.start();
        runB();
        b.append(double(clock.nsecsElapsed()) / 1e6);
    }
    return {median(a), median(b)};
}

// Lets pending layouts run and paints the widget and its children now.
void paint(QWidget& widget)
{
    QApplication::processEvents();
    widget.repaint();
}

std::unique_ptr<OpcUaParWdgt> shownEditor(const QByteArray& payload, const QString& project)
{
    auto editor = std::make_unique<OpcUaParWdgt>(payload, project);
    editor->resize(800, 480);
    editor->show();
    paint(*editor);
    return editor;
}

void selectInterface(OpcUaParWdgt& editor, int position)
{
    editor.interfaceView()->setCurrentIndex(editor.treeModel()->interfaceIndex(position));
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// In a fresh process: resident memory before and after the editor shows the payload of
// `file` (the payload's bytes are held already before), or with `decodeOnly` before and
// after the payload is decoded into records that are kept.
int memoryChild(const QString& file, bool decodeOnly)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray payload = in.readAll();
    auto editor = shownEditor(QByteArray(), QString());
    paint(*editor);
    const long before = residentKb();
    OpcUaInterfaceDecode kept;
    if (decodeOnly) {
        kept = OpcUaInterfaceCodec::decode(payload, OpcUaInterfaceCodec::MaxVariables);
    } else {
        editor->setInterfaceData(payload);
        selectInterface(*editor, 0);
        paint(*editor);
    }
    const long after = residentKb();
    std::printf("%ld %d\n", after - before,
                decodeOnly ? OpcUaInterfaceCodec::recordCount(kept.interfaces)
                           : editor->elementCount());
    return 0;
}

struct Scale
{
    int records;
    double load = 0;
    double remove = 0;
    double drop = 0;
    double change = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("CORVO_HOST_HOME"))
        qputenv("CORVO_HOST_HOME", CORVO_SAMPLE_HOST_HOME);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    for (const QString& mode :
         {QStringLiteral("--memory-child"), QStringLiteral("--decode-child")}) {
        const int at = args.indexOf(mode);
        if (at >= 0 && at + 1 < args.size())
            return memoryChild(args.at(at + 1), mode == QLatin1String("--decode-child"));
    }
    const int runsAt = args.indexOf(QStringLiteral("--runs"));
    if (runsAt >= 0 && runsAt + 1 < args.size())
        g_runs = qMax(1, args.at(runsAt + 1).toInt());

    QTemporaryDir dir;
    const OpcUaGenerator generator(OpcUaGenerator::Shape{});
    const QString project = dir.filePath(QStringLiteral("large.json"));
    {
        QFile file(project);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QJsonDocument(generator.project()).toJson(QJsonDocument::Compact)) < 0)
            return 1;
    }
    QTextStream out(stdout);
    out << "interface editor, medians of " << g_runs << " runs (ms)\n";

    const QByteArray payload50 = OpcUaInterfaceCodec::encode(generator.interfaces(50000, 5));
    double decode50 = 0;

    QList<Scale> scales{{10000}, {50000}};
    for (Scale& s : scales) {
        const QByteArray five = OpcUaInterfaceCodec::encode(generator.interfaces(s.records, 5));
        OpcUaInterfaces oneList = generator.interfaces(s.records, 1);
        oneList.push_back({QStringLiteral("Empty"), {}});
        const QByteArray one = OpcUaInterfaceCodec::encode(oneList);
        const QByteArray empty = OpcUaInterfaceCodec::encode({{QStringLiteral("Empty"), {}}});
        auto editor = shownEditor(QByteArray(), QString());

        // Decoding alone, the reference of the load, in turn with it; neither is charged
        // for freeing what the run before made.
        OpcUaInterfaceDecode held;
        const auto [decode, load] = measureInTurn(
            [&] { held = OpcUaInterfaceDecode(); },
            [&] {
                held = OpcUaInterfaceCodec::decode(five, OpcUaInterfaceCodec::MaxVariables);
                if (OpcUaInterfaceCodec::recordCount(held.interfaces) != s.records)
                    std::abort();
            },
            [&] {
                held = OpcUaInterfaceDecode();
                editor->setInterfaceData(QByteArray());
            },
            [&] {
                editor->setInterfaceData(five);
                selectInterface(*editor, 0);
                paint(*editor);
            });
        s.load = load;
        decode50 = decode;
        s.remove = measure(
            [&] {
                editor->setInterfaceData(one);
                selectInterface(*editor, 0);
                paint(*editor);
            },
            [&] {
                editor->slot_deleteInterface();
                paint(*editor);
            });
        s.change = measure(
            [&] {
                editor->setInterfaceData(one);
                selectInterface(*editor, 1);
                paint(*editor);
            },
            [&] {
                selectInterface(*editor, 0);
                paint(*editor);
            });
        OpcUaDragItems items;
        for (int i = 0; i < s.records; ++i)
            items.push_back(generator.variables()[size_t(i) % generator.variables().size()]);
        std::unique_ptr<QMimeData> data(OpcUaDragData::mimeData(items));
        s.drop = measure(
            [&] {
                editor->setInterfaceData(empty);
                selectInterface(*editor, 0);
                paint(*editor);
            },
            [&] {
                if (!editor->treeModel()->dropVariables(data.get(),
                                                        editor->treeModel()->interfaceIndex(0), -1))
                    std::abort();
                paint(*editor);
            });
    }
    const Scale& small = scales.at(0);
    const Scale& large = scales.at(1);
    out << QStringLiteral("decode 50000 records:              %1\n").arg(decode50, 8, 'f', 2);
    out << QStringLiteral("                 10000     50000    50000/10000\n");
    const auto row = [&](const char* name, double a, double b) {
        out << QStringLiteral("%1 %2 %3   %4\n")
                   .arg(QLatin1String(name), -12)
                   .arg(a, 9, 'f', 2)
                   .arg(b, 9, 'f', 2)
                   .arg(b / a, 6, 'f', 2);
    };
    row("load", small.load, large.load);
    row("delete", small.remove, large.remove);
    row("drop", small.drop, large.drop);
    row("switch", small.change, large.change);
    out << QStringLiteral("load 50000 / decode 50000:          %1\n")
               .arg(large.load / decode50, 6, 'f', 2);

    // The payload of an edited editor against encoding the records directly.
    {
        auto editor = shownEditor(payload50, QString());
        const OpcUaInterfaces records =
            OpcUaInterfaceCodec::decode(payload50, OpcUaInterfaceCodec::MaxVariables).interfaces;
        const double encode =
            measure([] {},
                    [&] {
                        if (OpcUaInterfaceCodec::encode(records).size() != payload50.size())
                            std::abort();
                    });
        OpcUaInterfaceTreeModel* tree = editor->treeModel();
        const double written = measure(
            [&] { tree->renameInterface(tree->interfaceIndex(0), QStringLiteral("Interface 1")); },
            [&] {
                if (editor->interfaceData().size() != payload50.size())
                    std::abort();
            });
        out << QStringLiteral("encode 50000: %1   interfaceData: %2   ratio %3\n")
                   .arg(encode, 0, 'f', 2)
                   .arg(written, 0, 'f', 2)
                   .arg(written / encode, 0, 'f', 2);
    }

    // Resident memory, in a fresh process.
    {
        const QString file = dir.filePath(QStringLiteral("payload50.bin"));
        QFile payloadFile(file);
        if (!payloadFile.open(QIODevice::WriteOnly) || payloadFile.write(payload50) < 0)
            return 1;
        payloadFile.close();
        const auto residentMb = [&](const char* mode) {
            QProcess child;
            child.start(app.applicationFilePath(), {QLatin1String(mode), file});
            if (!child.waitForFinished(120000) || child.exitCode() != 0)
                return -1.0;
            return child.readAllStandardOutput().trimmed().split(' ').value(0).toDouble() / 1024;
        };
        out << QStringLiteral("memory, 50000 records: the editor adds %1 MB resident (the "
                              "decoded records alone %2 MB)\n")
                   .arg(residentMb("--memory-child"), 0, 'f', 1)
                   .arg(residentMb("--decode-child"), 0, 'f', 1);
    }

    // The source tree of 50 000 symbols: built, narrowed, widened.
    {
        auto editor = shownEditor(QByteArray(), project);
        const double build = measure([] {},
                                     [&] {
                                         editor->slot_updateElement();
                                         paint(*editor);
                                     });
        auto* filter = editor->findChild<QLineEdit*>(QStringLiteral("sourceFilter"));
        const double narrow = measure([&] { filter->clear(); },
                                      [&] {
                                          filter->setText(QStringLiteral("sym_0123"));
                                          paint(*editor);
                                      });
        const double widen = measure([&] { filter->setText(QStringLiteral("sym_0123")); },
                                     [&] {
                                         filter->clear();
                                         paint(*editor);
                                     });
        out << QStringLiteral("source tree, %1 symbols: build %2   filter %3   clear filter %4\n")
                   .arg(generator.variables().size())
                   .arg(build, 0, 'f', 2)
                   .arg(narrow, 0, 'f', 2)
                   .arg(widen, 0, 'f', 2);
    }

    // The editor's first show, large against the sample.
    {
        const QString sampleProject =
            dir.filePath(QStringLiteral("line1.json")); // a copy, as a host would have it
        QFile::copy(QStringLiteral(CORVO_SAMPLE_PROJECT_DIR "/line1.json"), sampleProject);
        const QByteArray samplePayload = OpcUaSample::contents().interfaces;
        const auto firstShow = [&](const QByteArray& payload, const QString& path) {
            std::unique_ptr<OpcUaParWdgt> editor;
            return measure(
                [&] {
                    editor = std::make_unique<OpcUaParWdgt>(payload, path);
                    editor->resize(800, 480);
                },
                [&] {
                    editor->show();
                    paint(*editor);
                });
        };
        const double sample = firstShow(samplePayload, sampleProject);
        const double big = firstShow(payload50, project);
        out << QStringLiteral("first show: sample %1   50000 symbols and records %2   ratio %3\n")
                   .arg(sample, 0, 'f', 2)
                   .arg(big, 0, 'f', 2)
                   .arg(big / sample, 0, 'f', 2);
    }
    return 0;
}
