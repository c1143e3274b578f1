#include "storage/codepage1252.h"
#include "storage/schedina.h"

#include <QTest>

// Titles go to disk as Windows-1252 bytes and must come back exactly.
class tst_CodePage1252 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips();
    void decode_data();
    void decode();
    void storedTitle_data();
    void storedTitle();
    void exactEncoding_data();
    void exactEncoding();
};

void tst_CodePage1252::everyByteRoundTrips()
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = CodePage1252::decodeToUtf8(byte);
        QCOMPARE(CodePage1252::encodeExactly(utf8), std::optional<std::string>(byte));
    }
}

void tst_CodePage1252::decode_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<uint>("codePoint");
    QTest::newRow("NUL stays NUL") << 0x00 << 0x0000u;
    QTest::newRow("letter") << 0x41 << 0x0041u;
    QTest::newRow("euro") << 0x80 << 0x20ACu;
    QTest::newRow("undefined 0x81") << 0x81 << 0x0081u;
    QTest::newRow("undefined 0x8D") << 0x8D << 0x008Du;
    QTest::newRow("undefined 0x8F") << 0x8F << 0x008Fu;
    QTest::newRow("undefined 0x90") << 0x90 << 0x0090u;
    QTest::newRow("undefined 0x9D") << 0x9D << 0x009Du;
    QTest::newRow("left quote") << 0x93 << 0x201Cu;
    QTest::newRow("e grave") << 0xE8 << 0x00E8u;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FFu;
}

void tst_CodePage1252::decode()
{
    QFETCH(int, byte);
    QFETCH(uint, codePoint);
    QCOMPARE(uint(CodePage1252::decode(static_cast<unsigned char>(byte))), codePoint);
}

void tst_CodePage1252::storedTitle_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("short, padded") << "Prova" << QByteArray("Prova               ");
    QTest::newRow("accented letters")
        << QString::fromUtf8("Perché è così") << QByteArray("Perch\xE9 \xE8 cos\xEC       ");
    QTest::newRow("leading spaces kept") << "  Ambo" << QByteArray("  Ambo              ");
    QTest::newRow("cut at twenty characters")
        << "Schedina numero ventuno" << QByteArray("Schedina numero vent");
    QTest::newRow("cut counts characters, not bytes")
        << QString::fromUtf8("èèèèèèèèèèèèèèèèèèèèèè") << QByteArray(20, '\xE8');
    QTest::newRow("character outside the code page")
        << QString::fromUtf8("Lotto 漢字") << QByteArray("Lotto ??            ");
    QTest::newRow("emoji is one character")
        << QString::fromUtf8("Fortuna \U0001F340!") << QByteArray("Fortuna ?!          ");
    QTest::newRow("euro sign") << QString::fromUtf8("5€") << QByteArray("5\x80                  ");
}

void tst_CodePage1252::storedTitle()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    Schedina s;
    s.impostaTitolo(typed.toStdString());
    QCOMPARE(QByteArray(s.titolo.data(), 20), stored);
}

void tst_CodePage1252::exactEncoding_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<bool>("storable");
    QTest::newRow("plain") << QByteArray("Prova") << true;
    QTest::newRow("accented") << QString::fromUtf8("Felicità").toUtf8() << true;
    QTest::newRow("cjk") << QString::fromUtf8("漢").toUtf8() << false;
    QTest::newRow("malformed utf-8") << QByteArray("\xC3(") << false;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
    QTest::newRow("truncated sequence") << QByteArray("abc\xE2\x82") << false;
}

void tst_CodePage1252::exactEncoding()
{
    QFETCH(QByteArray, utf8);
    QFETCH(bool, storable);
    QCOMPARE(CodePage1252::encodeExactly(utf8.toStdString()).has_value(), storable);
}

QTEST_APPLESS_MAIN(tst_CodePage1252)
#include "tst_codepage1252.moc"
