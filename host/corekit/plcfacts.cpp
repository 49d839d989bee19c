#include "plcfacts.h"

#include "hosthome.h"
#include "jsonfilecache.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>

namespace {

// The models of a plc-types.json by each of their names; the first model that lists a name
// owns it. Every restore asks about its PLC, and walking the JSON each time was the larger
// part of a small restore.
struct ModelIndex
{
    QString file;
    quint64 generation = 0;
    QHash<QString, QJsonObject> byName;
};

QJsonObject findModel(const QString& first, const QString& second)
{
    static QMutex mutex;
    static ModelIndex index;
    const QString file = HostHome::file(QStringLiteral("plc-types.json"));
    const auto doc = JsonFileCache::instance().read(file);
    QMutexLocker lock(&mutex);
    if (index.file != file || index.generation != doc.generation) {
        index = ModelIndex{file, doc.generation, {}};
        const QJsonArray models = doc.document.array();
        for (const QJsonValue& value : models) {
            const QJsonObject model = value.toObject();
            const QJsonArray names = model.value(QStringLiteral("names")).toArray();
            for (const QJsonValue& name : names) {
                if (name.isString() && !index.byName.contains(name.toString()))
                    index.byName.insert(name.toString(), model);
            }
        }
    }
    for (const QString& name : {first, second}) {
        const auto it = index.byName.constFind(name);
        if (!name.isEmpty() && it != index.byName.constEnd())
            return *it;
    }
    return {};
}

} // namespace

bool getPlcSupportOpcUA(const QString& type, const QString& version)
{
    return findModel(type, version).value(QStringLiteral("opcUa")).toBool(false);
}

int getPlcAddrRange(const QString& name, const QString& model, const QString& key)
{
    return findModel(name, model)
        .value(QStringLiteral("addrRanges"))
        .toObject()
        .value(key)
        .toInt(0);
}

int getPlcMaxPouSize(const QString& type, const QString& version)
{
    return findModel(type, version).value(QStringLiteral("maxPouSize")).toInt(0);
}

int getPlcObjectRange(const QString& type, const QString& version, int kind)
{
    return findModel(type, version)
        .value(QStringLiteral("objectRanges"))
        .toObject()
        .value(QString::number(kind))
        .toInt(0);
}

int getPlcPpiPortNumByVer(const QString& model)
{
    return findModel(model, QString()).value(QStringLiteral("ppiPorts")).toInt(0);
}

QList<DataRetenDefault> getDefaultDataRenten(const QString& type, const QString& version)
{
    QList<DataRetenDefault> list;
    const QJsonArray entries =
        findModel(type, version).value(QStringLiteral("defaultRetentive")).toArray();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        list.append({entry.value(QStringLiteral("area")).toString(),
                     entry.value(QStringLiteral("start")).toInt(0),
                     entry.value(QStringLiteral("length")).toInt(0)});
    }
    return list;
}

QString memoryAreaName(int area)
{
    switch (area) {
    case 4:
        return QStringLiteral("S");
    case 5:
        return QStringLiteral("SM");
    case 6:
        return QStringLiteral("AI");
    case 7:
        return QStringLiteral("AQ");
    case 0x81:
        return QStringLiteral("I");
    case 0x82:
        return QStringLiteral("Q");
    case 0x83:
        return QStringLiteral("M");
    case 0x84:
        return QStringLiteral("V");
    default:
        return {};
    }
}

int plcAreaSize(const QString& type, int area)
{
    // The "addrRanges" key of an area is its letters.
    const QString key = memoryAreaName(area);
    const QJsonValue size =
        findModel(type, QString()).value(QStringLiteral("addrRanges")).toObject().value(key);
    return key.isEmpty() || !size.isDouble() ? -1 : size.toInt();
}
