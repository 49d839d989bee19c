#include "clippedtext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtMath>

namespace {

QString describe(const QWidget* widget, const QString& text, int needed, int has)
{
    const QString name = widget->objectName().isEmpty()
                             ? QString::fromLatin1(widget->metaObject()->className())
                             : widget->objectName();
    return QStringLiteral("%1 \"%2\" needs %3 px, has %4").arg(name, text).arg(needed).arg(has);
}

// The width a label's one-line text takes, rich text rendered as the label renders it.
int textWidth(const QLabel* label)
{
    const QString text = label->text();
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return label->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&')));
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    document.setHtml(text);
    return qCeil(document.idealWidth());
}

void checkLabel(const QLabel* label, QStringList& found)
{
    if (label->text().isEmpty() || label->wordWrap() || !label->pixmap(Qt::ReturnByValue).isNull())
        return;
    const int margins = 2 * label->margin() + qMax(0, label->indent());
    const int has = label->contentsRect().width() - margins;
    const int needed = textWidth(label);
    if (needed > has)
        found.append(describe(label, label->text(), needed, has));
}

void checkButton(const QAbstractButton* button, QStringList& found)
{
    if (button->text().isEmpty())
        return;
    // Check boxes and radio buttons draw their text beside the indicator, uncut only when
    // they are as wide as they ask to be; push buttons elide nothing but may crop.
    const int needed = button->sizeHint().width();
    if (needed > button->width())
        found.append(describe(button, button->text(), needed, button->width()));
}

void checkTree(const QTreeWidget* tree, QStringList& found)
{
    const int has = tree->viewport()->width();
    QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree));
    for (; *it; ++it) {
        const QTreeWidgetItem* item = *it;
        if (item->isHidden())
            continue;
        const QRect rect = tree->visualItemRect(item);
        const int needed = rect.x() + tree->iconSize().width() + 8 +
                           tree->fontMetrics().horizontalAdvance(item->text(0));
        if (needed > has)
            found.append(describe(tree, item->text(0), needed, has));
    }
}

} // namespace

QStringList ClippedText::find(const QWidget* root)
{
    QStringList found;
    const auto visible = [root](const QWidget* w) {
        return w->isVisibleTo(root) && w->width() > 0;
    };
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        if (visible(label))
            checkLabel(label, found);
    }
    for (const QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (visible(button) &&
            (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button) ||
             button->inherits("QPushButton")))
            checkButton(button, found);
    }
    for (const QTreeWidget* tree : root->findChildren<QTreeWidget*>()) {
        if (visible(tree))
            checkTree(tree, found);
    }
    return found;
}
