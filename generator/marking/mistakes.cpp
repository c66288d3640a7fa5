#include "marking/mistakes.h"

#include "kinds/kinds.h"
#include "texts/texts.h"

#include <algorithm>
#include <utility>

namespace ciferon {

std::string_view mistakeText(Mistake mistake) {
    switch (mistake) {
        case Mistake::LeftToRight:
            return "asi počítáno zleva doprava (nejdřív se násobí a dělí)";
        case Mistake::CarryForgotten:
            return "asi zapomenutý přechod přes desítku";
        case Mistake::UnitsReversed:
            return "asi odečteny jednotky obráceně (menší od větší)";
        case Mistake::RemainderTooLarge:
            return "zbytek musí být menší než dělitel";
        case Mistake::RemainderMissing:
            return "chybí zbytek";
        case Mistake::Swapped:
            return "asi prohozený podíl a zbytek";
        case Mistake::OneSign:
            break;
    }
    return "asi jedno znaménko opačně";
}

char keyLetter(Mistake mistake) {
    switch (mistake) {
        case Mistake::LeftToRight:
            return 'Z';
        case Mistake::CarryForgotten:
            return 'D';
        case Mistake::UnitsReversed:
            return 'J';
        case Mistake::RemainderTooLarge:
            return 'V';
        case Mistake::Swapped:
            return 'P';
        case Mistake::RemainderMissing:
        case Mistake::OneSign:
            break;
    }
    return 0;
}

namespace {

// A lettered mistake as the key's legend names it.
std::string_view keyLegendText(Mistake mistake) {
    switch (mistake) {
        case Mistake::LeftToRight:
            return "počítáno zleva doprava";
        case Mistake::CarryForgotten:
            return "přechod přes desítku";
        case Mistake::UnitsReversed:
            return "jednotky obráceně";
        case Mistake::RemainderTooLarge:
            return "zbytek větší než dělitel";
        case Mistake::Swapped:
            return "prohozený podíl a zbytek";
        case Mistake::RemainderMissing:
        case Mistake::OneSign:
            break;
    }
    return {};
}

}  // namespace

std::string keyLegend(MistakeSet shown) {
    std::string text;
    for (int m = 0; m < mistakeCount; ++m) {
        const auto mistake = static_cast<Mistake>(m);
        if ((shown & mistakeBit(mistake)) == 0 || keyLetter(mistake) == 0) {
            continue;
        }
        text.append(text.empty() ? "" : ", ").append(1, keyLetter(mistake)).append(" – ");
        text.append(keyLegendText(mistake));
    }
    return text;
}

WrongAnswers wrongAnswers(int kind, std::string_view exercise, const Result& right) {
    WrongAnswers wrong;
    if (kind < 0 || kind > highestKind) {
        return wrong;
    }
    const MistakeDetector detect = kindCatalogue.at(static_cast<std::size_t>(kind)).mistakes;
    ExerciseTokens tokens;
    // Only division with remainder has a remainder result.
    if (detect == nullptr || right.remainder.has_value() != (kind == 10) ||
        !tokensOf(exercise, tokens)) {
        return wrong;
    }
    detect(tokens, right, wrong);
    return wrong;
}

WrongAnswers wrongAnswers(const SheetItem& item) {
    return wrongAnswers(item.kind, item.exercise, item.result);
}

MistakeSet mistakesOf(const WrongAnswers& wrong, std::string_view answer,
                      std::string_view remainder) {
    if (wrong.empty()) {
        return 0;
    }
    const Answer value = readAnswer(answer);
    if (value.state != Answer::State::Number) {
        return 0;
    }
    const Answer rest = readAnswer(remainder);
    MistakeSet mistakes = 0;
    for (const WrongAnswer& given : wrong) {
        if (given.answer.value != value.value) {
            continue;
        }
        if (given.answer.remainder) {
            const bool matches = rest.state == Answer::State::Number
                                     ? rest.value == *given.answer.remainder
                                 : rest.state == Answer::State::Empty ? *given.answer.remainder == 0
                                                                      : false;
            if (!matches) {
                continue;
            }
        }
        mistakes |= mistakeBit(given.mistake);
    }
    return mistakes;
}

MarkedAnswer markWithMistakes(int kind, std::string_view exercise, const Result& result,
                              std::string_view answer, std::string_view remainder) {
    const Mark mark = markAnswer(result, answer, remainder);
    if (mark != Mark::Wrong) {
        return {mark};
    }
    return {mark, mistakesOf(wrongAnswers(kind, exercise, result), answer, remainder)};
}

MarkedAnswer markWithMistakes(const SheetItem& item, std::string_view answer,
                              std::string_view remainder) {
    return markWithMistakes(item.kind, item.exercise, item.result, answer, remainder);
}

MarkedAnswer markLineWithMistakes(int kind, std::string_view exercise, const Result& result,
                                  std::string_view line) {
    const auto fields = lineFields(result, line);
    if (!fields) {
        return {Mark::Unreadable};
    }
    return markWithMistakes(kind, exercise, result, fields->answer, fields->remainder);
}

MarkedAnswer markLineWithMistakes(const SheetItem& item, std::string_view line) {
    return markLineWithMistakes(item.kind, item.exercise, item.result, line);
}

std::string mistakeNote(MistakeSet mistakes) {
    std::string note;
    for (int m = 0; m < mistakeCount; ++m) {
        const auto mistake = static_cast<Mistake>(m);
        if ((mistakes & mistakeBit(mistake)) != 0) {
            note.append(note.empty() ? "" : "; ").append(mistakeText(mistake));
        }
    }
    return note;
}

namespace {

// A mark followed by the mistakes named for it, after an en dash.
std::string withNote(std::string mark, MistakeSet mistakes) {
    if (const std::string note = mistakeNote(mistakes); !note.empty()) {
        mark.append(" – ").append(note);
    }
    return mark;
}

}  // namespace

std::string checkLine(int number, const MarkedAnswer& marked) {
    std::string line = std::to_string(number).append(". ").append(markWord(marked.mark));
    if (marked.mark == Mark::Unreadable) {
        return line.append(" – ").append(unreadableHint());
    }
    return withNote(std::move(line), marked.mistakes);
}

std::string markText(const MarkedAnswer& marked) {
    return withNote(markText(marked.mark), marked.mistakes);
}

std::vector<std::string> mistakeSummaryLines(const std::vector<MarkedAnswer>& marked) {
    std::array<int, mistakeCount> counts{};
    for (const MarkedAnswer& answer : marked) {
        for (int m = 0; m < mistakeCount; ++m) {
            counts[m] += (answer.mistakes & mistakeBit(static_cast<Mistake>(m))) != 0 ? 1 : 0;
        }
    }
    std::array<int, mistakeCount> order{};
    for (int m = 0; m < mistakeCount; ++m) {
        order[m] = m;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&counts](int a, int b) { return counts[a] > counts[b]; });
    std::vector<std::string> lines;
    for (const int m : order) {
        if (counts[m] > 0) {
            std::string line = "– ";
            line.append(mistakeText(static_cast<Mistake>(m)))
                .append(": ")
                .append(std::to_string(counts[m]))
                .append("×");
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string summaryText(const std::vector<MarkedAnswer>& marked, int shown) {
    std::vector<Mark> marks(marked.size());
    std::transform(marked.begin(), marked.end(), marks.begin(),
                   [](const MarkedAnswer& answer) { return answer.mark; });
    std::string text = summaryText(marks, shown);
    for (const std::string& line : mistakeSummaryLines(marked)) {
        text.append("\n").append(line);
    }
    return text;
}

namespace {

// The wrong answers the key lists for an exercise, each with its letter, in the order of
// Mistake; of the quotients too small only the one just below the right one.
std::vector<WrongAnswer> keyAnswers(int kind, std::string_view exercise, const Result& result) {
    std::vector<WrongAnswer> shown;
    bool smallerShown = false;
    for (const WrongAnswer& given : wrongAnswers(kind, exercise, result)) {
        if (keyLetter(given.mistake) == 0 ||
            (given.mistake == Mistake::RemainderTooLarge && smallerShown)) {
            continue;
        }
        // The quotients too small come from the largest down: the first is one below.
        smallerShown = smallerShown || given.mistake == Mistake::RemainderTooLarge;
        shown.push_back(given);
    }
    return shown;
}

}  // namespace

std::string keyMistakes(int kind, std::string_view exercise, const Result& result) {
    std::string text;
    for (const WrongAnswer& given : keyAnswers(kind, exercise, result)) {
        text.append(text.empty() ? " [" : "; ").append(1, keyLetter(given.mistake)).append(" ");
        text.append(resultText(given.answer));
    }
    if (!text.empty()) {
        text.append("]");
    }
    return text;
}

std::string keyMistakes(const SheetItem& item) {
    return keyMistakes(item.kind, item.exercise, item.result);
}

MistakeSet keyMistakeSet(const SheetItem& item) {
    MistakeSet shown = 0;
    for (const WrongAnswer& given : keyAnswers(item.kind, item.exercise, item.result)) {
        shown |= mistakeBit(given.mistake);
    }
    return shown;
}

}  // namespace ciferon
