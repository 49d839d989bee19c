#include "filedialogs.h"

#include <QFileDialog>

namespace {

FileDialogs::Interceptor& interceptor()
{
    static FileDialogs::Interceptor current;
    return current;
}

} // namespace

QString FileDialogs::getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter)
{
    if (interceptor())
        return interceptor()(Kind::Open, caption, folder, filter);
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString FileDialogs::getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter)
{
    if (interceptor())
        return interceptor()(Kind::Save, caption, folder, filter);
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

void FileDialogs::setInterceptor(Interceptor value)
{
    interceptor() = std::move(value);
}
