#pragma once

#include "dialog/dialogpage.h"

class MComboBoxEx;
class MSpinBoxEx;

// The compact model's built-in serial port: the protocol decides which settings apply.
class LocalPortPage : public DialogPage
{
    Q_OBJECT

public:
    // Protocol list indices, as stored.
    enum Protocol { Free, ModbusMaster, ModbusSlave, PpiMaster, PpiSlave };

    explicit LocalPortPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    QList<StationAddress> stationAddresses() const override;

public slots:
    void slot_protocolIndexChange(int index);
    void slot_bttnDefaultPPIPort();

private:
    QWidget* addRow(const char* objectName, const QString& label, QWidget* control);

    MSpinBoxEx* m_portNumber;
    MComboBoxEx* m_protocol;
    MComboBoxEx* m_baud;
    MComboBoxEx* m_dataLength;
    MComboBoxEx* m_parity;
    MComboBoxEx* m_stopBits;
    MSpinBoxEx* m_responseTime;
    MSpinBoxEx* m_address;
    MSpinBoxEx* m_receiveTimeout;
    MSpinBoxEx* m_plcAddress;
    MSpinBoxEx* m_highestAddress;
    MSpinBoxEx* m_retryCount;
    MSpinBoxEx* m_gapFactor;
    QWidget* m_rowBox; // holds the row widgets, which the protocol shows or hides
};
