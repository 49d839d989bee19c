#pragma once

#include <QString>

// One field of a payload as a reader met it, for tools that show payloads field by field.
struct PayloadField
{
    QString name;   // "user 1 / name"
    int offset = 0; // in the payload
    int size = 0;
    QString value;
};
