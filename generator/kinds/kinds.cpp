#include "kinds/kinds.h"

#include "kinds/addends.h"
#include "kinds/bracket.h"
#include "kinds/chain.h"
#include "kinds/difference.h"
#include "kinds/mixed.h"
#include "kinds/twodigit.h"

namespace ciferon {

namespace {

constexpr std::array<KindEntry, kindCount> catalogue{{
    {bracketProduct, "Součin dvou závorek", Topic::Brackets, nullptr},
    {bracketSumQuotient, "Podíl dvou závorek, v první závorce součet", Topic::Brackets, nullptr},
    {bracketDifferenceQuotient, "Podíl dvou závorek, v první závorce rozdíl", Topic::Brackets,
     nullptr},
    {addendsTwoProducts, "Čtyři sčítanci, z toho dva součiny", Topic::Precedence, leftToRightSlips},
    {differenceOfProducts, "Rozdíl dvou součinů", Topic::Precedence, leftToRightSlips},
    {addendsQuotientProduct, "Čtyři sčítanci, z toho součin a podíl", Topic::Precedence,
     leftToRightSlips},
    {differenceProductQuotient, "Rozdíl součinu a podílu", Topic::Precedence, leftToRightSlips},
    {differenceOfQuotients, "Rozdíl dvou podílů", Topic::Precedence, leftToRightSlips},
    {addendsTwoQuotients, "Čtyři sčítanci, z toho dva podíly", Topic::Precedence, leftToRightSlips},
    {additionChain, "Sčítání a odčítání více čísel", Topic::AddSubtract, oneSignSlips},
    {divisionWithRemainder, "Dělení se zbytkem", Topic::Remainder, remainderSlips},
    {productWithTerm, "Násobení s přičtením nebo odečtením", Topic::Precedence, leftToRightSlips},
    {quotientWithTerm, "Dělení s přičtením nebo odečtením", Topic::Precedence, leftToRightSlips},
    {twoDigitSum, "Sčítání dvojciferných čísel", Topic::AddSubtract, carrySlips},
    {twoDigitDifference, "Odčítání dvojciferných čísel", Topic::AddSubtract, borrowSlips},
}};

constexpr KindTable makersOf(const std::array<KindEntry, kindCount>& entries) {
    KindTable makers{};
    for (std::size_t kind = 0; kind < entries.size(); ++kind) {
        makers.at(kind) = entries.at(kind).make;
    }
    return makers;
}

}  // namespace

// Both are constant-initialised, so that no other unit's static data can see them unset.
constinit const std::array<KindEntry, kindCount> kindCatalogue = catalogue;
constinit const KindTable exerciseKinds = makersOf(catalogue);

std::string_view topicName(Topic topic) {
    switch (topic) {
        case Topic::Brackets:
            return "Závorky";
        case Topic::Precedence:
            return "Přednost násobení a dělení";
        case Topic::AddSubtract:
            return "Sčítání a odčítání";
        case Topic::Remainder:
            break;
    }
    return "Dělení se zbytkem";
}

}  // namespace ciferon
