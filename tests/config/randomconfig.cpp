#include "randomconfig.h"

#include <model/cpuobjectfactory.h>
#include <model/modulecatalog.h>
#include <model/slaveregistry.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>
#include <slaves/slavecontrol.h>

namespace {

const int kModels[] = {0x21, 0x22, 0x30, 0x10, 3};

// Characters from several scripts, a quote, a backslash and a control character.
const QString kAlphabet = QString::fromUtf8("abcXYZ019 _-.\"\\\t/äöüßé漢字测试ЖЯ€");

} // namespace

RandomConfig::RandomConfig(quint32 seed)
    : m_random(seed)
{}

QString RandomConfig::text(int maxChars)
{
    QString s;
    for (int i = 0, n = int(u(quint32(maxChars) + 1)); i < n; ++i)
        s += kAlphabet.at(int(u(quint32(kAlphabet.size()))));
    return s;
}

QByteArray RandomConfig::stray(int count)
{
    QByteArray b;
    while (b.size() < count)
        b.append(char(u(256)));
    return b;
}

template <typename Text>
void RandomConfig::fixedText(Text& field)
{
    if (chance(70)) {
        field.setText(text(12));
    } else {
        // Any bytes: a length beyond the buffer, bytes behind the text, no text at all.
        fill(field.raw);
        if (chance(50))
            field.raw[0] = quint8(u(quint32(field.raw.size())));
    }
}

void RandomConfig::module(CpuObject& o)
{
    ModuleDescriptor& d = o.descriptor;
    d.rackId = qint8(u(256));
    d.slotId = qint8(u(256));
    d.ObjName = text(20);
    d.comment = chance(20) ? text(200) : text(20);
    any(d.position.x, d.position.y, d.ModuleInfo, d.FwVersion);
    fill(d.BuffCnfg);
    fill(d.SyncCnfg);
    for (LocalIoMap* map : {&d.inMap, &d.outMap})
        any(map->area, map->startByte, map->points);

    CpuParams& p = o.params;
    for (PortParams* port : {&p.port0, &p.port1})
        any(port->tag, port->highestAddress, port->plcAddress, port->retryCount, port->baudCode,
            port->gapFactor);
    TcpIpParams& t = p.tcpIp;
    fixedText(t.deviceName);
    fixedText(t.groupName);
    fixedText(t.domain);
    fixedText(t.groupNameShort);
    fixedText(t.altDomain);
    for (IpV4* ip : {&t.ip, &t.mask, &t.gateway, &t.dns, &t.altDns})
        fill(*ip);
    fill(t.claimPassword);
    any(t.port, t.addressMode, t.remoteControl, t.serverPort);
    for (RetentiveRange& r : p.retentive) {
        any(r.tag, r.syntax, r.typeCode, r.count, r.dbNumber, r.areaCode);
        r.start = u(0x1000000);
    }
    any(p.password.tag, p.password.level, p.background.tag, p.background.percent);
    fill(p.password.password);

    for (int i = 0; i < SoeRecord::SlotCount; ++i) {
        SoeRecord& r = o.soe[size_t(i)];
        r = SoeRecord::creationDefault();
        if (!chance(40))
            continue;
        r.slot = quint8(i);
        any(r.event, r.formatIndex);
        for (VarRef* v : {&r.trigger, &r.process}) {
            any(v->syntax, v->typeCode, v->count, v->dbNumber, v->area);
            v->address = u(0x1000000);
        }
        // Now and then longer than a record can carry; the writer cuts it.
        r.title = chance(5) ? text(300) : text(30);
    }
}

void RandomConfig::buses(CpuObject& o)
{
    any(o.extBusClock, o.inputFilterCount);
    o.inputFilterCodes = stray(int(u(20)));
    for (HscChannel& h : o.hsc)
        any(h.control, h.modeEnable, h.preset, h.current, h.filterIndex, h.speedTime);
    EtherCatSettings& e = o.etherCat;
    any(e.dcEnabled, e.dcCycleTime, e.syncOffset, e.syncWindowMonitor, e.syncWindow, e.taskInterval,
        e.redundancy);
    o.canMasterEnabled = chance(50);
    CanMasterConfig& m = o.canMaster;
    any(m.useCanopen, m.nodeId, m.baudRate, m.objectId, m.cyclePeriod, m.heartbeat, m.cobId);
    ProfinetSettings& pn = o.profinet;
    below(2, e.enabled, pn.useBus, pn.useCustomName, pn.ipFromOtherSources, o.eip.enabled,
          o.qbus.useSlave, o.qbus.useCustomName, o.qbus.masterEnabled);
    pn.customName = text(70).remove(QChar());
    o.qbus.customName = text(30);
    any(o.qbus.protocolType);
    LocalPort& l = o.localPort;
    any(l.portNumber, l.protocol, l.baudCode, l.dataLength, l.parity, l.stopBits, l.responseTime,
        l.address, l.highestAddress, l.plcAddress, l.retryCount, l.gapFactor, l.receiveTimeout);
}

void RandomConfig::cards(CpuObject& o)
{
    auto serial = [this](SerialChannel& s) {
        any(s.enabled, s.port, s.protocol, s.baud, s.dataLength, s.parity, s.stopBits,
            s.responseTime, s.address, s.receiveTimeout);
    };
    for (int i = 0; i < CpuObject::CardCount; ++i) {
        CardRecord& c = o.cards[size_t(i)];
        c = CardRecord();
        c.slot = quint8(i);
        c.type = quint8(u(8));
        c.name = text(20);
        c.description = text(40);
        any(c.activated, c.can485.canEnabled, c.can485.canPort, c.can485.canProtocol,
            c.rtc485.rtcEnabled);
        serial(c.can485.channel0);
        serial(c.rtc485.channel0);
        serial(c.rtc485.channel1);
        Amx05Params& a = c.amx05;
        any(a.inputArea, a.inputStart, a.inputWords, a.outputArea, a.outputStart, a.outputWords);
        for (QList<AnalogChannel>* list : {&a.inputs, &a.outputs}) {
            for (int k = 0, n = int(u(4)); k < n; ++k) {
                AnalogChannel channel{};
                fill(channel);
                list->append(channel);
            }
        }
        c.rtcData = stray(int(u(40)));
        for (Dix06Channel& d : c.dix06) {
            below(256, d.direction, d.filter, d.freeze, d.area);
            any(d.bitAddress, d.byte20);
        }
    }
}

// A variable in an area, in the analog image or in a data block; with a block given, an
// element of it.
OpcUaVarRecord RandomConfig::variable(const QString& block)
{
    static const quint32 types[] = {0, 1, 2, 3, 4, 5, 6, 9, 11};
    static const char* const areas[] = {"I", "Q", "M", "V", "S", "SM"};
    OpcUaVarRecord r;
    r.dataType = types[u(9)];
    const QString offset = QString::number(u(500));
    const QString bit = QStringLiteral(".%1").arg(u(8));
    const auto in = [&](const QString& prefix, const QString& bitLetter) {
        return r.dataType == 0 ? prefix + bitLetter + offset + bit
                               : prefix + OpcUaTypes::sizeLetter(r.dataType) + offset;
    };
    if (!block.isEmpty()) {
        r.address = in(block + QLatin1String(".DB"), QStringLiteral("X"));
    } else if (r.dataType == 3 && chance(20)) {
        r.address =
            (chance(50) ? QLatin1String("AIW") : QLatin1String("AQW")) + QString::number(2 * u(32));
        r.addressKind = quint32(OpcUaAddressKind::AnalogWord);
    } else if (chance(15)) {
        r.dbNumber = quint16(1 + u(300));
        r.address = in(QStringLiteral("DB%1.DB").arg(r.dbNumber), QStringLiteral("X"));
    } else {
        r.address = in(QLatin1String(areas[u(6)]), QString());
    }
    if (chance(10))
        r.dbNumber = quint16(u(65536)); // a number the address does not imply
    r.accessLevel = 1 + u(3);
    r.browseName = text(12);
    r.displayName = text(12);
    r.description = text(20);
    r.reserved = chance(10) ? quint8(u(256)) : 0;
    return r;
}

void RandomConfig::opcUa(CpuObject& o)
{
    o.opcUaSettingsData.clear();
    o.opcUaInterfaceData.clear();
    if (chance(70)) {
        OpcUaSettings s;
        below(2, s.serverEnabled, s.anonymousLogin, s.userAuthentication, s.securityEnabled);
        for (int i = 0, n = int(u(4)); i < n; ++i)
            s.users.append({text(10) + QLatin1Char('u'), text(10) + QLatin1Char('p')});
        any(s.port, s.sessionTimeout, s.maxSessions, s.samplingInterval, s.publishingInterval,
            s.monitoredItems);
        s.serverName = text(30);
        s.certificateContent = text(60);
        s.keyContent = text(60);
        s.certificateUri = text(20);
        s.certificateFileName = text(20);
        o.opcUaSettingsData = OpcUaSettingsCodec::encode(s);
    } else if (chance(50)) {
        o.opcUaSettingsData = stray(1 + int(u(30)));
    }
    const auto dataBlock = [this](quint16 number, int elements) {
        OpcUaVarRecord object = variable(QString());
        object.dataType = quint32(OpcUaDataType::Object);
        object.address = QStringLiteral("DB%1").arg(number);
        object.dbNumber = number;
        for (int k = 0; k < elements; ++k) {
            object.elements.push_back(variable(object.address));
            if (!chance(10))
                object.elements.back().dbNumber = number;
        }
        return object;
    };
    if (chance(70)) {
        OpcUaInterfaces interfaces;
        for (int i = 0, n = int(u(4)); i < n; ++i) {
            OpcUaInterface iface{text(12), {}};
            for (int k = 0, m = int(u(5)); k < m; ++k)
                iface.records.push_back(variable(QString()));
            if (chance(50)) {
                const quint16 number = quint16(1 + u(100));
                iface.records.push_back(dataBlock(number, int(u(4))));
                if (chance(30)) // a block inside the block
                    iface.records.back().elements.push_back(dataBlock(number + 1, 1));
            }
            interfaces.push_back(iface);
        }
        o.opcUaInterfaceData = OpcUaInterfaceCodec::encode(interfaces);
    } else if (chance(50)) {
        o.opcUaInterfaceData = stray(1 + int(u(30)));
    }
}

void RandomConfig::slaves(CpuObject& o)
{
    // Now and then slaves that share a node id: the block keeps their order.
    auto nodeIds = [this](int n) {
        QList<int> ids;
        const quint32 range = chance(30) ? 3 : 200;
        while (ids.size() < n)
            ids.append(int(u(range)));
        return ids;
    };
    const QString ecat = QStringLiteral("ecatslavekit.dll");
    const SlaveControl ecatControl(ecat);
    if (o.etherCat.enabled) {
        for (int id : nodeIds(int(u(4)))) {
            const int slave = ecatControl.create(id, text(8));
            for (int k = 0, n = int(u(3)); k < n; ++k)
                ecatControl.addChild(slave, ecatControl.create(id * 100 + k + 1, text(6)));
            ecatControl.setIoMapChanged(slave, chance(30));
            ecatControl.setItems(slave, {{1, int(u(20))}, {2, int(u(5))}});
            SlaveRegistry::insertOrdered(o.etherCatSlaves, slave, ecat);
        }
    }
    if (o.canMasterEnabled) {
        for (int id : nodeIds(int(u(4)))) {
            const QString plugin =
                chance(50) ? QStringLiteral("dpslavekit.dll") : QStringLiteral("canslavekit.dll");
            SlaveRegistry::appendCan(o.canMaster.slaves, SlaveControl(plugin).create(id, text(8)),
                                     plugin);
        }
    }
    const auto plain = [&](QList<SlaveEntry>& list, const QString& plugin) {
        for (int id : nodeIds(int(u(3))))
            SlaveRegistry::insertOrdered(list, SlaveControl(plugin).create(id, text(8)), plugin);
    };
    plain(o.qbus.slaves, QStringLiteral("qbusslavekit.dll"));
    if (o.eip.enabled)
        plain(o.eip.slaves, QStringLiteral("eipslavekit.dll"));
}

std::unique_ptr<CpuObject> RandomConfig::object(const QString& projectPath)
{
    auto o = std::make_unique<CpuObject>();
    o->projectPath = projectPath;
    ModuleCatalog::lookup(kModels[u(5)], o->descriptor);
    o->descriptor.projectPath = projectPath;
    o->opcUaSupported = CpuObjectFactory::projectSupportsOpcUa(projectPath);
    module(*o);
    buses(*o);
    cards(*o);
    opcUa(*o);
    slaves(*o);
    return o;
}
