// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/input_decoder.h"

namespace torvelin {

// The longest line a batch holds, in bytes of UTF-8 without its line end.
inline constexpr std::size_t kMaxLineBytes = 1024 * 1024;

// One line of an input: its text without the line end, or, for a line longer
// than kMaxLineBytes, no text and tooLong.
struct InputLine {
    std::string_view text;
    bool tooLong = false;
};

// Reads the lines of one input from a file descriptor in large blocks, as
// UTF-8 text. A line ends in LF, CR LF or a CR alone (as older spreadsheets
// save them). Memory stays at one block plus kMaxLineBytes, whatever the
// input: the rest of a longer line is read past without being kept.
class LineReader {
public:
    // beforeWaiting runs whenever the next read would wait for the writer of
    // the input: the moment to pass on the answers held so far, so that a
    // program that writes one line and waits for its answer gets it.
    LineReader(int fd, InputEncoding declared, std::function<void()> beforeWaiting);

    // The next line; nothing at the end of the input or after a read error.
    // The text stays valid until the next call.
    std::optional<InputLine> NextLine();
    // The errno of a failed read, 0 while none failed.
    int ReadError() const { return readError_; }

private:
    bool ReadMore();
    InputLine EndLineAt(std::size_t end);

    int fd_;
    InputDecoder decoder_;
    std::function<void()> beforeWaiting_;
    std::string text_;
    std::size_t lineStart_ = 0;
    std::size_t searchFrom_ = 0;
    bool skipping_ = false;     // the line read so far is too long to keep
    bool afterReturn_ = false;  // the last line ended in a CR, so an LF next is its end too
    bool atEnd_ = false;
    int readError_ = 0;
};

}  // namespace torvelin
