#include "classset/set_entry.h"

#include <algorithm>
#include <array>
#include <utility>

#include "marking/results.h"
#include "texts/texts.h"

namespace ciferon {

namespace {

// The Czech number row's letters in UTF-8, lower and upper case, for the digits 2..9 and 0.
constexpr std::array<std::pair<std::string_view, char>, 18> numberRow{{{"ě", '2'},
                                                                       {"Ě", '2'},
                                                                       {"š", '3'},
                                                                       {"Š", '3'},
                                                                       {"č", '4'},
                                                                       {"Č", '4'},
                                                                       {"ř", '5'},
                                                                       {"Ř", '5'},
                                                                       {"ž", '6'},
                                                                       {"Ž", '6'},
                                                                       {"ý", '7'},
                                                                       {"Ý", '7'},
                                                                       {"á", '8'},
                                                                       {"Á", '8'},
                                                                       {"í", '9'},
                                                                       {"Í", '9'},
                                                                       {"é", '0'},
                                                                       {"É", '0'}}};

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string cellText(std::string_view typed) {
    std::string text;
    text.reserve(typed.size());
    while (!typed.empty()) {
        if (typed.front() == '+') {
            text += '1';
            typed.remove_prefix(1);
            continue;
        }
        bool mapped = false;
        for (const auto& [letter, digit] : numberRow) {
            if (typed.starts_with(letter)) {
                text += digit;
                typed.remove_prefix(letter.size());
                mapped = true;
                break;
            }
        }
        if (!mapped) {
            text += typed.front();
            typed.remove_prefix(1);
        }
    }
    return text;
}

bool noAnswerCell(std::string_view text) {
    text = trimmed(text);
    return text == "-" || text == "\u2212" || text == "\u2013";
}

MarkedAnswer markCell(const SheetItem& item, std::string_view text) {
    if (trimmed(text).empty()) {
        return {Mark::Right, 0};
    }
    if (noAnswerCell(text)) {
        return {Mark::Unanswered, 0};
    }
    return markLineWithMistakes(item, text);
}

void handIn(SetSheet& sheet) {
    if (!sheet.row) {
        sheet.row = SheetRow{std::vector<MarkedAnswer>(static_cast<std::size_t>(sheet.sheet.count),
                                                       MarkedAnswer{Mark::Right, 0}),
                             {}};
    }
}

void enterCell(SetSheet& sheet, const std::vector<SheetItem>& items, std::size_t index,
               std::string_view text) {
    if (index >= items.size()) {
        return;
    }
    handIn(sheet);
    SheetRow& row = *sheet.row;
    row.marks.resize(items.size());
    row.marks[index] = markCell(items[index], text);
    if (row.answers.size() <= index) {
        row.answers.resize(index + 1);
    }
    // At most keptAnswerMax bytes, cut between characters.
    std::size_t end = std::min(text.size(), keptAnswerMax);
    while (end < text.size() && end > 0 &&
           (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) {
        --end;
    }
    row.answers[index] = std::string(text.substr(0, end));
    while (!row.answers.empty() && row.answers.back().empty()) {
        row.answers.pop_back();
    }
}

std::string_view cellOf(const SetSheet& sheet, std::size_t index) {
    if (!sheet.row || index >= sheet.row->answers.size()) {
        return {};
    }
    return sheet.row->answers[index];
}

std::string cellNote(const SetSheet& sheet, const SheetItem& item, std::size_t index) {
    std::string_view exercise = item.exercise;
    while (exercise.starts_with(' ')) {
        exercise.remove_prefix(1);
    }
    while (exercise.ends_with(' ')) {
        exercise.remove_suffix(1);
    }
    std::string note = std::to_string(item.number);
    note.append(". ").append(exercise).append(" ").append(resultText(item.result));
    if (!sheet.row) {
        return note.append(" · ").append(notHandedInWord);
    }
    const std::string_view typed = cellOf(sheet, index);
    if (!typed.empty()) {
        note.append(" · napsáno „").append(typed).append("“");
    }
    const MarkedAnswer& marked = sheet.row->marks.at(index);
    note.append(" · ");
    if (marked.mark == Mark::Unanswered) {
        return note.append(markSign(Mark::Unanswered))
            .append(" ")
            .append(markWord(Mark::Unanswered));
    }
    return note.append(markText(marked));
}

ResultCodeFault enterResultCode(SetSheet& sheet, std::string_view typed) {
    ResultCodeReading read = readResultCode(sheet.sheet, typed);
    if (read.fault == ResultCodeFault::None) {
        sheet.row = SheetRow{std::move(read.marks), {}};
    }
    return read.fault;
}

}  // namespace ciferon
