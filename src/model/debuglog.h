#pragma once

#include <QString>

// A debug-log line in the plug-in's form: the time "HH:mm:ss.zzz", the source module name,
// a line number and an optional text.
void debugLine(const char* module, int line, const QString& text = QString());
