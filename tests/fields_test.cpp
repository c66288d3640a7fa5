// The window's fields as the program left them, and the help's words, which every front-end
// shows from the core.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/fields.h"
#include "texts/texts.h"

namespace ciferon {
namespace {

TEST(Fields, EditedWhenTheyDifferFromWhatTheProgramPutThere) {
    const Lists placed{"1+2=\r\n", "1+2=3\r\n"};
    struct Row {
        const char* name;
        const char* exercises;
        const char* solutions;
        Lists placed;
        bool edited;
    };
    const std::vector<Row> table = {
        {"as placed", "1+2=\r\n", "1+2=3\r\n", placed, false},
        {"both empty after Smaž", "", "", placed, false},
        {"empty at start", "", "", {}, false},
        {"a line added to the solutions", "1+2=\r\n", "1+2=3\r\npoznámka", placed, true},
        {"the exercises changed", "1+2=\r\n4", "1+2=3\r\n", placed, true},
        {"one field emptied", "", "1+2=3\r\n", placed, true},
        {"typed into empty fields", "5+5=", "", {}, true},
    };
    for (const Row& row : table) {
        EXPECT_EQ(fieldsEdited(row.exercises, row.solutions, row.placed), row.edited) << row.name;
    }
}

TEST(Help, NamesEveryCommandAndSaysNothingIsSent) {
    std::string words;
    for (const HelpSection& section : helpSections()) {
        EXPECT_FALSE(section.title.empty() || section.text.empty());
        words.append(section.title).append("\n").append(section.text).append("\n");
    }
    for (const char* command :
         {"Generuj", "Kopíruj obě pole do schránky", "Smaž obsah obou polí", "Ukonči práci",
          "Tisk…", "Uložit jako PDF…", "Upravený list", "Pracovní listy pro třídu",
          "Otevřít list podle kódu…", "Zkontrolovat list podle kódu…", "Promítat…",
          "V klíči uvést časté chyby", "Vyhodnotit", "Ukázat řešení", "--check"}) {
        EXPECT_NE(words.find(command), std::string::npos) << command;
    }
    EXPECT_NE(words.find("nic neodesílá"), std::string::npos);
    // What a result code is: the pupil's own report, not proof.
    EXPECT_NE(words.find("vlastní zpráva žáka, ne důkaz"), std::string::npos);
    EXPECT_EQ(headingLabel(), "Nadpis (nejvýše 80 znaků)");
}

}  // namespace
}  // namespace ciferon
