#include <block/blockdecoder.h>
#include <block/paramblock.h>
#include <opcua/opcuafile.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>

#include <QBuffer>
#include <QtTest>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray settingsPayload()
{
    OpcUaSettings s;
    s.serverEnabled = s.userAuthentication = true;
    s.users = {{"op", "pw"}};
    return OpcUaSettingsCodec::encode(s);
}

QByteArray interfacePayload()
{
    OpcUaVarRecord r;
    r.address = QStringLiteral("DB5.DBX2.3");
    r.dbNumber = 5;
    OpcUaInterface in{QStringLiteral("Line"), {r}};
    return OpcUaInterfaceCodec::encode({in});
}

} // namespace

// The *.opuca file, the OPC UA section that carries both payloads in a block, and how
// tools show them.
class TestOpcUaFile : public QObject
{
    Q_OBJECT

private slots:
    void fileRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("interfaces");
        QTest::addColumn<QByteArray>("head"); // the first count

        QTest::newRow("both") << settingsPayload() << interfacePayload() << hex("00000036");
        QTest::newRow("null arrays are written with count 0")
            << QByteArray() << QByteArray() << hex("00000000");
        QTest::newRow("settings only") << settingsPayload() << QByteArray() << hex("00000036");
    }

    void fileRoundTrip()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, interfaces);
        QFETCH(QByteArray, head);
        const QByteArray bytes = OpcUaFile::encode({settings, interfaces});
        QCOMPARE(bytes.size(), 8 + settings.size() + interfaces.size());
        QCOMPARE(bytes.left(4).toHex(), head.toHex());
        QString problem;
        const auto back = OpcUaFile::decode(bytes, &problem);
        QVERIFY2(back, qPrintable(problem));
        QCOMPARE(back->settings, settings);
        QCOMPARE(back->interfaces, interfaces);
    }

    // A file is taken whole or not at all, with the reason.
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");

        const QByteArray good = OpcUaFile::encode({settingsPayload(), interfacePayload()});
        QTest::newRow("empty file") << QByteArray() << "the file ends before the server settings";
        QTest::newRow("one array") << good.left(4 + settingsPayload().size())
                                   << "the file ends before the server interface";
        QTest::newRow("cut inside the second")
            << good.left(good.size() - 1) << "the server interface declares 55 bytes; 54 remain";
        QTest::newRow("a byte after the two") << good + 'x' << "1 bytes follow the two payloads";
        QTest::newRow("4 GB declared") << hex("FFFFFFFE 00")
                                       << "the server settings declares "
                                          "4294967294 bytes; 1 remain";
        QTest::newRow("50001 variables")
            << OpcUaFile::encode({QByteArray(), hex("0003 00 0000 00000008 0000C351 0000")})
            << "the server interface cannot be taken (it declares 50001 variables; at most "
               "50000 can be published)";
    }

    void damagedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        QString why;
        QVERIFY(!OpcUaFile::read(file, &why));
        QCOMPARE(why, problem);
    }

    // A stream's null array (count 0xFFFFFFFF) is an empty array.
    void nullArrayReadsAsEmpty()
    {
        QString problem;
        const auto contents = OpcUaFile::decode(hex("FFFFFFFF 00000002 AABB"), &problem);
        QVERIFY2(contents, qPrintable(problem));
        QVERIFY(contents->settings.isEmpty());
        QCOMPARE(contents->interfaces, hex("AABB"));
    }

    // The block decoder shows the payloads field by field, passwords masked and addresses
    // rebuilt, each field at its bytes in the block.
    void decodedBlock_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("server name") << "settings / server name"
                                     << "\"PLC OPC UA SERVER\"" << hex("11") + "PLC OPC UA SERVER";
        QTest::newRow("password masked") << "settings / user 1 / password"
                                         << "(2 bytes, masked)" << hex("02") + "pw";
        QTest::newRow("rebuilt address: the whole record")
            << "interface / variable 1 / address"
            << "DB5.DBX2.3 (BOOL, RW)"
            << hex("0002 00000001 00000002 10 00 0000 0005 85 00 0013 00 03 00 00 00 00");
    }

    void decodedBlock()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QByteArray, bytes);
        CpuObject cpu;
        cpu.opcUaSupported = true;
        cpu.opcUaSettingsData = settingsPayload();
        cpu.opcUaInterfaceData = interfacePayload();
        const QByteArray saved = ParamBlock::save(cpu);
        const DecodedBlock block = BlockDecoder::decode(saved);
        QVERIFY(block.ok);
        QStringList seen;
        for (const DecodedSection& s : block.sections) {
            for (const DumpField& f : s.fields) {
                if (f.name == field) {
                    QCOMPARE(f.value, value);
                    QCOMPARE(saved.mid(f.offset, f.size).toHex(' '), bytes.toHex(' '));
                    return;
                }
                seen.append(f.name);
            }
        }
        QFAIL(qPrintable("no field " + field + " in " + seen.join(", ")));
    }
};

QTEST_GUILESS_MAIN(TestOpcUaFile)
#include "tst_opcuafile.moc"
