#pragma once

// The pages of the properties dialog by their page numbers, which updatePage and
// restorePageDefaults take. The General page has none.
enum class PageId : int {
    General = 0,
    PpiPorts = 1,
    TcpIp = 2,
    Retentive = 3,
    Password = 4,
    Background = 5,
    Soe = 6,
    ExtBusClock = 7,
    EtherCat = 8,
    CanMaster = 9,
    Address = 10,
    InputFilter = 11,
    Hsc = 12,
    OpcUa = 13,
    Profinet = 14,
    Qbus = 15,
    ExtCard = 16,
    LocalPort = 17,
    Eip = 18,
};
