#pragma once

#include <QString>

// The absolute folder of the shared library (or program) that holds `address`, for
// example the address of one of its own functions; empty when it cannot be told. The host
// libraries find what is installed beside them this way.
QString libraryFolderOf(const void* address);
