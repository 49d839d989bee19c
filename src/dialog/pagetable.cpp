#include "pagetable.h"

#include "cards/extcardpage.h"
#include "pages/addresspage.h"
#include "pages/backgroundpage.h"
#include "pages/canmasterpage.h"
#include "pages/eippage.h"
#include "pages/ethercatpage.h"
#include "pages/extbusclockpage.h"
#include "pages/generalpage.h"
#include "pages/hscpage.h"
#include "pages/inputfilterpage.h"
#include "pages/localportpage.h"
#include "pages/passwordpage.h"
#include "pages/ppiportspage.h"
#include "pages/profinetpage.h"
#include "pages/qbuspage.h"
#include "pages/retentivepage.h"
#include "pages/soepage.h"
#include "pages/tcpippage.h"

#include "opcua/ui/opcuapage.h"

#include <QCoreApplication>

namespace {

PagePresence always(const DialogContext&)
{
    return PagePresence::Shown;
}

PagePresence compactOnly(const DialogContext& c)
{
    return c.isCompact() ? PagePresence::Shown : PagePresence::Absent;
}

PagePresence notCompact(const DialogContext& c)
{
    return c.isCompact() ? PagePresence::Absent : PagePresence::Shown;
}

PagePresence withEtherCat(const DialogContext& c)
{
    return c.descriptor.SupportEtherCAT > 0 ? PagePresence::Shown : PagePresence::Absent;
}

// The compact model's CANopen port is not a master the dialog configures.
PagePresence withCanMaster(const DialogContext& c)
{
    return c.descriptor.SupportCANopen && !c.isCompact() ? PagePresence::Shown
                                                         : PagePresence::Absent;
}

PagePresence withQbus(const DialogContext& c)
{
    return c.projectSupportsQbus ? PagePresence::Shown : PagePresence::Absent;
}

PagePresence withEip(const DialogContext& c)
{
    return c.projectSupportsEip ? PagePresence::Shown : PagePresence::Absent;
}


PagePresence opcUa(const DialogContext& c)
{
    return c.opcUaSupported ? PagePresence::Shown : PagePresence::Absent;
}

// The local I/O pages go by the host's point counts; the compact model hides the Address
// item but keeps its page.
PagePresence localIo(const DialogContext& c)
{
    if (c.localInputPoints <= 0 && c.localOutputPoints <= 0)
        return PagePresence::Absent;
    return c.isCompact() ? PagePresence::HiddenItem : PagePresence::Shown;
}

PagePresence localInputs(const DialogContext& c)
{
    return c.localInputPoints > 0 ? PagePresence::Shown : PagePresence::Absent;
}

PagePresence counters(const DialogContext& c)
{
    return c.descriptor.SupportHSC > 0 ? PagePresence::Shown : PagePresence::Absent;
}

template <typename Page>
DialogPage* build(const DialogContext& context, QWidget* parent)
{
    return new Page(context, parent);
}

QVector<PageEntry> buildTable()
{
    // Tree texts and tab titles are translated where they are shown.
    return {
        {PageId::General, PageId::General, QT_TRANSLATE_NOOP("Corvopropdlg", "General"), nullptr,
         nullptr, "CPU Properties General", "CPU属性常规", always, build<GeneralPage>},
        {PageId::PpiPorts, PageId::TcpIp, nullptr, nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "PPI Ports"), nullptr, nullptr, notCompact,
         build<PpiPortsPage>},
        {PageId::TcpIp, PageId::TcpIp, QT_TRANSLATE_NOOP("Corvopropdlg", "Communication Ports"),
         QT_TRANSLATE_NOOP("Corvopropdlg", "TCP/IP Ports"),
         QT_TRANSLATE_NOOP("Corvopropdlg", "TCP/IP Port"), "CPU Properties Commport",
         "CPU属性通信端口", always, build<TcpIpPage>},
        {PageId::Retentive, PageId::Retentive,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Retentive Ranges"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Retentive Ranges"), "CPU Properties Retentive",
         "CPU属性断电数据保持", always, build<RetentivePage>},
        {PageId::Password, PageId::Password, QT_TRANSLATE_NOOP("Corvopropdlg", "Password"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Password"), "CPU Properties Password", "CPU属性密码",
         always, build<PasswordPage>},
        {PageId::Background, PageId::Background,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Background Time"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Background Time"), "CPU Properties Backtime",
         "CPU属性背景时间", always, build<BackgroundPage>},
        {PageId::Soe, PageId::Soe, QT_TRANSLATE_NOOP("Corvopropdlg", "SOE Configurations"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "SOE Configurations"), "CPU Properties Soe",
         "CPU属性SOE配置", always, build<SoePage>},
        {PageId::ExtBusClock, PageId::ExtBusClock,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Extend Bus Clock Configurations"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Extend Bus Clock Configurations"),
         "CPU Properties Extendclock", "CPU属性扩展总线时钟配置", always, build<ExtBusClockPage>},
        {PageId::EtherCat, PageId::EtherCat, QT_TRANSLATE_NOOP("Corvopropdlg", "EtherCAT"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "EtherCAT"), "CPU Properties Ethercat",
         "CPU属性EtherCAT", withEtherCat, build<EtherCatPage>},
        {PageId::CanMaster, PageId::CanMaster, QT_TRANSLATE_NOOP("Corvopropdlg", "CANopen Master"),
         nullptr, QT_TRANSLATE_NOOP("Corvopropdlg", "CANopen Master"), "CPU Properties Canopen",
         "CPU属性CANopen主站", withCanMaster, build<CanMasterPage>},
        {PageId::Address, PageId::Address, QT_TRANSLATE_NOOP("Corvopropdlg", "Address"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Address"), "CPU Address Map", "CPU集成IO地址映射",
         localIo, build<AddressPage>},
        {PageId::InputFilter, PageId::InputFilter,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Input Filter"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "Input Filter"), "CPU DI Input Filter",
         "CPU集成DI输入滤波", localInputs, build<InputFilterPage>},
        {PageId::Hsc, PageId::Hsc, QT_TRANSLATE_NOOP("Corvopropdlg", "High-speed Counter"), nullptr,
         nullptr, "CPU HSC Config", "CPU集成HSC", counters, build<HscPage>},
        {PageId::OpcUa, PageId::OpcUa, QT_TRANSLATE_NOOP("Corvopropdlg", "OPC UA"), nullptr,
         nullptr, "OPC UA", "OPC UA配置", opcUa, build<OpcUaPage>},
        {PageId::Profinet, PageId::Profinet, QT_TRANSLATE_NOOP("Corvopropdlg", "Profinet Bus"),
         nullptr, QT_TRANSLATE_NOOP("Corvopropdlg", "Profinet Bus"), "Profinet config",
         "Profinet配置", always, build<ProfinetPage>},
        {PageId::Qbus, PageId::Qbus, QT_TRANSLATE_NOOP("Corvopropdlg", "QBUS Bus"), nullptr,
         QT_TRANSLATE_NOOP("Corvopropdlg", "QBUS Bus"), "QBUS config", "QBUS配置", withQbus,
         build<QbusPage>},
        {PageId::ExtCard, PageId::ExtCard, QT_TRANSLATE_NOOP("Corvopropdlg", "Extend Card"),
         nullptr, nullptr, "Extend Card Config", "扩展卡配置", compactOnly, build<ExtCardPage>},
        {PageId::LocalPort, PageId::LocalPort, QT_TRANSLATE_NOOP("Corvopropdlg", "PPI Ports"),
         nullptr, nullptr, "Local Port", "本机端口配置", compactOnly, build<LocalPortPage>},
        {PageId::Eip, PageId::Eip, QT_TRANSLATE_NOOP("Corvopropdlg", "Ethernet/IP"), nullptr,
         nullptr, "EthernetIP", "EthernetIP配置", withEip, build<EipPage>},
    };
}

} // namespace

const QVector<PageEntry>& PageTable::pages()
{
    static const QVector<PageEntry> table = buildTable();
    return table;
}

const PageEntry* PageTable::find(PageId id)
{
    for (const PageEntry& entry : pages()) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

QList<PageId> PageTable::defaultAllOrder(const DialogContext& context)
{
    QList<PageId> order{PageId::PpiPorts,   PageId::TcpIp,    PageId::Retentive,   PageId::Password,
                        PageId::Background, PageId::Soe,      PageId::ExtBusClock, PageId::EtherCat,
                        PageId::Eip,        PageId::CanMaster};
    // The grouped filter and the counters are stored by these models only.
    if (CpuModel::hasLocalIoSections(context.descriptor.MLFB))
        order << PageId::InputFilter << PageId::Hsc;
    order << PageId::OpcUa << PageId::Profinet << PageId::Qbus;
    if (context.isCompact())
        order << PageId::InputFilter << PageId::LocalPort << PageId::ExtCard;
    return order;
}

QString PageTable::treeText(const PageEntry& entry, const DialogContext& context)
{
    const char* text =
        context.isCompact() && entry.compactTreeText ? entry.compactTreeText : entry.treeText;
    return QCoreApplication::translate("Corvopropdlg", text);
}
