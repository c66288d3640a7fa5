// Texts that carry a rule: how a mark reads, how a sheet is named on paper and where it goes
// on, how a code is refused, and what the check view promises. Every front-end shows them
// from here and frames them in its own way (a message box, a line on standard error).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "codes/result_code.h"
#include "codes/sheet.h"
#include "marking/results.h"

namespace ciferon {

// A mark as the check view shows it: "✓ správně", "✗ chybně", "? nečitelné – napiš číslo",
// and nothing for an exercise not answered. The word is markWord's, so that the symbol never
// stands without it.
std::string markText(Mark mark);

// A mark's sign alone, where there is room for no word (a cell of the results grid): "✓",
// "✗", "?" for an unreadable answer and "–" for none; it never rests on colour alone.
std::string_view markSign(Mark mark);

// The labels of a pupil's sheet's top, to fill in: "Jméno:" and "Datum:".
std::string_view nameLabel();
std::string_view dateLabel();

// A sheet's place in its class set as its top shows it: "List 3 z 25".
std::string sheetPlace(int number, int total);

// A sheet's code as its top shows it: "Kód: 4XY1-ZKRX".
std::string codeLabel(std::string_view code);

// The key's two parts: "Výsledky" and "Řešení", each followed by the class set's heading
// where it has one: "Výsledky: 5. A".
std::string resultsHeading(std::string_view heading);
std::string solutionsHeading(std::string_view heading);

// The line under "Výsledky" where the key leaves out solutions that are their result alone:
// some of them, or all, so that "Řešení" is not printed.
std::string_view fewerSolutionsNote();
std::string_view noSolutionsNote();

// What stands between a quotient and its remainder where a pupil writes them: "zb.".
std::string_view remainderLabel();

// What an unreadable answer asks of the pupil, after the mark's word: "napiš číslo".
std::string_view unreadableHint();

// A sheet's title on paper and in the key: "List 3 z 25, kód 4XY1-ZKRX" in a class set, or
// "Kód 4XY1-ZKRX" for a sheet printed alone (number 0).
std::string sheetTitle(int number, int total, std::string_view code);

// A title again where its sheet or block goes on in a new column or page.
std::string continuedTitle(std::string_view title);

// An adapted sheet's title in the key, which names it as one: "List 3 z 25, kód 4XY1-ZKRX –
// upravený list".
std::string adaptedTitle(std::string_view title);

// The refusal of a typed code, as a sentence: «Kód listu „K7M2-9QX4“ není platný.»
std::string codeRefusal(std::string_view typed);
// The same as a clause, for a line that names where it was refused: «kód listu „K7M2-9QX4“
// není platný».
std::string codeNotValid(std::string_view typed);

// The check view's words to the pupil, who is spoken to as a teacher speaks to a child: what
// to type, and which answer counts once a solution is shown.
std::string_view checkIntro();

// The check view's line: the check is the pupil's own, and nothing leaves the computer.
std::string_view honestLine();

// The class-set dialog's label of its heading field, which says how long a heading may be:
// "Nadpis (nejvýše 80 znaků)".
std::string headingLabel();

// "Otevřít list podle kódu…" asks this before it replaces fields that the teacher has edited.
std::string_view replaceEditedQuestion();

// The short offline help under "Nápověda": what each command does, how a class set, marking
// and the pupil's check work, and that nothing is sent anywhere. Sections in order, each a
// title and one paragraph; the desktop and the page show the same words.
struct HelpSection {
    std::string_view title;
    std::string_view text;
};
std::span<const HelpSection> helpSections();
inline constexpr std::string_view helpTitle = "Nápověda";

// The pupil's result code, where every check ends: "Kód výsledku: 2ABC-DEFG", or for a sheet
// that has none (more than resultCodeExercisesMax exercises) "Kód výsledku: list s více než 30
// příklady ho nemá."
inline constexpr std::string_view resultCodeTitle = "Kód výsledku";
std::string resultCodeLine(const std::optional<std::string>& code);
// The line of a checked sheet's marks, as they count.
std::string resultCodeLine(const Sheet& sheet, std::span<const MarkedAnswer> marks);

// The refusal of a result code typed for a sheet, as a sentence: «Kód výsledku „…“ není
// platný.», «Kód výsledku „…“ patří k jinému listu.», or for a sheet of more than 30 exercises
// «List s více než 30 příklady kód výsledku nemá.» Empty for no fault.
std::string resultCodeRefusal(ResultCodeFault fault, std::string_view typed);
// The results grid's question for a sheet's result code: «Kód výsledku z kontroly listu 3
// (4XY1-ZKRX):».
std::string resultCodeQuestion(std::size_t number, std::string_view code);

}  // namespace ciferon

namespace ciferon {

// The class's overview ("Přehled třídy") in every form it takes: text, CSV, window, PDF, page.
// Its title, followed by the set's heading where it has one: "Přehled třídy: 5. A".
std::string overviewHeading(std::string_view heading);
// "Odevzdáno 23 z 25 listů."
std::string handedInLine(int handedIn, int sheets);
// "Nečitelné odpovědi: 2"
std::string unreadableLine(int unreadable);
// A part of a whole as the overview counts it: "23 z 40".
std::string partOf(int part, int whole);
// The refusal of a scale of marks as typed: «Stupnice známek jsou čtyři celá procenta …, ne
// „95,80“.»
std::string scaleRefusal(std::string_view typed);
// The pupils' columns, as the CSV's header begins: "List", "Jméno", "Kód", "Správně",
// "Celkem", "Procent", "Známka".
std::span<const std::string_view> pupilColumns();
// A sheet's line where it was not handed in: "neodevzdáno".
inline constexpr std::string_view notHandedInWord = "neodevzdáno";
// The overview's parts.
inline constexpr std::string_view pupilsTitle = "Žáci";
inline constexpr std::string_view kindsTitle = "Druhy příkladů, nejslabší první";
inline constexpr std::string_view mistakesTitle = "Chyby";
inline constexpr std::string_view hardestTitle = "Nejčastěji nesprávně";
inline constexpr std::string_view noMistakesLine = "Žádná častá chyba nebyla poznána.";
inline constexpr std::string_view notCountedLine = "Neodevzdané listy se do počtů nezahrnují.";

}  // namespace ciferon

namespace ciferon {

// The follow-up set's words, for every front-end.
// What its dialog says it does, above the sheets and their kinds.
std::string_view followUpIntro();
// Its refusal of a set that has no results yet.
std::string_view followUpNoResults();
// The choice of the follow-up's dialog, and the command line's --weakest: every sheet
// practises the class's weakest kinds.
std::string_view wholeClassWeakestLabel();
// Under a sheet's title in a follow-up set's key: "Procvičuje: 2, 5, 11-13", from the kinds'
// numbers as kindListText() writes them.
std::string practisedLine(std::string_view kindNumbers);
// Under "Výsledky" of a follow-up set's key: the kinds its sheets practise, by number and name,
// "Druhy příkladů: 2 – Podíl dvou závorek, v první závorce součet; 11 – Dělení se zbytkem."
std::string practisedLegend(KindChoice kinds);
// Why a sheet of the follow-up practises its kinds (classset/follow_up.h), and how its dialog
// says it: "chyby", "vše správně", "neodevzdáno", "nejslabší druhy třídy".
enum class FollowUpReason { Mistakes, AllRight, NotHandedIn, WholeClass };
std::string_view followUpReasonText(FollowUpReason reason);

}  // namespace ciferon
