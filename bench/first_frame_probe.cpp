// Linked into the benchmark's copies of the programs, beside their own main().
// At the first frame shown it writes the window's title, the processor seconds
// and the peak memory (kB) so far; then it runs the event loop for the seconds
// that "--idle S" gives, writes how often the loop woke meanwhile, and ends.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

// The peak of this program alone: the system's own account of a child's
// peak also holds the starting process's, which it had before exec.
long peakKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:"))
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

class FirstFrameProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The whole window is painted and handed to the window system in the
        // handler that delivers this event; a queued call runs after it.
        if (event->type() == QEvent::Paint && !window && watched->isWidgetType()) {
            window = static_cast<QWidget *>(watched)->window();
            QMetaObject::invokeMethod(this, &FirstFrameProbe::firstFrameShown, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void firstFrameShown()
    {
        std::printf("%s\n%.6f\n%ld\n", window->windowTitle().toUtf8().constData(),
                    static_cast<double>(std::clock()) / CLOCKS_PER_SEC, peakKilobytes());
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this, [this] { ++wakeups; });
        const QStringList arguments = QCoreApplication::arguments();
        const double idle = arguments.size() == 3 && arguments[1] == QLatin1String("--idle") ? arguments[2].toDouble() : 0;
        QTimer::singleShot(static_cast<int>(idle * 1000), this, [this] {
            std::printf("%ld\n", wakeups);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

    QWidget *window = nullptr;
    long wakeups = 0;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrameProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
