#pragma once

#include <QHash>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

class QCoreApplication;

// The translations a host installs for the plug-in: the plug-in's catalog (corvo_<lang>.qm)
// and the host libraries' (corekit_<lang>.qm) from the plug-in's folder, as one translator.
// It remembers the source text of every text it translated, so that pictures of translated
// pages can be named as the untranslated ones.
class HostTranslator : public QTranslator
{
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    // Loads the catalogs for `locale` from `folder`; false when there is none for it.
    bool load(const QLocale& locale, const QString& folder);

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override;

    // The source text `text` was translated from; `text` itself when it is no translation.
    QString sourceOf(const QString& text) const;

    // Installs the translations for `language` (empty: the system's locale) in `app`: the
    // catalogs beside `pluginFile` and Qt's own where present. False, with `error` set, when
    // a language other than English was asked for and there is no catalog for it.
    static bool install(QCoreApplication& app, const QString& language, const QString& pluginFile,
                        QString* error);

private:
    std::vector<std::unique_ptr<QTranslator>> m_catalogs;
    mutable QHash<QString, QString> m_sources;
};
