#include "slavepluginname.h"

#include <algorithm>

namespace SlavePluginName {

QString resolvable(const QString& stored)
{
    if (stored.isEmpty() || stored == QLatin1String(".") || stored == QLatin1String(".."))
        return {};
    const bool bare = std::none_of(stored.begin(), stored.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') ||
               c.category() == QChar::Other_Control;
    });
    return bare ? stored : QString();
}

Interface resolveStored(const QString& stored)
{
    const QString name = resolvable(stored);
    return name.isEmpty() ? Interface() : resolveInterface(name);
}

QString storable(const QString& pluginPath)
{
    const int cut = std::max(pluginPath.lastIndexOf(QLatin1Char('/')),
                             pluginPath.lastIndexOf(QLatin1Char('\\')));
    return pluginPath.mid(cut + 1);
}

} // namespace SlavePluginName
