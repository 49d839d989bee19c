#pragma once

#include <QStyledItemDelegate>

// Edits one column of the login users table. A cell keeps the real text in the user role
// and shows it in the display role: the name as it is, a password as one "*" per
// character. The editor takes letters and digits only, at most 32 of them.
class TblItemDlgt : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int MaxLength = 32;

    explicit TblItemDlgt(bool isPasswordColumn, QObject* parent = nullptr);

    bool isPasswordColumn() const { return m_isPasswordColumn; }

    // What a cell shows for `text`.
    static QString displayText(const QString& text, bool isPasswordColumn);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    bool m_isPasswordColumn;
};
