#pragma once

#include <QtGlobal>

// Identifiers of the sections of a parameter block (byte 5 of a section).
enum class SectionId : quint8 {
    ModuleInfo = 2, // SEC_ID_MODULE_INFO
    CpuParam = 3,   // SEC_ID_CPU_PARAM
    CanMapping = 4, // known to compare only
    DigitalStopOutput = 5,
    AnalogInputFilter = 6,
    AnalogStopOutput = 7,
    CpuExpansion = 8, // SEC_ID_CPU_EXPANSION
    CanMasterComm = 17,
    DigitalInputFilter = 18,
    Hsc = 19,
    AnalogInputRange = 20,
    AnalogOutputType = 21,
    EtherCat = 22,  // SEC_ID_ETHERCAT
    PlcData23 = 23, // from the PLC only; recompile stores them in the project
    PlcData24 = 24,
    LocalCan = 25, // SEC_ID_LOCAL_CAN
    PlcData26 = 26,
    PlcData27 = 27,
    LocalDiFilter = 28, // SEC_ID_LOCAL_DI_FILTER
    LocalHsc = 29,      // SEC_ID_LOCAL_HSC
    OpcUaServer = 32,   // SEC_ID_OPCUA_SERVER
    Profinet = 33,      // SEC_ID_PROFINET
    QbusConfig = 34,    // SEC_ID_QBUS_CONFIG
    QbusSlaves = 35,    // SEC_ID_QBUS_SLAVES
    PlcData36 = 36,
    ExtCard = 39,            // SEC_ID_EXT_CARD
    LocalPort = 40,          // SEC_ID_LOCAL_PORT
    LocalFilterCompact = 48, // SEC_ID_LOCAL_FILTER_COMPACT
    EipSlaves = 49,          // SEC_ID_EIP_SLAVES
};

// What a section writer produces: save data for the project, or a download block.
enum class WriteMode : quint8 {
    Download = 0,
    Save = 1,
};
