#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Every message box of the dialog goes through here, so that tests can take the message
// instead of blocking on a modal box.
class Messages
{
public:
    using Interceptor =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;

    // A box with a single OK button.
    static void show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                     const QString& text);

    // Messages go to `interceptor` instead of a box while it is set; an empty one restores
    // the boxes.
    static void setInterceptor(Interceptor interceptor);
};
