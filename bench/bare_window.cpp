// The baseline of the start-up and idle figures: a bare Qt main window with a
// menu bar and a client area of the game window's size, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("File"));
    menu->addAction(QStringLiteral("Exit"), &window, &QMainWindow::close);
    auto *client = new QWidget(&window);
    client->setFixedSize(369, 285);
    window.setCentralWidget(client);
    window.show();
    return application.exec();
}
