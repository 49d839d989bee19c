#include "folderdlg.h"

#include "dialog/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FolderDlg::FolderDlg(const QString& title, const QString& name, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("folderDlg"));
    setWindowTitle(title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(250, 180);

    auto* label = new QLabel(tr("Display Name:"), this);
    m_name = new QLineEdit(name, this);
    m_name->setObjectName(QStringLiteral("displayName"));
    m_name->setMaxLength(MaxNameLength);
    label->setBuddy(m_name);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("folderOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("folderCancel"));
    for (QPushButton* button : {ok, cancel})
        button->setFixedWidth(100);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &FolderDlg::slot_bttnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString FolderDlg::displayName() const
{
    return m_name->text();
}

void FolderDlg::slot_bttnOK()
{
    const QString name = m_name->text();
    QString refusal;
    if (name.isEmpty())
        refusal = tr("Display name can't be empty.");
    else if (name.at(0).isSpace())
        refusal = tr("Display name cannot start with a blank.");
    if (!refusal.isEmpty()) {
        Messages::show(this, QMessageBox::Information, tr("Warning"), refusal);
        m_name->setFocus();
        return;
    }
    emit sendFolderDisplayName(name);
    accept();
}
