// The `--check` file's rules: one line per exercise, whatever a spreadsheet or Notepad adds
// around the answers, and nothing beyond the sheet.
#include <gtest/gtest.h>

#include <string>

#include "marking/answer_file.h"

namespace ciferon {
namespace {

using enum Mark;
using Fault = FileMarks::Fault;

TEST(AnswerFile, TakesWhatEditorsWriteAndRefusesMoreThanTheSheet) {
    // Three exercises: 61, 8 (3) and 5.
    std::vector<SheetItem> items(3);
    items[0].result = {61, {}};
    items[1].result = {8, 3};
    items[2].result = {5, {}};
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        std::string bytes;
        Fault fault;
        std::vector<Mark> marks;
    } rows[] = {
        {"61\n8 (3)\n5\n", Fault::None, {Right, Right, Right}},
        {"61\n8 zb. 3\n5", Fault::None, {Right, Right, Right}},  // no final line break
        {"61\r\n8 (3)\r\n5\r\n", Fault::None, {Right, Right, Right}},
        {bom + "61\n8 (3)\n5\n", Fault::None, {Right, Right, Right}},
        // The mark only counts at the very beginning: elsewhere it spoils its answer.
        {"61\n" + bom + "8 (3)\n5\n", Fault::None, {Right, Unreadable, Right}},
        {"", Fault::None, {Unanswered, Unanswered, Unanswered}},
        {bom, Fault::None, {Unanswered, Unanswered, Unanswered}},
        {"62\n\n", Fault::None, {Wrong, Unanswered, Unanswered}},
        {"\n8\n5\n", Fault::None, {Unanswered, Wrong, Right}},
        // Empty and blank lines after the last answer answer nothing.
        {"61\n8 (3)\n5\n\n\r\n \t\n", Fault::None, {Right, Right, Right}},
        {"61\n8 (3)\n5\n\n4\n", Fault::TooManyLines, {}},
        {"61\n8 (3)\n5\n6\n", Fault::TooManyLines, {}},
        {"1\n2\n3\n4", Fault::TooManyLines, {}},
        {std::string(answerFileMax, '\n'), Fault::None, {Unanswered, Unanswered, Unanswered}},
        {std::string(answerFileMax + 1, '\n'), Fault::TooLarge, {}},
        {"61\n" + std::string(answerFileMax, ' '), Fault::TooLarge, {}},
        {std::string(answerFileMax + 1, '\0'), Fault::TooLarge, {}},
        // Text is UTF-8 without NUL bytes; a binary file, or one in another encoding, is not.
        {"61\n8\u00A0(3)\n\U0001F600\n", Fault::None, {Right, Right, Unreadable}},
        {"\uFFFF\u0800\U00100000\n8\xE2\x80\xAF(3)", Fault::None, {Unreadable, Right, Unanswered}},
        {std::string("61\n\0\n5\n", 7), Fault::NotText, {}},
        {std::string("\0", 1), Fault::NotText, {}},
        {"\xFF\xFE" + std::string("6\0"
                                  "1\0",
                                  4),
         Fault::NotText,
         {}},                                      // UTF-16
        {"61\n8 (3)\n5\xC3", Fault::NotText, {}},  // cut short
        {"61\n\xA9\n", Fault::NotText, {}},        // a lone continuation
        {"\xC3\x28", Fault::NotText, {}},
        {"\xC0\xAF", Fault::NotText, {}},          // overlong "/"
        {"\xE0\x80\xAF", Fault::NotText, {}},      // overlong "/"
        {"\xF0\x80\x80\xAF", Fault::NotText, {}},  // overlong "/"
        {"\xED\xA0\x80", Fault::NotText, {}},      // a surrogate
        {"\xF4\x90\x80\x80", Fault::NotText, {}},  // beyond U+10FFFF
        {"\xF8\x88\x80\x80\x80", Fault::NotText, {}},
        {"\xE2\x82", Fault::NotText, {}},
    };
    for (const auto& row : rows) {
        const FileMarks file = markAnswerFile(row.bytes, items);
        SCOPED_TRACE(row.bytes.substr(0, 40));
        EXPECT_EQ(file.fault, row.fault);
        std::vector<Mark> marks;
        for (const MarkedAnswer& marked : file.marks) {
            marks.push_back(marked.mark);
        }
        EXPECT_EQ(marks, row.marks);
    }
}

}  // namespace
}  // namespace ciferon
