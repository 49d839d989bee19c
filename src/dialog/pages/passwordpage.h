#pragma once

#include "dialog/checkfailure.h"
#include "dialog/dialogpage.h"

#include <QString>

class QButtonGroup;
class QLabel;
class QLineEdit;

// The PLC password and its privilege level. The page owns the dialog's working level and
// working password: it always shows those, never the object, so that its Defaults and the
// level buttons work on them, Default All keeps them, and OK writes them back. The level
// buttons and the Password field change them as the user works.
class PasswordPage : public DialogPage
{
    Q_OBJECT

public:
    // Written twice (most significant byte first) into the password bytes at level 1, which
    // has no password; the bytes spell "LVL1LVL1" in a dump.
    static constexpr quint32 NoPasswordFiller = 0x4C564C31;

    explicit PasswordPage(const DialogContext& context, QWidget* parent = nullptr);

    // Shows the working level and password; `source` is not read.
    void load(const CpuObject& source) override;
    // Takes the working level and password from the object's password record.
    void loadAtOpen(const CpuObject& object) override;
    void apply(CpuObject& target) override;
    QList<PageCheck> checks() const override;

    // At a level with a password: the password must not be empty and must match its verify
    // field.
    CheckResult check() const;

    void setWorking(int level, const QString& password);
    int workingLevel() const { return m_level; }
    QString workingPassword() const { return m_password; }

    // The working password a stored record opens with: empty at level 1, else the decoded
    // text padded with blanks to the field's 8 characters.
    static QString workingPasswordOf(const PasswordParams& record);

    QList<QWidget*> noInputMethodFields() const override;

public slots:
    void slot_bttnGroupPriv(int id);
    void slot_bttnDefauPwd();

private:
    void showWorking();

    int m_level = 1;
    QString m_password;

    QButtonGroup* m_privileges = nullptr;
    QLabel* m_passwordLabel = nullptr;
    QLabel* m_verifyLabel = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QLineEdit* m_verifyEdit = nullptr;
    QLabel* m_description = nullptr;
};
