// The Windows-1250 code page of the text files, both ways.
#include "game/hall_file.h"

#include <QTest>

namespace {

// The characters of bytes 0x80 to 0xFF; "?" where the code page defines none.
const QString upperHalf = QString::fromUtf16(u"€?‚?„…†‡?‰Š‹ŚŤŽŹ?‘’“”•–—?™š›śťžź" // 80-9F
                                             u"\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż" // A0-BF
                                             u"ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß" // C0-DF
                                             u"ŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙"); // E0-FF

// A name through the hall file, both ways.
QByteArray toWindows1250(const QString &text)
{
    game::HallTable table;
    table[0].name = text;
    return game::hall_file::bytes(table).split('\r').first();
}

QString fromWindows1250(const QByteArray &bytes)
{
    game::HallTable table;
    game::hall_file::apply(bytes, table);
    return table[0].name;
}

} // namespace

class TestWindows1250 : public QObject
{
    Q_OBJECT

private slots:
    // Each byte the code page defines stands for its character, both ways,
    // alone and in one text of all of them; a character outside the code
    // page becomes one "?" and its neighbours stay.
    void converts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QByteArray all;
        QString allText;
        for (int byte = 0x20; byte <= 0xFF; ++byte) {
            const QChar character = byte < 0x80 ? QChar(byte) : upperHalf.at(byte - 0x80);
            if (character == u'?' && byte != '?')
                continue;
            QTest::addRow("%02X", byte) << QByteArray(1, char(byte)) << QString(character);
            all += char(byte);
            allText += character;
        }
        QTest::newRow("all of them") << all << allText;
        QTest::newRow("foreign") << QByteArray("Jan?\xB3?\xDF\x80??\xE4") << QStringLiteral("Jan中ł😀ß€ñ\xD83D\xE4");
    }
    void converts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(toWindows1250(text), bytes);
        if (bytes.count('?') == text.count(u'?')) // no "?" stands for a foreign character
            QCOMPARE(fromWindows1250(bytes), text);
    }
};

QTEST_MAIN(TestWindows1250)
#include "test_windows1250.moc"
