// Linked into the benchmark's copies of the programs, beside their own main().
// At the first frame the program shows it writes the window's title and ends
// the process at once. Given "--idle S" it first runs the event loop for S
// seconds, and given "--play S" it first triggers the Ctrl+N command (a new
// game); then it writes how often the loop woke, how many timer events it
// delivered and how much processor time it used in that span.
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeySequence>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class FirstFrameProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            ++timerEvents;
        // The whole window is painted and put on the screen in the one
        // handler that delivers this paint event; the queued call runs once
        // control is back in the event loop, after that.
        if (event->type() == QEvent::Paint && !window) {
            if (auto *widget = qobject_cast<QWidget *>(watched)) {
                window = widget->window();
                QMetaObject::invokeMethod(this, &FirstFrameProbe::firstFrameShown, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    void firstFrameShown()
    {
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() < 3)
            finish(QString());
        if (arguments[1] == QLatin1String("--play"))
            triggerNewGame();
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this, [this] { ++wakeups; });
        wakeups = 0;
        timerEvents = 0;
        startSeconds = processorSeconds();
        clock.start();
        QTimer::singleShot(static_cast<int>(arguments[2].toDouble() * 1000), this, &FirstFrameProbe::report);
    }

    void triggerNewGame()
    {
        for (QAction *action : window->findChildren<QAction *>()) {
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_N)) {
                action->trigger();
                return;
            }
        }
    }

    void report()
    {
        finish(QStringLiteral(";seconds=%1;wakeups=%2;timer_events=%3;cpu_seconds=%4")
                   .arg(clock.nsecsElapsed() / 1e9)
                   .arg(wakeups)
                   .arg(timerEvents)
                   .arg(processorSeconds() - startSeconds));
    }

    [[noreturn]] void finish(const QString &figures)
    {
        std::printf("title=%s%s\n", window->windowTitle().toUtf8().constData(), figures.toUtf8().constData());
        std::fflush(stdout);
        std::_Exit(0);
    }

    QWidget *window = nullptr;
    long wakeups = 0;
    long timerEvents = 0;
    double startSeconds = 0;
    QElapsedTimer clock;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrameProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
