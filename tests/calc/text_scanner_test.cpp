// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "calc/text_scanner.h"

namespace torvelin {
namespace {

std::vector<char32_t> Characters(std::string_view text) {
    std::vector<char32_t> characters;
    for (TextScanner scanner(text); !scanner.AtEnd(); scanner.Advance()) {
        characters.push_back(scanner.Peek());
    }
    return characters;
}

// Each well-formed sequence is one character, at the edges of each length;
// a malformed one is one invalid character for as far as it went, and the
// next character is read after it; a text cut inside a sequence is read to
// its cut only. Full-width ASCII folds to ASCII.
TEST(TextScanner, DecodesUtf8AtItsEdgesAndFoldsFullWidth) {
    constexpr char32_t kInvalid = TextScanner::kInvalid;
    // clang-format off
    const std::pair<std::string_view, std::vector<char32_t>> cases[] = {
        {"\xC2\x80\xDF\xBF", {0x80, 0x7FF}}, {"\xE0\xA0\x80\xED\x9F\xBF", {0x800, 0xD7FF}},
        {"\xEE\x80\x80\xEF\xBF\xBF", {0xE000, 0xFFFF}}, {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", {0x10000, 0x10FFFF}},
        {"\xEF\xBC\x81\xEF\xBD\x9E\xE3\x80\x80", {U'!', U'~', U' '}}, {"\xEF\xBC\x80\xEF\xBD\x9F", {0xFF00, 0xFF5F}},
        {"\xC1\xBF", {kInvalid, kInvalid}}, {"\xE0\x9F\xBF", {kInvalid}}, {"\xED\xA0\x80", {kInvalid}},
        {"\xED\xBF\xBF", {kInvalid}}, {"\xF0\x8F\xBF\xBF", {kInvalid}}, {"\xF4\x90\x80\x80", {kInvalid}},
        {"\xF5\x80", {kInvalid, kInvalid}}, {"\xC2\x80\x80", {0x80, kInvalid}}, {"\xE3\x80" "A\x80", {kInvalid, U'A', kInvalid}},
        {"\xEF\xBC", {kInvalid}}, {"\xC2", {kInvalid}}, {std::string_view("\xE3\x80\x80", 2), {kInvalid}},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Characters(text), expected) << testing::PrintToString(std::string(text));
    }
}

}  // namespace
}  // namespace torvelin
