#include "opcuanodepanel.h"

#include "opcua/opcuaaddressrules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

OpcUaNodePanel::OpcUaNodePanel(QWidget* parent)
    : QGroupBox(tr("Node Information"), parent)
{
    setObjectName(QStringLiteral("nodeInformation"));
    auto* attributes = new QGroupBox(tr("Variable Attributes"), this);
    attributes->setObjectName(QStringLiteral("variableAttributes"));
    m_address = new QLineEdit(attributes);
    m_address->setObjectName(QStringLiteral("nodeAddress"));
    m_address->setReadOnly(true);
    m_access = new QComboBox(attributes);
    m_access->setObjectName(QStringLiteral("nodeAccessLevel"));
    m_dataType = new QComboBox(attributes);
    m_dataType->setObjectName(QStringLiteral("nodeDataType"));
    m_browseName = textField("nodeBrowseName");
    m_displayName = textField("nodeDisplayName");
    m_description = textField("nodeDescription");

    // Two columns: what the address decides on the left, the names on the right.
    auto* grid = new QGridLayout(attributes);
    const auto add = [&](int row, int column, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, attributes);
        label->setBuddy(field);
        grid->addWidget(label, row, column * 2);
        grid->addWidget(field, row, column * 2 + 1);
    };
    add(0, 0, tr("Address:"), m_address);
    add(1, 0, tr("AccessLevel:"), m_access);
    add(2, 0, tr("Data Type:"), m_dataType);
    add(0, 1, tr("Browse Name:"), m_browseName);
    add(1, 1, tr("Display Name:"), m_displayName);
    add(2, 1, tr("Description:"), m_description);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(attributes);

    connect(m_access, QOverload<int>::of(&QComboBox::activated), this, [this] {
        m_accessChosen = true;
        emit edited();
    });
    connect(m_dataType, QOverload<int>::of(&QComboBox::activated), this, [this] {
        m_typeChosen = true;
        emit edited();
    });
    clearRecord();
}

QLineEdit* OpcUaNodePanel::textField(const char* name)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(MaxTextLength);
    connect(field, &QLineEdit::editingFinished, this, [this, field] { textLeft(field); });
    return field;
}

void OpcUaNodePanel::textLeft(QLineEdit* field)
{
    if (field->isModified())
        emit edited();
}

void OpcUaNodePanel::showRecord(const OpcUaVarRecord& r)
{
    setEnabled(true);
    m_accessChosen = m_typeChosen = false;
    m_address->setText(r.address);
    m_access->clear();
    if (OpcUaAddressRules::isReadOnly(r.address)) {
        m_access->addItem(QStringLiteral("R"), quint32(OpcUaAccessLevel::Read));
    } else {
        for (auto level :
             {OpcUaAccessLevel::Read, OpcUaAccessLevel::Write, OpcUaAccessLevel::ReadWrite})
            m_access->addItem(OpcUaTypes::accessLevelName(quint32(level)), quint32(level));
        m_access->setCurrentIndex(qMax(0, m_access->findData(r.accessLevel)));
    }
    m_dataType->clear();
    const QVector<OpcUaDataType> types = OpcUaAddressRules::dataTypes(r.addressKind);
    for (OpcUaDataType type : types)
        m_dataType->addItem(OpcUaTypes::dataTypeName(quint32(type)), quint32(type));
    if (types.isEmpty()) {
        m_dataType->addItem(QStringLiteral("UNKNOWN"), r.dataType);
    } else {
        // A type the kind does not offer shows the kind's last choice (STRING, FLOAT).
        const int at = m_dataType->findData(r.dataType);
        m_dataType->setCurrentIndex(at >= 0 ? at : m_dataType->count() - 1);
    }
    // Longer texts show cut to the field but are kept unless the user edits them.
    for (auto [field, text] :
         {std::pair{m_browseName, &r.browseName}, std::pair{m_displayName, &r.displayName},
          std::pair{m_description, &r.description}}) {
        field->setText(*text);
        field->setModified(false);
        field->setCursorPosition(0);
    }
}

void OpcUaNodePanel::clearRecord()
{
    for (QLineEdit* field : {m_address, m_browseName, m_displayName, m_description}) {
        field->clear();
        field->setModified(false);
    }
    m_access->clear();
    m_dataType->clear();
    m_accessChosen = m_typeChosen = false;
    setEnabled(false);
}

OpcUaNodeValues OpcUaNodePanel::values(const OpcUaVarRecord& record) const
{
    OpcUaNodeValues r{record.accessLevel, record.dataType, record.browseName, record.displayName,
                      record.description};
    if (m_accessChosen && m_access->count() > 0)
        r.accessLevel = m_access->currentData().toUInt();
    if (m_typeChosen && m_dataType->count() > 0)
        r.dataType = m_dataType->currentData().toUInt();
    if (m_browseName->isModified())
        r.browseName = m_browseName->text();
    if (m_displayName->isModified())
        r.displayName = m_displayName->text();
    if (m_description->isModified())
        r.description = m_description->text();
    return r;
}

bool OpcUaNodePanel::hasChanges() const
{
    return m_accessChosen || m_typeChosen || m_browseName->isModified() ||
           m_displayName->isModified() || m_description->isModified();
}
