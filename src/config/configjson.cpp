#include "configjson.h"

#include "configfields.h"
#include "jsonreadchannel.h"
#include "jsonschemachannel.h"
#include "jsontextwriter.h"
#include "jsonwritechannel.h"

#include "block/canmasterbridge.h"
#include "block/paramblock.h"
#include "model/cpuobjectfactory.h"
#include "model/localtext.h"
#include "model/modulecatalog.h"
#include "model/slavepluginname.h"
#include "model/slaveregistry.h"
#include "opcua/opcuaaddress.h"
#include "opcua/opcuainterfacecodec.h"
#include "opcua/opcuasettingscodec.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace {

bool accessLevelsNamed(const std::vector<OpcUaVarRecord>& records)
{
    return std::all_of(records.begin(), records.end(), [](const OpcUaVarRecord& r) {
        return !OpcUaTypes::accessLevelName(r.accessLevel).isEmpty() &&
               accessLevelsNamed(r.elements);
    });
}

// The slaves as the save data holds them: those whose plug-in gives a record.
QList<StoredSlave> savedSlaves(const QList<SlaveEntry>& list)
{
    QList<StoredSlave> specs;
    for (const SlaveEntry& slave : list) {
        if (!slave.iface.save)
            continue;
        const QByteArray record = slave.iface.save(slave.handle);
        if (!record.isEmpty())
            specs.append({SlavePluginName::storable(slave.pluginPath),
                          SlaveRegistry::nodeIdOf(slave.iface, slave.handle), record});
    }
    return specs;
}

QList<StoredSlave> compiledSlaves(QList<SlaveEntry> list, int maxRecord)
{
    QList<StoredSlave> specs;
    for (const SlaveEntry& slave : list) {
        QByteArray record;
        if (!slave.iface.compile || slave.iface.compile(slave.handle, record) != 0 ||
            record.size() > maxRecord)
            continue;
        specs.append({SlavePluginName::storable(slave.pluginPath),
                      SlaveRegistry::nodeIdOf(slave.iface, slave.handle), record});
    }
    return specs;
}

// The save data names no CAN slave's plug-in: its record's type byte picks it.
QList<StoredSlave> canSlaves(const QList<CanNodeEntry>& list)
{
    QList<StoredSlave> specs;
    for (const CanNodeEntry& slave : list) {
        if (slave.handle == 0 || !slave.iface.save)
            continue;
        const QByteArray record = slave.iface.save(slave.handle);
        const QString plugin =
            record.isEmpty() ? QString() : CanMasterBridge::pluginForType(quint8(record.at(0)));
        if (!plugin.isEmpty())
            specs.append({plugin, SlaveRegistry::nodeIdOf(slave.iface, slave.handle), record});
    }
    return specs;
}

int countRecords(const std::vector<OpcUaVarRecord>& records)
{
    int count = 0;
    for (const OpcUaVarRecord& r : records)
        count += 1 + countRecords(r.elements);
    return count;
}

// The address kind an address has, as the editor gives it, so that it splits as written.
void assignKinds(std::vector<OpcUaVarRecord>& records)
{
    for (OpcUaVarRecord& r : records) {
        if (r.isObject())
            r.addressKind = quint32(OpcUaAddressKind::DataBlockObject);
        else if (r.address.startsWith(QLatin1String("AIW")) ||
                 r.address.startsWith(QLatin1String("AQW")))
            r.addressKind = quint32(OpcUaAddressKind::AnalogWord);
        else if (r.dataType == quint32(OpcUaDataType::Bool))
            r.addressKind = quint32(OpcUaAddressKind::Bit);
        else
            r.addressKind =
                quint32(OpcUaTypes::kindOfSizeLetter(OpcUaTypes::sizeLetter(r.dataType)));
        assignKinds(r.elements);
    }
}

// The records as a reader gives them back: numbered as the payload numbers them.
OpcUaInterfaces interfacesAsRead(OpcUaInterfaces interfaces)
{
    OpcUaInterfaceCodec::number(interfaces);
    return interfaces;
}

// Each record's address as the payload stores it (area, bit address, data-block number)
// and as a reader rebuilds it: the first record whose address does not come back as given
// is reported at its path.
bool addressesKept(const std::vector<OpcUaVarRecord>& records, const OpcUaVarRecord* parent,
                   const QString& path, QStringList& errors)
{
    for (size_t i = 0; i < records.size(); ++i) {
        const OpcUaVarRecord& r = records[i];
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        const QString type = OpcUaTypes::dataTypeName(r.dataType);
        const auto parts = OpcUaAddress::split(r.address, r.dataType, r.addressKind);
        if (!parts) {
            errors.append(QStringLiteral("%1.address: \"%2\" names no memory area a variable "
                                         "can be published from")
                              .arg(at, r.address));
            return false;
        }
        const auto rebuilt =
            parent ? OpcUaAddress::element(parent->address, parts->areaCode, r.dataType, r.dbNumber,
                                           parts->bitAddress())
                   : OpcUaAddress::topLevel(parts->areaCode, r.dataType, r.dbNumber,
                                            parts->bitAddress());
        if (!rebuilt) {
            errors.append(QStringLiteral("%1.address: \"%2\" is no address of a variable of type "
                                         "%3")
                              .arg(at, r.address, type));
            return false;
        }
        if (rebuilt->text != r.address) {
            errors.append(QStringLiteral("%1.address: \"%2\" (data-block number %3) is no "
                                         "address of a variable of type %4 here; it would read "
                                         "back as \"%5\"")
                              .arg(at, r.address)
                              .arg(r.dbNumber)
                              .arg(type, rebuilt->text));
            return false;
        }
        if (!addressesKept(r.elements, &r, at + QLatin1String(".elements"), errors))
            return false;
    }
    return true;
}

// The interface payload of the records given; empty, with the reason, when a record would
// not read back as given.
QByteArray interfacePayload(OpcUaInterfaces& interfaces, QStringList& errors)
{
    for (size_t i = 0; i < interfaces.size(); ++i) {
        assignKinds(interfaces[i].records);
        if (!addressesKept(interfaces[i].records, nullptr,
                           QStringLiteral("opcUa.interfaces[%1].variables").arg(i), errors))
            return {};
    }
    const QByteArray payload = OpcUaInterfaceCodec::encode(interfaces);
    // What the checks above cannot see, the reader still does.
    const OpcUaInterfaceDecode read =
        OpcUaInterfaceCodec::decode(payload, OpcUaInterfaceCodec::MaxVariables);
    if (!read.complete() || read.interfaces != interfacesAsRead(interfaces)) {
        errors.append(QStringLiteral("opcUa.interfaces: %1")
                          .arg(read.complete() ? QStringLiteral("they would not read back as given")
                                               : read.reason()));
        return {};
    }
    return payload;
}

// Semantic checks a member list cannot make: the catalog entry, repeated SOE slots, plug-in
// names, slaves that the save data would not hold, the number of OPC UA variables.
void checkDocument(const ConfigDocument& doc, ModuleDescriptor& entry, QStringList& errors)
{
    const int id = doc.object.descriptor.ObjID;
    if (ModuleCatalog::lookup(id, entry) < 0)
        errors.append(QStringLiteral("general.objId: the module catalog has no module %1 that "
                                     "this host can use")
                          .arg(id));
    else if (entry.MLFB != doc.orderNumber)
        errors.append(QStringLiteral("general.orderNumber: module %1 is \"%2\", not \"%3\"")
                          .arg(id)
                          .arg(entry.MLFB, doc.orderNumber));

    QList<int> taken;
    for (int i = 0; i < doc.soe.size(); ++i) {
        const int slot = doc.soe.at(i).slot;
        if (taken.contains(slot))
            errors.append(QStringLiteral("soe[%1].slot: slot %2 is given twice").arg(i).arg(slot));
        taken.append(slot);
    }

    const struct
    {
        const char* path;
        const QList<StoredSlave>& specs;
        bool busOn;
        const char* bus;
    } buses[] = {
        {"buses.etherCat.slaves", doc.etherCatSlaves, doc.object.etherCat.enabled != 0, "EtherCAT"},
        {"canopenMaster.slaves", doc.canSlaves, doc.object.canMasterEnabled, "the CANopen master"},
        {"buses.qbus.slaves", doc.qbusSlaves, true, "QBUS"},
        {"buses.eip.slaves", doc.eipSlaves, doc.object.eip.enabled != 0, "EtherNet/IP"},
    };
    for (const auto& bus : buses) {
        if (!bus.busOn && !bus.specs.isEmpty())
            errors.append(QStringLiteral("%1: %2 is off, so the module would not keep its "
                                         "slaves")
                              .arg(QLatin1String(bus.path), QLatin1String(bus.bus)));
        // Documents are outside data: a name may pick a plug-in, never a file elsewhere.
        for (int i = 0; i < bus.specs.size(); ++i) {
            const QString& plugin = bus.specs.at(i).plugin;
            if (SlavePluginName::resolvable(plugin).isEmpty())
                errors.append(QStringLiteral("%1[%2].plugin: \"%3\" is no bare file name")
                                  .arg(QLatin1String(bus.path))
                                  .arg(i)
                                  .arg(plugin));
        }
    }

    int variables = 0;
    for (const OpcUaInterface& i : doc.opcUa.interfaces)
        variables += countRecords(i.records);
    if (quint32(variables) > OpcUaInterfaceCodec::MaxVariables)
        errors.append(QStringLiteral("opcUa.interfaces: %1 variables; at most %2 can be "
                                     "published")
                          .arg(variables)
                          .arg(OpcUaInterfaceCodec::MaxVariables));
}

// The object a document describes, without its slaves, as restore builds one.
std::unique_ptr<CpuObject> buildObject(const ConfigDocument& doc, const ModuleDescriptor& entry,
                                       const QString& projectPath)
{
    auto object = std::make_unique<CpuObject>(doc.object);
    const ModuleDescriptor& given = doc.object.descriptor;
    ModuleDescriptor& d = object->descriptor;
    d = entry;
    d.projectPath = projectPath;
    // The members the save data's header carries; the rest is the catalog's.
    d.rackId = given.rackId;
    d.slotId = given.slotId;
    d.ObjName = given.ObjName;
    d.comment = given.comment;
    d.position = given.position;
    d.ModuleInfo = given.ModuleInfo;
    d.FwVersion = given.FwVersion;
    d.BuffCnfg = given.BuffCnfg;
    d.SyncCnfg = given.SyncCnfg;
    for (auto [from, to] :
         {std::make_pair(&given.inMap, &d.inMap), std::make_pair(&given.outMap, &d.outMap)}) {
        to->area = from->area;
        to->startByte = from->startByte;
        to->points = from->points;
    }
    object->projectPath = projectPath;
    object->opcUaSupported = CpuObjectFactory::projectSupportsOpcUa(projectPath);
    object->canMaster.projectPath = projectPath;
    object->soe.fill(SoeRecord::readerReset());
    for (SoeRecord record : doc.soe) {
        record.titleLength =
            quint8(fitLocal8Bit(record.title, CpuParamSection::MaxSoeTitleBytes).size());
        object->soe[record.slot] = record;
    }
    for (int i = 0; i < CpuObject::CardCount; ++i)
        object->cards[size_t(i)].slot = quint8(i);
    object->holdsLocalMemory = false;
    object->holdsCardMemory = false;
    return object;
}

// A bus's slaves made through their plug-ins, each checked against what its plug-in
// writes back; refusals at the slave's path.
struct SlaveBus
{
    enum class Form { Save, Download, CanSave };

    const char* path;
    const QList<StoredSlave>& specs;
    Form form;
};

bool makeSlave(const SlaveBus& bus, int i, const QString& projectPath, SlaveEntry& made,
               quint8& canType, QStringList& errors)
{
    const StoredSlave& stored = bus.specs.at(i);
    const QString at = QStringLiteral("%1[%2]").arg(QLatin1String(bus.path)).arg(i);
    QString plugin = stored.plugin;
    if (bus.form == SlaveBus::Form::CanSave) {
        // The CAN slave's plug-in follows its record's type byte, as restore picks it.
        canType = quint8(stored.record.at(0));
        plugin = CanMasterBridge::pluginForType(canType);
        if (plugin.isEmpty() || plugin.compare(stored.plugin, Qt::CaseInsensitive) != 0) {
            errors.append(QStringLiteral("%1.plugin: a CAN slave record of type %2 belongs to %3")
                              .arg(at)
                              .arg(canType)
                              .arg(plugin.isEmpty() ? QStringLiteral("no plug-in")
                                                    : QStringLiteral("\"%1\"").arg(plugin)));
            return false;
        }
    }
    const Interface iface = SlavePluginName::resolveStored(plugin);
    const bool download = bus.form == SlaveBus::Form::Download;
    if ((download && !iface.recompile) || (!download && (!iface.restore || !iface.save))) {
        errors.append(QStringLiteral("%1.plugin: \"%2\" %3")
                          .arg(at, plugin,
                               iface.isLoaded() ? QStringLiteral("cannot rebuild slaves")
                                                : QStringLiteral("cannot be loaded")));
        return false;
    }
    int consumed = 0;
    int error = 0;
    const int handle = download ? iface.recompile(stored.record, projectPath, consumed, error)
                                : iface.restore(stored.record, projectPath, consumed);
    if (!handle) {
        errors.append(
            QStringLiteral("%1.record: \"%2\" refuses the record%3")
                .arg(at, plugin, error ? QStringLiteral(" (error %1)").arg(error) : QString()));
        return false;
    }
    made = SlaveEntry{handle, iface.pluginFile, iface};
    // EtherCAT records follow one another unframed: one must end where its plug-in says.
    if (bus.form == SlaveBus::Form::Save && consumed != stored.record.size()) {
        errors.append(QStringLiteral("%1.record: the slave's record ends after %2 of its %3 "
                                     "bytes")
                          .arg(at)
                          .arg(consumed)
                          .arg(stored.record.size()));
        return false;
    }
    const int nodeId = SlaveRegistry::nodeIdOf(iface, handle);
    if (nodeId != stored.nodeId) {
        errors.append(
            QStringLiteral("%1.nodeId: the record's slave has node id %2").arg(at).arg(nodeId));
        return false;
    }
    QByteArray again;
    if (download) {
        if (!iface.compile || iface.compile(handle, again) != 0)
            again.clear();
    } else {
        again = iface.save(handle);
    }
    if (again != stored.record) {
        errors.append(QStringLiteral("%1.record: \"%2\" writes this slave back as other bytes")
                          .arg(at, plugin));
        return false;
    }
    return true;
}

void makeSlaves(const ConfigDocument& doc, CpuObject& object, QStringList& errors)
{
    using Form = SlaveBus::Form;
    const QString& project = object.projectPath;
    const struct
    {
        SlaveBus bus;
        QList<SlaveEntry>* list;
    } buses[] = {
        {{"buses.etherCat.slaves", doc.etherCatSlaves, Form::Save}, &object.etherCatSlaves},
        {{"buses.qbus.slaves", doc.qbusSlaves, Form::Download}, &object.qbus.slaves},
        {{"buses.eip.slaves", doc.eipSlaves, Form::Download}, &object.eip.slaves},
    };
    for (const auto& [bus, list] : buses) {
        for (int i = 0; i < bus.specs.size(); ++i) {
            SlaveEntry made;
            quint8 type = 0;
            if (!makeSlave(bus, i, project, made, type, errors))
                return;
            // By node id, as from a block; equal ones keep the document's order.
            SlaveRegistry::insertFromBlock(*list, made);
        }
    }
    int modules = 0;
    for (const SlaveEntry& slave : object.etherCatSlaves)
        modules += 1 + (slave.iface.children ? slave.iface.children(slave.handle).size() : 0);
    if (modules > ConfigFields::MaxEtherCatSlaves) {
        errors.append(QStringLiteral("buses.etherCat.slaves: %1 slaves and modules; the save "
                                     "data counts at most %2")
                          .arg(modules)
                          .arg(ConfigFields::MaxEtherCatSlaves));
        return;
    }
    const SlaveBus can{"canopenMaster.slaves", doc.canSlaves, Form::CanSave};
    for (int i = 0; i < can.specs.size(); ++i) {
        SlaveEntry made;
        quint8 type = 0;
        if (!makeSlave(can, i, project, made, type, errors))
            return;
        object.canMaster.slaves.append(
            CanNodeEntry{made.handle, made.pluginPath, type, made.iface});
    }
}

// Nothing given may be lost on the way into the save data: the document as given and the
// document of what the save data reads back as must be the same, line for line. Slaves are
// checked one by one when they are made.
void checkKept(ConfigDocument given, const CpuObject& object, const QString& projectPath,
               QStringList& errors)
{
    CpuObject copy = object;
    const auto back = ParamBlock::restore(ParamBlock::save(copy), projectPath, false);
    if (!back) {
        errors.append(QStringLiteral("(document): the module's save data cannot be read back"));
        return;
    }
    ConfigJson::PayloadForm form;
    form.rawSettings = !given.opcUa.settingsPayload.isEmpty();
    form.rawInterfaces = !given.opcUa.interfacesPayload.isEmpty();
    ConfigDocument kept = ConfigJson::documentOf(*back, form);
    for (ConfigDocument* doc : {&given, &kept}) {
        doc->etherCatSlaves.clear();
        doc->canSlaves.clear();
        doc->qbusSlaves.clear();
        doc->eipSlaves.clear();
    }
    std::stable_sort(given.soe.begin(), given.soe.end(),
                     [](const SoeRecord& a, const SoeRecord& b) { return a.slot < b.slot; });
    QStringList paths;
    QStringList keptPaths;
    const QByteArray givenText = ConfigJson::write(given, &paths);
    const QByteArray keptText = ConfigJson::write(kept, &keptPaths);
    if (givenText == keptText)
        return;
    const QStringList a = QString::fromUtf8(givenText).split(QLatin1Char('\n'));
    const QStringList b = QString::fromUtf8(keptText).split(QLatin1Char('\n'));
    int line = 0;
    while (line < a.size() && line < b.size() && a.at(line) == b.at(line))
        ++line;
    const QString path = line < paths.size() ? paths.at(line) : keptPaths.value(line);
    const QString readBack = line < b.size() ? b.at(line).trimmed() : QString();
    const QString key = path.section(QLatin1Char('.'), -1);
    static const QRegularExpression trailingComma(QStringLiteral(",$"));
    QString message = QStringLiteral("%1: the module does not keep this as given")
                          .arg(path.isEmpty() ? QStringLiteral("(document)") : path);
    if (readBack.startsWith(JsonTextWriter::quoted(key) + QLatin1String(": ")))
        message += QStringLiteral("; it reads back as %1")
                       .arg(readBack.mid(key.size() + 4).remove(trailingComma));
    errors.append(message);
}

} // namespace

OpcUaDocument ConfigJson::opcUaDocumentOf(const QByteArray& settings, const QByteArray& interfaces,
                                          PayloadForm form)
{
    OpcUaDocument d;
    if (!settings.isEmpty()) {
        const OpcUaSettingsDecode decoded = OpcUaSettingsCodec::decode(settings);
        if (!form.rawSettings && decoded.complete() &&
            OpcUaSettingsCodec::encode(decoded.settings) == settings) {
            d.hasSettings = true;
            d.settings = decoded.settings;
        } else {
            d.settingsPayload = settings;
        }
    }
    if (!interfaces.isEmpty()) {
        const OpcUaInterfaceDecode decoded =
            OpcUaInterfaceCodec::decode(interfaces, OpcUaInterfaceCodec::MaxVariables);
        const bool named =
            std::all_of(decoded.interfaces.begin(), decoded.interfaces.end(),
                        [](const OpcUaInterface& i) { return accessLevelsNamed(i.records); });
        if (!form.rawInterfaces && decoded.complete() && named &&
            OpcUaInterfaceCodec::encode(decoded.interfaces) == interfaces) {
            d.hasInterfaces = true;
            d.interfaces = decoded.interfaces;
        } else {
            d.interfacesPayload = interfaces;
        }
    }
    return d;
}

ConfigDocument ConfigJson::documentOf(const CpuObject& object, PayloadForm form)
{
    ConfigDocument doc;
    doc.format = ConfigFields::FormatName;
    doc.object = object;
    doc.object.etherCatSlaves.clear();
    doc.object.canMaster.slaves.clear();
    doc.object.qbus.slaves.clear();
    doc.object.eip.slaves.clear();
    doc.orderNumber = object.descriptor.MLFB;
    for (const SoeRecord& record : object.soe) {
        if (record.isUsed())
            doc.soe.append(record);
    }
    // What save writes: the slaves of the buses whose sections it writes, in its order.
    if (object.etherCat.enabled)
        doc.etherCatSlaves = savedSlaves(object.etherCatSlaves);
    if (object.canMasterEnabled)
        doc.canSlaves = canSlaves(object.canMaster.slaves);
    QList<SlaveEntry> qbus = object.qbus.slaves;
    SlaveRegistry::sortByNodeId(qbus);
    doc.qbusSlaves = compiledSlaves(qbus, ConfigFields::MaxQbusSlaveRecord);
    if (object.eip.enabled)
        doc.eipSlaves = compiledSlaves(object.eip.slaves, ConfigFields::MaxSlaveRecord);
    if (object.opcUaSupported)
        doc.opcUa = opcUaDocumentOf(object.opcUaSettingsData, object.opcUaInterfaceData, form);
    return doc;
}

QByteArray ConfigJson::write(ConfigDocument& document, QStringList* linePaths)
{
    JsonTextWriter out(linePaths != nullptr);
    out.beginObject();
    JsonWriteChannel ch(out);
    ConfigFields::document(ch, document);
    out.endObject();
    if (linePaths)
        *linePaths = out.linePaths();
    return out.text();
}

QByteArray ConfigJson::exportDocument(const CpuObject& object)
{
    ConfigDocument doc = documentOf(object, PayloadForm());
    return write(doc);
}

QByteArray ConfigJson::schema()
{
    JsonSchemaChannel ch;
    ConfigDocument doc;
    ConfigFields::document(ch, doc);
    return QJsonDocument(ch.schema(QStringLiteral("CPU module configuration"))).toJson();
}

std::unique_ptr<CpuObject>
ConfigJson::importDocument(const QByteArray& json, const QString& projectPath, QStringList& errors)
{
    errors.clear();
    if (json.size() > MaxDocumentSize) {
        errors.append(QStringLiteral("(document): larger than %1 bytes").arg(MaxDocumentSize));
        return nullptr;
    }
    QJsonParseError parse;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError || !parsed.isObject()) {
        errors.append(parse.error != QJsonParseError::NoError
                          ? QStringLiteral("(document): not JSON: %1 at byte %2")
                                .arg(parse.errorString())
                                .arg(parse.offset)
                          : QStringLiteral("(document): expected an object"));
        return nullptr;
    }

    ConfigDocument doc;
    JsonReadChannel ch(parsed.object(), errors);
    ConfigFields::document(ch, doc);
    ch.finish();
    if (!errors.isEmpty())
        return nullptr;

    ModuleDescriptor entry;
    checkDocument(doc, entry, errors);
    if (!errors.isEmpty())
        return nullptr;

    auto object = buildObject(doc, entry, projectPath);
    if (doc.opcUa.hasSettings)
        object->opcUaSettingsData = OpcUaSettingsCodec::encode(doc.opcUa.settings);
    else
        object->opcUaSettingsData = doc.opcUa.settingsPayload;
    if (doc.opcUa.hasInterfaces)
        object->opcUaInterfaceData = interfacePayload(doc.opcUa.interfaces, errors);
    else
        object->opcUaInterfaceData = doc.opcUa.interfacesPayload;
    if (!errors.isEmpty())
        return nullptr;

    checkKept(doc, *object, projectPath, errors);
    if (!errors.isEmpty())
        return nullptr;
    makeSlaves(doc, *object, errors);
    if (!errors.isEmpty())
        return nullptr;
    return object;
}
