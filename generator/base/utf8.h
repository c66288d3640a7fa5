// The core's one reading of UTF-8: the code, the heading's length and the printouts' text
// widths all decode with it, so that they agree on what a character is.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace ciferon {

// The code point that starts at `at`, moving `at` past it; for a malformed sequence (a stray
// continuation byte, a truncated sequence, an overlong form such as C0 80, a surrogate, a
// value beyond U+10FFFF) an empty result, with `at` moved past the lead byte and the
// continuation bytes that follow it, so that a reader that goes on counts it as one character.
// `at` must lie before the end.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at);

// Whether a character begins at `at` (or the text ends there): a text is cut only there.
bool startsCharacter(std::string_view text, std::size_t at);

}  // namespace ciferon
