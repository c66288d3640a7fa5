// The class sets of given codes that the command line and the page both accept or refuse,
// as tests/data/classset_refusals.tsv lists them (the browser test reads the same file).
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ciferon::testing {

struct CodesCase {
    std::string name;
    std::string codes;
    std::string heading;
    std::string adapted;
    std::string addressRest;  // what the page's address has after the others; the page's own
    std::string sentence;     // the core's; empty for a class set that is made
    std::string line;         // the command line's after "ciferon: "; "-" where it has none
};

inline std::vector<CodesCase> codesCases() {
    std::ifstream file(CIFERON_CLASSSET_REFUSALS);
    std::vector<CodesCase> cases;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string> columns;
        std::istringstream row(line);
        for (std::string column; std::getline(row, column, '\t');) {
            columns.push_back(column);
        }
        columns.resize(7);
        cases.push_back(
            {columns[0], columns[1], columns[2], columns[3], columns[4], columns[5], columns[6]});
    }
    return cases;
}

}  // namespace ciferon::testing
