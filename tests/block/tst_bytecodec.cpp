#include <bytes/bytereader.h>
#include <bytes/bytewriter.h>

#include <QtTest>

// The bounded reader and the writer every block codec stands on.
class TestByteCodec : public QObject
{
    Q_OBJECT

private slots:
    void writerIsBigEndianAndPatchesSectionLength();
    void text8CutsWholeCharactersAt255Bytes_data();
    void text8CutsWholeCharactersAt255Bytes();
    void paddedText();
    void failedReadsChangeNothing_data();
    void failedReadsChangeNothing();
    void subReaderStaysInsideItsRange();
    void lenientTextTakesWhatIsThere();
};

void TestByteCodec::writerIsBigEndianAndPatchesSectionLength()
{
    ByteWriter w;
    w.u8(0xAA);
    const int head = w.beginSection(1, 22);
    w.u16(0x1C03);
    w.u24(0x000320);
    w.u32(0x01020304);
    w.i32(-2);
    w.zeros(2);
    w.endSection(head);
    QCOMPARE(w.data().toHex(), QByteArray("aa" "00000017" "01" "16" "0000" "1c03" "000320"
                                          "01020304" "fffffffe" "0000"));
}

void TestByteCodec::text8CutsWholeCharactersAt255Bytes_data()
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
    QTest::newRow("surrogates") << QString(63, QChar(0x00E9)) + QString::fromUcs4(grin).repeated(40)
                                << 126 + 32 * 4;
}

void TestByteCodec::text8CutsWholeCharactersAt255Bytes()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    ByteWriter w;
    w.text8(text);
    QCOMPARE(w.size(), 1 + bytes);
    QCOMPARE(int(quint8(w.data().at(0))), bytes);
    // What was written reads back as a prefix of the text.
    ByteReader r(w.data());
    QString back;
    QVERIFY(r.text8(back));
    QCOMPARE(text.left(back.size()), back);
    QVERIFY(r.atEnd());
}

void TestByteCodec::paddedText()
{
    ByteWriter w;
    w.paddedText(QStringLiteral("PN-Device"), 12);
    w.paddedText(QString(70, QLatin1Char('x')), 64);
    QCOMPARE(w.data().left(12), QByteArray("PN-Device\0\0\0", 12));
    QCOMPARE(w.size(), 12 + 64);
}

void TestByteCodec::failedReadsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("kind");

    QTest::newRow("u8 on empty") << QByteArray() << "u8";
    QTest::newRow("u16 on one byte") << QByteArray(1, 'x') << "u16";
    QTest::newRow("u24 on two") << QByteArray(2, 'x') << "u24";
    QTest::newRow("u32 on three") << QByteArray(3, 'x') << "u32";
    QTest::newRow("bytes beyond") << QByteArray(3, 'x') << "bytes4";
    QTest::newRow("negative count") << QByteArray(3, 'x') << "bytes-1";
    QTest::newRow("text beyond") << QByteArray("\x05" "abc", 4) << "text8";
}

void TestByteCodec::failedReadsChangeNothing()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, kind);
    ByteReader r(data);
    quint8 a = 7;
    quint16 b = 7;
    quint32 c = 7;
    QByteArray d("keep");
    QString e = QStringLiteral("keep");
    bool ok = true;
    if (kind == QLatin1String("u8"))
        ok = r.u8(a);
    else if (kind == QLatin1String("u16"))
        ok = r.u16(b);
    else if (kind == QLatin1String("u24"))
        ok = r.u24(c);
    else if (kind == QLatin1String("u32"))
        ok = r.u32(c);
    else if (kind == QLatin1String("bytes4"))
        ok = r.bytes(4, d);
    else if (kind == QLatin1String("bytes-1"))
        ok = r.bytes(-1, d) || r.skip(-1);
    else
        ok = r.text8(e);
    QVERIFY(!ok);
    QCOMPARE(a, quint8(7));
    QCOMPARE(b, quint16(7));
    QCOMPARE(c, 7u);
    QCOMPARE(d, QByteArray("keep"));
    QCOMPARE(e, QStringLiteral("keep"));
    QCOMPARE(r.pos(), 0);
}

void TestByteCodec::subReaderStaysInsideItsRange()
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

void TestByteCodec::lenientTextTakesWhatIsThere()
{
    const QByteArray data("\x09" "abc", 4);
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

QTEST_GUILESS_MAIN(TestByteCodec)
#include "tst_bytecodec.moc"
