// Czech texts of the toolkit and top-level window placement.
#include "platform/application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

namespace platform {

void installCzechTranslation(QCoreApplication &application)
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

namespace {

void moveToCentre(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

// A window has no frame until the window manager has taken it on, after it
// is first shown. The first move with a frame centres the window again, now
// frame included.
class CentreOnceFramed : public QObject
{
public:
    explicit CentreOnceFramed(QWidget &window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto &window = static_cast<QWidget &>(*watched);
        if (event->type() == QEvent::Move && window.frameGeometry() != window.geometry()) {
            window.removeEventFilter(this);
            moveToCentre(window);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centreOnScreen(QWidget &window)
{
    // A window not yet shown has its size once its layout has run.
    if (QLayout *layout = window.layout())
        layout->activate();
    moveToCentre(window);
    if (window.frameGeometry() == window.geometry())
        new CentreOnceFramed(window);
}

void showInFront(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace platform
