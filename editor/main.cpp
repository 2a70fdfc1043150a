// The level editor program.
#include "editor/form1.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/qt_dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    platform::installCzechTranslation(application);
    platform::QtDialogs dialogs;
    editor::Form1 form(dialogs, platform::programFolder());
    dialogs.setParent(&form);
    form.show();
    return application.exec();
}
