// SPDX-License-Identifier: MIT
#include "cli/line_reader.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <iterator>
#include <utility>

#include "cli/io_block.h"

namespace torvelin {
namespace {

// A would-block read reports EAGAIN, which is EWOULDBLOCK here.
static_assert(EAGAIN == EWOULDBLOCK);

// Where the next line ends, by a line feed or a lone carriage return.
std::size_t LineEndFrom(const std::string& text, std::size_t from) {
    const auto end = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                  [](char c) { return c == '\n' || c == '\r'; });
    return end == text.end() ? std::string::npos : static_cast<std::size_t>(end - text.begin());
}

bool InputWaiting(int fd) {
    pollfd waiting[] = {{.fd = fd, .events = POLLIN, .revents = {}}};
    const timespec noWait{};
    return ppoll(waiting, std::size(waiting), &noWait, nullptr) > 0;
}

}  // namespace

LineReader::LineReader(int fd, InputEncoding declared, std::function<void()> beforeWaiting)
    : fd_(fd), decoder_(declared), beforeWaiting_(std::move(beforeWaiting)) {}

std::optional<InputLine> LineReader::NextLine() {
    while (true) {
        if (afterReturn_ && lineStart_ < text_.size()) {
            afterReturn_ = false;
            if (text_[lineStart_] == '\n') {
                searchFrom_ = ++lineStart_;
            }
        }
        const std::size_t lineEnd = LineEndFrom(text_, searchFrom_);
        if (lineEnd != std::string::npos) {
            afterReturn_ = text_[lineEnd] == '\r';
            return EndLineAt(lineEnd);
        }
        if (atEnd_) {
            if ((lineStart_ == text_.size() && !skipping_) || readError_ != 0) {
                return std::nullopt;  // a line cut by a read error could give a wrong date
            }
            return EndLineAt(text_.size());
        }
        if (skipping_ || text_.size() - lineStart_ > kMaxLineBytes) {
            skipping_ = true;
            lineStart_ = text_.size();
        }
        text_.erase(0, lineStart_);
        searchFrom_ = text_.size();
        lineStart_ = 0;
        atEnd_ = !ReadMore();
    }
}

// The line from lineStart_ to `end`, where its line end is (or the input's).
InputLine LineReader::EndLineAt(std::size_t end) {
    const std::string_view text(text_.data() + lineStart_, end - lineStart_);
    lineStart_ = searchFrom_ = std::min(end + 1, text_.size());
    if (std::exchange(skipping_, false) || text.size() > kMaxLineBytes) {
        return {{}, true};
    }
    return {text, false};
}

// Adds the next block to the text; false at the end of the input or on error.
bool LineReader::ReadMore() {
    std::array<char, kIoBlockBytes> block;
    while (true) {
        if (beforeWaiting_ && !InputWaiting(fd_)) {
            beforeWaiting_();
        }
        const ssize_t count = read(fd_, block.data(), block.size());
        if (count > 0) {
            decoder_.Decode({block.data(), static_cast<std::size_t>(count)}, text_);
            return true;
        }
        if (count == 0) {
            decoder_.Finish(text_);
            return false;
        }
        if (errno == EAGAIN) {
            pollfd waiting[] = {{.fd = fd_, .events = POLLIN, .revents = {}}};
            ppoll(waiting, std::size(waiting), nullptr, nullptr);  // no time limit
        } else if (errno != EINTR) {
            readError_ = errno;
            return false;
        }
    }
}

}  // namespace torvelin
