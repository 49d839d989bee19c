#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// Expansion cards of the compact model: two slots, each with one card record.

enum class CardType : quint8 {
    None = 0,
    Can485 = 1, // "485/CAN-P"
    Rtc485 = 2, // "485/RTC-P"
    Amx05 = 3,  // "AMX05-P"
    Code4 = 4,  // no list entry; carries only the common part
    Rtc = 5,    // "RTC-P"
    Dix06 = 6,  // "DIX06-P"
};

// A serial channel of a card (12 record bytes).
struct SerialChannel
{
    quint8 enabled = 0;
    quint8 port = 0;
    quint8 protocol = 0; // "NONE", "FREE", "ModbusRTU Master", "ModbusRTU Slave"
    quint8 baud = 0;
    quint8 dataLength = 2; // 1 = 7 bit, 2 = 8 bit
    quint8 parity = 0;
    quint8 stopBits = 1;
    quint8 responseTime = 0; // ms
    quint8 address = 1;
    quint8 unused9 = 0;
    quint16 receiveTimeout = 2000; // ms
};

// "485/RTC-P": record bytes 12..39.
struct Rtc485Params
{
    SerialChannel channel0;
    SerialChannel channel1;
    quint8 rtcEnabled = 0;
};

// "485/CAN-P": record bytes 40..75.
struct Can485Params
{
    SerialChannel channel0;
    quint8 canEnabled = 0;
    quint8 canPort = 0;
    quint8 canProtocol = 0;
    quint8 canopenSelected = 0;
    // The CANopen master settings start as the CPU's CANopen master does (1000 kbit/s).
    quint8 canBaudCode = 5;
    quint32 nodeId = 1;
    quint32 cobId = 128;
    quint32 cyclePeriod = 50000; // us
    quint32 heartbeat = 200;     // ms
};

// One analog channel's settings (8 bytes).
using AnalogChannel = std::array<quint8, 8>;

// "AMX05-P": the two address mappers and the channel records.
struct Amx05Params
{
    static constexpr quint8 InputArea = 6;  // AIEx
    static constexpr quint8 OutputArea = 7; // AQEx

    quint8 inputArea = InputArea;
    quint16 inputStart = 0; // start of the word range
    quint8 inputWords = 0;  // length of the word range
    quint8 outputArea = OutputArea;
    quint16 outputStart = 0;
    quint8 outputWords = 0;
    QList<AnalogChannel> inputs;
    QList<AnalogChannel> outputs;
};

// "DIX06-P": one channel (24 record bytes).
struct Dix06Channel
{
    quint32 direction = 0; // 1 input, 0 output
    quint32 filter = 0;
    quint32 freeze = 0;
    quint32 area = 0;
    quint32 bitAddress = 0; // byte * 8 + bit
    quint8 byte20 = 0;
};

struct CardRecord
{
    static constexpr int Dix06Channels = 4;

    quint8 slot = 0; // 0 upper, 1 lower
    quint8 activated = 0;
    quint8 type = 0; // CardType
    QString name;
    QString description;
    Rtc485Params rtc485;
    Can485Params can485;
    Amx05Params amx05;
    std::array<Dix06Channel, Dix06Channels> dix06{};
    QByteArray rtcData;

    CardType cardType() const { return CardType(type); }
};
