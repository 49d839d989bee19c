#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every file dialog of the plug-in goes through here, so that tests can answer with a
// path (or a cancel) instead of blocking on a modal dialog.
class FileDialogs
{
public:
    enum class Kind { Open, Save };

    // Answers the file chosen; an empty path is a cancelled dialog.
    using Interceptor = std::function<QString(Kind kind, const QString& caption,
                                              const QString& folder, const QString& filter)>;

    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter);

    // Dialogs go to `interceptor` instead while it is set; an empty one restores them.
    static void setInterceptor(Interceptor interceptor);
};
