#include <bytes/bytereader.h>
#include <bytes/bytewriter.h>

#include <QtTest>

#include <functional>

namespace {

// What a failed read must leave as it was.
struct Targets
{
    quint8 a = 7;
    quint16 b = 7;
    quint32 c = 7;
    QByteArray d = "keep";
    QString e = QStringLiteral("keep");
    auto tied() const { return std::tie(a, b, c, d, e); }
};

} // namespace

using Read = std::function<bool(ByteReader&, Targets&)>;
Q_DECLARE_METATYPE(Read)

// The bounded reader and the writer every block codec stands on. Byte order, section lengths
// and padded texts are pinned by every section's bytes elsewhere.
class TestByteCodec : public QObject
{
    Q_OBJECT

private slots:
    void text8CutsWholeCharactersAt255Bytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");

        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("255 ascii") << QString(255, QLatin1Char('a')) << 255;
        QTest::newRow("300 ascii") << QString(300, QLatin1Char('a')) << 255;
        // Two-byte characters: 127 fit (254 bytes); the 128th would split.
        QTest::newRow("two-byte") << QString(200, QChar(0x00E9)) << 254;
        // A character outside the BMP is four bytes and two UTF-16 units.
        const char32_t grin[] = {0x1F600, 0};
        QTest::newRow("surrogates")
            << QString(63, QChar(0x00E9)) + QString::fromUcs4(grin).repeated(40) << 126 + 32 * 4;
    }

    void text8CutsWholeCharactersAt255Bytes()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        ByteWriter w;
        w.text8(text);
        QCOMPARE(w.size(), 1 + bytes);
        QCOMPARE(int(quint8(w.data().at(0))), bytes);
        ByteReader r(w.data());
        QString back;
        QVERIFY(r.text8(back));
        QCOMPARE(text.left(back.size()), back);
        QVERIFY(r.atEnd());
    }

    void failedReadsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<Read>("read");

        const QByteArray three(3, 'x');
        const auto row = [](const char* name, const QByteArray& data, const Read& read) {
            QTest::newRow(name) << data << read;
        };
        row("u8 on empty", {}, [](ByteReader& r, Targets& t) { return r.u8(t.a); });
        row("u16 on one", "x", [](ByteReader& r, Targets& t) { return r.u16(t.b); });
        row("u24 on two", "xx", [](ByteReader& r, Targets& t) { return r.u24(t.c); });
        row("u32 on three", three, [](ByteReader& r, Targets& t) { return r.u32(t.c); });
        row("bytes beyond", three, [](ByteReader& r, Targets& t) { return r.bytes(4, t.d); });
        row("negative count", three,
            [](ByteReader& r, Targets& t) { return r.bytes(-1, t.d) || r.skip(-1); });
        row("text beyond", QByteArray::fromHex("05616263"),
            [](ByteReader& r, Targets& t) { return r.text8(t.e); });
    }

    void failedReadsChangeNothing()
    {
        QFETCH(QByteArray, data);
        QFETCH(Read, read);
        ByteReader r(data);
        Targets targets;
        QVERIFY(!read(r, targets));
        QVERIFY(targets.tied() == Targets().tied());
        QCOMPARE(r.pos(), 0);
    }

    void subReaderStaysInsideItsRange()
    {
        const QByteArray data = QByteArray::fromHex("0102030405060708");
        ByteReader r(data, 2, 5);
        quint32 v = 0;
        QVERIFY(!r.u32(v)); // only three bytes in range, though the array has more
        QVERIFY(r.u24(v));
        QCOMPARE(v, 0x030405u);
        QVERIFY(r.atEnd());
        ByteReader clamped(data, -10, 1000);
        QCOMPARE(clamped.remaining(), 8);
        ByteReader outer(data);
        outer.skip(6);
        ByteReader sub = outer.sub(100);
        QCOMPARE(sub.remaining(), 2);
        QCOMPARE(outer.pos(), 6);
    }

    void lenientTextTakesWhatIsThere()
    {
        const QByteArray data = QByteArray::fromHex("09616263");
        QString strict = QStringLiteral("old");
        QString lenient;
        QVERIFY(!ByteReader(data).text8(strict));
        QCOMPARE(strict, QStringLiteral("old"));
        ByteReader r(data);
        QVERIFY(r.text8Lenient(lenient));
        QCOMPARE(lenient, QStringLiteral("abc"));
        QVERIFY(r.atEnd());
        QVERIFY(!ByteReader(QByteArray()).text8Lenient(lenient));
    }
};

QTEST_GUILESS_MAIN(TestByteCodec)
#include "tst_bytecodec.moc"
