#pragma once

#include <QString>

// A debug-log line in the plug-in's form: the time "HH:mm:ss.zzz", the source module name,
// a line number and an optional text. Nothing is formatted while debug output is off.
void debugLine(const char* module, int line, const QString& text = QString());

// Whether debug lines are shown; callers check it before building a costly text.
bool debugLogEnabled();
