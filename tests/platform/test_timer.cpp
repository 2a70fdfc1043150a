// The window timer: stopped at interval 0 or less, and still while any
// modal box is open or its handler runs.
#include "platform/timer.h"

#include "scripted_dialogs.h"

#include <QTest>

namespace {

using Shown = ScriptedDialogs::Shown;

// Opens one box of the given kind.
void openBox(ScriptedDialogs &dialogs, const QString &kind)
{
    if (kind == QLatin1String("message"))
        dialogs.message(QStringLiteral("Pozor"), QStringLiteral("Korvo"));
    else if (kind == QLatin1String("question"))
        dialogs.message(QStringLiteral("Znovu?"), QStringLiteral("Korvo"), platform::Dialogs::Buttons::YesNo);
    else if (kind == QLatin1String("input"))
        dialogs.input(QStringLiteral("Jméno"), QStringLiteral("Korvo"));
    else
        dialogs.chooseLevelFile(platform::Dialogs::FileMode::Save, "levels");
}

} // namespace

class TestTimer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void stoppedUntilIntervalSet();
    void runsOncePerExpiry();
    void stopsAtZeroOrNegative_data();
    void stopsAtZeroOrNegative();
    void holdsStillWhileBoxOpen_data();
    void holdsStillWhileBoxOpen();
    void holdsStillWhileNestedBoxOpen();
    void doesNotReenterFromBoxOfHandler();
    void doesNotReenterFromHandler();

private:
    int ticks = 0;
};

void TestTimer::init()
{
    ticks = 0;
}

// A new timer is stopped and an expiry does nothing.
void TestTimer::stoppedUntilIntervalSet()
{
    platform::Timer timer([this] { ++ticks; });
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!timer.isRunning());
    timer.expire();
    QCOMPARE(ticks, 0);
}

// A running timer calls its handler once for each expiry.
void TestTimer::runsOncePerExpiry()
{
    platform::Timer timer([this] { ++ticks; });
    timer.setInterval(200);
    QCOMPARE(timer.interval(), 200);
    QVERIFY(timer.isRunning());
    timer.expire();
    timer.expire();
    QCOMPARE(ticks, 2);
}

void TestTimer::stopsAtZeroOrNegative_data()
{
    QTest::addColumn<int>("interval");
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("-32768") << -32768;
}

// Setting 0 or less stops a running timer; it then reads as 0.
void TestTimer::stopsAtZeroOrNegative()
{
    QFETCH(int, interval);
    platform::Timer timer([this] { ++ticks; });
    timer.setInterval(180);
    timer.setInterval(std::int16_t(interval));
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!timer.isRunning());
    timer.expire();
    QCOMPARE(ticks, 0);
}

void TestTimer::holdsStillWhileBoxOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("message") << QStringLiteral("message");
    QTest::newRow("question") << QStringLiteral("question");
    QTest::newRow("input") << QStringLiteral("input");
    QTest::newRow("file") << QStringLiteral("file");
}

// No tick runs while a box is open, and ticks go on once it is closed.
void TestTimer::holdsStillWhileBoxOpen()
{
    QFETCH(QString, kind);
    platform::Timer timer([this] { ++ticks; });
    timer.setInterval(200);
    ScriptedDialogs dialogs;
    dialogs.whileOpen = [&](const Shown &) {
        timer.expire();
        timer.expire();
    };
    openBox(dialogs, kind);
    QCOMPARE(dialogs.shown.size(), 1u);
    QCOMPARE(ticks, 0);
    timer.expire();
    QCOMPARE(ticks, 1);
}

// A box opened from within another keeps the timer still until both close.
void TestTimer::holdsStillWhileNestedBoxOpen()
{
    platform::Timer timer([this] { ++ticks; });
    timer.setInterval(200);
    ScriptedDialogs dialogs;
    dialogs.whileOpen = [&](const Shown &box) {
        if (box.kind == QLatin1String("message"))
            openBox(dialogs, QStringLiteral("input"));
        timer.expire();
    };
    openBox(dialogs, QStringLiteral("message"));
    QCOMPARE(dialogs.shown.size(), 2u);
    QCOMPARE(ticks, 0);
}

// An expiry inside a box that the handler itself opened is dropped.
void TestTimer::doesNotReenterFromBoxOfHandler()
{
    ScriptedDialogs dialogs;
    platform::Timer timer([&] {
        ++ticks;
        openBox(dialogs, QStringLiteral("message"));
    });
    dialogs.whileOpen = [&](const Shown &) { timer.expire(); };
    timer.setInterval(200);
    timer.expire();
    QCOMPARE(ticks, 1);
    QCOMPARE(dialogs.shown.size(), 1u);
}

// An expiry delivered while the handler runs is dropped, not nested.
void TestTimer::doesNotReenterFromHandler()
{
    platform::Timer timer([&] {
        ++ticks;
        timer.expire();
    });
    timer.setInterval(200);
    timer.expire();
    QCOMPARE(ticks, 1);
    timer.expire();
    QCOMPARE(ticks, 2);
}

QTEST_MAIN(TestTimer)
#include "test_timer.moc"
