// The window timer: stopped at interval 0 or less, and still while any modal
// box is open or its handler runs.
#include "platform/timer.h"

#include "scripted_dialogs.h"

#include <QTest>

class TestTimer : public QObject
{
    Q_OBJECT

private slots:
    // A positive interval runs the handler once per expiry, 0 or less stops
    // the timer and reads back as 0; no tick runs while a box of any kind is
    // open, nor while one opened from another is.
    void runs_data()
    {
        QTest::addColumn<QList<int>>("intervals"); // set in turn
        QTest::addColumn<QString>("box");          // opened before two expiries
        QTest::addColumn<int>("interval");
        QTest::newRow("new timer") << QList<int>{} << "" << 0;
        QTest::newRow("200") << QList<int>{200} << "" << 200;
        QTest::newRow("200, then 0") << QList<int>{200, 0} << "" << 0;
        QTest::newRow("180, then -32768") << QList<int>{180, -32768} << "" << 0;
        QTest::newRow("message box") << QList<int>{200} << "message" << 200;
        QTest::newRow("input box") << QList<int>{200} << "input" << 200;
        QTest::newRow("file dialog") << QList<int>{200} << "file" << 200;
        QTest::newRow("input box inside a message box") << QList<int>{200} << "nested" << 200;
    }
    void runs()
    {
        QFETCH(QList<int>, intervals);
        QFETCH(QString, box);
        QFETCH(int, interval);
        int ticks = 0;
        platform::Timer timer([&] { ++ticks; });
        for (int value : intervals)
            timer.setInterval(std::int16_t(value));
        ScriptedDialogs dialogs;
        dialogs.whileOpen = [&](const ScriptedDialogs::Shown &shown) {
            if (box == QLatin1String("nested") && shown.kind == QLatin1String("message"))
                dialogs.input(QStringLiteral("Jméno"), QStringLiteral("Korvo"));
            timer.expire();
        };
        if (box == QLatin1String("message") || box == QLatin1String("nested"))
            dialogs.message(QStringLiteral("Pozor"), QStringLiteral("Korvo"));
        else if (box == QLatin1String("input"))
            dialogs.input(QStringLiteral("Jméno"), QStringLiteral("Korvo"));
        else if (box == QLatin1String("file"))
            dialogs.chooseLevelFile(platform::Dialogs::FileMode::Save, "levels");
        QCOMPARE(dialogs.shown.size(), std::size_t(box.isEmpty() ? 0 : box == QLatin1String("nested") ? 2 : 1));
        QCOMPARE(ticks, 0);
        timer.expire();
        timer.expire();
        QCOMPARE(timer.interval(), interval);
        QCOMPARE(timer.isRunning(), interval > 0);
        QCOMPARE(ticks, interval > 0 ? 2 : 0);
    }

    // An expiry delivered while the handler runs is dropped, not nested.
    void doesNotReenterFromHandler()
    {
        int ticks = 0;
        platform::Timer timer([&] {
            ++ticks;
            timer.expire();
        });
        timer.setInterval(200);
        timer.expire();
        timer.expire();
        QCOMPARE(ticks, 2);
    }
};

QTEST_MAIN(TestTimer)
#include "test_timer.moc"
