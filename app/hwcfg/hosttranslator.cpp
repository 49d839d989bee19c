#include "hosttranslator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace {

const QStringList& catalogNames()
{
    static const QStringList names{QStringLiteral("corvo"), QStringLiteral("corekit")};
    return names;
}

} // namespace

bool HostTranslator::load(const QLocale& locale, const QString& folder)
{
    m_catalogs.clear();
    m_sources.clear();
    for (const QString& name : catalogNames()) {
        auto catalog = std::make_unique<QTranslator>();
        if (catalog->load(locale, name, QStringLiteral("_"), folder))
            m_catalogs.push_back(std::move(catalog));
    }
    return !m_catalogs.empty();
}

QString HostTranslator::translate(const char* context, const char* sourceText,
                                  const char* disambiguation, int n) const
{
    for (const auto& catalog : m_catalogs) {
        const QString text = catalog->translate(context, sourceText, disambiguation, n);
        if (!text.isNull()) {
            m_sources.insert(text, QString::fromUtf8(sourceText));
            return text;
        }
    }
    return QString();
}

bool HostTranslator::isEmpty() const
{
    return m_catalogs.empty();
}

QString HostTranslator::sourceOf(const QString& text) const
{
    return m_sources.value(text, text);
}

bool HostTranslator::install(QCoreApplication& app, const QString& language,
                             const QString& pluginFile, QString* error)
{
    const QLocale locale = language.isEmpty() ? QLocale::system() : QLocale(language);
    if (!language.isEmpty() && locale.language() == QLocale::C && language != QLatin1String("C")) {
        if (error)
            *error = QStringLiteral("unknown language %1").arg(language);
        return false;
    }
    // The source texts are English.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return true;
    const QString folder = QFileInfo(pluginFile).absolutePath();
    auto* translator = new HostTranslator(&app);
    if (!translator->load(locale, folder)) {
        delete translator;
        if (language.isEmpty())
            return true;
        if (error)
            *error = QStringLiteral("no translation for %1 in %2").arg(language, folder);
        return false;
    }
    app.installTranslator(translator);
    // Qt's own texts (standard buttons, file dialogs), where the system has them.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
    else
        delete qt;
    return true;
}
