// The command line's modes without a window, one function each, and the start that they
// share: Qt's offscreen platform, so that nothing needs a display.
#pragma once

#include <QString>
#include <variant>

#include "arguments.h"

namespace ciferon::cli {

// Prints the refusal's line on standard error and gives its status.
int refuse(const Refusal& refusal);

// Starts Qt's offscreen application, without Qt's own options (they are the window's) and
// with its notes kept quiet, and runs the task; the program's status.
int runWithoutWindow(const Task& task, char* program);

// Each mode, once the application exists: the program's status.
int run(const HelpTask& task);
int run(const VersionTask& task);
int run(const SheetsTask& task);
int run(const CodesTask& task);
int run(const CodePdfTask& task);
int run(const CodeTextTask& task);
int run(const CodeCheckTask& task);
int run(const SaveSetTask& task);
int run(const SetPdfTask& task);
int run(const SetNamesTask& task);
int run(const SetAnswersTask& task);
int run(const SetOverviewTask& task);
int run(const SetResultCodeTask& task);
int run(const SetFollowUpTask& task);

// What `--check` prints for a pupil's answers, one line per exercise and the summary, or why
// it refuses them. The file is read whole first, so that nothing is printed for a file that
// cannot be read (status 1: missing, a folder, a read error) or that the core refuses
// (status 2: too long, not text, more lines than exercises).
std::variant<QString, Refusal> checkReport(const CodeCheckTask& task);

}  // namespace ciferon::cli
