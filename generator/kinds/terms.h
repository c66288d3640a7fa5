// Text of algebraic terms for the bracket exercises: a coefficient followed by up to three
// variable powers. An exponent stands as number text right behind its variable («x2» is x
// squared), exponent 1 is not written, and a pair with exponent 0 or an empty name adds
// nothing.
#pragma once

#include <string>
#include <string_view>

namespace ciferon {

// A leading term: no sign in front of a positive coefficient; a zero term is "0".
std::string clena(int cis, std::string_view prom1, int ex1, std::string_view prom2, int ex2,
                  std::string_view prom3, int ex3);

// A following term, to stand right behind another: "+" in front of a positive coefficient;
// a zero term is "+0", so that a bracket still reads as a sum.
std::string clenb(int cis, std::string_view prom1, int ex1, std::string_view prom2, int ex2,
                  std::string_view prom3, int ex3);

// A bracket of a leading term in prom (first power) and a constant following term, such as
// «(3x+5)», or «(31-27)» for the empty prom.
std::string zavorka(int cisa, int cisb, std::string_view prom);

}  // namespace ciferon
