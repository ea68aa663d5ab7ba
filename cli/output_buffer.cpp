// SPDX-License-Identifier: MIT
#include "cli/output_buffer.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

#include "cli/io_block.h"

namespace torvelin {
namespace {

// A would-block write reports EAGAIN, which is EWOULDBLOCK here.
static_assert(EAGAIN == EWOULDBLOCK);

// Waits until a descriptor left in non-blocking mode by the caller takes more.
void WaitUntilWritable(int fd) {
    pollfd waiting[] = {{.fd = fd, .events = POLLOUT, .revents = {}}};
    ppoll(waiting, std::size(waiting), nullptr, nullptr);  // no time limit
}

}  // namespace

OutputBuffer::OutputBuffer(int fd) : fd_(fd), flushEachLine_(isatty(fd) == 1) {
    pending_.reserve(kIoBlockBytes);
}

void OutputBuffer::Write(std::string_view text) {
    if (writeError_ != 0) {
        return;
    }
    pending_.append(text);
}

// Blocks end at a line end, so that a run killed between two writes leaves no
// cut line (2014/02/2 would read as another date).
void OutputBuffer::EndLine() {
    Write("\n");
    if (flushEachLine_ || pending_.size() >= kIoBlockBytes) {
        Flush();
    }
}

bool OutputBuffer::Flush() {
    std::string_view rest = pending_;
    while (writeError_ == 0 && !rest.empty()) {
        const ssize_t written = write(fd_, rest.data(), rest.size());
        if (written != -1) {
            rest.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno == EAGAIN) {
            WaitUntilWritable(fd_);
        } else if (errno != EINTR) {
            writeError_ = errno;
        }
    }
    pending_.clear();
    return writeError_ == 0;
}

}  // namespace torvelin
