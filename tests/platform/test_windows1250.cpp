// The Windows-1250 code page of the text files, both ways.
#include "platform/windows1250.h"

#include <QTest>

#include <array>

namespace {

// The characters of bytes 0x80 to 0xFF; 0 where the code page defines none.
constexpr std::array<char16_t, 128> upperHalf{
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

} // namespace

class TestWindows1250 : public QObject
{
    Q_OBJECT

private slots:
    void mapsEveryDefinedByte_data();
    void mapsEveryDefinedByte();
    void roundTripsAllDefinedBytes();
    void mapsCzechLetters();
    void replacesForeignCharacters_data();
    void replacesForeignCharacters();
};

void TestWindows1250::mapsEveryDefinedByte_data()
{
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QString>("character");
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char16_t character = byte < 0x80 ? char16_t(byte) : upperHalf[std::size_t(byte - 0x80)];
        if (character != 0)
            QTest::addRow("%02X", byte) << QByteArray(1, char(byte)) << QString(QChar(character));
    }
}

// Each byte the code page defines stands for its character, both ways.
void TestWindows1250::mapsEveryDefinedByte()
{
    QFETCH(QByteArray, byte);
    QFETCH(QString, character);
    QCOMPARE(platform::fromWindows1250(byte), character);
    QCOMPARE(platform::toWindows1250(character), byte);
}

// A whole text of all defined bytes comes back byte for byte.
void TestWindows1250::roundTripsAllDefinedBytes()
{
    QByteArray bytes;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte < 0x80 || upperHalf[std::size_t(byte - 0x80)] != 0)
            bytes += char(byte);
    }
    const QString text = platform::fromWindows1250(bytes);
    QCOMPARE(text.size(), bytes.size());
    QCOMPARE(platform::toWindows1250(text), bytes);
}

// The letters of Czech names in the hall of fame keep their bytes.
void TestWindows1250::mapsCzechLetters()
{
    const QString letters = QStringLiteral("ěščřžýáíéůúňťďĚŠČŘŽÝÁÍÉŮÚŇŤĎ");
    const QByteArray bytes = QByteArray::fromHex("EC9AE8F89EFDE1EDE9F9FAF29DEF" "CC8AC8D88EDDC1CDC9D9DAD28DCF");
    QCOMPARE(platform::toWindows1250(letters), bytes);
    QCOMPARE(platform::fromWindows1250(bytes), letters);
}

void TestWindows1250::replacesForeignCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CJK") << QStringLiteral("中") << QByteArray("?");
    QTest::newRow("surrogate pair") << QStringLiteral("😀") << QByteArray("?");
    QTest::newRow("n tilde") << QStringLiteral("ñ") << QByteArray("?");
    QTest::newRow("a grave") << QStringLiteral("à") << QByteArray("?");
    QTest::newRow("lone surrogate") << QString(QChar(0xD83D)) << QByteArray("?");
    QTest::newRow("mixed") << QStringLiteral("Jan中ł😀ß€ä") << QByteArray("Jan?\xB3?\xDF\x80\xE4");
}

// A character outside the code page becomes one "?", its neighbours stay.
void TestWindows1250::replacesForeignCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(platform::toWindows1250(text), bytes);
}

QTEST_MAIN(TestWindows1250)
#include "test_windows1250.moc"
