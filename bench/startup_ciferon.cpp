// The program's start, as app/main.cpp does it, ending once the window is shown.
#include <QApplication>

#include "form1.h"
#include "run/run.h"
#include "shown_then_quit.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ciferon::useStartUpStyle();
    ciferon::DialogPrompts prompts;
    ciferon::ClockRandom random;
    ciferon::Form1 window(prompts, random);
    const QuitWhenShown quit(window);
    window.show();
    return QApplication::exec();
}
