#pragma once

#include <QtGlobal>

#include <tuple>

// The compact model's built-in serial port (14 bytes).
struct LocalPort
{
    quint8 portNumber = 0;
    quint8 protocol =
        4; // 0 FREE, 1 Modbus RTU master, 2 Modbus RTU slave, 3 PPI master, 4 PPI slave
    quint8 baudCode = 0;
    quint8 dataLength = 2;
    quint8 parity = 2;
    quint8 stopBits = 1;
    quint8 responseTime = 2; // ms
    quint8 address = 1;
    quint16 receiveTimeout = 2000; // ms
    quint8 highestAddress = 31;
    quint8 plcAddress = 2;
    quint8 retryCount = 3;
    quint8 gapFactor = 10;

    bool operator==(const LocalPort& o) const
    {
        return std::tie(portNumber, protocol, baudCode, dataLength, parity, stopBits, responseTime,
                        address, receiveTimeout, highestAddress, plcAddress, retryCount,
                        gapFactor) == std::tie(o.portNumber, o.protocol, o.baudCode, o.dataLength,
                                               o.parity, o.stopBits, o.responseTime, o.address,
                                               o.receiveTimeout, o.highestAddress, o.plcAddress,
                                               o.retryCount, o.gapFactor);
    }
};
