#include "prjobjectproperty.h"

#include "projectfile.h"
#include "projectqueries.h"

#include <QJsonObject>

PrjObjectProperty::PrjObjectProperty(const QString& projectPath, int kind, const QString& name)
    : m_projectPath(projectPath)
    , m_kind(kind)
    , m_name(name)
{}

bool PrjObjectProperty::getFromPrj()
{
    if (m_kind != PrjObjectKindDataBlock)
        return false;
    const QJsonObject block = ProjectFile::load(m_projectPath).dataBlock(m_name);
    if (block.isEmpty())
        return false;
    symbolName = block.value(QStringLiteral("symbol")).toString();
    symbolComment = block.value(QStringLiteral("comment")).toString();
    dbBeRetentive = block.value(QStringLiteral("retentive")).toBool(false) ? 1 : 0;
    dbIsInstance = block.value(QStringLiteral("instance")).toBool(false) ? 1 : 0;
    return true;
}
