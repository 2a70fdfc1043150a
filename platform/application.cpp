// Czech texts of the toolkit and top-level window placement.
#include "platform/application.h"

#include <QCoreApplication>
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

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void showInFront(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace platform
