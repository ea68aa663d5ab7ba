// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace torvelin {

// Reads a decimal number from UTF-8 text: an optional sign, digits with an
// optional fraction after a point (".5" and "5." included), blanks around.
// Digits, signs and points may be full-width; "−" (U+2212) and the long-vowel
// mark "ー", which a Japanese input method types for the minus key, are minus
// signs. No exponents, hexadecimal or digit grouping. A number too large for
// a double reads as an infinity and one too small as zero.
std::optional<double> ReadNumberText(std::string_view text);

// True exactly when ReadNumberText reads a number from the same text.
bool IsNumberText(std::string_view text);

// Rounds to the nearest integer, halves to the even one (2.5 gives 2, -1.5
// gives -2). Throws RuntimeError 6 when the result leaves -32768..32767.
std::int16_t RoundToInteger16(double value);

}  // namespace torvelin
