#include <opcua/opcuaaddressrules.h>
#include <opcua/opcuadatablock.h>
#include <opcua/opcuadragdata.h>

#include <QDataStream>
#include <QMimeData>
#include <QtTest>

#include <memory>

namespace {

using Rows = QList<QStringList>;

OpcUaDragItem plain(const QString& address, const QString& name = QString())
{
    OpcUaDragItem item;
    item.address = address;
    item.browseName = address;
    item.displayName = name;
    return item;
}

OpcUaDragItem block(const QString& address, const QString& name, const OpcUaDragItems& elements)
{
    OpcUaDragItem item = plain(address, name);
    item.isObject = true;
    item.elements = elements;
    return item;
}

// A data block's content as the program editor stores it.
QByteArray content(const Rows& rows, bool instance)
{
    QStringList cells;
    for (const QStringList& row : rows)
        cells += row;
    QByteArray list;
    {
        QDataStream out(&list, QIODevice::WriteOnly);
        out << cells;
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << (instance ? list : QByteArray()) << (instance ? QByteArray() : list);
    return bytes;
}

QStringList row(const char* offset, const char* name, const char* type, const char* comment)
{
    return {QLatin1String(offset), {}, {}, QLatin1String(name),
            QLatin1String(type),   {}, {}, QLatin1String(comment)};
}

} // namespace

// What the editor makes of dragged items: the address rules, the "varInfo" drag data and the
// elements of a data block's content.
class TestOpcUaDrops : public QObject
{
    Q_OBJECT

private slots:
    // The first matching rule decides the type, kind, access and data block; the text is
    // the one the payload gives back; what no rule takes, or what the payload cannot hold,
    // is refused.
    void classify_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("shown");     // empty: refused
        QTest::addColumn<QList<int>>("fields"); // type, kind, access, data block
        const auto row = [](const char* tag, const char* address, const char* shown,
                            const QList<int>& fields) {
            QTest::newRow(tag) << QString::fromLatin1(address) << QString::fromLatin1(shown)
                               << fields;
        };
        row("input bit", "I0.0", "I0.0", {0, 0, 1, 0});
        row("system bit", "SM0.1", "SM0.1", {0, 0, 3, 0});
        row("bit 8", "I0.8", "", {});
        row("data-block bit", "DB5.DBX2.3", "DB5.DBX2.3", {0, 0, 3, 5});
        row("data-block byte, blank", "DB5.DBB 4", "DB5.DBB4", {1, 1, 3, 5});
        row("data-block double word", "DB5.DBD8", "DB5.DBD8", {5, 3, 3, 5});
        row("DB300 keeps its number", "DB300.DBW2", "DB300.DBW2", {3, 2, 3, 300});
        row("DB65536 has no place", "DB65536.DBW2", "", {});
        row("analog input", "AIW4", "AIW4", {3, 5, 1, 0});
        row("analog output", "AQW2", "AQW2", {3, 5, 3, 0});
        row("SMB28 read only", "SMB28", "SMB28", {1, 1, 1, 0});
        row("SMB30 writable", "SMB30", "SMB30", {1, 1, 3, 0});
        row("marker word, leading zero", "MW010", "MW10", {3, 2, 3, 0});
        row("input double word", "ID0", "ID0", {5, 3, 1, 0});
        row("timer", "T37", "", {});
        row("a block alone", "DB5", "", {});
        row("two points", "M1.2.3", "", {});
        row("empty", "", "", {});
        row("last byte of the bit address", "V2097151.7", "V2097151.7", {0, 0, 3, 0});
        row("beyond the bit address", "V2097152.0", "", {});
    }

    void classify()
    {
        QFETCH(QString, address);
        QFETCH(QString, shown);
        QFETCH(QList<int>, fields);
        const auto c = OpcUaAddressRules::classify(address);
        QCOMPARE(c.has_value(), !shown.isEmpty());
        if (!c)
            return;
        QCOMPARE(c->address, shown);
        QCOMPARE((QList<int>{int(c->dataType), int(c->kind), int(c->access), int(c->dbNumber)}),
                 fields);
        QCOMPARE(OpcUaAddressRules::isReadOnly(shown), fields.at(2) == 1);
    }

    // A data block becomes an object, of its 16-bit number, with the elements that lie in
    // its own block; a name, or a number the payload cannot hold, is refused.
    void objectRecord()
    {
        OpcUaDragItem recipe = block("DB300", "Recipe",
                                     {plain("DB300.DBW0"), plain("DB300.DBX2.1"), plain("DB7.DBW0"),
                                      plain("MW10"), plain("DB300.DBD 4")});
        recipe.flag = 1;
        int skipped = 0;
        const auto r = OpcUaAddressRules::recordFor(recipe, &skipped);
        QVERIFY(r);
        QCOMPARE(r->address, QStringLiteral("DB300"));
        QCOMPARE((QList<uint>{r->dataType, r->addressKind, r->dbNumber, r->reserved}),
                 (QList<uint>{255, 4, 300, 1}));
        QCOMPARE(skipped, 2);
        QStringList elements;
        for (const OpcUaVarRecord& e : r->elements)
            elements << e.address;
        QCOMPARE(elements, (QStringList{"DB300.DBW0", "DB300.DBX2.1", "DB300.DBD4"}));
        QCOMPARE(r->elements.at(1).dataType, 0u);

        recipe.address = QStringLiteral("Recipe");
        QVERIFY(!OpcUaAddressRules::recordFor(recipe));
        recipe.address = QStringLiteral("DB70000");
        QVERIFY(!OpcUaAddressRules::recordFor(recipe));
    }

    // The drag data, field by field as the stream lays it out, and back.
    void dragDataLayout()
    {
        OpcUaDragItem recipe = block("DB1", "Recipe", {plain("DB1.DBW0")});
        recipe.tag = 7;
        recipe.flag = 1;
        const OpcUaDragItems items{plain("I0.0", "Start"), recipe};

        QByteArray expected;
        QDataStream out(&expected, QIODevice::WriteOnly);
        out << qint32(2);
        out << false << QStringLiteral("I0.0") << QStringLiteral("I0.0") << QStringLiteral("Start")
            << QString() << qint32(0) << qint8(0);
        out << true << QStringLiteral("DB1") << QStringLiteral("DB1") << QStringLiteral("Recipe")
            << QString() << qint32(7) << qint8(1) << qint32(1) << QStringLiteral("DB1.DBW0")
            << QStringLiteral("DB1.DBW0") << QString() << QString() << qint32(0) << qint8(0);
        QCOMPARE(OpcUaDragData::encode(items).toHex(' '), expected.toHex(' '));
        QCOMPARE(OpcUaDragData::decode(expected), std::optional<OpcUaDragItems>(items));

        std::unique_ptr<QMimeData> data(OpcUaDragData::mimeData(items));
        QCOMPARE(data->data(QStringLiteral("drag")), QByteArray("darg&drop"));
        QCOMPARE(OpcUaDragData::items(data.get()), std::optional<OpcUaDragItems>(items));
        data->removeFormat(QStringLiteral("drag"));
        QVERIFY(!OpcUaDragData::items(data.get()));
    }

    // Drag data from elsewhere is taken whole or not at all.
    void dragDataRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good =
            OpcUaDragData::encode({plain("I0.0"), block("DB1", {}, {plain("DB1.DBW0")})});
        for (int cut = 0; cut < good.size(); cut += 7)
            QTest::newRow(qPrintable(QStringLiteral("cut at %1").arg(cut))) << good.left(cut);
        QTest::newRow("one byte more") << good + '\0';
        QTest::newRow("a count the bytes cannot hold") << QByteArray::fromHex("7fffffff00");
        QTest::newRow("a negative count") << QByteArray::fromHex("ffffffff");
        QByteArray odd = good;
        odd[4 + 1 + 3] = 7; // the first string's length becomes odd
        QTest::newRow("half a character") << odd;
        QByteArray elements = OpcUaDragData::encode({plain("I0.0"), block("DB1", {}, {})});
        elements.chop(4); // the element count
        elements += QByteArray::fromHex("00100000") + good.mid(elements.size() + 4);
        QTest::newRow("an element count the bytes cannot hold") << elements;
    }

    void dragDataRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!OpcUaDragData::decode(bytes));
    }

    // The elements of a block's rows: an address per PLC type, tags from the offset and
    // the base, the symbol in the display name.
    void blockElements_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<bool>("instance");
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QList<int>>("tags");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("skipped");

        QTest::newRow("program editor rows")
            << Rows{row("+0.0", "", "STRUCT", ""),     row("+0.0", "Volume", "INT", "ml"),
                    row("+2.0", "Torque", "REAL", ""), row("+6.0", "Rinse", "BOOL", ""),
                    row("+6.1", "Co2", "BOOL", ""),    row("+8.0", "Code", "STRINGCHAR", ""),
                    row("+9.0", "Mode", "BYTE", ""),   row("+10.0", "Count", "DWORD", ""),
                    row("", "", "END_STRUCT", "")}
            << false << QStringList{"DB4.DBW0", "DB4.DBD2", "DB4.DBX6.0", "DB4.DBX6.1",
                                    "DB4.DBB8", "DB4.DBB9", "DB4.DBD10"}
            << QList<int>{100, 102, 106, 106, 108, 109, 110} << 10 << 0;
        QTest::newRow("the first END_STRUCT ends the rows")
            << Rows{row("+0.0", "A", "INT", ""), row("", "", "END_STRUCT", ""),
                    row("+2.0", "B", "INT", "")}
            << false << QStringList{"DB4.DBW0"} << QList<int>{100} << 0 << 0;
        QTest::newRow("rows without an offset or a published type")
            << Rows{row("", "A", "INT", ""), row("+2.0", "T", "TIME", ""),
                    row("+6.0", "B", "WORD", ""), row("+x.0", "C", "INT", "")}
            << false << QStringList{"DB4.DBW6"} << QList<int>{106} << 6 << 2;
        QTest::newRow("instance block")
            << Rows{{"", "", "INT", "0", "", "", "Head speed", "Speed"},
                    {"", "", "BOOL", "2.0", "", "", "Running", "Run"}}
            << true << QStringList{"DB4.DBW0", "DB4.DBX2.0"} << QList<int>{0, 0} << 0 << 0;
    }

    void blockElements()
    {
        QFETCH(Rows, rows);
        QFETCH(bool, instance);
        QFETCH(QStringList, addresses);
        QFETCH(QList<int>, tags);
        QFETCH(int, last);
        QFETCH(int, skipped);
        const OpcUaDataBlockElements read =
            OpcUaDataBlock::elements(content(rows, instance), QStringLiteral("DB4"),
                                     QStringLiteral("Mixer"), instance, true, 100);
        QStringList got;
        QList<int> gotTags;
        for (const OpcUaDragItem& e : read.elements) {
            got << e.address;
            gotTags << e.tag;
            QCOMPARE(e.browseName, e.address);
            QVERIFY(e.displayName.startsWith(QLatin1String("Mixer.")));
            QCOMPARE(e.flag, qint8(1));
        }
        QCOMPARE(got, addresses);
        QCOMPARE(gotTags, tags);
        QCOMPARE((QList<int>{int(read.lastOffset), read.skipped}), (QList<int>{last, skipped}));
        // The other array is the one an instance block does not use.
        QVERIFY(OpcUaDataBlock::elements(content(rows, instance), QStringLiteral("DB4"),
                                         QStringLiteral("Mixer"), !instance, true, 0)
                    .elements.empty());
    }

    // Content cut anywhere, or with counts it cannot back, gives no cells at all.
    void blockContentRefused()
    {
        const QByteArray good = content({row("+0.0", "A", "INT", "")}, false);
        QVERIFY(OpcUaDataBlock::cells(good, false));
        for (int cut = 0; cut < good.size(); ++cut)
            QVERIFY2(!OpcUaDataBlock::cells(good.left(cut), false),
                     qPrintable(QString::number(cut)));
        QByteArray huge;
        QDataStream out(&huge, QIODevice::WriteOnly);
        out << QByteArray() << QByteArray::fromHex("10000000");
        QVERIFY(!OpcUaDataBlock::cells(huge, false));
        QVERIFY(!OpcUaDataBlock::cells(QByteArray::fromHex("ffffffffffffffff"), false) ||
                OpcUaDataBlock::cells(QByteArray::fromHex("ffffffffffffffff"), false)->isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOpcUaDrops)
#include "tst_opcuadrops.moc"
