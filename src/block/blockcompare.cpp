#include "blockcompare.h"

#include "bytes/bytereader.h"

#include <corekit/byteorder.h>

#include <QObject>

namespace {

constexpr int kPrefix = 4; // bytes the host puts in front of each block

// A byte of `data` at `pos`, 0 outside it.
quint8 at(const QByteArray& data, qint64 pos)
{
    return pos >= 0 && pos < data.size() ? quint8(data.at(int(pos))) : 0;
}

quint32 u32At(const QByteArray& data, qint64 pos)
{
    if (pos < 0 || pos >= data.size())
        return 0;
    return byteArrayToUInt(data.mid(int(pos), 4), 4);
}

quint16 u16At(const QByteArray& data, qint64 pos)
{
    if (pos < 0 || pos >= data.size())
        return 0;
    return byteArrayToUShort(data.mid(int(pos), 2), 2);
}

// The bytes [pos, pos + length) of `data` that exist; QByteArray::mid never allocates more
// than the array holds, whatever length a block declares.
QByteArray slice(const QByteArray& data, qint64 pos, qint64 length)
{
    if (pos < 0 || pos >= data.size() || length <= 0)
        return {};
    return data.mid(int(pos), int(qMin<qint64>(length, data.size() - pos)));
}

} // namespace

QString BlockCompare::sectionMessage(quint8 id)
{
    switch (id) {
    case 2:
        return QObject::tr("The module common information is not the same.");
    case 3:
        return QObject::tr("The CPU parameters is not the same.");
    case 4:
        return QObject::tr("The CANopen master address Mapping info is not the same.");
    case 5:
        return QObject::tr("The Digital stop output parameters is not the same.");
    case 6:
        return QObject::tr("The Analog input filter parameters is not the same.");
    case 7:
        return QObject::tr("The Analog stop output parameters is not the same.");
    case 8:
        return QObject::tr("The CPU expansion parameters is not the same.");
    case 17:
        return QObject::tr("The CANopen master communication parameters is not the same.");
    case 18:
        return QObject::tr("The Digital input filter parameters is not the same.");
    case 19:
        return QObject::tr("The HSC parameters is not the same.");
    case 20:
        return QObject::tr("The Analog input Range parameters is not the same.");
    case 21:
        return QObject::tr("The Analog output type parameters is not the same.");
    case 22:
        return QObject::tr("The EtherCAT parameters is not the same.");
    case 25:
        return QObject::tr("The local CAN config parameters is not the same.");
    case 28:
        return QObject::tr("The local digital input filter  parameters is not the same.");
    case 29:
        return QObject::tr("The local HSC parameters is not the same.");
    case 32:
        return QObject::tr("The OPC UA Server parameters is not the same.");
    case 39:
        return QObject::tr("The Expansion card parameters is not the same.");
    default:
        return {};
    }
}

QString BlockCompare::subBlockMessage(quint8 id)
{
    switch (id) {
    case 3:
        return QObject::tr("The PPI port 0 parameters is not the same.");
    case 0x80:
        return QObject::tr("The PPI port 1 parameters is not the same.");
    case 0x94:
        return QObject::tr("The TCP/IP port parameters is not the same.");
    case 6:
        return QObject::tr("The retentive ranges parameters is not the same.");
    case 0x0F:
        return QObject::tr("The password parameters is not the same.");
    case 2:
        return QObject::tr("The background time port parameters is not the same.");
    case 0x95:
        return QObject::tr("The SOE configuration is not the same.");
    default:
        return {};
    }
}

QStringList BlockCompare::compare(const QByteArray& first, const QByteArray& second)
{
    QStringList messages;
    if (at(first, kPrefix) != at(second, kPrefix)) {
        messages.append(QObject::tr("The CPU parameters number is not the same."));
        return messages;
    }
    const int count = at(first, kPrefix);
    qint64 p1 = kPrefix + 1;
    qint64 p2 = kPrefix + 1;
    for (int n = 0; n < count; ++n) {
        const quint32 l1 = u32At(first, p1);
        const quint32 l2 = u32At(second, p2);
        const QByteArray s1 = slice(first, p1, l1);
        const QByteArray s2 = slice(second, p2, l2);
        if (s1 != s2) {
            const quint8 i1 = at(s1, 5);
            const quint8 i2 = at(s2, 5);
            if (i1 != 3 || i2 != 3) {
                const QString message = sectionMessage(i1);
                if (!message.isEmpty())
                    messages.append(message);
                return messages;
            }
            // Both are CPU parameter sections: name the sub-blocks that differ.
            qint64 o1 = ByteReader::SectionHeadSize;
            qint64 o2 = ByteReader::SectionHeadSize;
            while (o1 < l1 && o2 < l2) {
                qint64 b1 = at(s1, o1);
                qint64 b2 = at(s2, o2);
                const quint8 j1 = at(s1, o1 + 1);
                const quint8 j2 = at(s2, o2 + 1);
                if (j1 == 0x95) { // the SOE sub-block has a 16-bit length
                    b1 = u16At(s1, o1 + 2);
                    b2 = u16At(s2, o2 + 2);
                }
                if (j1 == j2 && slice(s1, o1, b1) != slice(s2, o2, b2)) {
                    const QString message = subBlockMessage(j1);
                    if (!message.isEmpty())
                        messages.append(message);
                }
                if (b1 == 0 || b2 == 0)
                    break;
                o1 += b1;
                o2 += b2;
            }
        }
        p1 += l1;
        p2 += l2;
    }
    return messages;
}
