#include "prjsymboloperator.h"

#include <corekit/projectfile.h>

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QHash<QString, PrjSymbolOperator*>& instances()
{
    static QHash<QString, PrjSymbolOperator*> map;
    return map;
}

} // namespace

PrjSymbolOperator::PrjSymbolOperator(const QString& projectPath)
    : m_projectPath(projectPath)
{}

PrjSymbolOperator* PrjSymbolOperator::getInstance(const QString& owner, const QString& projectPath)
{
    const QString key = owner + QLatin1Char('\n') + projectPath;
    PrjSymbolOperator*& instance = instances()[key];
    if (!instance) {
        instance = new PrjSymbolOperator(projectPath);
        instance->m_key = key;
    }
    ++instance->m_users;
    return instance;
}

void PrjSymbolOperator::releaseInstance(PrjSymbolOperator* instance)
{
    if (!instance || --instance->m_users > 0)
        return;
    instances().remove(instance->m_key);
    delete instance;
}

int PrjSymbolOperator::liveInstances()
{
    return instances().size();
}

QStringList PrjSymbolOperator::getTableNames(int tableType) const
{
    QStringList names;
    const QJsonArray tables = ProjectFile::load(m_projectPath).symbolTables();
    for (const QJsonValue& value : tables) {
        const QJsonObject table = value.toObject();
        if (table.value(QStringLiteral("type")).toInt(0) == tableType)
            names.append(table.value(QStringLiteral("name")).toString());
    }
    return names;
}

QList<Symbol> PrjSymbolOperator::getSymbolByType(int tableType) const
{
    QList<Symbol> symbols;
    const QJsonArray tables = ProjectFile::load(m_projectPath).symbolTables();
    for (const QJsonValue& value : tables) {
        const QJsonObject table = value.toObject();
        const int type = table.value(QStringLiteral("type")).toInt(0);
        if (tableType != AllTypes && type != tableType)
            continue;
        const QString tableName = table.value(QStringLiteral("name")).toString();
        const QJsonArray entries = table.value(QStringLiteral("symbols")).toArray();
        for (const QJsonValue& entryValue : entries) {
            const QJsonObject entry = entryValue.toObject();
            symbols.append({entry.value(QStringLiteral("name")).toString(),
                            entry.value(QStringLiteral("address")).toString(),
                            entry.value(QStringLiteral("dataType")).toString(),
                            entry.value(QStringLiteral("comment")).toString(), tableName, type});
        }
    }
    return symbols;
}
