#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

// The two payloads of an OPC UA configuration.
struct OpcUaFileContents
{
    QByteArray settings;   // opcUaSettingsData
    QByteArray interfaces; // opcUaInterfaceData
};

// The *.opuca file: a data stream holding exactly two byte arrays (a 32-bit count, then the
// bytes; an empty array has count 0), the settings payload and the interface payload.
// Nothing else is in it.
class OpcUaFile
{
public:
    // Files are read whole; no configuration comes near this.
    static constexpr qint64 MaxSize = 64 * 1024 * 1024;

    static QByteArray encode(const OpcUaFileContents& contents);
    // The two arrays, or nothing (and why) when the bytes are not exactly two arrays. A
    // count of 0xFFFFFFFF, a data stream's null array, is an empty array.
    static std::optional<OpcUaFileContents> decode(const QByteArray& bytes, QString* problem);

    // Why the contents cannot be taken as a whole: a non-empty payload that does not decode
    // completely, or publishes more variables than the editor takes. Empty when they can.
    static QString payloadProblem(const OpcUaFileContents& contents);

    // Reads a file from an open device and checks it as decode and payloadProblem do.
    static std::optional<OpcUaFileContents> read(QIODevice& device, QString* problem);
    // False when not every byte could be written.
    static bool write(QIODevice& device, const OpcUaFileContents& contents);
};
