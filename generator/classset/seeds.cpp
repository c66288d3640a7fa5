#include "classset/seeds.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace ciferon {

int repeatedExercises(const Sheet& sheet) {
    const std::string exercises = sheetLists(sheet).exercises;
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(sheet.count));
    std::string_view rest(exercises);
    while (!rest.empty()) {
        const std::size_t end = rest.find(crlf);
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + crlf.size());
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    std::sort(lines.begin(), lines.end());
    return static_cast<int>(lines.end() - std::unique(lines.begin(), lines.end()));
}

std::uint32_t newSheetSeed(Sheet sheet, RandomSource& random) {
    std::uint32_t best = 0;
    int fewest = -1;
    for (int tries = 0; tries < seedTriesMax && fewest != 0; ++tries) {
        sheet.seed = static_cast<std::uint32_t>(draw(random, 0, static_cast<int>(sheetSeeds) - 1));
        const int repeats = repeatedExercises(sheet);
        if (fewest < 0 || repeats < fewest) {
            best = sheet.seed;
            fewest = repeats;
        }
    }
    return best;
}

}  // namespace ciferon
