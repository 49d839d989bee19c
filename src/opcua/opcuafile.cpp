#include "opcuafile.h"

#include "opcuainterfacecodec.h"
#include "opcuasettingscodec.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

namespace {

// Reasons reach the user in the dialog's import message.
QString text(const char* source)
{
    return QCoreApplication::translate("OpcUaFile", source);
}

constexpr quint32 kNullArray = 0xFFFFFFFF;

bool readArray(QDataStream& in, const char* name, QByteArray& array, QString* problem)
{
    QIODevice* device = in.device();
    if (device->bytesAvailable() < 4) {
        *problem =
            text(QT_TRANSLATE_NOOP("OpcUaFile", "the file ends before the %1")).arg(text(name));
        return false;
    }
    quint32 count = 0;
    in >> count;
    if (count == kNullArray || count == 0)
        return true;
    if (count > quint64(device->bytesAvailable())) {
        *problem = text(QT_TRANSLATE_NOOP("OpcUaFile", "the %1 declares %2 bytes; %3 remain"))
                       .arg(text(name))
                       .arg(count)
                       .arg(device->bytesAvailable());
        return false;
    }
    array.resize(int(count));
    return in.readRawData(array.data(), int(count)) == int(count);
}

} // namespace

QByteArray OpcUaFile::encode(const OpcUaFileContents& contents)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    // writeBytes, not <<: a null array would go out as 0xFFFFFFFF, not as count 0.
    out.writeBytes(contents.settings.constData(), uint(contents.settings.size()));
    out.writeBytes(contents.interfaces.constData(), uint(contents.interfaces.size()));
    return bytes;
}

std::optional<OpcUaFileContents> OpcUaFile::decode(const QByteArray& bytes, QString* problem)
{
    QString why;
    QDataStream in(bytes);
    OpcUaFileContents contents;
    if (!readArray(in, QT_TRANSLATE_NOOP("OpcUaFile", "server settings"), contents.settings,
                   &why) ||
        !readArray(in, QT_TRANSLATE_NOOP("OpcUaFile", "server interface"), contents.interfaces,
                   &why)) {
        if (problem)
            *problem = why;
        return std::nullopt;
    }
    if (!in.atEnd()) {
        if (problem)
            *problem = text(QT_TRANSLATE_NOOP("OpcUaFile", "%1 bytes follow the two payloads"))
                           .arg(in.device()->bytesAvailable());
        return std::nullopt;
    }
    return contents;
}

QString OpcUaFile::payloadProblem(const OpcUaFileContents& contents)
{
    if (!contents.settings.isEmpty()) {
        const OpcUaSettingsDecode settings = OpcUaSettingsCodec::decode(contents.settings);
        if (!settings.complete())
            return text(QT_TRANSLATE_NOOP("OpcUaFile", "the server settings are damaged (%1)"))
                .arg(settings.problem);
    }
    if (!contents.interfaces.isEmpty()) {
        const OpcUaInterfaceDecode interfaces =
            OpcUaInterfaceCodec::decode(contents.interfaces, OpcUaInterfaceCodec::MaxVariables);
        if (!interfaces.complete())
            return text(QT_TRANSLATE_NOOP("OpcUaFile", "the server interface cannot be taken (%1)"))
                .arg(interfaces.reason());
    }
    return QString();
}

std::optional<OpcUaFileContents> OpcUaFile::read(QIODevice& device, QString* problem)
{
    // In pieces: read(MaxSize) would set the whole maximum aside for any file.
    QByteArray bytes;
    char piece[16 * 1024];
    qint64 got = 0;
    while (bytes.size() <= MaxSize && (got = device.read(piece, sizeof piece)) > 0)
        bytes.append(piece, int(got));
    if (bytes.size() > MaxSize) {
        if (problem)
            *problem = text(QT_TRANSLATE_NOOP("OpcUaFile", "the file is larger than %1 bytes"))
                           .arg(MaxSize);
        return std::nullopt;
    }
    auto contents = decode(bytes, problem);
    if (!contents)
        return std::nullopt;
    const QString why = payloadProblem(*contents);
    if (!why.isEmpty()) {
        if (problem)
            *problem = why;
        return std::nullopt;
    }
    return contents;
}

bool OpcUaFile::write(QIODevice& device, const OpcUaFileContents& contents)
{
    const QByteArray bytes = encode(contents);
    return device.write(bytes) == bytes.size();
}
