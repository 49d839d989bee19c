#include "shotscommand.h"

#include "democommand.h"
#include "hosttranslator.h"
#include "hostwindow.h"
#include "opcuasample.h"
#include "opcuasavedata.h"
#include "pluginhost.h"

#include <clippedtext.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace {

struct Model
{
    int id;
    const char* tag;
    const char* project;
};

const Model kModels[] = {
    {0x21, "klv2-r70", "line1.json"},
    {0x30, "mrw-q310", "compact.json"},
    {0x10, "klv1-c40", "line1.json"},
    {3, "klv1-c24", "line1.json"},
};

// Pictures of translated pages are named as those of the untranslated ones.
QString fileTag(const QString& shown)
{
    const auto* translator = QCoreApplication::instance()->findChild<HostTranslator*>();
    QString text = (translator ? translator->sourceOf(shown) : shown).toLower();
    for (QChar& c : text) {
        if (!c.isLetterOrNumber())
            c = QLatin1Char('-');
    }
    return text;
}

// Saves the dialog as `<dir>/<tag>-<nn>-<name>.png` and notes texts the screen cuts off.
void grab(QWidget* dialog, const QString& dir, const QString& tag, int number, const QString& name,
          QStringList& written, QStringList& clipped)
{
    QApplication::processEvents();
    const QString file = QStringLiteral("%1/%2-%3-%4.png")
                             .arg(dir, tag)
                             .arg(number, 2, 10, QLatin1Char('0'))
                             .arg(name);
    if (dialog->grab().save(file))
        written.append(file);
    for (const QString& text : ClippedText::find(dialog))
        clipped.append(QFileInfo(file).fileName() + QStringLiteral(": ") + text);
}

// The expansion-card page once per card kind: both slots switched to the kind, each slot's
// tab in turn; then both slots back to what they showed.
void grabCardKinds(QWidget* dialog, QWidget* page, const QString& dir, const QString& tag,
                   int number, const QString& name, QStringList& written, QStringList& clipped)
{
    auto* slotTabs = page->findChild<QTabWidget*>(QStringLiteral("extendCard"));
    if (!slotTabs)
        return;
    QList<QComboBox*> lists;
    for (int t = 0; t < slotTabs->count(); ++t)
        lists.append(slotTabs->widget(t)->findChild<QComboBox*>(QStringLiteral("cmbCard")));
    if (lists.contains(nullptr))
        return;
    QList<int> shown;
    for (QComboBox* list : qAsConst(lists))
        shown.append(list->currentIndex());
    for (int kind = 1; kind < lists.first()->count(); ++kind) {
        for (QComboBox* list : qAsConst(lists))
            list->setCurrentIndex(kind);
        const QString kindTag = fileTag(lists.first()->itemText(kind));
        for (int t = 0; t < slotTabs->count(); ++t) {
            slotTabs->setCurrentIndex(t);
            grab(dialog, dir, tag, number,
                 name + QLatin1Char('-') + fileTag(slotTabs->tabText(t)) + QLatin1Char('-') +
                     kindTag,
                 written, clipped);
        }
        // The whole card page, which the slot shows scrolled.
        auto* pages =
            slotTabs->currentWidget()->findChild<QStackedWidget*>(QStringLiteral("cardPages"));
        if (QWidget* card = pages ? pages->currentWidget() : nullptr) {
            const QString file = QStringLiteral("%1/%2-%3-%4-%5-page.png")
                                     .arg(dir, tag)
                                     .arg(number, 2, 10, QLatin1Char('0'))
                                     .arg(name, kindTag);
            const int height = qMin(card->height(), card->sizeHint().height());
            if (card->grab(QRect(0, 0, card->width(), height)).save(file))
                written.append(file);
        }
    }
    for (int t = 0; t < lists.size(); ++t)
        lists.at(t)->setCurrentIndex(shown.at(t));
    slotTabs->setCurrentIndex(0);
}

// The interface editor once more with an interface current (its table and a node's
// attributes), and with the source tree filtered and a data block current (its elements).
void grabInterfaceEditor(QWidget* dialog, QWidget* page, const QString& dir, const QString& tag,
                         int number, const QString& name, QStringList& written,
                         QStringList& clipped)
{
    auto* tree = page->findChild<QTreeView*>(QStringLiteral("interfaceTree"));
    auto* tabs = page->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
    auto* filter = page->findChild<QLineEdit*>(QStringLiteral("sourceFilter"));
    if (!tree || !tabs || !filter)
        return;
    for (int t = 0; t < tabs->count(); ++t) {
        if (tabs->widget(t)->isAncestorOf(tree))
            tabs->setCurrentIndex(t);
    }
    QApplication::processEvents();
    QAbstractItemModel* model = tree->model();
    const QModelIndex root = model->index(0, 0);
    const QModelIndex first = model->index(0, 0, root);
    if (!first.isValid())
        return;
    tree->setCurrentIndex(first);
    grab(dialog, dir, tag, number, name + QStringLiteral("-editor-interface"), written, clipped);
    QModelIndex block;
    for (int r = 0; r < model->rowCount(first) && !block.isValid(); ++r) {
        if (model->rowCount(model->index(r, 0, first)) > 0)
            block = model->index(r, 0, first);
    }
    if (block.isValid()) {
        filter->setText(block.data().toString());
        tree->expand(block);
        tree->setCurrentIndex(block);
        grab(dialog, dir, tag, number, name + QStringLiteral("-editor-data-block"), written,
             clipped);
        filter->clear();
    }
    tree->setCurrentIndex(root);
    tabs->setCurrentIndex(0);
}

// Walks the open dialog's page tree and grabs each page, noting texts the screen cuts off;
// then cancels the dialog.
void grabPages(const QString& dir, const QString& tag, QStringList& written, QStringList& clipped)
{
    QWidget* dialog = QApplication::activeModalWidget();
    auto* tree = dialog ? dialog->findChild<QTreeWidget*>(QStringLiteral("pageTree")) : nullptr;
    if (!tree) {
        if (dialog)
            dialog->close();
        return;
    }
    QTreeWidgetItem* root = tree->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem* item = root->child(i);
        if (item->isHidden())
            continue;
        // Pictures are numbered by page number, which stays when other pages come and go.
        const int number = item->data(0, Qt::UserRole).toInt();
        tree->setCurrentItem(item);
        QApplication::processEvents();
        // A page of several tabs gives one picture per tab.
        auto* stack = dialog->findChild<QStackedWidget*>(QStringLiteral("pageStack"));
        QWidget* page = stack ? stack->currentWidget() : nullptr;
        auto* tabs = qobject_cast<QTabWidget*>(page);
        if (!tabs && page) // a page that holds its own tabs
            tabs = page->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
        const int pictures = tabs ? tabs->count() : 1;
        for (int t = 0; t < pictures; ++t) {
            QString name = fileTag(item->text(0));
            if (tabs) {
                tabs->setCurrentIndex(t);
                if (pictures > 1)
                    name += QLatin1Char('-') + fileTag(tabs->tabText(t));
            }
            grab(dialog, dir, tag, number, name, written, clipped);
        }
        if (stack) {
            grabCardKinds(dialog, stack->currentWidget(), dir, tag, number, fileTag(item->text(0)),
                          written, clipped);
            grabInterfaceEditor(dialog, stack->currentWidget(), dir, tag, number,
                                fileTag(item->text(0)), written, clipped);
        }
    }
    dialog->close();
}

} // namespace

int ShotsCommand::run(const QStringList& args, CommandContext& context)
{
    if (args.size() != 1) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    const QString dir = QDir(args.first()).absolutePath();
    QTemporaryDir work;
    if (!QDir().mkpath(dir) || !work.isValid()) {
        context.err << "hwcfg: cannot write to " << dir << "\n";
        return 1;
    }
    QStringList written;
    QStringList clipped;
    for (const Model& model : kModels) {
        const QString project = work.filePath(QString::fromLatin1(model.tag) + ".json");
        QFile::copy(DemoCommand::sampleProjectDir() + QLatin1Char('/') + model.project, project);
        void* handle = context.plugin.createObject(model.id, project);
        if (!handle) {
            context.err << "hwcfg: no module for id " << model.id << "\n";
            return 1;
        }
        // Where the project's PLC type has an OPC UA server, the sample configuration shows
        // in its pages.
        const auto sample = OpcUaSaveData::replace(
            context.plugin, project, context.plugin.save(handle), OpcUaSample::contents());
        void* shown = sample ? context.plugin.restore(*sample, project) : nullptr;
        HostWindow window(QStringLiteral("hwcfg shots"));
        QTimer::singleShot(
            0, [&] { grabPages(dir, QString::fromLatin1(model.tag), written, clipped); });
        context.plugin.config(shown ? shown : handle, project, &window, false);
        if (shown)
            context.plugin.releaseObject(shown);
        context.plugin.releaseObject(handle);
    }
    for (const QString& file : written)
        context.out << file << "\n";
    context.out << written.size() << " pictures in " << dir << "\n";
    clipped.removeDuplicates();
    for (const QString& line : qAsConst(clipped))
        context.err << "cut off: " << line << "\n";
    return written.isEmpty() || !clipped.isEmpty() ? 1 : 0;
}
