#include "opcuapage.h"

#include "opcuaparwdgt.h"
#include "opcuawidget.h"

#include "dialog/filedialogs.h"
#include "dialog/messages.h"

#include "opcua/opcuafile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("*.opuca");

QString& exportFolder()
{
    static QString folder;
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return folder;
}

QString& importFolder()
{
    static QString folder;
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return folder;
}

} // namespace

OpcUaPage::OpcUaPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::OpcUa, context, parent)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("opcUaTabs"));
    m_settings = new OPCUAWidget(QByteArray(), m_tabs);
    m_interfaces = new OpcUaParWdgt(QByteArray(), context.projectPath, m_tabs);
    m_tabs->addTab(m_settings, tr("Login configuration"));
    m_tabs->addTab(m_interfaces, tr("Interface configuration"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    connect(m_settings, &OPCUAWidget::signal_exportData, this, &OpcUaPage::exportOpcUaConfig);
    connect(m_settings, &OPCUAWidget::signal_importData, this, &OpcUaPage::importOpcUaConfig);
}

void OpcUaPage::load(const CpuObject& source)
{
    m_settings->restoreDefaults();
    m_settings->importSettings(source.opcUaSettingsData);
    m_interfaces->setInterfaceData(source.opcUaInterfaceData);
}

void OpcUaPage::loadDefaults(const CpuObject& defaults)
{
    // A default object's payload is empty, which loads nothing: the defaults are the
    // page's own. The interfaces have a Defaults of their own and are not touched here.
    m_settings->restoreDefaults();
    m_settings->importSettings(defaults.opcUaSettingsData);
}

void OpcUaPage::apply(CpuObject& target)
{
    target.opcUaSettingsData = m_settings->settingsData();
    target.opcUaInterfaceData = m_interfaces->interfaceData();
}

QList<PageCheck> OpcUaPage::checks() const
{
    return {{OkStep::OpcUaSettings, [this] {
                 return m_settings->validateOpcUaSettings();
             }}};
}

QString OpcUaPage::lastExportFolder()
{
    return exportFolder();
}

QString OpcUaPage::lastImportFolder()
{
    return importFolder();
}

void OpcUaPage::exportOpcUaConfig()
{
    const QString path =
        FileDialogs::getSaveFileName(this, tr("Save file"), exportFolder(), kFilter);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Messages::show(this, QMessageBox::Information, tr("Export failed"),
                       tr("Failed to open file"));
        return;
    }
    exportFolder() = QFileInfo(path).absolutePath();
    // A file half written must not pass for an export.
    if (!OpcUaFile::write(file, {m_settings->settingsData(), m_interfaces->interfaceData()}) ||
        !file.commit())
        Messages::show(this, QMessageBox::Information, tr("Export failed"),
                       tr("Failed to write file"));
}

void OpcUaPage::importOpcUaConfig()
{
    const QString path =
        FileDialogs::getOpenFileName(this, tr("Open file"), importFolder(), kFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Messages::show(this, QMessageBox::Information, tr("Import failed"),
                       tr("Failed to open file"));
        return;
    }
    importFolder() = QFileInfo(path).absolutePath();
    // All or nothing: a file that is not two complete payloads changes neither tab.
    QString problem;
    const auto contents = OpcUaFile::read(file, &problem);
    if (!contents) {
        Messages::show(this, QMessageBox::Information, tr("Import failed"),
                       tr("The file holds no complete OPC UA configuration: %1.").arg(problem));
        return;
    }
    m_settings->importSettings(contents->settings);
    m_interfaces->importInterfaces(contents->interfaces);
}
