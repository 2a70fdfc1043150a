// Key codes: the arrow keys as the codes 37 to 40, on their own and as the
// playfield reports them.
#include "platform/key_codes.h"
#include "platform/playfield.h"

#include <QSignalSpy>
#include <QTest>

class TestKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void mapsKeys_data();
    void mapsKeys();
    void playfieldReportsKeys_data() { mapsKeys_data(); }
    void playfieldReportsKeys();
};

void TestKeyCodes::mapsKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << int(Qt::Key_Left) << 37;
    QTest::newRow("up") << int(Qt::Key_Up) << 38;
    QTest::newRow("right") << int(Qt::Key_Right) << 39;
    QTest::newRow("down") << int(Qt::Key_Down) << 40;
    QTest::newRow("space") << int(Qt::Key_Space) << 0;
    QTest::newRow("A") << int(Qt::Key_A) << 0;
    QTest::newRow("percent, Latin-1 37") << int(Qt::Key_Percent) << 0;
    QTest::newRow("parenleft, Latin-1 40") << int(Qt::Key_ParenLeft) << 0;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 0;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0;
}

// Each arrow key has its code; every other key has 0.
void TestKeyCodes::mapsKeys()
{
    QFETCH(int, key);
    QFETCH(int, code);
    QCOMPARE(platform::virtualKeyCode(key), code);
}

// A key press on the playfield is reported with its code, other keys not at all.
void TestKeyCodes::playfieldReportsKeys()
{
    QFETCH(int, key);
    QFETCH(int, code);
    platform::Playfield field;
    QSignalSpy keyDown(&field, &platform::Playfield::keyDown);
    QTest::keyClick(&field, Qt::Key(key));
    if (code == 0) {
        QCOMPARE(keyDown.size(), 0);
        return;
    }
    QCOMPARE(keyDown.size(), 1);
    QCOMPARE(keyDown.at(0).at(0).value<std::int16_t>(), code);
}

QTEST_MAIN(TestKeyCodes)
#include "test_key_codes.moc"
