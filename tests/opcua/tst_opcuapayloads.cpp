#include <opcua/opcuaaddress.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>

#include <QtEndian>
#include <QtTest>

namespace {

using Settings = OpcUaSettings;
using User = OpcUaSettings::User;

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text); // blanks are skipped
}

QByteArray latin(const char* text)
{
    return QByteArray(text).toHex();
}

OpcUaVarRecord var(const QString& address, OpcUaDataType type, OpcUaAddressKind kind,
                   quint16 db = 0, OpcUaAccessLevel access = OpcUaAccessLevel::ReadWrite)
{
    OpcUaVarRecord r;
    r.address = address;
    r.dataType = quint32(type);
    r.addressKind = quint32(kind);
    r.dbNumber = db;
    r.accessLevel = quint32(access);
    r.browseName = address;
    return r;
}

OpcUaVarRecord object(quint16 db, std::vector<OpcUaVarRecord> elements)
{
    OpcUaVarRecord r = var(QStringLiteral("DB%1").arg(db), OpcUaDataType::Object,
                           OpcUaAddressKind::DataBlockObject, db);
    r.displayName = QStringLiteral("Block%1").arg(db);
    r.elements = std::move(elements);
    return r;
}

// Two interfaces: plain variables of every address form, and data blocks with elements.
OpcUaInterfaces richInterfaces()
{
    OpcUaInterface line;
    line.name = QStringLiteral("Line");
    line.records.push_back(
        var("I0.0", OpcUaDataType::Bool, OpcUaAddressKind::Bit, 0, OpcUaAccessLevel::Read));
    line.records.push_back(
        object(1, {var("DB1.DBW0", OpcUaDataType::Int16, OpcUaAddressKind::Word, 1),
                   var("DB1.DBX6.1", OpcUaDataType::Bool, OpcUaAddressKind::Bit, 1),
                   var("DB1.DBD2", OpcUaDataType::Float, OpcUaAddressKind::DoubleWord, 1)}));
    line.records.push_back(var("MW10", OpcUaDataType::UInt16, OpcUaAddressKind::Word));
    line.records.push_back(
        object(2, {var("DB2.DBB4", OpcUaDataType::String, OpcUaAddressKind::Byte, 2)}));
    line.records.push_back(
        var("AIW4", OpcUaDataType::Int16, OpcUaAddressKind::AnalogWord, 0, OpcUaAccessLevel::Read));
    line.records.back().description = QStringLiteral("Inlet pressure");
    line.records.back().reserved = 1;
    OpcUaInterface cell;
    cell.name = QStringLiteral("Cell 2");
    cell.records.push_back(var("DB300.DBX2.3", OpcUaDataType::Bool, OpcUaAddressKind::Bit, 300));
    cell.records.push_back(
        var("SMB28", OpcUaDataType::SByte, OpcUaAddressKind::Byte, 0, OpcUaAccessLevel::Read));
    cell.records.push_back(var("VD200", OpcUaDataType::UInt32, OpcUaAddressKind::DoubleWord));
    return {line, cell};
}

// Every field away from its default, the users and the certificate texts too.
Settings richSettings()
{
    Settings s;
    s.serverEnabled = s.userAuthentication = true;
    s.users = {{"op", "pw"}, {"maint", "secret7"}};
    s.serverName = QString::fromUtf8("Linie \xc3\xa9 1");
    s.port = 4841;
    s.certificateContent = QStringLiteral("cert");
    s.certificateUri = QStringLiteral("urn:plc");
    return s;
}

// The record's payload bytes after its ids and node marker: type, reserved, db, area, bits.
QByteArray recordCore(const QByteArray& payload)
{
    // One interface "I" (11 bytes), reserved, block length and count, then the record.
    constexpr int record = 3 + 11 + 2 + 8;
    return payload.mid(record + 2 + 4 + 4 + 1, 1 + 2 + 2 + 1 + 3);
}

} // namespace

Q_DECLARE_METATYPE(OpcUaSettings)

class TestOpcUaPayloads : public QObject
{
    Q_OBJECT

private slots:
    void settingsBytes_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Settings>("readBack");

        const QByteArray name = "0000 11" + latin("PLC OPC UA SERVER") + "12E8";
        const QByteArray tail = "0000001E 05 0064 01F4 00C8";
        const QByteArray certificates = "01 0000 0000 00 00 0000";
        QTest::newRow("defaults") << Settings()
                                  << hex("000100 0003 00" + name + tail + certificates)
                                  << Settings();
        Settings users;
        users.users = {{"op", ""}, {"ab", "cd"}, {"", "pw"}};
        Settings written;
        written.users = {{"ab", "cd"}};
        QTest::newRow("users without a password or a name are left out")
            << users
            << hex("000100 0009 01 02" + latin("ab") + "02" + latin("cd") + name + tail +
                   certificates)
            << written;
        Settings off;
        off.securityEnabled = false;
        off.certificateContent = QStringLiteral("dropped"); // travels only with the flag
        Settings offBack = off;
        offBack.certificateContent.clear();
        QTest::newRow("security off: no certificate fields")
            << off << hex("000100 0003 00" + name + tail + "00 0000") << offBack;
        Settings certs;
        certs.serverName.clear();
        certs.port = 0;
        certs.certificateContent = QStringLiteral("ab");
        certs.keyContent = QStringLiteral("c");
        certs.certificateUri = QStringLiteral("u");
        certs.certificateFileName = QStringLiteral("f");
        QTest::newRow("certificate texts, empty name, port 0")
            << certs
            << hex("000100 0003 00 0000 00 0000" + tail + "01 0002" + latin("ab") + "0001" +
                   latin("c") + "01" + latin("u") + "01" + latin("f") + "0000")
            << certs;
    }

    void settingsBytes()
    {
        QFETCH(Settings, settings);
        QFETCH(QByteArray, bytes);
        QFETCH(Settings, readBack);
        QCOMPARE(OpcUaSettingsCodec::encode(settings).toHex(' '), bytes.toHex(' '));
        const OpcUaSettingsDecode d = OpcUaSettingsCodec::decode(bytes);
        QVERIFY2(d.complete(), qPrintable(d.problem));
        QVERIFY(d.settings == readBack);
        QCOMPARE(OpcUaSettingsCodec::encode(d.settings), bytes);
    }

    // Texts are cut to what their length counts, at whole characters; the users block
    // length counts modulo 65536 and still reads back complete.
    void settingsLimits_data()
    {
        QTest::addColumn<int>("field"); // 0 server name, 1 certificate content
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");

        QTest::newRow("name 300 ascii") << 0 << QString(300, 'a') << 255;
        QTest::newRow("name two-byte characters") << 0 << QString(200, QChar(0xE9)) << 254;
        QTest::newRow("certificate 70000 ascii") << 1 << QString(70000, 'c') << 65535;
        QTest::newRow("certificate two-byte") << 1 << QString(40000, QChar(0xE9)) << 65534;
    }

    void settingsLimits()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, bytes);
        Settings s;
        (field == 0 ? s.serverName : s.certificateContent) = text;
        const OpcUaSettingsDecode d = OpcUaSettingsCodec::decode(OpcUaSettingsCodec::encode(s));
        QVERIFY2(d.complete(), qPrintable(d.problem));
        const QString back = field == 0 ? d.settings.serverName : d.settings.certificateContent;
        QCOMPARE(back.toLocal8Bit().size(), bytes);
        QVERIFY(text.startsWith(back));
    }

    void settingsUsersBlock()
    {
        Settings s;
        for (int i = 0; i < 300; ++i)
            s.users.append({QString(255, QChar('a' + i % 26)), QString(255, 'p')});
        const QByteArray bytes = OpcUaSettingsCodec::encode(s);
        QCOMPARE(quint8(bytes.at(5)), quint8(255)); // the count byte: the first 255 users
        const int block = 3 + 255 * 512;
        QCOMPARE(qFromBigEndian<quint16>(bytes.constData() + 3), quint16(block % 65536));
        const OpcUaSettingsDecode d = OpcUaSettingsCodec::decode(bytes);
        QVERIFY2(d.complete(), qPrintable(d.problem));
        QCOMPARE(d.settings.users.size(), 255);
        QCOMPARE(d.settings.users.last().name, s.users.at(254).name);
    }

    // Every cut of a payload reads without passing its end; what was read is what was
    // written, and the fields read never shrink as the payload grows.
    void settingsCut()
    {
        const Settings s = richSettings();
        const QByteArray bytes = OpcUaSettingsCodec::encode(s);
        int reached = 0;
        for (int size = 0; size <= bytes.size(); ++size) {
            const OpcUaSettingsDecode d = OpcUaSettingsCodec::decode(bytes.left(size));
            QVERIFY(int(d.reached) >= reached);
            reached = int(d.reached);
            QCOMPARE(d.complete(), size == bytes.size());
            QCOMPARE(d.problem.isEmpty(), size == bytes.size());
            if (d.has(OpcUaSettingsField::Users))
                QVERIFY(d.settings.users == s.users);
            if (d.has(OpcUaSettingsField::ServerName))
                QCOMPARE(d.settings.serverName, s.serverName);
            if (d.has(OpcUaSettingsField::Security))
                QVERIFY(d.settings == s);
        }
        QCOMPARE(reached, int(OpcUaSettingsField::End));
    }

    void settingsDamaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("reached");
        QTest::addColumn<QString>("problem");

        const QByteArray good = OpcUaSettingsCodec::encode(Settings());
        QTest::newRow("200 users in 30 bytes")
            << hex("010000 0003 C8") + QByteArray(30, 0) << int(OpcUaSettingsField::Users)
            << "200 users cannot fit in the 30 bytes left";
        QByteArray length = good;
        length[4] = 9;
        QTest::newRow("users block length") << length << int(OpcUaSettingsField::End)
                                            << "the users block declares 9 bytes; it holds 3";
        QTest::newRow("bytes after the end")
            << good + "x" << int(OpcUaSettingsField::End) << "1 bytes after the end";
        QByteArray user = hex("010101 0007 01 02") + "op" + hex("05") + "pw";
        QTest::newRow("password longer than the payload")
            << user << int(OpcUaSettingsField::Users) << "cut short at byte 9";
    }

    void settingsDamaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, reached);
        QFETCH(QString, problem);
        const OpcUaSettingsDecode d = OpcUaSettingsCodec::decode(bytes);
        QCOMPARE(int(d.reached), reached);
        QCOMPARE(d.problem, problem);
        QVERIFY(!d.complete());
    }

    void addressEncodings_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QList<int>>("fields"); // type, kind, data block
        QTest::addColumn<QByteArray>("core");   // type, reserved, db, area, bit address
        const auto row = [](const char* address, const QList<int>& fields, const char* core) {
            QTest::newRow(address) << QString(address) << fields << hex(core);
        };
        row("DB5.DBX2.3", {0, 0, 5}, "00 0000 0005 85 00 0013");
        row("I0.3", {0, 0, 0}, "00 0000 0000 81 00 0003");
        row("MW10", {3, 2, 0}, "03 0000 0000 83 00 0050");
        row("AIW4", {3, 5, 0}, "03 0000 0000 06 00 0020");
        row("SMB28", {1, 1, 0}, "01 0000 0000 05 00 00E0");
        row("DB5", {255, 4, 5}, "FF 0000 0005 85 00 0028");
        row("DB300.DBW4", {4, 2, 300}, "04 0000 012C 85 00 0020");
        row("VD8191", {9, 3, 0}, "09 0000 0000 84 00 FFF8");
        row("QB8192", {2, 1, 0}, "02 0000 0000 82 01 0000"); // needs the high part
        row("AQW6", {3, 5, 0}, "03 0000 0000 07 00 0030");
        row("SW4", {3, 2, 0}, "03 0000 0000 04 00 0020");
    }

    void addressEncodings()
    {
        QFETCH(QString, address);
        QFETCH(QList<int>, fields);
        QFETCH(QByteArray, core);
        OpcUaInterface in{QStringLiteral("I"), {}};
        in.records.push_back(var(address, OpcUaDataType(fields.at(0)),
                                 OpcUaAddressKind(fields.at(1)), quint16(fields.at(2))));
        const QByteArray bytes = OpcUaInterfaceCodec::encode({in});
        QCOMPARE(recordCore(bytes).toHex(' '), core.toHex(' '));
        // Loading rebuilds the address and its kind.
        const OpcUaInterfaceDecode d = OpcUaInterfaceCodec::decode(bytes);
        QVERIFY2(d.complete(), qPrintable(d.reason()));
        const OpcUaVarRecord& back = d.interfaces.at(0).records.at(0);
        QCOMPARE(back.address, address);
        QCOMPARE((QList<int>{int(back.dataType), int(back.addressKind), int(back.dbNumber)}),
                 fields);
    }

    // Ids: interface i is i + 2; records first, then breadth-first the elements of each
    // object with the object's node id as parent; the counter restarts per interface.
    // records → payload → records → payload is exact.
    void numberingAndRoundTrip()
    {
        OpcUaInterfaces interfaces = richInterfaces();
        // An object inside an object is queued in its turn.
        interfaces[0].records[3].elements.push_back(
            object(9, {var("DB9.DBW2", OpcUaDataType::Int16, OpcUaAddressKind::Word, 9)}));
        OpcUaInterfaceCodec::number(interfaces);
        const QByteArray bytes = OpcUaInterfaceCodec::encode(interfaces);
        const OpcUaInterfaceDecode d = OpcUaInterfaceCodec::decode(bytes);
        QVERIFY2(d.complete(), qPrintable(d.reason()));
        QVERIFY(d.interfaces == interfaces);
        QCOMPARE(OpcUaInterfaceCodec::encode(d.interfaces), bytes);
        QCOMPARE(int(d.declaredVariables), OpcUaInterfaceCodec::recordCount(interfaces));
        const auto ids = [](const OpcUaVarRecord& r) {
            return QList<quint32>{r.interfaceId, r.parentNodeId, r.nodeId};
        };
        const auto& line = d.interfaces.at(0).records;
        QCOMPARE(ids(line.at(0)), (QList<quint32>{2, 1, 2})); // I0.0
        QCOMPARE(ids(line.at(1)), (QList<quint32>{2, 1, 3})); // DB1
        QCOMPARE(ids(line.at(4)), (QList<quint32>{2, 1, 6})); // AIW4
        QCOMPARE(ids(line.at(1).elements.at(0)), (QList<quint32>{2, 3, 7}));
        QCOMPARE(ids(line.at(1).elements.at(2)), (QList<quint32>{2, 3, 9}));
        QCOMPARE(ids(line.at(3).elements.at(0)), (QList<quint32>{2, 5, 10})); // DB2.DBB4
        QCOMPARE(ids(line.at(3).elements.at(1)), (QList<quint32>{2, 5, 11})); // DB9 in DB2
        QCOMPARE(ids(line.at(3).elements.at(1).elements.at(0)), (QList<quint32>{2, 11, 12}));
        QCOMPARE(ids(d.interfaces.at(1).records.at(0)), (QList<quint32>{3, 1, 2}));
    }

    // Every cut reads without passing the end and keeps what was complete.
    void interfaceCut()
    {
        const QByteArray bytes = OpcUaInterfaceCodec::encode(richInterfaces());
        for (int size = 0; size < bytes.size(); ++size) {
            const OpcUaInterfaceDecode d = OpcUaInterfaceCodec::decode(bytes.left(size));
            QVERIFY(!d.complete());
            QVERIFY(!d.problem.isEmpty());
            QCOMPARE(d.dropped(), 0);
            QVERIFY(d.readVariables <= OpcUaInterfaceCodec::recordCount(d.interfaces));
        }
    }

    // Records without a place are dropped and counted, never put anywhere else.
    void recordsWithoutAPlace_data()
    {
        QTest::addColumn<int>("record"); // which record of the first interface to change
        QTest::addColumn<int>("offset"); // byte in that record
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("kept");

        // Records of "Line" in payload order: I0.0, DB1, MW10, DB2, AIW4, DB1's three
        // elements, DB2's element.
        const QString noInterface = "1 variables name no interface";
        const QString unknown = "1 variables have an address of unknown area or data type";
        QTest::newRow("interface id 9") << 0 << 0 << hex("0009") << noInterface << 8;
        QTest::newRow("parent node 77")
            << 5 << 2 << hex("0000004D") << "1 variables name no data-block object" << 8;
        QTest::newRow("object removed: its elements go")
            << 1 << 0 << hex("0009") << noInterface << 5;
        QTest::newRow("unknown area") << 2 << 16 << hex("99") << unknown << 8;
        QTest::newRow("data type without a size letter") << 2 << 11 << hex("07") << unknown << 8;
    }

    void recordsWithoutAPlace()
    {
        QFETCH(int, record);
        QFETCH(int, offset);
        QFETCH(QByteArray, value);
        QFETCH(QString, reason);
        QFETCH(int, kept);
        OpcUaInterfaces records = richInterfaces();
        records.resize(1);
        QByteArray bytes = OpcUaInterfaceCodec::encode(records);
        // Find the record by walking the payload as written.
        int at = 3 + 10 + 4 + 2 + 4 + 4;
        for (int i = 0; i < record; ++i) {
            int p = at + 22;
            for (int t = 0; t < 3; ++t)
                p += 1 + quint8(bytes.at(p));
            at = p + 1;
        }
        bytes.replace(at + offset, value.size(), value);
        const OpcUaInterfaceDecode d = OpcUaInterfaceCodec::decode(bytes);
        QVERIFY(d.problem.isEmpty());
        QVERIFY(!d.complete());
        QCOMPARE(d.reason(), reason);
        QCOMPARE(OpcUaInterfaceCodec::recordCount(d.interfaces), kept);
        QCOMPARE(d.readVariables, 9);
    }

    void damagedInterfacePayload_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");

        QTest::newRow("4 billion variables in 2 bytes")
            << hex("0003 00 0000 00000008 FFFFFFFF 0000")
            << "4294967295 variables cannot fit in the 2 bytes left";
        QTest::newRow("200 interfaces in 10 bytes")
            << hex("0003 C8") + QByteArray(10, 0)
            << "200 interfaces cannot fit in the 10 bytes left";
        QTest::newRow("interface block length")
            << hex("0004 00 0000 00000008 00000000 0000")
            << "the interface block declares 4 bytes; it holds 3";
        QTest::newRow("variable block length") << hex("0003 00 0000 00000009 00000000 0000")
                                               << "the variable block declares 9 bytes; it holds 8";
        QTest::newRow("bytes after the end")
            << hex("0003 00 0000 00000008 00000000 0000 00") << "1 bytes after the end";
        QByteArray marker = OpcUaInterfaceCodec::encode(richInterfaces());
        marker[3 + 14 + 16 + 2 + 8 + 10] = 0x11; // the first node marker
        QTest::newRow("node marker")
            << marker << "variable 1 has markers 17 and 0 instead of 16 and 0";
    }

    void damagedInterfacePayload()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const OpcUaInterfaceDecode d = OpcUaInterfaceCodec::decode(bytes);
        QCOMPARE(d.reason(), reason);
        QCOMPARE(d.readVariables, 0);
    }

    // Objects nest only so deep; what lies deeper is dropped, and nothing recurses on
    // the depth the bytes choose.
    void objectNesting()
    {
        OpcUaVarRecord deepest = var("DB1.DBW0", OpcUaDataType::Int16, OpcUaAddressKind::Word, 1);
        OpcUaVarRecord nested = deepest;
        for (int level = 0; level < 12; ++level)
            nested = object(quint16(level + 1), {nested});
        OpcUaInterface in{QStringLiteral("deep"), {}};
        in.records.push_back(nested);
        const OpcUaInterfaceDecode d =
            OpcUaInterfaceCodec::decode(OpcUaInterfaceCodec::encode({in}));
        QCOMPARE(d.readVariables, 13);
        QCOMPARE(OpcUaInterfaceCodec::recordCount(d.interfaces),
                 OpcUaInterfaceCodec::MaxObjectDepth);
        QCOMPARE(d.droppedNoParent, 13 - OpcUaInterfaceCodec::MaxObjectDepth);
    }
};

QTEST_GUILESS_MAIN(TestOpcUaPayloads)
#include "tst_opcuapayloads.moc"
