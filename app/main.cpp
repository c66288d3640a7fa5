// Starts Ciferon: the main window, or, from the command line, a class set or one sheet
// written to a PDF file, one sheet's lists to standard output, or a pupil's answers to one
// sheet marked, without any window (cli/).
// The whole command line is read and checked before the program decides whether it needs a
// window, so that every mistake gets the same Czech line with or without a display.
#include <QApplication>
#include <QStringList>
#include <variant>

#include "arguments.h"
#include "form1.h"
#include "modes.h"
#include "run/run.h"

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const ciferon::cli::Reading reading = ciferon::cli::readArguments(arguments);
    if (const auto* refusal = std::get_if<ciferon::cli::Refusal>(&reading)) {
        return ciferon::cli::refuse(*refusal);
    }
    const auto& task = std::get<ciferon::cli::Task>(reading);
    const auto* window = std::get_if<ciferon::cli::WindowTask>(&task);
    if (window == nullptr) {
        return ciferon::cli::runWithoutWindow(task, argv[0]);
    }
    if (const auto refusal = ciferon::cli::windowRefusal(*window)) {
        return ciferon::cli::refuse(*refusal);
    }

    const QApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("ciferon"));
    QGuiApplication::setApplicationVersion(QStringLiteral(CIFERON_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.ciferon.Ciferon"));
    ciferon::useCzechDialogButtons();
    ciferon::useStartUpStyle();
    ciferon::DialogPrompts prompts;
    ciferon::ClockRandom random;
    ciferon::Form1 form(prompts, random);
    if (window->sheet) {
        form.openSheet(*window->sheet);
    }
    form.show();
    return QGuiApplication::exec();
}
