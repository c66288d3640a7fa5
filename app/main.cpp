// Starts Ciferon: creates the main window and runs the event loop.
#include <QApplication>

#include "form1.h"
#include "run.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ciferon"));
    QApplication::setApplicationVersion(QStringLiteral(CIFERON_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.ciferon.Ciferon"));
    ciferon::useCzechDialogButtons();

    ciferon::DialogPrompts prompts;
    ciferon::ClockRandom random;
    ciferon::Form1 window(prompts, random);
    window.show();
    return QApplication::exec();
}
