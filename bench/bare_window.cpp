// The least a Qt widgets program does to show a window of the main window's
// size: the floor under the program's own start-up.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(516, 587);
    window.show();
    return application.exec();
}
