#include "passwordpage.h"

#include "dialog/inputrules.h"

#include <corekit/pwdcodec.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kPasswordLength = 8;
constexpr int kFullLevel = 1;
constexpr int kHighestLevel = 4;

bool hasPassword(int level)
{
    return level > kFullLevel && level <= kHighestLevel;
}

} // namespace

PasswordPage::PasswordPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Password, context, parent)
{
    auto* top = introRow(tr("You can modify the password privileges to control access and "
                            "modification to the PLC."),
                         &PasswordPage::slot_bttnDefauPwd);

    auto* group = new QGroupBox(tr("Privileges"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_privileges = new QButtonGroup(this);
    m_privileges->setExclusive(true);
    const QString levels[] = {tr("Full (Level 1)"), tr("Partial (Level 2)"),
                              tr("Minimum (Level 3)"), tr("Disallow Upload (Level 4)")};
    for (int id = 0; id < kHighestLevel; ++id) {
        auto* button = new QRadioButton(levels[id], group);
        button->setObjectName(QStringLiteral("privilegeLevel%1").arg(id + 1));
        m_privileges->addButton(button, id);
        groupLayout->addWidget(button);
    }
    connect(m_privileges, &QButtonGroup::idClicked, this, &PasswordPage::slot_bttnGroupPriv);

    QValidator* validator = InputRules::passwordCharacters(this);
    auto makeField = [&](const QString& name) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(name);
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(kPasswordLength);
        edit->setValidator(validator);
        return edit;
    };
    m_passwordLabel = new QLabel(tr("Password"), group);
    m_passwordEdit = makeField(QStringLiteral("password"));
    m_verifyLabel = new QLabel(tr("Verify"), group);
    m_verifyEdit = makeField(QStringLiteral("passwordVerify"));
    auto* fields = new QGridLayout;
    fields->addWidget(m_passwordLabel, 0, 0);
    fields->addWidget(m_passwordEdit, 0, 1);
    fields->addWidget(m_verifyLabel, 1, 0);
    fields->addWidget(m_verifyEdit, 1, 1);
    groupLayout->addLayout(fields);
    connect(m_passwordEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_password = text; });
    groupLayout->addSpacing(20);

    m_description = new QLabel(group);
    m_description->setObjectName(QStringLiteral("privilegeDescription"));
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    groupLayout->addWidget(m_description, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);

    showWorking();
}

void PasswordPage::load(const CpuObject&)
{
    showWorking();
}

void PasswordPage::loadAtOpen(const CpuObject& object)
{
    setWorking(object.params.password.level, workingPasswordOf(object.params.password));
    showWorking();
}

void PasswordPage::showWorking()
{
    if (m_level < kFullLevel || m_level > kHighestLevel)
        return;
    m_privileges->button(m_level - 1)->setChecked(true);
    m_passwordEdit->setText(m_password);
    m_verifyEdit->setText(m_password);
    const bool enabled = m_level != kFullLevel;
    for (QWidget* widget :
         {static_cast<QWidget*>(m_passwordLabel), static_cast<QWidget*>(m_passwordEdit),
          static_cast<QWidget*>(m_verifyLabel), static_cast<QWidget*>(m_verifyEdit)})
        widget->setEnabled(enabled);
    switch (m_level) {
    case 1:
        m_description->setText(
            tr("Full Privileges. All functions are available without restriction. "));
        break;
    case 2:
        m_description->setText(
            tr("Read-Only Privileges. The user is allowed to read/write  PLC data and to upload "
               "the program without restriction. A correct password is required to download a "
               "program and force memory locations."));
        break;
    case 3:
        m_description->setText(
            tr("Minimum Privileges. The user is allowed to read/write PLC  data without "
               "restriction. A correct password is required to upload/download a user program "
               "and force memory locations."));
        break;
    default:
        m_description->setText(
            tr("Disallow Upload. This option will prevent the program from being upload, even "
               "when a correct password is entered. This level of password protection will also "
               "disallow execution status and project compare.\nA password is required to "
               "perform other operation."));
        break;
    }
}

void PasswordPage::apply(CpuObject& target)
{
    PasswordParams& record = target.params.password;
    record.level = quint8(m_level);
    record.password.fill(0);
    if (hasPassword(m_level)) {
        const QByteArray encoded = encodePwdLen8(m_password);
        for (int i = 0; i < kPasswordLength && i < encoded.size(); ++i)
            record.password[size_t(i)] = quint8(encoded.at(i));
        return;
    }
    for (int half = 0; half < 2; ++half) {
        for (int i = 0; i < 4; ++i)
            record.password[size_t(half * 4 + i)] = quint8(NoPasswordFiller >> (24 - 8 * i));
    }
}

QList<PageCheck> PasswordPage::checks() const
{
    return {{OkStep::Password, [this] {
                 return check();
             }}};
}

CheckResult PasswordPage::check() const
{
    if (hasPassword(m_level) && (m_password.isEmpty() || m_password != m_verifyEdit->text())) {
        return CheckFailure{
            CheckFailure::Kind::Warning,
            tr("The password you enter must be as the same as the confirm password."),
            m_passwordEdit};
    }
    return std::nullopt;
}

void PasswordPage::setWorking(int level, const QString& password)
{
    m_level = level;
    m_password = password;
}

QString PasswordPage::workingPasswordOf(const PasswordParams& record)
{
    if (record.level <= kFullLevel)
        return QString();
    const QByteArray field(reinterpret_cast<const char*>(record.password.data()),
                           int(record.password.size()));
    return decodePwdLen8(field).leftJustified(kPasswordLength, QLatin1Char(' '));
}

QList<QWidget*> PasswordPage::noInputMethodFields() const
{
    return {m_passwordEdit, m_verifyEdit};
}

void PasswordPage::slot_bttnGroupPriv(int id)
{
    m_level = id + 1;
    if (m_level == kFullLevel)
        m_password.clear();
    showWorking();
}

void PasswordPage::slot_bttnDefauPwd()
{
    m_password.clear();
    m_level = kFullLevel;
    requestDefaults();
}
