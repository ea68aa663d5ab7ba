// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/input_decoder.h"

namespace torvelin {

// Reads the lines of one input from a file descriptor in large blocks, as
// UTF-8 text. Memory stays at one block plus the longest line, whatever the
// size of the input.
class LineReader {
public:
    // beforeWaiting runs whenever the next read would wait for the writer of
    // the input: the moment to pass on the answers held so far, so that a
    // program that writes one line and waits for its answer gets it.
    LineReader(int fd, InputEncoding declared, std::function<void()> beforeWaiting);

    // The next line without its line break; nothing at the end of the input
    // or after a read error. The text stays valid until the next call.
    std::optional<std::string_view> NextLine();
    // The errno of a failed read, 0 while none failed.
    int ReadError() const { return readError_; }

private:
    bool ReadMore();

    int fd_;
    InputDecoder decoder_;
    std::function<void()> beforeWaiting_;
    std::string text_;
    std::size_t lineStart_ = 0;
    std::size_t searchFrom_ = 0;
    bool atEnd_ = false;
    int readError_ = 0;
};

}  // namespace torvelin
