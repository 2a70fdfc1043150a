// The game program.
#include "game/form1.h"
#include "platform/application.h"
#include "platform/clock_random.h"
#include "platform/files.h"
#include "platform/qt_dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    platform::installCzechTranslation(application);
    platform::QtDialogs dialogs;
    platform::ClockRandom random;
    game::Form1 window(dialogs, random, platform::programFolder());
    if (!window.Form_Load())
        return 1;
    dialogs.setParent(&window);
    platform::centreOnScreen(window);
    window.show();
    return application.exec();
}
