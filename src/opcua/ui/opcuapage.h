#pragma once

#include "dialog/dialogpage.h"

class OPCUAWidget;
class OpcUaInterfaceTab;
class QTabWidget;

// The dialog's OPC UA page: the tabs "Login configuration" (the server settings) and
// "Interface configuration" (the published interfaces). It loads both payloads from the
// object, runs the settings check at OK, writes both payloads back, and exchanges them
// with *.opuca files through the settings tab's Import and Export.
class OpcUaPage : public DialogPage
{
    Q_OBJECT

public:
    explicit OpcUaPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    // The settings go back to their defaults; the interfaces stay as they are.
    void loadDefaults(const CpuObject& defaults) override;
    void apply(CpuObject& target) override;
    QList<PageCheck> checks() const override;

    OPCUAWidget* settingsTab() const { return m_settings; }
    OpcUaInterfaceTab* interfaceTab() const { return m_interfaces; }

    // Where the file dialogs start; they remember the last folder of each, for as long as
    // the plug-in stays loaded.
    static QString lastExportFolder();
    static QString lastImportFolder();

public slots:
    void exportOpcUaConfig();
    void importOpcUaConfig();

private:
    QTabWidget* m_tabs = nullptr;
    OPCUAWidget* m_settings = nullptr;
    OpcUaInterfaceTab* m_interfaces = nullptr;
};
