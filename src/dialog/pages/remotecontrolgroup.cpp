#include "remotecontrolgroup.h"

#include "dialog/inputrules.h"

#include "model/cpuparams.h"

#include <corekit/pwdcodec.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <climits>

namespace {

constexpr int kNameMaxLength = 31;
constexpr int kPasswordMaxLength = 8;

int portValue(quint32 stored)
{
    return int(qMin<quint32>(stored, INT_MAX));
}

} // namespace

RemoteControlGroup::RemoteControlGroup(bool remoteControl, QWidget* parent)
    : QGroupBox(parent)
    , m_remoteControl(remoteControl)
{
    setObjectName(QStringLiteral("remoteControlBox"));
    if (m_remoteControl) {
        setTitle(tr("Enable Remote Control"));
        setCheckable(true);
    }

    const auto lineEdit = [this](const char* name, int maxLength) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(maxLength);
        edit->setValidator(InputRules::passwordCharacters(edit));
        return edit;
    };
    const QRegularExpression domainCharacters(QStringLiteral(R"re([a-zA-Z0-9._\-]+)re"));
    const auto domainList = [this, &domainCharacters](const char* name) {
        auto* list = new MComboBoxEx(this);
        list->setObjectName(QLatin1String(name));
        list->setEditable(true);
        list->setValidator(new QRegularExpressionValidator(domainCharacters, list));
        return list;
    };

    m_deviceName = lineEdit("deviceName", kNameMaxLength);
    m_domain = domainList("domain");
    m_serverPort = new MSpinBoxEx(this);
    m_serverPort->setObjectName(QStringLiteral("serverPort"));
    // Wider than the allowed ports, so that a stored port outside them reaches the check of
    // OK instead of being clamped silently.
    m_serverPort->setRange(0, 65535);
    m_altDomain = domainList("altDomain");
    m_groupName = lineEdit("groupName", kNameMaxLength);
    m_claimPassword = lineEdit("claimPassword", kPasswordMaxLength);
    m_claimPassword->setEchoMode(QLineEdit::Password);
    m_claimVerify = lineEdit("claimVerify", kPasswordMaxLength);
    m_claimVerify->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout(this);
    form->addRow(tr("Device Name:"), m_deviceName);
    form->addRow(tr("Domain:"), m_domain);
    form->addRow(tr("Server Port:"), m_serverPort);
    form->addRow(tr("Alt Domain:"), m_altDomain);
    form->addRow(tr("Group Name:"), m_groupName);
    form->addRow(tr("Claim Password:"), m_claimPassword);
    form->addRow(tr("Verify:"), m_claimVerify);

    connect(m_domain, &QComboBox::editTextChanged, this,
            &RemoteControlGroup::slot_serverDomainTextChanged);
    connect(m_altDomain, &QComboBox::editTextChanged, this,
            &RemoteControlGroup::slot_serverDomainBKTextChanged);
}

void RemoteControlGroup::load(const TcpIpParams& net)
{
    if (m_remoteControl)
        setChecked(net.remoteControl != 0);
    m_deviceName->setText(net.deviceName.text());
    m_serverPort->setValue(portValue(net.serverPort));
    loadDomainList(m_domain, net.domain.text());
    loadDomainList(m_altDomain, net.altDomain.text());

    const QString password = decodePwdLen8(QByteArray(
        reinterpret_cast<const char*>(net.claimPassword.data()), int(net.claimPassword.size())));
    m_claimPassword->setText(password);
    m_claimVerify->setText(password);

    const QString groupName = net.groupName.text();
    m_groupName->setText(groupName.isEmpty() ? net.groupNameShort.text() : groupName);
}

void RemoteControlGroup::apply(TcpIpParams& net) const
{
    if (m_remoteControl)
        net.remoteControl = isChecked() ? 1 : 0;
    net.deviceName.setText(m_deviceName->text());
    net.groupName.setText(m_groupName->text());
    net.serverPort = quint32(m_serverPort->value());
    net.domain.setText(m_domain->currentText());

    const QByteArray encoded = encodePwdLen8(m_claimPassword->text());
    net.claimPassword.fill(0);
    std::copy(encoded.begin(),
              encoded.begin() + qMin(encoded.size(), int(net.claimPassword.size())),
              net.claimPassword.begin());

    net.groupNameShort.setText(m_groupName->text());
    net.altDomain.setText(m_altDomain->currentText());
}

CheckResult RemoteControlGroup::checkDeviceName() const
{
    if (const RuleResult failure = TcpIpRules::deviceName(m_deviceName->text()))
        return failureAt(*failure, m_deviceName);
    return std::nullopt;
}

CheckResult RemoteControlGroup::checkClaimPassword() const
{
    if (m_claimPassword->text() == m_claimVerify->text())
        return std::nullopt;
    return CheckFailure{CheckFailure::Kind::Information,
                        tr("The password you enter must be as the same as the confirm password."),
                        m_claimPassword};
}

CheckResult RemoteControlGroup::checkServerPort() const
{
    if (const RuleResult failure = TcpIpRules::serverPort(m_serverPort->value()))
        return failureAt(*failure, m_serverPort);
    return std::nullopt;
}

QList<QWidget*> RemoteControlGroup::noInputMethodFields() const
{
    return {m_claimPassword, m_claimVerify};
}

void RemoteControlGroup::slot_serverDomainTextChanged(const QString&)
{
    InputRules::limitBytes(m_domain->lineEdit(), DomainMaxBytes);
}

void RemoteControlGroup::slot_serverDomainBKTextChanged(const QString&)
{
    InputRules::limitBytes(m_altDomain->lineEdit(), DomainMaxBytes);
}

void RemoteControlGroup::loadDomainList(MComboBoxEx* list, const QString& stored)
{
    const QString builtIn = CpuDefaults::remoteServerHost();
    list->clear();
    list->addItem(builtIn);
    if (stored != builtIn && !stored.isEmpty()) {
        list->insertItem(0, stored);
        list->setCurrentIndex(0);
    }
    list->setEditText(stored);
}
