// SPDX-License-Identifier: MIT
#include "law/closed_day_file.h"

#include <fstream>
#include <iterator>

#include "calc/text_scanner.h"

namespace torvelin {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exactly yyyy/mm/dd, a real day of 0100..9999.
std::optional<std::int64_t> ReadDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') {
        return std::nullopt;
    }
    int fields[3] = {0, 0, 0};
    int field = 0;
    for (const char c : text) {
        if (c == '/') {
            ++field;
        } else if (IsDigit(c)) {
            fields[field] = fields[field] * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    const auto [year, month, day] = fields;
    if (year < kFirstCivilDate.year || !IsValidDayOfMonth(year, month, day)) {
        return std::nullopt;
    }
    return DayNumberFromCivil({year, month, day});
}

bool IsUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// One line's days, or what is wrong with it.
std::variant<OwnClosedDays, std::string> ReadLine(std::string_view line) {
    if (!IsUtf8(line)) {
        return "UTF-8 として読めません";
    }
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
        return "日付と理由の間にタブがありません";
    }
    const std::string_view days = line.substr(0, tab);
    const std::string_view reason = TrimSpaces(line.substr(tab + 1));
    const std::size_t dash = days.find('-');
    const std::optional<std::int64_t> first = ReadDay(days.substr(0, dash));
    const std::optional<std::int64_t> last =
        dash == std::string_view::npos ? first : ReadDay(days.substr(dash + 1));
    if (!first || !last) {
        return "日付が 0100/01/01 から 9999/12/31 までの yyyy/mm/dd として読めません";
    }
    if (*last < *first) {
        return "範囲の終わりが始まりより前です";
    }
    if (*last - *first >= kMaxClosedDayRangeDays) {
        return "範囲が 366 日を超えています";
    }
    if (reason.empty()) {
        return "理由がありません";
    }
    if (HasControlCharacter(reason)) {
        return "理由に制御文字があります";
    }
    return OwnClosedDays{*first, *last, std::string(reason)};
}

ClosedDayFileError WholeFileError(const std::filesystem::path& path, std::string problem) {
    return {path.string(), 0, std::move(problem)};
}

}  // namespace

std::string ErrorText(const ClosedDayFileError& error) {
    const std::string where =
        error.line > 0 ? error.file + ":" + std::to_string(error.line) : error.file;
    return where + ": " + error.problem;
}

ClosedDayFileResult ReadClosedDayText(std::string_view content, std::string_view fileName) {
    const auto fail = [fileName](int line, std::string problem) {
        return ClosedDayFileError{std::string(fileName), line, std::move(problem)};
    };
    if (content.size() > kMaxClosedDayFileBytes) {
        return fail(0, "1 MiB を超えています");
    }
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    std::vector<OwnClosedDays> entries;
    std::int64_t totalDays = 0;
    int lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::string_view text = TrimSpaces(line);
        if (text.empty() || text.starts_with('#')) {
            continue;
        }
        auto read = ReadLine(line);
        if (auto* problem = std::get_if<std::string>(&read)) {
            return fail(lineNumber, std::move(*problem));
        }
        OwnClosedDays& days = std::get<OwnClosedDays>(read);
        totalDays += days.last - days.first + 1;
        if (totalDays > kMaxClosedDaysPerFile) {
            return fail(lineNumber, "日数が合わせて 100000 日を超えています");
        }
        entries.push_back(std::move(days));
    }
    return entries;
}

ClosedDayFileResult ReadClosedDayFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return WholeFileError(path, "ファイルがありません");
    }
    if (error) {
        return WholeFileError(path, "ファイルの状態が読めません");
    }
    // Not a FIFO or a device: those could block or never end.
    if (!std::filesystem::is_regular_file(status)) {
        return WholeFileError(path, "通常のファイルではありません");
    }
    std::ifstream in(path, std::ios::binary);
    // One byte past the limit tells a file that is too large, whatever its
    // size claims.
    std::string content(kMaxClosedDayFileBytes + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (!in && !in.eof()) {
        return WholeFileError(path, "読めません");
    }
    content.resize(static_cast<std::size_t>(in.gcount()));
    return ReadClosedDayText(content, path.string());
}

std::optional<std::filesystem::path> DefaultClosedDayFilePath(
    std::optional<std::string_view> xdgConfigHome, std::optional<std::string_view> home) {
    const auto absolute = [](std::optional<std::string_view> directory) {
        return directory && std::filesystem::path(*directory).is_absolute();
    };
    std::filesystem::path config;
    if (absolute(xdgConfigHome)) {
        config = *xdgConfigHome;
    } else if (absolute(home)) {
        config = std::filesystem::path(*home) / ".config";
    } else {
        return std::nullopt;
    }
    return config / "torvelin" / "closed-days.tsv";
}

ClosedDayFileResult ReadDefaultClosedDayFile(std::optional<std::string_view> xdgConfigHome,
                                             std::optional<std::string_view> home) {
    const std::optional<std::filesystem::path> path = DefaultClosedDayFilePath(xdgConfigHome, home);
    std::error_code error;
    if (!path ||
        std::filesystem::status(*path, error).type() == std::filesystem::file_type::not_found) {
        return std::vector<OwnClosedDays>{};
    }
    return ReadClosedDayFile(*path);
}

std::variant<std::unique_ptr<ClosedDayCalendar>, ClosedDayFileError> CalendarWithOwnDays(
    CalendarKind kind, std::span<const std::string_view> files,
    std::optional<std::string_view> xdgConfigHome, std::optional<std::string_view> home) {
    std::vector<OwnClosedDays> ownDays;
    const auto add = [&ownDays](ClosedDayFileResult read) -> std::optional<ClosedDayFileError> {
        if (auto* error = std::get_if<ClosedDayFileError>(&read)) {
            return std::move(*error);
        }
        auto& days = std::get<std::vector<OwnClosedDays>>(read);
        std::move(days.begin(), days.end(), std::back_inserter(ownDays));
        return std::nullopt;
    };
    if (kind != CalendarKind::None) {
        if (auto error = add(ReadDefaultClosedDayFile(xdgConfigHome, home))) {
            return *std::move(error);
        }
    }
    for (const std::string_view file : files) {
        if (auto error = add(ReadClosedDayFile(std::filesystem::path(file)))) {
            return *std::move(error);
        }
    }
    return std::make_unique<ClosedDayCalendar>(kind, std::move(ownDays));
}

}  // namespace torvelin
