#pragma once

#include <QDialog>

class QLineEdit;

// Asks for an interface's display name: "OK" refuses an empty name and one that starts
// with a blank (the dialog stays open), otherwise sends the name and closes.
class FolderDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxNameLength = 32;

    explicit FolderDlg(const QString& title, const QString& name = QString(),
                       QWidget* parent = nullptr);

    QString displayName() const;

signals:
    void sendFolderDisplayName(const QString& name);

private slots:
    void slot_bttnOK();

private:
    QLineEdit* m_name = nullptr;
};
