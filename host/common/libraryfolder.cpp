#include "libraryfolder.h"

#include <QFileInfo>

#include <dlfcn.h>

QString libraryFolderOf(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}
