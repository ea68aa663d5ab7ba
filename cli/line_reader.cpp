// SPDX-License-Identifier: MIT
#include "cli/line_reader.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace torvelin {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

bool InputWaiting(int fd) {
    pollfd waiting{.fd = fd, .events = POLLIN, .revents = 0};
    return poll(&waiting, 1, 0) > 0;
}

}  // namespace

LineReader::LineReader(int fd, InputEncoding declared, std::function<void()> beforeWaiting)
    : fd_(fd), decoder_(declared), beforeWaiting_(std::move(beforeWaiting)) {}

std::optional<std::string_view> LineReader::NextLine() {
    while (true) {
        const std::size_t lineBreak = text_.find('\n', searchFrom_);
        if (lineBreak != std::string::npos) {
            const std::string_view line(text_.data() + lineStart_, lineBreak - lineStart_);
            lineStart_ = searchFrom_ = lineBreak + 1;
            return line;
        }
        if (atEnd_) {
            if (lineStart_ == text_.size() || readError_ != 0) {
                return std::nullopt;  // a line cut by a read error could give a wrong date
            }
            const std::string_view last(text_.data() + lineStart_, text_.size() - lineStart_);
            lineStart_ = searchFrom_ = text_.size();
            return last;
        }
        text_.erase(0, lineStart_);
        searchFrom_ = text_.size();
        lineStart_ = 0;
        atEnd_ = !ReadMore();
    }
}

// Adds the next block to the text; false at the end of the input or on error.
bool LineReader::ReadMore() {
    std::array<char, kBlockSize> block;
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
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd waiting{.fd = fd_, .events = POLLIN, .revents = 0};
            poll(&waiting, 1, -1);
        } else if (errno != EINTR) {
            readError_ = errno;
            return false;
        }
    }
}

}  // namespace torvelin
