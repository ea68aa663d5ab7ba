// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "law/closed_day_calendar.h"

namespace torvelin {

// A user's closed days are a UTF-8 text file, one day or range a line:
//
//     # our office
//     2025/08/13<TAB>夏季休業
//     2025/08/13-2025/08/15<TAB>夏季休業
//
// Blank lines and lines starting with # are skipped; a BOM and CR LF are
// allowed. Nothing is guessed: one line that does not read rejects the file.
// So that no file can exhaust memory, a file holds at most 1 MiB, a range at
// most 366 days and a file at most 100000 days in all, all within 0100/01/01
// to 9999/12/31.
inline constexpr std::size_t kMaxClosedDayFileBytes = 1 << 20;
inline constexpr std::int64_t kMaxClosedDayRangeDays = 366;
inline constexpr std::int64_t kMaxClosedDaysPerFile = 100000;

// Why a file was rejected: `line` is 0 when the file as a whole is at fault.
struct ClosedDayFileError {
    std::string file;
    int line;
    std::string problem;  // Japanese (UTF-8)

    friend bool operator==(const ClosedDayFileError&, const ClosedDayFileError&) = default;
};

// "file:line: problem", or "file: problem" for the whole file.
std::string ErrorText(const ClosedDayFileError& error);

using ClosedDayFileResult = std::variant<std::vector<OwnClosedDays>, ClosedDayFileError>;

// The days listed in `content`; `fileName` only names the file in an error.
ClosedDayFileResult ReadClosedDayText(std::string_view content, std::string_view fileName);

// The days listed in the file at `path`; a missing or unreadable file is an
// error.
ClosedDayFileResult ReadClosedDayFile(const std::filesystem::path& path);

// The file both front ends read when it exists:
// $XDG_CONFIG_HOME/torvelin/closed-days.tsv, or ~/.config/torvelin/closed-days.tsv
// when XDG_CONFIG_HOME is unset, empty or relative. The values of the two
// variables are passed in (nullopt when unset); none when neither gives an
// absolute directory.
std::optional<std::filesystem::path> DefaultClosedDayFilePath(
    std::optional<std::string_view> xdgConfigHome, std::optional<std::string_view> home);

// The default file's days, none when there is no such file.
ClosedDayFileResult ReadDefaultClosedDayFile(std::optional<std::string_view> xdgConfigHome,
                                             std::optional<std::string_view> home);

// A calendar of the given kind with the user's own closed days, as both front
// ends build it: the default file's days (not for None, which closes no day
// unless files are named), then each named file's, in order. The first file
// that does not read is the answer instead; nothing of it is used.
std::variant<std::unique_ptr<ClosedDayCalendar>, ClosedDayFileError> CalendarWithOwnDays(
    CalendarKind kind, std::span<const std::string_view> files,
    std::optional<std::string_view> xdgConfigHome, std::optional<std::string_view> home);

}  // namespace torvelin
