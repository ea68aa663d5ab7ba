// SPDX-License-Identifier: MIT
// Runs the whole of torvelin-calc on arbitrary input as a user would type it:
// the input's first line is the command line, its words separated by tabs, and
// the bytes after it are standard input. All three streams are memory files.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"

namespace {

using namespace torvelin;

int MemoryFileHolding(std::string_view bytes) {
    const int fd = memfd_create("torvelin-fuzz", MFD_CLOEXEC);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::abort();
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string ContentsOf(int fd) {
    std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_END)), '\0');
    if (pread(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) {
        std::abort();
    }
    return text;
}

// The program reads the files its operands name: a word naming a file that
// exists is moved under a folder that does not, so that only standard input
// and missing files are read.
std::vector<std::string> WordsOf(std::string_view line) {
    std::vector<std::string> words;
    for (std::size_t start = 0; !line.empty() && start <= line.size();) {
        const std::size_t tab = std::min(line.find('\t', start), line.size());
        std::string word(line.substr(start, tab - start));
        struct stat status;
        if (word != "-" && stat(word.c_str(), &status) == 0) {
            word.insert(0, "no-such-folder/");
        }
        words.push_back(std::move(word));
        start = tab + 1;
    }
    return words;
}

// The records of one input as the batch counts them: a line ends in LF, CR
// LF or a CR alone, a byte-order mark before the first line is skipped (a
// UTF-8 one whatever the encoding asked for), blank lines at the end are no
// records. UTF-16 is chosen by its mark; LF and CR bytes are always line ends
// in UTF-8 and in code page 932.
std::size_t RecordsOf(std::string_view input) {
    std::vector<std::uint32_t> units;
    const bool littleEndian = input.starts_with("\xFF\xFE");
    if (littleEndian || input.starts_with("\xFE\xFF")) {
        const auto byte = [&](std::size_t at) -> std::uint32_t {
            return static_cast<std::uint8_t>(input[at]);
        };
        for (std::size_t at = 2; at + 1 < input.size(); at += 2) {
            units.push_back(littleEndian ? byte(at) | byte(at + 1) << 8
                                         : byte(at) << 8 | byte(at + 1));
        }
        if (input.size() % 2 != 0) {
            units.push_back(0xFFFD);  // half a unit at the end reads as a replacement character
        }
        if (!units.empty() && units.front() == 0xFEFF) {
            units.erase(units.begin());
        }
    } else {
        if (input.starts_with("\xEF\xBB\xBF")) {
            input.remove_prefix(3);
        }
        for (const char byte : input) {
            units.push_back(static_cast<std::uint8_t>(byte));
        }
    }
    std::size_t records = 0;
    std::size_t lines = 1;
    bool blank = true;
    for (std::size_t at = 0; at < units.size(); ++at) {
        if (units[at] == '\n' || units[at] == '\r') {
            if (units[at] == '\r' && at + 1 < units.size() && units[at + 1] == '\n') {
                ++at;
            }
            records = blank ? records : lines;
            blank = true;
            ++lines;
        } else {
            blank = false;
        }
    }
    return blank ? records : lines;
}

// A calendar as a calendar program must read it: nothing, or lines of at
// most 75 octets, each ending in CR LF and none folded inside a character,
// from BEGIN:VCALENDAR to END:VCALENDAR, with no more events than records.
bool IsCalendar(std::string_view output, std::size_t records) {
    if (output.empty()) {
        return true;
    }
    if (!output.starts_with("BEGIN:VCALENDAR\r\n") || !output.ends_with("\r\nEND:VCALENDAR\r\n")) {
        return false;
    }
    std::size_t events = 0;
    for (std::size_t start = 0; start < output.size();) {
        const std::size_t end = output.find("\r\n", start);
        const std::string_view line = output.substr(start, end - start);
        const bool foldInCharacter = line.starts_with(' ') && line.size() > 1 &&
                                     (static_cast<unsigned char>(line[1]) & 0xC0) == 0x80;
        if (line.size() > 75 || line.find_first_of("\r\n") != line.npos || foldInCharacter) {
            return false;
        }
        events += line == "BEGIN:VEVENT" ? 1 : 0;
        start = end + 2;
    }
    return events <= records;
}

// What must hold: a documented exit status, no output for a usage error, and
// for a batch over standard input alone (the plain one or deadline's, with no
// operand but -) one output line per record, or a calendar.
bool Holds(const std::vector<std::string>& words, std::string_view input, int status,
           const std::string& output) {
    if (status < 0 || status > static_cast<int>(ExitStatus::WriteFailed)) {
        return false;
    }
    if (status == static_cast<int>(ExitStatus::UsageError)) {
        return output.empty();
    }
    const bool deadline = !words.empty() && words.front() == "deadline";
    std::string_view format;  // the last --format given
    for (auto word = words.begin() + (deadline ? 1 : 0); word != words.end(); ++word) {
        const bool option = word->size() > 2 && word->starts_with("--") && *word != "--help" &&
                            *word != "--version";
        if (!option && (deadline || *word != "-")) {
            return true;  // not such a batch
        }
        if (word->starts_with("--format=")) {
            format = *word;
        }
    }
    if (format == "--format=ics") {
        return IsCalendar(output, RecordsOf(input));
    }
    // TSV and CSV records start with a header line.
    const bool header = format == "--format=tsv" || format == "--format=csv";
    const auto lines = static_cast<std::size_t>(std::ranges::count(output, '\n'));
    return status > static_cast<int>(ExitStatus::SomeNotComputed) ||
           lines == RecordsOf(input) + (header ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = std::min(bytes.find('\n'), size);
    const std::vector<std::string> words = WordsOf(bytes.substr(0, lineEnd));
    const std::string_view input = bytes.substr(std::min(lineEnd + 1, size));
    const StandardStreams streams{MemoryFileHolding(input), MemoryFileHolding({}),
                                  MemoryFileHolding({})};
    const std::vector<std::string_view> arguments(words.begin(), words.end());
    const ExitStatus status = RunCommandLine(arguments, streams);
    const bool holds = Holds(words, input, static_cast<int>(status), ContentsOf(streams.output));
    for (const int fd : {streams.input, streams.output, streams.errors}) {
        close(fd);
    }
    if (!holds) {
        std::abort();
    }
    return 0;
}
