#include "opcuaaddressrules.h"

#include "opcuaaddress.h"

#include <QRegularExpression>

namespace {

constexpr quint32 kMaxByteOffset = 0xFFFFFF / 8; // the bit address has 24 bits

QRegularExpression whole(const char* pattern)
{
    QRegularExpression re(QRegularExpression::anchoredPattern(QLatin1String(pattern)));
    re.optimize();
    return re;
}

struct Rule
{
    QRegularExpression pattern;
    OpcUaDataType dataType;
    OpcUaAddressKind kind;
    // Whether the address may only be read; none: always "RW".
    bool (*readOnly)(const QString& address);
    bool dataBlock;
};

const QRegularExpression& inputBit()
{
    static const QRegularExpression re = whole("(I)(\\d+)(\\.[0-7])");
    return re;
}

const QRegularExpression& analogInput()
{
    static const QRegularExpression re = whole("(AIW)(\\d+)");
    return re;
}

const QRegularExpression& inputBytes()
{
    static const QRegularExpression re = whole("(I)(B|W|D)(\\d+)");
    return re;
}

const QRegularExpression& systemBytes()
{
    static const QRegularExpression re = whole("(SMB)(([0-2][0-9])|[0-9])");
    return re;
}

bool readsInputBit(const QString& a)
{
    return inputBit().match(a).hasMatch();
}

bool readsAnalogInput(const QString& a)
{
    return analogInput().match(a).hasMatch();
}

bool readsInputBytes(const QString& a)
{
    return inputBytes().match(a).hasMatch();
}

bool readsFixedBytes(const QString& a)
{
    return systemBytes().match(a).hasMatch() || readsInputBytes(a);
}

// Rules 1 to 5 take addresses with a point, 6 to 9 those without; the first match decides.
const std::vector<Rule>& rules()
{
    using T = OpcUaDataType;
    using K = OpcUaAddressKind;
    static const std::vector<Rule> list{
        {whole("(I|Q|V|M|SM|S)(\\d+)(\\.[0-7])"), T::Bool, K::Bit, readsInputBit, false},
        {whole("DB([0-9]+)\\.DBX\\s*([0-9]+)(\\.[0-7])"), T::Bool, K::Bit, nullptr, true},
        {whole("DB([0-9]+)\\.DBB\\s*([0-9]+)"), T::SByte, K::Byte, nullptr, true},
        {whole("DB([0-9]+)\\.DBW\\s*([0-9]+)"), T::Int16, K::Word, nullptr, true},
        {whole("DB([0-9]+)\\.DBD\\s*([0-9]+)"), T::Int32, K::DoubleWord, nullptr, true},
        {whole("(AIW|AQW)(\\d+)"), T::Int16, K::AnalogWord, readsAnalogInput, false},
        {whole("(IB|QB|VB|MB|SMB|SB)(\\d+)"), T::SByte, K::Byte, readsFixedBytes, false},
        {whole("(IW|QW|VW|MW|SMW|SW)(\\d+)"), T::Int16, K::Word, readsInputBytes, false},
        {whole("(ID|QD|VD|MD|SMD|SD)(\\d+)"), T::Int32, K::DoubleWord, readsInputBytes, false},
    };
    return list;
}

// The decimal number of a captured text, when it fits 32 bits.
std::optional<quint32> number(const QString& digits)
{
    bool ok = false;
    const quint32 value = digits.toUInt(&ok);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

// The address text the payload gives back for this class.
std::optional<QString> canonical(const QString& address, const OpcUaAddressClass& c)
{
    const auto parts = OpcUaAddress::split(address, quint32(c.dataType), quint32(c.kind));
    if (!parts || parts->byteOffset > kMaxByteOffset)
        return std::nullopt;
    const auto rebuilt = OpcUaAddress::topLevel(parts->areaCode, quint32(c.dataType), c.dbNumber,
                                                parts->bitAddress());
    if (!rebuilt)
        return std::nullopt;
    return rebuilt->text;
}

std::optional<OpcUaAddressClass> classifyWith(const QString& address, bool elementsOnly)
{
    const QString text = address.trimmed();
    const bool point = text.contains(QLatin1Char('.'));
    const auto& list = rules();
    const size_t first = point ? 0 : 5;
    const size_t end = point ? 5 : list.size();
    for (size_t i = first; i < end; ++i) {
        const Rule& rule = list[i];
        if (elementsOnly && !rule.dataBlock)
            continue;
        const QRegularExpressionMatch match = rule.pattern.match(text);
        if (!match.hasMatch())
            continue;
        OpcUaAddressClass c;
        c.dataType = rule.dataType;
        c.kind = rule.kind;
        if (rule.readOnly && rule.readOnly(text))
            c.access = OpcUaAccessLevel::Read;
        if (rule.dataBlock) {
            const auto db = number(match.captured(1));
            if (!db || *db > 0xFFFF)
                return std::nullopt;
            c.dbNumber = quint16(*db);
        }
        const auto shown = canonical(text, c);
        if (!shown)
            return std::nullopt;
        c.address = *shown;
        return c;
    }
    return std::nullopt;
}

} // namespace

std::optional<OpcUaAddressClass> OpcUaAddressRules::classify(const QString& address)
{
    return classifyWith(address, false);
}

std::optional<OpcUaAddressClass> OpcUaAddressRules::classifyElement(const QString& address,
                                                                    quint16 objectNumber)
{
    auto c = classifyWith(address, true);
    if (!c || c->dbNumber != objectNumber)
        return std::nullopt;
    return c;
}

std::optional<quint16> OpcUaAddressRules::objectNumber(const QString& name)
{
    static const QRegularExpression re = whole("DB([0-9]+)");
    const QRegularExpressionMatch match = re.match(name.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const auto db = number(match.captured(1));
    if (!db || *db > 0xFFFF)
        return std::nullopt;
    return quint16(*db);
}

bool OpcUaAddressRules::isReadOnly(const QString& address)
{
    return readsAnalogInput(address) || readsFixedBytes(address) || readsInputBit(address);
}

bool OpcUaAddressRules::isExcluded(const QString& address)
{
    static const QRegularExpression re = whole("(T|C|AC|HC)(\\d+)");
    return re.match(address.trimmed()).hasMatch();
}

std::optional<OpcUaVarRecord> OpcUaAddressRules::recordFor(const OpcUaDragItem& item,
                                                           int* skippedElements)
{
    const auto fill = [](OpcUaVarRecord& r, const OpcUaDragItem& from, const OpcUaAddressClass& c) {
        r.address = c.address;
        r.dataType = quint32(c.dataType);
        r.addressKind = quint32(c.kind);
        r.accessLevel = quint32(c.access);
        r.dbNumber = c.dbNumber;
        r.browseName = from.browseName == r.address ? r.address : from.browseName;
        r.displayName = from.displayName;
        r.description = from.description;
        r.tag = quint32(from.tag);
        r.reserved = quint8(from.flag);
    };
    OpcUaVarRecord record;
    if (!item.isObject) {
        const auto c = classify(item.address);
        if (!c)
            return std::nullopt;
        fill(record, item, *c);
        return record;
    }
    const auto db = objectNumber(item.address);
    if (!db)
        return std::nullopt;
    OpcUaAddressClass c;
    c.address = QStringLiteral("DB%1").arg(*db);
    c.dataType = OpcUaDataType::Object;
    c.kind = OpcUaAddressKind::DataBlockObject;
    c.dbNumber = *db;
    fill(record, item, c);
    record.elements.reserve(item.elements.size());
    for (const OpcUaDragItem& from : item.elements) {
        const auto e = classifyElement(from.address, *db);
        if (!e) {
            if (skippedElements)
                ++*skippedElements;
            continue;
        }
        OpcUaVarRecord element;
        fill(element, from, *e);
        record.elements.push_back(std::move(element));
    }
    return record;
}

QVector<OpcUaDataType> OpcUaAddressRules::dataTypes(quint32 addressKind)
{
    using T = OpcUaDataType;
    switch (addressKind) {
    case quint32(OpcUaAddressKind::Bit):
        return {T::Bool};
    case quint32(OpcUaAddressKind::Byte):
        return {T::SByte, T::ByteChar, T::String};
    case quint32(OpcUaAddressKind::Word):
    case quint32(OpcUaAddressKind::AnalogWord):
        return {T::Int16, T::UInt16};
    case quint32(OpcUaAddressKind::DoubleWord):
        return {T::Int32, T::UInt32, T::Float};
    case quint32(OpcUaAddressKind::DataBlockObject):
        return {T::Object};
    }
    return {};
}
