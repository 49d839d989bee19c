// The Simplified Chinese translation: every text of the code has one, the catalogs load as a
// host loads them, and the dialog in Chinese shows no untranslated text and cuts none off.

#include "../dialog/dialogtesting.h"
#include "hosttranslator.h"

#include <clippedtext.h>

#include <QFile>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

struct TsMessage
{
    QString context, source, translation;
    bool unfinished;
};

QList<TsMessage> readTs(const QString& file, QString* error)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return {};
    }
    QList<TsMessage> messages;
    QXmlStreamReader xml(&in);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            messages.append({context, xml.readElementText(), QString(), false});
        } else if (xml.name() == QLatin1String("translation") && !messages.isEmpty()) {
            messages.last().unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
            messages.last().translation = xml.readElementText();
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

// "%1 x %2 %1" -> {"%1", "%1", "%2"}
QStringList placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%[1-9]"));
    QStringList found;
    auto it = pattern.globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured());
    found.sort();
    return found;
}

bool hasCjkFont()
{
    return !QFontDatabase().families(QFontDatabase::SimplifiedChinese).isEmpty();
}

// Every text a widget under `root` shows, wherever it is on the page.
QStringList shownTexts(const QWidget* root)
{
    QStringList texts;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        if (auto* group = qobject_cast<const QGroupBox*>(w))
            texts << group->title();
        if (auto* combo = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (auto* tabs = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
        if (auto* header = qobject_cast<const QHeaderView*>(w)) {
            if (QAbstractItemModel* model = header->model()) {
                for (int i = 0; i < header->count(); ++i)
                    texts << model->headerData(i, header->orientation()).toString();
            }
        }
        if (auto* tree = qobject_cast<const QTreeWidget*>(w)) {
            QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree));
            for (; *it; ++it)
                texts << (*it)->text(0);
        }
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

// Shows every card kind in every slot tab.
void visitCardKinds(QWidget* page, const std::function<void()>& visit)
{
    const auto lists = page->findChildren<QComboBox*>(QStringLiteral("cmbCard"));
    auto* slotTabs = page->findChild<QTabWidget*>(QStringLiteral("extendCard"));
    if (lists.isEmpty() || !slotTabs)
        return;
    for (int kind = 1; kind < lists.first()->count(); ++kind) {
        for (QComboBox* list : lists)
            list->setCurrentIndex(kind);
        for (int t = 0; t < slotTabs->count(); ++t) {
            slotTabs->setCurrentIndex(t);
            visit();
        }
    }
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    // Source texts whose translation differs, with their translations.
    QHash<QString, QString> m_translated;

private slots:
    void initTestCase()
    {
        for (const char* ts : {"corvo_zh_CN.ts", "corekit_zh_CN.ts"}) {
            QString error;
            const auto messages =
                readTs(QStringLiteral(CORVO_SOURCE_DIR "/translations/") + ts, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            for (const TsMessage& m : messages) {
                if (!m.unfinished && !m.translation.isEmpty() && m.translation != m.source)
                    m_translated.insert(m.source, m.translation);
            }
        }
        QVERIFY(m_translated.size() > 100);
    }

    void everyTextTranslated_data()
    {
        QTest::addColumn<QString>("sources");
        QTest::addColumn<QString>("catalog");
        QTest::newRow("plug-in") << QStringLiteral("src") << QStringLiteral("corvo_zh_CN.ts");
        QTest::newRow("host stand-in")
            << QStringLiteral("host") << QStringLiteral("corekit_zh_CN.ts");
    }

    // The catalog as lupdate makes it from today's code: a text added, or changed, since the
    // catalog was last translated comes in unfinished.
    void everyTextTranslated()
    {
        QFETCH(QString, sources);
        QFETCH(QString, catalog);
        QTemporaryDir dir;
        const QString copy = dir.filePath(catalog);
        QVERIFY(QFile::copy(QStringLiteral(CORVO_SOURCE_DIR "/translations/") + catalog, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(CORVO_LUPDATE),
                      {"-silent", "-no-obsolete", "-locations", "none",
                       QStringLiteral(CORVO_SOURCE_DIR "/") + sources, "-ts", copy});
        QVERIFY2(lupdate.waitForFinished(30000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

        QString error;
        const auto messages = readTs(copy, &error);
        QVERIFY2(error.isEmpty() && !messages.isEmpty(), qPrintable(error));
        QStringList problems;
        for (const TsMessage& m : messages) {
            const QString where = QStringLiteral("%1: \"%2\"").arg(m.context, m.source);
            if (m.unfinished || m.translation.isEmpty())
                problems << where + QStringLiteral(" has no translation");
            else if (placeholders(m.translation) != placeholders(m.source))
                problems << where + QStringLiteral(" is translated with other placeholders: \"%1\"")
                                        .arg(m.translation);
        }
        QVERIFY2(problems.isEmpty(),
                 qPrintable(QStringLiteral("run tools/update-translations.sh and translate:\n") +
                            problems.join(QLatin1Char('\n'))));
    }

    // As the demo host loads them: the host library's catalog with the plug-in's, the language
    // alone, and no catalog for German (the plug-in's texts under zh_CN are the sweep's).
    void catalogsLoad_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected"); // empty: no catalog
        const auto row = [](const char* language, const char* context, const char* source,
                            const QString& expected) {
            QTest::newRow(language)
                << QString(language) << QString(context) << QString(source) << expected;
        };
        row("zh_CN", "IpAddressWidget", "The IP address is empty.", QStringLiteral("IP地址为空。"));
        row("zh", "Corvopropdlg", "Extend Bus Clock Configurations",
            QStringLiteral("扩展总线时钟配置"));
        row("de_DE", "Corvopropdlg", "Retentive Ranges", QString());
    }

    void catalogsLoad()
    {
        QFETCH(QString, language);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        const bool found = !expected.isEmpty();
        HostTranslator translator;
        QCOMPARE(translator.load(QLocale(language), QStringLiteral(CORVO_QM_DIR)), found);
        QCOMPARE(translator.isEmpty(), !found);
        const QString text =
            translator.translate(context.toUtf8().constData(), source.toUtf8().constData());
        QCOMPARE(text.isEmpty() ? QString() : text, expected); // empty: Qt shows the source
        if (found)
            QCOMPARE(translator.sourceOf(text), source);
        QCOMPARE(translator.sourceOf(QStringLiteral("not translated")),
                 QStringLiteral("not translated"));
    }

    void everyPageShown_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("chinese");
        for (bool chinese : {false, true}) {
            const char* language = chinese ? "Chinese" : "English";
            QTest::addRow("KLV2 R70, %s", language) << 0x21 << chinese;
            QTest::addRow("compact, %s", language) << 0x30 << chinese;
            QTest::addRow("KLV1 C24, %s", language) << 0x03 << chinese;
        }
    }

    // Opens the dialog and shows every page, every tab and every card kind: no text may be cut
    // off (in Chinese only with a Chinese font), and under the Chinese catalogs no text of the
    // code may show in English (a text taken before the translator was there, or put together
    // from pieces).
    void everyPageShown()
    {
        QFETCH(int, id);
        QFETCH(bool, chinese);
        const DialogTesting::DialogCase c(DialogTesting::r70Project());
        HostTranslator translator;
        if (chinese) {
            QVERIFY(
                translator.load(QLocale(QStringLiteral("zh_CN")), QStringLiteral(CORVO_QM_DIR)));
            QCoreApplication::installTranslator(&translator);
        }
        auto cpu = CpuObjectFactory::create(id, c.project);
        QVERIFY(cpu);
        {
            QMainWindow window;
            Corvopropdlg dialog(cpu.get(), c.project, &window, false);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QStringList english;
            QStringList clipped;
            const bool font = !chinese || hasCjkFont();
            const auto look = [&] {
                QCoreApplication::processEvents();
                for (const QString& text : chinese ? shownTexts(&dialog) : QStringList()) {
                    if (m_translated.contains(text))
                        english << text;
                }
                if (font)
                    clipped += ClippedText::find(&dialog);
            };
            QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
            for (int i = 0; i < root->childCount(); ++i) {
                if (root->child(i)->isHidden())
                    continue;
                dialog.pageTree()->setCurrentItem(root->child(i));
                QWidget* page = dialog.pageStack()->currentWidget();
                auto* tabs = qobject_cast<QTabWidget*>(page);
                if (!tabs)
                    tabs = page->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
                for (int t = 0; t < (tabs ? tabs->count() : 1); ++t) {
                    if (tabs)
                        tabs->setCurrentIndex(t);
                    look();
                }
                visitCardKinds(page, look);
            }
            english.removeDuplicates();
            clipped.removeDuplicates();
            QVERIFY2(english.isEmpty(), qPrintable(QStringLiteral("shown in English: ") +
                                                   english.join(QStringLiteral(" | "))));
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        }
        CpuObjectFactory::releaseMemory(*cpu);
        QCoreApplication::removeTranslator(&translator);
        if (chinese && !hasCjkFont())
            QSKIP("no Chinese font (fonts-wqy-microhei): texts were not checked for being cut off");
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
