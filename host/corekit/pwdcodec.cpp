#include "pwdcodec.h"

namespace {

constexpr int kFieldSize = 8;
constexpr quint8 kKey[kFieldSize] = {0x5B, 0xC4, 0x17, 0x9E, 0x62, 0xA9, 0x3D, 0xF0};

// Bijection of 1..255 onto itself, so that 0 stays free as the terminator.
quint8 scramble(quint8 c, int i)
{
    return quint8(((c - 1 + kKey[i] + 7 * i) % 255) + 1);
}

quint8 unscramble(quint8 e, int i)
{
    return quint8((((e - 1 - kKey[i] - 7 * i) % 255 + 255) % 255) + 1);
}

} // namespace

QByteArray encodePwdLen8(const QString& password)
{
    const QByteArray clear = password.toLatin1();
    QByteArray field(kFieldSize, '\0');
    for (int i = 0; i < kFieldSize && i < clear.size(); ++i) {
        const quint8 c = quint8(clear.at(i));
        if (c == 0)
            break;
        field[i] = char(scramble(c, i));
    }
    return field;
}

QString decodePwdLen8(const QByteArray& field)
{
    QByteArray clear;
    for (int i = 0; i < kFieldSize && i < field.size(); ++i) {
        const quint8 e = quint8(field.at(i));
        if (e == 0)
            break;
        clear.append(char(unscramble(e, i)));
    }
    return QString::fromLatin1(clear);
}
