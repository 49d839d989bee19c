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
    const int n = int(u(quint32(maxChars) + 1));
    for (int i = 0; i < n; ++i)
        s += kAlphabet.at(int(u(quint32(kAlphabet.size()))));
    return s;
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

void RandomConfig::header(ModuleDescriptor& d)
{
    d.rackId = qint8(byte());
    d.slotId = qint8(byte());
    d.ObjName = text(20);
    d.comment = chance(20) ? text(200) : text(20);
    d.position = {qint32(m_random.generate()), qint32(m_random.generate())};
    d.ModuleInfo = m_random.generate();
    d.FwVersion = byte();
    fill(d.BuffCnfg);
    fill(d.SyncCnfg);
    for (LocalIoMap* map : {&d.inMap, &d.outMap}) {
        map->area = byte();
        map->startByte = quint16(u(65536));
        map->points = byte();
    }
}

void RandomConfig::params(CpuParams& p)
{
    for (PortParams* port : {&p.port0, &p.port1}) {
        port->tag = quint16(u(65536));
        port->highestAddress = byte();
        port->plcAddress = byte();
        port->retryCount = byte();
        port->baudCode = byte();
        port->gapFactor = byte();
    }
    TcpIpParams& t = p.tcpIp;
    fixedText(t.deviceName);
    fixedText(t.groupName);
    fixedText(t.domain);
    fixedText(t.groupNameShort);
    fixedText(t.altDomain);
    for (IpV4* ip : {&t.ip, &t.mask, &t.gateway, &t.dns, &t.altDns})
        fill(*ip);
    t.port = m_random.generate();
    t.addressMode = byte();
    t.remoteControl = byte();
    t.serverPort = m_random.generate();
    fill(t.claimPassword);
    for (RetentiveRange& r : p.retentive) {
        r.tag = quint16(u(65536));
        r.syntax = byte();
        r.typeCode = byte();
        r.count = quint16(u(65536));
        r.dbNumber = quint16(u(65536));
        r.areaCode = byte();
        r.start = u(0x1000000);
    }
    p.password.tag = quint16(u(65536));
    p.password.level = byte();
    fill(p.password.password);
    p.background.tag = quint16(u(65536));
    p.background.percent = byte();
}

void RandomConfig::soe(CpuObject& o)
{
    for (int i = 0; i < SoeRecord::SlotCount; ++i) {
        SoeRecord& r = o.soe[size_t(i)];
        r = SoeRecord::creationDefault();
        if (!chance(40))
            continue;
        r.slot = quint8(i);
        r.event = byte();
        for (VarRef* v : {&r.trigger, &r.process}) {
            v->syntax = byte();
            v->typeCode = byte();
            v->count = quint16(u(65536));
            v->dbNumber = quint16(u(65536));
            v->area = byte();
            v->address = u(0x1000000);
        }
        r.formatIndex = byte();
        // Now and then longer than a record can carry; the writer cuts it.
        r.title = chance(5) ? text(300) : text(30);
    }
}

void RandomConfig::buses(CpuObject& o)
{
    o.extBusClock = byte();
    o.inputFilterCount = byte();
    o.inputFilterCodes.clear();
    for (int i = 0, n = int(u(20)); i < n; ++i)
        o.inputFilterCodes.append(char(byte()));
    for (HscChannel& h : o.hsc) {
        h.control = byte();
        h.modeEnable = byte();
        h.preset = m_random.generate();
        h.current = m_random.generate();
        h.filterIndex = byte();
        h.speedTime = quint16(u(65536));
    }
    EtherCatSettings& e = o.etherCat;
    e.enabled = chance(50) ? 1 : 0;
    e.dcEnabled = byte();
    e.dcCycleTime = m_random.generate();
    e.syncOffset = byte();
    e.syncWindowMonitor = byte();
    e.syncWindow = m_random.generate();
    e.taskInterval = m_random.generate();
    e.redundancy = byte();
    o.canMasterEnabled = chance(50);
    CanMasterConfig& m = o.canMaster;
    m.useCanopen = byte();
    m.nodeId = byte();
    m.baudRate = qint32(m_random.generate());
    m.objectId = qint32(m_random.generate());
    m.cyclePeriod = m_random.generate();
    m.heartbeat = quint16(u(65536));
    m.cobId = m_random.generate();
    o.profinet = {quint8(u(2)), quint8(u(2)), text(70).remove(QChar()), quint8(u(2))};
    o.eip.enabled = quint8(u(2));
    o.qbus.useSlave = quint8(u(2));
    o.qbus.useCustomName = quint8(u(2));
    o.qbus.customName = text(30);
    o.qbus.masterEnabled = quint8(u(2));
    o.qbus.protocolType = byte();
    LocalPort& l = o.localPort;
    for (quint8* b : {&l.portNumber, &l.protocol, &l.baudCode, &l.dataLength, &l.parity,
                      &l.stopBits, &l.responseTime, &l.address, &l.highestAddress, &l.plcAddress,
                      &l.retryCount, &l.gapFactor})
        *b = byte();
    l.receiveTimeout = quint16(u(65536));
}

void RandomConfig::cards(CpuObject& o)
{
    auto serial = [this](SerialChannel& s) {
        for (quint8* b : {&s.enabled, &s.port, &s.protocol, &s.baud, &s.dataLength, &s.parity,
                          &s.stopBits, &s.responseTime, &s.address})
            *b = byte();
        s.receiveTimeout = quint16(u(65536));
    };
    for (int i = 0; i < CpuObject::CardCount; ++i) {
        CardRecord& c = o.cards[size_t(i)];
        c = CardRecord();
        c.slot = quint8(i);
        c.activated = byte();
        c.type = quint8(u(8));
        c.name = text(20);
        c.description = text(40);
        serial(c.can485.channel0);
        c.can485.canEnabled = byte();
        c.can485.canPort = byte();
        c.can485.canProtocol = byte();
        c.rtc485.rtcEnabled = byte();
        serial(c.rtc485.channel0);
        serial(c.rtc485.channel1);
        Amx05Params& a = c.amx05;
        a.inputArea = byte();
        a.inputStart = quint16(u(65536));
        a.inputWords = byte();
        a.outputArea = byte();
        a.outputStart = quint16(u(65536));
        a.outputWords = byte();
        for (QList<AnalogChannel>* list : {&a.inputs, &a.outputs}) {
            for (int k = 0, n = int(u(4)); k < n; ++k) {
                AnalogChannel channel{};
                fill(channel);
                list->append(channel);
            }
        }
        for (int k = 0, n = int(u(40)); k < n; ++k)
            c.rtcData.append(char(byte()));
        for (Dix06Channel& d : c.dix06) {
            d.direction = byte();
            d.filter = byte();
            d.freeze = byte();
            d.area = byte();
            d.bitAddress = m_random.generate();
            d.byte20 = byte();
        }
    }
}

void RandomConfig::opcUa(CpuObject& o)
{
    o.opcUaSettingsData.clear();
    o.opcUaInterfaceData.clear();
    if (chance(70)) {
        OpcUaSettings s;
        s.serverEnabled = chance(50);
        s.anonymousLogin = chance(50);
        s.userAuthentication = chance(50);
        for (int i = 0, n = int(u(4)); i < n; ++i)
            s.users.append({text(10) + QLatin1Char('u'), text(10) + QLatin1Char('p')});
        s.serverName = text(30);
        s.port = quint16(u(65536));
        s.sessionTimeout = m_random.generate();
        s.maxSessions = byte();
        s.samplingInterval = quint16(u(65536));
        s.publishingInterval = quint16(u(65536));
        s.monitoredItems = quint16(u(65536));
        s.securityEnabled = chance(50);
        s.certificateContent = text(60);
        s.keyContent = text(60);
        s.certificateUri = text(20);
        s.certificateFileName = text(20);
        o.opcUaSettingsData = OpcUaSettingsCodec::encode(s);
    } else if (chance(50)) {
        for (int i = 0, n = 1 + int(u(30)); i < n; ++i)
            o.opcUaSettingsData.append(char(byte()));
    }
    if (chance(70)) {
        const quint32 types[] = {0, 1, 2, 3, 4, 5, 6, 9, 11};
        auto variable = [&](bool element, const QString& parent) {
            OpcUaVarRecord r;
            r.dataType = types[u(9)];
            const QChar size = OpcUaTypes::sizeLetter(r.dataType);
            const QString byteOffset = QString::number(u(500));
            const QString bit = QString::number(u(8));
            const char* areas[] = {"I", "Q", "M", "V", "S", "SM"};
            const QString area = QLatin1String(areas[u(6)]);
            if (element) {
                r.address = r.dataType == 0 ? parent + QLatin1String(".DBX") + byteOffset +
                                                  QLatin1Char('.') + bit
                                            : parent + QLatin1String(".DB") + size + byteOffset;
            } else if (r.dataType == 3 && chance(20)) {
                r.address = (chance(50) ? QLatin1String("AIW") : QLatin1String("AQW")) +
                            QString::number(2 * u(32));
                r.addressKind = quint32(OpcUaAddressKind::AnalogWord);
            } else if (chance(15)) {
                const QString block = QStringLiteral("DB%1").arg(1 + u(300));
                r.address = r.dataType == 0 ? block + QLatin1String(".DBX") + byteOffset +
                                                  QLatin1Char('.') + bit
                                            : block + QLatin1String(".DB") + size + byteOffset;
                r.dbNumber = quint16(block.mid(2).toUInt());
            } else {
                r.address = r.dataType == 0 ? area + byteOffset + QLatin1Char('.') + bit
                                            : area + size + byteOffset;
            }
            if (chance(10))
                r.dbNumber = quint16(u(65536)); // a number the address does not imply
            r.accessLevel = 1 + u(3);
            r.browseName = text(12);
            r.displayName = text(12);
            r.description = text(20);
            r.reserved = chance(10) ? byte() : 0;
            return r;
        };
        OpcUaInterfaces interfaces;
        for (int i = 0, n = int(u(4)); i < n; ++i) {
            OpcUaInterface interface {
                text(12), {}
            };
            for (int k = 0, m = int(u(5)); k < m; ++k)
                interface.records.push_back(variable(false, QString()));
            if (chance(50)) {
                const quint16 number = quint16(1 + u(100));
                OpcUaVarRecord object = variable(false, QString());
                object.dataType = quint32(OpcUaDataType::Object);
                object.address = QStringLiteral("DB%1").arg(number);
                object.dbNumber = number;
                for (int k = 0, m = int(u(4)); k < m; ++k) {
                    OpcUaVarRecord e = variable(true, object.address);
                    if (!chance(10))
                        e.dbNumber = number;
                    object.elements.push_back(e);
                }
                if (chance(30)) {
                    OpcUaVarRecord inner = variable(false, QString());
                    inner.dataType = quint32(OpcUaDataType::Object);
                    inner.address = QStringLiteral("DB%1").arg(number + 1);
                    inner.dbNumber = quint16(number + 1);
                    inner.elements.push_back(variable(true, inner.address));
                    inner.elements.back().dbNumber = inner.dbNumber;
                    object.elements.push_back(inner);
                }
                interface.records.push_back(object);
            }
            interfaces.push_back(interface);
        }
        o.opcUaInterfaceData = OpcUaInterfaceCodec::encode(interfaces);
    } else if (chance(50)) {
        for (int i = 0, n = 1 + int(u(30)); i < n; ++i)
            o.opcUaInterfaceData.append(char(byte()));
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
            const int slave = SlaveControl(plugin).create(id, text(8));
            SlaveRegistry::appendCan(o.canMaster.slaves, slave, plugin);
        }
    }
    const QString qbus = QStringLiteral("qbusslavekit.dll");
    for (int id : nodeIds(int(u(3))))
        SlaveRegistry::insertOrdered(o.qbus.slaves, SlaveControl(qbus).create(id, text(8)), qbus);
    if (o.eip.enabled) {
        const QString eip = QStringLiteral("eipslavekit.dll");
        for (int id : nodeIds(int(u(3))))
            SlaveRegistry::insertOrdered(o.eip.slaves, SlaveControl(eip).create(id, text(8)), eip);
    }
}

std::unique_ptr<CpuObject> RandomConfig::object(const QString& projectPath)
{
    auto o = std::make_unique<CpuObject>();
    o->projectPath = projectPath;
    ModuleCatalog::lookup(kModels[u(5)], o->descriptor);
    o->descriptor.projectPath = projectPath;
    o->opcUaSupported = CpuObjectFactory::projectSupportsOpcUa(projectPath);
    header(o->descriptor);
    params(o->params);
    soe(*o);
    buses(*o);
    cards(*o);
    opcUa(*o);
    slaves(*o);
    return o;
}
