#pragma once

#include "localtext.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>

// A length-prefixed text of N bytes in all: one length byte and an (N - 1)-byte buffer in
// the local 8-bit encoding. The raw bytes are kept as they are, so a field read from a
// block is written back byte for byte, whatever lies behind the text.
template <int N>
struct FixedText
{
    static_assert(N >= 2 && N <= 256, "one length byte and a buffer");
    static constexpr int Capacity = N - 1;

    std::array<quint8, N> raw{};

    // The text, its length byte clamped to the buffer.
    QString text() const
    {
        const int n = qMin<int>(raw[0], Capacity);
        return QString::fromLocal8Bit(reinterpret_cast<const char*>(raw.data()) + 1, n);
    }

    // Clears the whole field, then stores as many whole characters as fit.
    void setText(const QString& value)
    {
        raw.fill(0);
        const QByteArray bytes = fitLocal8Bit(value, Capacity);
        raw[0] = quint8(bytes.size());
        std::copy(bytes.begin(), bytes.end(), raw.begin() + 1);
    }

    bool operator==(const FixedText& o) const { return raw == o.raw; }
    bool operator!=(const FixedText& o) const { return raw != o.raw; }
};
