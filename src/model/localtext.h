#pragma once

#include <QByteArray>
#include <QString>

// Texts in blocks and records are in the local 8-bit encoding.

// The encoding of the longest prefix of `text` that fits `maxBytes`, never splitting a
// character; writers behind a length byte or into a fixed field use it so that the
// length always equals the bytes that follow.
QByteArray fitLocal8Bit(const QString& text, int maxBytes);

// Removes characters before `cursor` (or from the end) until the text's encoding fits
// `maxBytes`; used by input fields with a byte limit. Returns the new cursor position.
int trimLocal8BitAtCursor(QString& text, int cursor, int maxBytes);
