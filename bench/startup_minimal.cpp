// The yardstick for the startup benchmark: one empty Qt Widgets window.
#include <QApplication>
#include <QWidget>

#include "shown_then_quit.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(685, 248);
    const QuitWhenShown quit(window);
    window.show();
    return QApplication::exec();
}
