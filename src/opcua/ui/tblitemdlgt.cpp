#include "tblitemdlgt.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

TblItemDlgt::TblItemDlgt(bool isPasswordColumn, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_isPasswordColumn(isPasswordColumn)
{}

QString TblItemDlgt::displayText(const QString& text, bool isPasswordColumn)
{
    return isPasswordColumn ? QString(text.size(), QLatin1Char('*')) : text;
}

QWidget* TblItemDlgt::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                   const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(m_isPasswordColumn ? QStringLiteral("passwordEditor")
                                             : QStringLiteral("nameEditor"));
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[a-zA-Z0-9]*")), editor));
    editor->setMaxLength(MaxLength);
    return editor;
}

void TblItemDlgt::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::UserRole).toString());
}

void TblItemDlgt::setModelData(QWidget* editor, QAbstractItemModel* model,
                               const QModelIndex& index) const
{
    const QString text = static_cast<QLineEdit*>(editor)->text();
    model->setData(index, text, Qt::UserRole);
    model->setData(index, displayText(text, m_isPasswordColumn), Qt::DisplayRole);
}
