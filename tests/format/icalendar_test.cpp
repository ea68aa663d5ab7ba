// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "format/icalendar.h"

namespace torvelin {
namespace {

std::string Folded(std::string_view line) {
    std::string out;
    AppendFoldedLine(out, line);
    return out;
}

// Each line at most 75 octets with its leading blank, cut only where a
// character starts, and the line read back whole once unfolded.
TEST(ICalendar, FoldsAtSeventyFiveOctetsBetweenCharacters) {
    const std::string ascii75(75, 'x');
    EXPECT_EQ(Folded(ascii75), ascii75 + "\r\n");
    EXPECT_EQ(Folded(ascii75 + "y"), ascii75 + "\r\n y\r\n");
    EXPECT_EQ(Folded(ascii75 + std::string(74, 'y') + "z"),
              ascii75 + "\r\n " + std::string(74, 'y') + "\r\n z\r\n");
    // Bytes that start no character are cut where the room ends.
    const std::string continuations(80, '\x80');
    EXPECT_EQ(Folded(continuations),
              continuations.substr(0, 75) + "\r\n " + continuations.substr(75) + "\r\n");
    // "あ" is three octets and "📅" four: the first line's 75th octet falls in
    // the middle of one, at every offset.
    for (int prefix = 0; prefix < 4; ++prefix) {
        for (const std::string_view character : {"あ", "📅"}) {
            std::string line = "SUMMARY:" + std::string(prefix, 'x');
            for (int i = 0; i < 60; ++i) {
                line += character;
            }
            const std::string folded = Folded(line);
            std::string unfolded;
            std::size_t start = 0;
            for (bool first = true; start < folded.size(); first = false) {
                const std::size_t end = folded.find("\r\n", start);
                ASSERT_NE(end, std::string::npos);
                std::string_view physical(folded.data() + start, end - start);
                EXPECT_LE(physical.size(), 75U);
                if (!first) {
                    ASSERT_TRUE(physical.starts_with(' '));
                    physical.remove_prefix(1);
                }
                EXPECT_NE(static_cast<unsigned char>(physical.front()) & 0xC0, 0x80) << prefix;
                // A fold as late as it can be: one more character would not fit.
                if (end + 2 < folded.size()) {
                    EXPECT_GT(physical.size() + (first ? 0 : 1) + character.size(), 75U);
                }
                unfolded += physical;
                start = end + 2;
            }
            EXPECT_EQ(unfolded, line);
        }
    }
}

TEST(ICalendar, EscapesWhatATextValueCannotHoldAsItIs) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"a,b;c\\d:e", "a\\,b\\;c\\\\d:e"},
        {"1\n2\r\n3\r4\n\n", "1\\n2\\n3\\n4\\n\\n"},  // each line end once
        {"\tx\x01y\x7F", "\tx\uFFFDy\uFFFD"},         // a tab is kept, other controls replaced
        {"\x80\xFF令\xE4\xBB", "\uFFFD\uFFFD令\uFFFD\uFFFD"},  // bytes that are no UTF-8
        {"令和6年(ワ)第1234号", "令和6年(ワ)第1234号"},
    };
    for (const auto& [text, escaped] : cases) {
        std::string out;
        AppendEscapedText(out, text);
        EXPECT_EQ(out, escaped) << text;
    }
}

}  // namespace
}  // namespace torvelin
