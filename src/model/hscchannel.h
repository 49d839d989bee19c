#pragma once

#include <QtGlobal>

#include <tuple>

// One high-speed counter channel (16 bytes in the object).
struct HscChannel
{
    quint8 control = 0;    // byte 0
    quint8 modeEnable = 0; // byte 1: mode and enable bits
    quint8 reserved2 = 0;
    quint8 reserved3 = 0;
    quint32 preset = 0;
    quint32 current = 0;
    quint8 filterIndex = 0; // input pulse filter
    quint8 reserved13 = 0;
    quint16 speedTime = 0; // speed-testing time

    static HscChannel creationDefault()
    {
        HscChannel channel;
        channel.control = 18;
        channel.filterIndex = 2;
        channel.speedTime = 5;
        return channel;
    }

    bool operator==(const HscChannel& o) const
    {
        return std::tie(control, modeEnable, reserved2, reserved3, preset, current, filterIndex,
                        reserved13, speedTime) ==
               std::tie(o.control, o.modeEnable, o.reserved2, o.reserved3, o.preset, o.current,
                        o.filterIndex, o.reserved13, o.speedTime);
    }
};
