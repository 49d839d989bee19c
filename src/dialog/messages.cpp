#include "messages.h"

namespace {

Messages::Interceptor& interceptor()
{
    static Messages::Interceptor current;
    return current;
}

} // namespace

void Messages::show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const QString& text)
{
    if (interceptor()) {
        interceptor()(icon, title, text);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void Messages::setInterceptor(Interceptor value)
{
    interceptor() = std::move(value);
}
