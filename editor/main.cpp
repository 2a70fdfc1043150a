// The level editor program.
#include "editor/form1.h"

#include "platform/paths.h"
#include "platform/qt_dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    platform::QtDialogs dialogs;
    editor::Form1 form(dialogs, platform::programFolder());
    dialogs.setParent(&form);
    form.show();
    return app.exec();
}
