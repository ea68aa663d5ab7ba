// SPDX-License-Identifier: MIT
// Runs the whole of torvelin-calc on arbitrary input as a user would type it.
// The input's first line is the command line, its words separated by tabs;
// the bytes after it are standard input. Output and errors go to in-memory
// files and are read back.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"

namespace {

using namespace torvelin;

// An in-memory file, closed when it goes out of scope.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("torvelin-fuzz", MFD_CLOEXEC)) {
        if (fd_ < 0) {
            std::abort();
        }
    }
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int Fd() const { return fd_; }

    void WriteAndRewind(std::string_view bytes) const {
        while (!bytes.empty()) {
            const ssize_t written = write(fd_, bytes.data(), bytes.size());
            if (written <= 0) {
                std::abort();
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        lseek(fd_, 0, SEEK_SET);
    }

    std::string ReadAll() const {
        std::string text;
        lseek(fd_, 0, SEEK_SET);
        char block[4096];
        ssize_t count = 0;
        while ((count = read(fd_, block, sizeof block)) > 0) {
            text.append(block, static_cast<std::size_t>(count));
        }
        return text;
    }

private:
    int fd_;
};

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    if (line.empty()) {
        return words;
    }
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        std::string word(line.substr(start, tab - start));
        // The program reads the files its operands name: one that exists on
        // this machine is named under a folder that does not, so that only
        // standard input is read, and missing files.
        struct stat status;
        if (word != "-" && stat(word.c_str(), &status) == 0) {
            word.insert(0, "no-such-folder/");
        }
        words.push_back(std::move(word));
        if (tab == std::string_view::npos) {
            return words;
        }
        start = tab + 1;
    }
}

// The records of one input as the batch counts them: lines ending in LF (the
// CR of a CR LF is no text), a byte-order mark before the first line skipped,
// and blank lines at the end no records. UTF-16 is chosen by its byte-order
// mark; otherwise the bytes are read as they come, where an LF is always a
// line break in UTF-8 and in code page 932. skipUtf8Mark is false for code
// page 932, whose bytes never decode to the mark.
std::size_t RecordsOf(std::string_view input, bool skipUtf8Mark) {
    std::vector<std::uint32_t> units;
    std::uint32_t byteOrderMark = 0xFEFF;
    const bool littleEndian = input.starts_with("\xFF\xFE");
    if (littleEndian || input.starts_with("\xFE\xFF")) {
        for (std::size_t at = 2; at < input.size(); at += 2) {
            if (at + 1 == input.size()) {
                units.push_back(0xFFFD);  // half a unit is no character
                break;
            }
            const auto low = static_cast<std::uint8_t>(input[at + (littleEndian ? 0 : 1)]);
            const auto high = static_cast<std::uint8_t>(input[at + (littleEndian ? 1 : 0)]);
            units.push_back(static_cast<std::uint32_t>(high << 8 | low));
        }
    } else {
        if (skipUtf8Mark && input.starts_with("\xEF\xBB\xBF")) {
            input.remove_prefix(3);
        }
        byteOrderMark = 0;  // already skipped, or not one to skip
        for (const char byte : input) {
            units.push_back(static_cast<std::uint8_t>(byte));
        }
    }
    std::size_t records = 0;
    std::size_t lines = 0;
    for (auto lineStart = units.begin(); lineStart <= units.end(); ++lines) {
        auto lineEnd = std::find(lineStart, units.end(), std::uint32_t{'\n'});
        auto textStart = lineStart;
        if (lines == 0 && byteOrderMark != 0 && textStart != lineEnd &&
            *textStart == byteOrderMark) {
            ++textStart;
        }
        const bool blank = textStart == lineEnd ||
                           (std::next(textStart) == lineEnd && *textStart == std::uint32_t{'\r'});
        if (!blank) {
            records = lines + 1;
        }
        if (lineEnd == units.end()) {
            break;
        }
        lineStart = std::next(lineEnd);
    }
    return records;
}

// Whether the words make a batch over standard input alone (no operand, or
// only -) for the plain calculation or for deadline, and whether one of them
// may name an encoding.
struct BatchShape {
    bool batch = false;
    bool mayNameEncoding = false;
};

BatchShape ShapeOf(const std::vector<std::string>& words) {
    BatchShape shape{.batch = true};
    const bool deadline = !words.empty() && words.front() == "deadline";
    for (std::size_t i = deadline ? 1 : 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const bool longOption =
            word.starts_with("--") && word.size() > 2 && word != "--help" && word != "--version";
        shape.batch &= longOption || (word == "-" && !deadline);
        shape.mayNameEncoding |= word.starts_with("--e");
    }
    return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = bytes.find('\n');
    const std::vector<std::string> words = SplitWords(bytes.substr(0, lineEnd));
    const std::string_view input =
        lineEnd == std::string_view::npos ? std::string_view() : bytes.substr(lineEnd + 1);

    MemoryFile in, out, err;
    in.WriteAndRewind(input);
    const std::vector<std::string_view> arguments(words.begin(), words.end());
    const auto status =
        static_cast<int>(RunCommandLine(arguments, StandardStreams{in.Fd(), out.Fd(), err.Fd()}));
    const std::string output = out.ReadAll();

    if (status < static_cast<int>(ExitStatus::AllResults) ||
        status > static_cast<int>(ExitStatus::WriteFailed)) {
        std::abort();
    }
    if (status == static_cast<int>(ExitStatus::UsageError) && !output.empty()) {
        std::abort();
    }
    const BatchShape shape = ShapeOf(words);
    if (shape.batch && status <= static_cast<int>(ExitStatus::SomeNotComputed)) {
        const auto lines = static_cast<std::size_t>(std::ranges::count(output, '\n'));
        if (lines != RecordsOf(input, true) &&
            !(shape.mayNameEncoding && lines == RecordsOf(input, false))) {
            std::abort();
        }
    }
    return 0;
}
