// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace torvelin {

// Collects output for a file descriptor and writes it in large blocks of
// whole lines, so a batch of many short lines costs few write() calls. The first failed write is
// kept (as its errno) and everything after it is dropped: a full disk must
// show as a failure at the end, never as silently missing lines.
class OutputBuffer {
public:
    // On a terminal every EndLine() writes at once, for the person watching.
    explicit OutputBuffer(int fd);
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void Write(std::string_view text);
    // Appends what write appends to the string it is handed: an answer made
    // in place, without a copy. Dropped after a failed write, as Write's text.
    template <class Write>
    void WriteWith(Write write) {
        if (writeError_ == 0) {
            write(pending_);
        }
    }
    void EndLine();
    // Writes what is collected; false when this or an earlier write failed.
    bool Flush();
    // The errno of the first failed write, 0 while none failed.
    int WriteError() const { return writeError_; }

private:
    int fd_;
    bool flushEachLine_;
    int writeError_ = 0;
    std::string pending_;
};

}  // namespace torvelin
