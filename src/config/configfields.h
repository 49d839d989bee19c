#pragma once

#include "configdocument.h"
#include "textrule.h"

#include "block/cpuparamsection.h"
#include "block/customnamesection.h"
#include "opcua/opcuainterfacecodec.h"
#include "opcua/opcuasettingscodec.h"
#include "opcua/opcuatypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <limits>

// The JSON form of a configuration, member by member, as templates over a channel:
// JsonWriteChannel writes a document, JsonReadChannel reads and checks one,
// JsonSchemaChannel describes it. Each member is named once here, so the three cannot
// drift apart. Groups follow the properties dialog; every member of the save data is
// here, and nothing the save data does not hold.
namespace ConfigFields {

inline const QString FormatName = QStringLiteral("corvo-cpu-configuration");

// Limits of the byte strings a document carries.
constexpr int MaxSlaveRecord = 1024 * 1024;
constexpr int MaxQbusSlaveRecord = 0xFFFF; // its length field is 16 bits
constexpr int MaxFilterCodes = 0xFFFF;
constexpr int MaxRtcData = 60000;            // the card body's length field is 16 bits
constexpr int MaxPayload = 64 * 1024 * 1024; // as the *.opuca file
constexpr int MaxSlaves = 0xFFFF;
constexpr int MaxEtherCatSlaves = 255; // counted in one byte, children included

TextRule ipRule();
TextRule pluginRule();
QStringList dataTypeNames();
quint32 dataTypeCode(const QString& name);
QStringList accessLevelNames();
quint32 accessLevelCode(const QString& name);
// The data-block number a variable's address implies: its own block for a data-block
// object or a variable directly in a block ("DB5", "DB5.DBW2"), its object's block for an
// element, else 0. Documents name the number only where it differs.
quint16 impliedDbNumber(const QString& address, bool element, bool object, quint16 parentDb);

template <typename Ch, typename T>
void u8(Ch& ch, const char* key, T& value)
{
    ch.integer(key, value, 0, 0xFF);
}

template <typename Ch, typename T>
void u16(Ch& ch, const char* key, T& value)
{
    ch.integer(key, value, 0, 0xFFFF);
}

template <typename Ch, typename T>
void u24(Ch& ch, const char* key, T& value)
{
    ch.integer(key, value, 0, 0xFFFFFF);
}

template <typename Ch, typename T>
void u32(Ch& ch, const char* key, T& value)
{
    ch.integer(key, value, 0, std::numeric_limits<quint32>::max());
}

template <typename Ch, typename T>
void i32(Ch& ch, const char* key, T& value)
{
    ch.integer(key, value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

// A byte the save data keeps as 0 or 1.
template <typename Ch>
void flag(Ch& ch, const char* key, quint8& value)
{
    bool on = value != 0;
    ch.boolean(key, on);
    if constexpr (Ch::Reading)
        value = on ? 1 : 0;
}

// A 32-bit member that holds a signed number.
template <typename Ch>
void signed32(Ch& ch, const char* key, quint32& value)
{
    qint32 number = qint32(value);
    i32(ch, key, number);
    if constexpr (Ch::Reading)
        value = quint32(number);
}

// A byte that holds a signed number (two's complement).
template <typename Ch>
void signed8(Ch& ch, const char* key, quint8& value)
{
    qint8 number = qint8(value);
    ch.integer(key, number, -128, 127);
    if constexpr (Ch::Reading)
        value = quint8(number);
}

template <typename Ch>
void ip(Ch& ch, const char* key, IpV4& address)
{
    QString text = toDotted(address);
    ch.text(key, text, ipRule());
    if constexpr (Ch::Reading)
        address = fromDotted(text);
}

template <typename Ch, size_t N>
void hexArray(Ch& ch, const char* key, std::array<quint8, N>& bytes)
{
    QByteArray value(reinterpret_cast<const char*>(bytes.data()), int(N));
    ch.hexBytes(key, value, int(N), int(N));
    if constexpr (Ch::Reading) {
        if (value.size() == int(N))
            std::copy(value.begin(), value.end(), bytes.begin());
    }
}

// A length-prefixed text field: its text, and only where the field's bytes are not what
// the text alone gives (bytes after the text, a length byte beyond the buffer, bytes that
// are no text in the local encoding) all of its bytes under `bytesKey`.
template <typename Ch, int N>
void fixedText(Ch& ch, const char* key, const char* bytesKey, FixedText<N>& field)
{
    QString text = field.text();
    FixedText<N> canonical;
    canonical.setText(text);
    bool exact = canonical != field;
    QByteArray raw(reinterpret_cast<const char*>(field.raw.data()), N);
    // A text shown beside its bytes may be longer in bytes than the field (bytes that are no
    // text read as replacement characters), never in characters.
    TextRule rule = TextRule::bytes(N - 1);
    rule.maxBytes = -1;
    rule.maxChars = N - 1;
    rule.description += QStringLiteral("; when the field's bytes are given beside it, any text "
                                       "of as many characters that they hold");
    ch.text(key, text, rule);
    ch.optionalHexBytes(bytesKey, raw, exact, N, N);
    if constexpr (Ch::Reading) {
        if (!exact) {
            if (text.toLocal8Bit().size() > N - 1)
                ch.fail(
                    key,
                    QStringLiteral("longer than %1 bytes in the local 8-bit encoding").arg(N - 1));
            field.setText(text);
        } else if (raw.size() == N) {
            FixedText<N> given;
            std::copy(raw.begin(), raw.end(), given.raw.begin());
            if (given.text() != text)
                ch.fail(bytesKey, QStringLiteral("the bytes hold the text \"%1\", not \"%2\"")
                                      .arg(given.text(), text));
            else
                field = given;
        }
    }
}

template <typename Ch>
void slave(Ch& ch, StoredSlave& s, int maxRecord)
{
    ch.text("plugin", s.plugin, pluginRule());
    i32(ch, "nodeId", s.nodeId);
    ch.hexBytes("record", s.record, 1, maxRecord);
}

template <typename Ch>
void slaves(Ch& ch, QList<StoredSlave>& list, int maxSlaves, int maxRecord)
{
    ch.list("slaves", list, 0, maxSlaves,
            [maxRecord](Ch& c, StoredSlave& s, int) { slave(c, s, maxRecord); });
}

template <typename Ch>
void general(Ch& ch, ConfigDocument& doc)
{
    ModuleDescriptor& d = doc.object.descriptor;
    ch.integer("objId", d.ObjID, 1, std::numeric_limits<qint32>::max());
    ch.text("orderNumber", doc.orderNumber, TextRule::bytes(255));
    ch.text("name", d.ObjName, TextRule::bytes(255));
    ch.text("comment", d.comment, TextRule::bytes(255));
    ch.integer("rack", d.rackId, -128, 127);
    ch.integer("slot", d.slotId, -128, 127);
    ch.object("position", [&d](Ch& c) {
        i32(c, "x", d.position.x);
        i32(c, "y", d.position.y);
    });
    u32(ch, "moduleInfo", d.ModuleInfo);
    u8(ch, "firmwareVersion", d.FwVersion);
    hexArray(ch, "bufferConfiguration", d.BuffCnfg);
    hexArray(ch, "syncConfiguration", d.SyncCnfg);
}

template <typename Ch>
void serialPort(Ch& ch, PortParams& p)
{
    u16(ch, "tag", p.tag);
    u8(ch, "highestAddress", p.highestAddress);
    u8(ch, "plcAddress", p.plcAddress);
    u8(ch, "retryCount", p.retryCount);
    u8(ch, "baudRate", p.baudCode);
    u8(ch, "gapFactor", p.gapFactor);
}

template <typename Ch>
void localPort(Ch& ch, LocalPort& p)
{
    u8(ch, "portNumber", p.portNumber);
    u8(ch, "protocol", p.protocol);
    u8(ch, "baudRate", p.baudCode);
    u8(ch, "dataLength", p.dataLength);
    u8(ch, "parity", p.parity);
    u8(ch, "stopBits", p.stopBits);
    u8(ch, "responseTime", p.responseTime);
    u8(ch, "address", p.address);
    u16(ch, "receiveTimeout", p.receiveTimeout);
    u8(ch, "highestAddress", p.highestAddress);
    u8(ch, "plcAddress", p.plcAddress);
    u8(ch, "retryCount", p.retryCount);
    u8(ch, "gapFactor", p.gapFactor);
}

template <typename Ch>
void tcpIp(Ch& ch, TcpIpParams& t)
{
    fixedText(ch, "deviceName", "deviceNameBytes", t.deviceName);
    fixedText(ch, "groupName", "groupNameBytes", t.groupName);
    ip(ch, "ip", t.ip);
    u32(ch, "port", t.port);
    ip(ch, "mask", t.mask);
    ip(ch, "gateway", t.gateway);
    u8(ch, "addressMode", t.addressMode);
    u8(ch, "remoteControl", t.remoteControl);
    u32(ch, "serverPort", t.serverPort);
    fixedText(ch, "domain", "domainBytes", t.domain);
    hexArray(ch, "claimPasswordEncoded", t.claimPassword);
    fixedText(ch, "groupNameShort", "groupNameShortBytes", t.groupNameShort);
    fixedText(ch, "altDomain", "altDomainBytes", t.altDomain);
    ip(ch, "dns", t.dns);
    ip(ch, "altDns", t.altDns);
}

template <typename Ch>
void retentiveRange(Ch& ch, RetentiveRange& r)
{
    u16(ch, "tag", r.tag);
    u8(ch, "syntax", r.syntax);
    u8(ch, "dataType", r.typeCode);
    u16(ch, "count", r.count);
    u16(ch, "dbNumber", r.dbNumber);
    u8(ch, "area", r.areaCode);
    u24(ch, "start", r.start);
}

template <typename Ch>
void varRef(Ch& ch, VarRef& v)
{
    u8(ch, "syntax", v.syntax);
    u8(ch, "dataType", v.typeCode);
    u16(ch, "count", v.count);
    u16(ch, "dbNumber", v.dbNumber);
    u8(ch, "area", v.area);
    u24(ch, "address", v.address);
}

template <typename Ch>
void soeRecord(Ch& ch, SoeRecord& r)
{
    ch.integer("slot", r.slot, 0, SoeRecord::SlotCount - 1);
    u8(ch, "event", r.event);
    ch.object("trigger", [&r](Ch& c) { varRef(c, r.trigger); });
    ch.object("process", [&r](Ch& c) { varRef(c, r.process); });
    u8(ch, "formatIndex", r.formatIndex);
    ch.text("title", r.title, TextRule::bytes(CpuParamSection::MaxSoeTitleBytes));
}

template <typename Ch>
void localMap(Ch& ch, LocalIoMap& map)
{
    u8(ch, "area", map.area);
    u16(ch, "startByte", map.startByte);
    u8(ch, "points", map.points);
}

template <typename Ch>
void localIo(Ch& ch, CpuObject& o)
{
    ch.object("inputs", [&o](Ch& c) { localMap(c, o.descriptor.inMap); });
    ch.object("outputs", [&o](Ch& c) { localMap(c, o.descriptor.outMap); });
    u8(ch, "extBusClock", o.extBusClock);
    ch.object("inputFilter", [&o](Ch& c) {
        u8(c, "count", o.inputFilterCount);
        c.hexBytes("codes", o.inputFilterCodes, 0, MaxFilterCodes);
    });
}

template <typename Ch>
void counter(Ch& ch, HscChannel& h)
{
    u8(ch, "control", h.control);
    u8(ch, "modeEnable", h.modeEnable);
    signed32(ch, "preset", h.preset);
    signed32(ch, "current", h.current);
    u8(ch, "filterIndex", h.filterIndex);
    u16(ch, "speedTime", h.speedTime);
}

template <typename Ch>
void etherCat(Ch& ch, ConfigDocument& doc)
{
    EtherCatSettings& e = doc.object.etherCat;
    flag(ch, "enabled", e.enabled);
    u8(ch, "redundancy", e.redundancy);
    u32(ch, "taskInterval", e.taskInterval);
    u8(ch, "distributedClock", e.dcEnabled);
    u32(ch, "cycleTime", e.dcCycleTime);
    signed8(ch, "syncOffset", e.syncOffset);
    u8(ch, "syncWindowMonitor", e.syncWindowMonitor);
    u32(ch, "syncWindow", e.syncWindow);
    slaves(ch, doc.etherCatSlaves, MaxEtherCatSlaves, MaxSlaveRecord);
}

template <typename Ch>
void buses(Ch& ch, ConfigDocument& doc)
{
    CpuObject& o = doc.object;
    ch.object("etherCat", [&doc](Ch& c) { etherCat(c, doc); });
    ch.object("profinet", [&o](Ch& c) {
        flag(c, "useBus", o.profinet.useBus);
        flag(c, "useCustomName", o.profinet.useCustomName);
        c.text("customName", o.profinet.customName, TextRule::bytes(CustomNameSection::NameBytes));
        flag(c, "ipFromOtherSources", o.profinet.ipFromOtherSources);
    });
    ch.object("qbus", [&doc, &o](Ch& c) {
        flag(c, "useSlave", o.qbus.useSlave);
        flag(c, "useCustomName", o.qbus.useCustomName);
        c.text("customName", o.qbus.customName, TextRule::bytes(CustomNameSection::NameBytes));
        flag(c, "masterEnabled", o.qbus.masterEnabled);
        u8(c, "protocolType", o.qbus.protocolType);
        slaves(c, doc.qbusSlaves, MaxSlaves, MaxQbusSlaveRecord);
    });
    ch.object("eip", [&doc, &o](Ch& c) {
        flag(c, "enabled", o.eip.enabled);
        slaves(c, doc.eipSlaves, MaxSlaves, MaxSlaveRecord);
    });
}

template <typename Ch>
void canopenMaster(Ch& ch, ConfigDocument& doc)
{
    CanMasterConfig& m = doc.object.canMaster;
    ch.boolean("enabled", doc.object.canMasterEnabled);
    u8(ch, "useCanopen", m.useCanopen);
    u8(ch, "nodeId", m.nodeId);
    i32(ch, "baudRate", m.baudRate);
    i32(ch, "objectId", m.objectId);
    u32(ch, "cyclePeriod", m.cyclePeriod);
    u16(ch, "heartbeat", m.heartbeat);
    u32(ch, "cobId", m.cobId);
    slaves(ch, doc.canSlaves, MaxSlaves, MaxSlaveRecord);
}

template <typename Ch>
void opcUaSettings(Ch& ch, OpcUaSettings& s)
{
    ch.boolean("serverEnabled", s.serverEnabled);
    ch.boolean("anonymousLogin", s.anonymousLogin);
    ch.boolean("userAuthentication", s.userAuthentication);
    ch.list("users", s.users, 0, OpcUaSettingsCodec::MaxUsers,
            [](Ch& c, OpcUaSettings::User& user, int) {
                c.text("name", user.name, TextRule::bytes(255));
                // Never in clear: the password's bytes in the local encoding, as hex.
                QByteArray password = user.password.toLocal8Bit();
                c.hexBytes("passwordEncoded", password, 0, 255);
                if constexpr (Ch::Reading) {
                    user.password = QString::fromLocal8Bit(password);
                    // The payload leaves such users out.
                    if (user.name.isEmpty())
                        c.fail("name", QStringLiteral("a user without a name is not stored"));
                    if (user.password.isEmpty())
                        c.fail("passwordEncoded",
                               QStringLiteral("a user without a password is not stored"));
                }
            });
    ch.text("serverName", s.serverName, TextRule::bytes(255));
    u16(ch, "port", s.port);
    u32(ch, "sessionTimeout", s.sessionTimeout);
    u8(ch, "maxSessions", s.maxSessions);
    u16(ch, "samplingInterval", s.samplingInterval);
    u16(ch, "publishingInterval", s.publishingInterval);
    u16(ch, "monitoredItems", s.monitoredItems);
    ch.boolean("securityEnabled", s.securityEnabled);
    ch.text("certificateContent", s.certificateContent, TextRule::bytes(0xFFFF));
    ch.text("keyContent", s.keyContent, TextRule::bytes(0xFFFF));
    ch.text("certificateUri", s.certificateUri, TextRule::bytes(255));
    ch.text("certificateFileName", s.certificateFileName, TextRule::bytes(255));
}

template <typename Ch, typename T>
void u16Optional(Ch& ch, const char* key, T& value, bool& present)
{
    ch.optionalInteger(key, value, present, 0, 0xFFFF);
}

template <typename Ch>
void variable(Ch& ch, OpcUaVarRecord& r, bool element, quint16 parentDb, int depth)
{
    ch.text("address", r.address, TextRule::bytes(64));
    QString type = OpcUaTypes::dataTypeName(r.dataType);
    ch.choice("dataType", type, dataTypeNames());
    QString access = OpcUaTypes::accessLevelName(r.accessLevel);
    ch.choice("accessLevel", access, accessLevelNames());
    if constexpr (Ch::Reading) {
        r.dataType = dataTypeCode(type);
        r.accessLevel = accessLevelCode(access);
    }
    ch.text("browseName", r.browseName, TextRule::bytes(255));
    ch.text("displayName", r.displayName, TextRule::bytes(255));
    ch.text("description", r.description, TextRule::bytes(255));
    const quint16 implied = impliedDbNumber(r.address, element, r.isObject(), parentDb);
    bool ownDb = r.dbNumber != implied;
    u16Optional(ch, "dbNumber", r.dbNumber, ownDb);
    if constexpr (Ch::Reading) {
        if (!ownDb)
            r.dbNumber = impliedDbNumber(r.address, element, r.isObject(), parentDb);
    }
    bool flagged = r.reserved != 0;
    ch.optionalInteger("reserved", r.reserved, flagged, 0, 0xFF);
    if constexpr (Ch::Reading) {
        if (!flagged)
            r.reserved = 0;
    }
    bool nested = !r.elements.empty();
    // Nothing recurses deeper than the payload can nest.
    if (depth >= OpcUaInterfaceCodec::MaxObjectDepth) {
        if constexpr (Ch::Reading) {
            if (ch.has("elements"))
                ch.fail("elements", QStringLiteral("data-block objects nest at most %1 deep")
                                        .arg(OpcUaInterfaceCodec::MaxObjectDepth));
        }
        return;
    }
    ch.recursiveList("elements", r.elements, nested, "variable", 0,
                     int(OpcUaInterfaceCodec::MaxVariables),
                     [&r, depth](Ch& c, OpcUaVarRecord& e, int) {
                         variable(c, e, true, r.dbNumber, depth + 1);
                     });
    if constexpr (Ch::Reading) {
        if (nested && !r.isObject())
            ch.fail("elements", QStringLiteral("only an OBJECT holds elements"));
    }
}

template <typename Ch>
void opcUaInterface(Ch& ch, OpcUaInterface& i)
{
    ch.text("name", i.name, TextRule::bytes(255));
    bool any = !i.records.empty();
    ch.recursiveList("variables", i.records, any, "variable", 0,
                     int(OpcUaInterfaceCodec::MaxVariables),
                     [](Ch& c, OpcUaVarRecord& r, int) { variable(c, r, false, 0, 1); });
}

template <typename Ch>
void opcUa(Ch& ch, OpcUaDocument& d)
{
    ch.optionalObject("settings", d.hasSettings, [&d](Ch& c) { opcUaSettings(c, d.settings); });
    bool rawSettings = !d.settingsPayload.isEmpty();
    ch.optionalHexBytes("settingsPayload", d.settingsPayload, rawSettings, 1, MaxPayload);
    ch.optionalList("interfaces", d.interfaces, d.hasInterfaces, 0,
                    OpcUaInterfaceCodec::MaxInterfaces,
                    [](Ch& c, OpcUaInterface& i, int) { opcUaInterface(c, i); });
    bool rawInterfaces = !d.interfacesPayload.isEmpty();
    ch.optionalHexBytes("interfacesPayload", d.interfacesPayload, rawInterfaces, 1, MaxPayload);
    if constexpr (Ch::Reading) {
        if (d.hasSettings && rawSettings)
            ch.fail("settingsPayload",
                    QStringLiteral("give settings or settingsPayload, not both"));
        if (d.hasInterfaces && rawInterfaces)
            ch.fail("interfacesPayload",
                    QStringLiteral("give interfaces or interfacesPayload, not both"));
    }
}

template <typename Ch>
void serialChannel(Ch& ch, SerialChannel& s)
{
    flag(ch, "enabled", s.enabled);
    u8(ch, "port", s.port);
    u8(ch, "protocol", s.protocol);
    u8(ch, "baudRate", s.baud);
    u8(ch, "dataLength", s.dataLength);
    u8(ch, "parity", s.parity);
    u8(ch, "stopBits", s.stopBits);
    u8(ch, "responseTime", s.responseTime);
    u8(ch, "address", s.address);
    u16(ch, "receiveTimeout", s.receiveTimeout);
}

template <typename Ch>
void analogInput(Ch& ch, AnalogChannel& c)
{
    u8(ch, "reserved0", c[0]);
    u8(ch, "channel", c[1]);
    u8(ch, "filterParameter", c[2]);
    u8(ch, "enabled", c[3]);
    u8(ch, "filterTime", c[4]);
    u8(ch, "inputRange", c[5]);
    u8(ch, "openWireDetect", c[6]);
    u8(ch, "direction", c[7]);
}

template <typename Ch>
void analogOutput(Ch& ch, AnalogChannel& c)
{
    u8(ch, "reserved0", c[0]);
    u8(ch, "channel", c[1]);
    u8(ch, "freeze", c[2]);
    u8(ch, "reserved3", c[3]);
    quint16 value = quint16(c[4] << 8 | c[5]);
    u16(ch, "outputValue", value);
    if constexpr (Ch::Reading) {
        c[4] = quint8(value >> 8);
        c[5] = quint8(value);
    }
    u8(ch, "enabled", c[6]);
    u8(ch, "outputRange", c[7]);
}

// A card kind's parameters: present exactly for a card of that kind.
template <typename Ch, typename Fn>
void cardPart(Ch& ch, CardRecord& card, const char* key, CardType type, Fn fn)
{
    bool present = card.cardType() == type;
    ch.optionalObject(key, present, fn);
    if constexpr (Ch::Reading) {
        if (present && card.cardType() != type)
            ch.fail(key,
                    QStringLiteral("only a card of type %1 has these parameters").arg(int(type)));
        else if (!present && card.cardType() == type)
            ch.fail(
                key,
                QStringLiteral("missing: a card of type %1 has these parameters").arg(int(type)));
    }
}

template <typename Ch>
void card(Ch& ch, CardRecord& c)
{
    flag(ch, "activated", c.activated);
    u8(ch, "type", c.type);
    ch.text("name", c.name, TextRule::bytes(255));
    ch.text("description", c.description, TextRule::bytes(255));
    cardPart(ch, c, "can485", CardType::Can485, [&c](Ch& x) {
        x.object("channel0", [&c](Ch& y) { serialChannel(y, c.can485.channel0); });
        flag(x, "canEnabled", c.can485.canEnabled);
        u8(x, "canPort", c.can485.canPort);
        u8(x, "canProtocol", c.can485.canProtocol);
    });
    cardPart(ch, c, "rtc485", CardType::Rtc485, [&c](Ch& x) {
        u8(x, "rtcEnabled", c.rtc485.rtcEnabled);
        x.object("channel0", [&c](Ch& y) { serialChannel(y, c.rtc485.channel0); });
        x.object("channel1", [&c](Ch& y) { serialChannel(y, c.rtc485.channel1); });
    });
    cardPart(ch, c, "amx05", CardType::Amx05, [&c](Ch& x) {
        Amx05Params& p = c.amx05;
        u8(x, "inputArea", p.inputArea);
        u16(x, "inputStart", p.inputStart);
        u8(x, "inputWords", p.inputWords);
        u8(x, "outputArea", p.outputArea);
        u16(x, "outputStart", p.outputStart);
        u8(x, "outputWords", p.outputWords);
        x.list("inputs", p.inputs, 0, 0xFF,
               [](Ch& y, AnalogChannel& a, int) { analogInput(y, a); });
        x.list("outputs", p.outputs, 0, 0xFF,
               [](Ch& y, AnalogChannel& a, int) { analogOutput(y, a); });
    });
    cardPart(ch, c, "rtc", CardType::Rtc,
             [&c](Ch& x) { x.hexBytes("data", c.rtcData, 0, MaxRtcData); });
    cardPart(ch, c, "dix06", CardType::Dix06, [&c](Ch& x) {
        x.list("channels", c.dix06, CardRecord::Dix06Channels, CardRecord::Dix06Channels,
               [](Ch& y, Dix06Channel& d, int) {
                   u8(y, "direction", d.direction);
                   u8(y, "filter", d.filter);
                   u8(y, "freeze", d.freeze);
                   u8(y, "area", d.area);
                   u32(y, "bitAddress", d.bitAddress);
                   u8(y, "byte20", d.byte20);
               });
    });
}

template <typename Ch>
void document(Ch& ch, ConfigDocument& doc)
{
    CpuObject& o = doc.object;
    ch.choice("format", doc.format, {FormatName});
    ch.integer("version", doc.version, ConfigDocument::Version, ConfigDocument::Version);
    ch.object("general", [&doc](Ch& c) { general(c, doc); });
    ch.object("ports", [&o](Ch& c) {
        c.object("port0", [&o](Ch& x) { serialPort(x, o.params.port0); });
        c.object("port1", [&o](Ch& x) { serialPort(x, o.params.port1); });
        c.object("localPort", [&o](Ch& x) { localPort(x, o.localPort); });
    });
    ch.object("tcpIp", [&o](Ch& c) { tcpIp(c, o.params.tcpIp); });
    ch.list("retentive", o.params.retentive, CpuParams::RetentiveCount, CpuParams::RetentiveCount,
            [](Ch& c, RetentiveRange& r, int) { retentiveRange(c, r); });
    ch.object("password", [&o](Ch& c) {
        u16(c, "tag", o.params.password.tag);
        u8(c, "level", o.params.password.level);
        hexArray(c, "encoded", o.params.password.password);
    });
    ch.object("backgroundTime", [&o](Ch& c) {
        u16(c, "tag", o.params.background.tag);
        u8(c, "percent", o.params.background.percent);
    });
    ch.list("soe", doc.soe, 0, SoeRecord::SlotCount,
            [](Ch& c, SoeRecord& r, int) { soeRecord(c, r); });
    ch.object("localIo", [&o](Ch& c) { localIo(c, o); });
    ch.list("counters", o.hsc, CpuObject::HscCount, CpuObject::HscCount,
            [](Ch& c, HscChannel& h, int) { counter(c, h); });
    ch.object("buses", [&doc](Ch& c) { buses(c, doc); });
    ch.object("canopenMaster", [&doc](Ch& c) { canopenMaster(c, doc); });
    ch.object("opcUa", [&doc](Ch& c) { opcUa(c, doc.opcUa); });
    ch.list("cards", o.cards, CpuObject::CardCount, CpuObject::CardCount,
            [](Ch& c, CardRecord& card, int) { ConfigFields::card(c, card); });
}

} // namespace ConfigFields
