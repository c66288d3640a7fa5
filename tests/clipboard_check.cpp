// Checks a clipboard text that the end-to-end test read from the running program: a first
// line the test typed into the exercise field, then the exercise list, one line break and
// the solution list, with CR LF throughout and every exercise sound. With an empty
// FIRST_LINE the text starts with the exercise list, as `ciferon --code CODE --text` writes.
//   clipboard_check FILE FIRST_LINE COUNT INTERVAL
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "evaluator.h"

namespace {

int fail(const std::string& why) {
    std::cerr << "clipboard: " << why << '\n';
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        return fail("usage: clipboard_check FILE FIRST_LINE COUNT INTERVAL");
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string firstLine = *argv[2] == '\0' ? "" : std::string(argv[2]) + "\r\n";
    const int count = std::atoi(argv[3]);
    const int interval = std::atoi(argv[4]);

    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crWithoutLf = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        const bool lfWithoutCr = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        if (crWithoutLf || lfWithoutCr) {
            return fail("a line break that is not CR LF at byte " + std::to_string(i));
        }
    }
    if (text.rfind(firstLine, 0) != 0) {
        return fail("does not start with the typed line «" + std::string(argv[2]) + "»");
    }
    // The exercise list has a line per exercise and an empty line after every interval-th.
    const int listLines = count + count / interval;
    std::size_t end = firstLine.size();
    for (int line = 0; line < listLines; ++line) {
        end = text.find("\r\n", end);
        if (end == std::string::npos) {
            return fail("the exercise list is short");
        }
        end += 2;
    }
    const std::string exercises = text.substr(firstLine.size(), end - firstLine.size());
    if (text.compare(end, 2, "\r\n") != 0) {
        return fail("no line break between the two lists");
    }
    const std::string solutions = text.substr(end + 2);
    const auto verdict = ciferon::testing::checkLists(exercises, solutions, count, interval);
    if (!verdict.fault.empty()) {
        return fail(verdict.fault);
    }
    std::cout << "clipboard: " << text.size() << " bytes, " << count << " sound exercises\n";
    return 0;
}
