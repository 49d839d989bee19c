#pragma once

#include <QString>

// What a text member of a configuration document may hold.
struct TextRule
{
    int maxBytes = -1; // in the local 8-bit encoding; -1: no limit
    QString pattern;   // a regular expression the whole text must match; empty: any text
    QString description;
    int maxChars = -1; // a limit in characters, where the bytes are checked elsewhere

    static TextRule bytes(int maxBytes)
    {
        return {maxBytes, QString(),
                QStringLiteral("at most %1 bytes in the local 8-bit encoding").arg(maxBytes)};
    }
};
