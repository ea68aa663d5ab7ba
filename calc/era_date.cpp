// SPDX-License-Identifier: MIT
#include "calc/era_date.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "calc/japanese_era.h"

namespace torvelin {
namespace {

// The era whose dates the day is written in, or none outside them.
// Counted rather than searched: the days of a batch fall in any era, in no
// order, and a count has no branch to guess wrong.
const JapaneseEra* EraOf(std::int64_t dayNumber) {
    if (dayNumber < kJapaneseEras.front().firstDay || dayNumber > kJapaneseEras.back().lastDay) {
        return nullptr;
    }
    std::size_t index = 0;
    for (std::size_t later = 1; later < kJapaneseEras.size(); ++later) {
        index += dayNumber >= kJapaneseEras[later].firstDay ? 1 : 0;
    }
    return &kJapaneseEras[index];
}

// Every era's name is two kanji: a fixed size, copied without a call.
constexpr std::size_t kEraNameBytes = std::string_view("令和").size();
static_assert(std::all_of(kJapaneseEras.begin(), kJapaneseEras.end(),
                          [](const JapaneseEra& era) { return era.name.size() == kEraNameBytes; }));

// Writes 0 to 99 with no leading zero. Whether it takes one digit or two
// is counted too, not branched on: months and days vary from line to line.
char* WriteShortNumber(char* out, int value) {
    const int twoDigits = value >= 10 ? 1 : 0;
    out[0] = static_cast<char>('0' + value / 10);
    out[twoDigits] = static_cast<char>('0' + value % 10);
    return out + 1 + twoDigits;
}

char* WriteText(char* out, std::string_view text) {
    return out + text.copy(out, text.size());
}

}  // namespace

void AppendEraDateText(std::string& out, std::int64_t dayNumber) {
    const JapaneseEra* era = EraOf(dayNumber);
    if (era == nullptr) {
        return;
    }
    const CivilDate date = CivilFromDayNumber(dayNumber);
    const int eraYear = date.year - era->firstYear + 1;
    // Written in place, as AppendDayToText writes, then cut to its length.
    constexpr std::size_t kLongest = std::string_view("令和7981年12月31日").size();
    const std::size_t at = out.size();
    out.resize(at + kLongest);
    char* const start = out.data() + at;
    std::memcpy(start, era->name.data(), kEraNameBytes);
    char* write = start + kEraNameBytes;
    if (eraYear == 1) {
        write = WriteText(write, "元");
    } else if (eraYear < 100) {
        write = WriteShortNumber(write, eraYear);
    } else {
        write = std::to_chars(write, start + kLongest, eraYear).ptr;
    }
    write = WriteText(write, "年");
    write = WriteShortNumber(write, date.month);
    write = WriteText(write, "月");
    write = WriteShortNumber(write, date.day);
    write = WriteText(write, "日");
    out.resize(at + static_cast<std::size_t>(write - start));
}

bool HasEraDate(std::int64_t dayNumber) {
    return EraOf(dayNumber) != nullptr;
}

std::optional<std::string> EraDateText(std::int64_t dayNumber) {
    if (!HasEraDate(dayNumber)) {
        return std::nullopt;
    }
    std::string text;
    AppendEraDateText(text, dayNumber);
    return text;
}

}  // namespace torvelin
