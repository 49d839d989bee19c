#pragma once

#include "model/cardrecord.h"

#include <QGroupBox>

class MComboBoxEx;
class MSpinBoxEx;

// One serial channel of a card: a checkable group "Enable Channel n" with the port number,
// protocol, line settings and Modbus settings. The protocol decides which fields apply.
class SerialChannelGroup : public QGroupBox
{
    Q_OBJECT

public:
    // The look the serial card pages share.
    static const char* const StyleSheet;

    // Protocol list indices, as stored.
    enum Protocol { None, Free, ModbusMaster, ModbusSlave };

    SerialChannelGroup(int channel, QWidget* parent = nullptr);

    // "Enable Channel 0" .. "Enable Channel 2", the titles of the cards' channel groups.
    static QString channelTitle(int channel);

    int channel() const { return m_channel; }
    void setPortNumber(int port);

    // Lists whose stored code has no entry select nothing and leave their byte as it was.
    void load(const SerialChannel& channel);
    void collect(SerialChannel& channel) const;

    // Enables the fields the protocol uses.
    void applyProtocol(int index);
    int protocol() const;
    // Whether the channel answers to its station address: enabled as a Modbus RTU slave.
    bool answersToAddress() const;

    MComboBoxEx* protocolList() const { return m_protocol; }
    MSpinBoxEx* addressField() const { return m_address; }
    MSpinBoxEx* portField() const { return m_port; }

private:
    const int m_channel;
    MSpinBoxEx* m_port;
    MComboBoxEx* m_protocol;
    MComboBoxEx* m_baud;
    MComboBoxEx* m_dataLength;
    MComboBoxEx* m_parity;
    MComboBoxEx* m_stopBits;
    MSpinBoxEx* m_responseTime;
    MSpinBoxEx* m_address;
    MSpinBoxEx* m_receiveTimeout;
};
