// SPDX-License-Identifier: MIT
#include "calc/date_text.h"

#include <array>
#include <cmath>
#include <cstring>

#include "calc/japanese_era.h"
#include "calc/runtime_error.h"
#include "calc/text_scanner.h"

namespace torvelin {
namespace {

const JapaneseEra* ReadEra(TextScanner& scanner) {
    const char32_t c = scanner.Peek();
    for (const JapaneseEra& era : kJapaneseEras) {
        if (c == era.letter || c == era.letter + (U'a' - U'A')) {
            scanner.Advance();
            return &era;
        }
        if (c == era.firstKanji) {
            scanner.Advance();
            return scanner.Accept(era.secondKanji) ? &era : nullptr;
        }
    }
    return nullptr;
}

// Reads "H:mm" or "H:mm:ss" as a fraction of the day.
std::optional<double> ReadTimeOfDay(TextScanner& scanner) {
    std::int64_t hour{};  // each read sets its number
    std::int64_t minute{};
    std::int64_t second = 0;
    constexpr int kClockDigits = 2;  // minutes and seconds have two, always
    if (scanner.ReadDigits(2, hour) == 0 || !scanner.Accept(U':') ||
        scanner.ReadDigits(kClockDigits, minute) != kClockDigits) {
        return std::nullopt;
    }
    if (scanner.Accept(U':') && scanner.ReadDigits(kClockDigits, second) != kClockDigits) {
        return std::nullopt;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
}

}  // namespace

std::optional<DateAndTime> ReadDateAndTime(std::string_view text) {
    TextScanner scanner(text);
    scanner.SkipBlanks();

    const JapaneseEra* era = nullptr;
    if (!scanner.AtDigit()) {
        era = ReadEra(scanner);
        if (era == nullptr) {
            return std::nullopt;
        }
        scanner.SkipBlanks();  // "令和 ２年" pads the year as printed forms do
    }

    std::int64_t year{};
    if (era != nullptr && scanner.Accept(U'元')) {
        year = 1;
    } else {
        const int digits = scanner.ReadDigits(4, year);
        const bool enoughDigits = era != nullptr ? digits >= 1 : digits >= 3;
        if (!enoughDigits) {
            return std::nullopt;
        }
    }

    std::int64_t month{};
    std::int64_t day{};
    if (scanner.Accept(U'年')) {
        scanner.SkipBlanks();
        if (scanner.ReadDigits(2, month) == 0 || !scanner.Accept(U'月')) {
            return std::nullopt;
        }
        scanner.SkipBlanks();
        if (scanner.ReadDigits(2, day) == 0 || !scanner.Accept(U'日')) {
            return std::nullopt;
        }
    } else {
        const char32_t separator = scanner.Peek();
        if (separator != U'/' && separator != U'-' && separator != U'.') {
            return std::nullopt;
        }
        scanner.Advance();
        if (scanner.ReadDigits(2, month) == 0 || !scanner.Accept(separator) ||
            scanner.ReadDigits(2, day) == 0) {
            return std::nullopt;
        }
    }

    double timeOfDay = 0.0;
    bool timeWritten = false;
    if (scanner.SkipBlanks() && !scanner.AtEnd()) {
        const std::optional<double> time = ReadTimeOfDay(scanner);
        if (!time) {
            return std::nullopt;
        }
        timeOfDay = *time;
        timeWritten = true;
        scanner.SkipBlanks();
    }
    if (!scanner.AtEnd()) {
        return std::nullopt;
    }

    if (era != nullptr) {
        year += era->firstYear - 1;  // a year 0 falls before the era: see below
    }
    if (year < kFirstCivilDate.year || year > kLastCivilDate.year) {
        return std::nullopt;
    }
    const CivilDate date{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
    if (!IsValidDayOfMonth(date.year, date.month, date.day)) {
        return std::nullopt;
    }
    const std::int64_t dayNumber = DayNumberFromCivil(date);
    if (era != nullptr && (dayNumber < era->firstDay || dayNumber > era->lastDay)) {
        return std::nullopt;
    }
    return DateAndTime{CalendarDate::FromDayAndTime(dayNumber, timeOfDay), timeWritten};
}

std::optional<CalendarDate> ReadDateText(std::string_view text) {
    const std::optional<DateAndTime> read = ReadDateAndTime(text);
    return read ? std::optional(read->moment) : std::nullopt;
}

bool IsDateText(std::string_view text) {
    return ReadDateText(text).has_value();
}

namespace {

// "00" to "99" in a row: two digits are copied rather than worked out, as
// a batch writes several dates on every line.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

char* WriteTwoDigits(char* out, int value) {
    std::memcpy(out, &kDigitPairs[2 * static_cast<std::size_t>(value)], 2);
    return out + 2;
}

char* WriteDay(char* out, const CivilDate& civil) {
    out = WriteTwoDigits(out, civil.year / 100);
    out = WriteTwoDigits(out, civil.year % 100);
    *out++ = '/';
    out = WriteTwoDigits(out, civil.month);
    *out++ = '/';
    return WriteTwoDigits(out, civil.day);
}

}  // namespace

std::string DateToText(CalendarDate date) {
    if (!date.IsInRange()) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    const CalendarDate rounded = RoundedToSecond(date);
    const std::int64_t dayNumber = rounded.DayNumber();
    const int seconds = static_cast<int>(std::lround(rounded.TimeOfDay() * 86400.0));
    const CivilDate civil = CivilFromDayNumber(dayNumber);

    std::array<char, std::string_view("yyyy/mm/dd hh:mm:ss").size()> buffer;
    char* out = WriteDay(buffer.data(), civil);
    if (seconds != 0) {
        const int hour = seconds / 3600;
        *out++ = ' ';
        if (hour < 10) {
            *out++ = static_cast<char>('0' + hour);
        } else {
            out = WriteTwoDigits(out, hour);
        }
        *out++ = ':';
        out = WriteTwoDigits(out, seconds / 60 % 60);
        *out++ = ':';
        out = WriteTwoDigits(out, seconds % 60);
    }
    return std::string(buffer.data(), out);
}

std::string DayToText(std::int64_t dayNumber) {
    std::string text;
    AppendDayToText(text, dayNumber);
    return text;
}

void AppendDayToText(std::string& out, std::int64_t dayNumber) {
    if (!IsDayNumberInRange(dayNumber)) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    // Written in place: bytes stored one by one into a buffer and then
    // copied as a block would make the copy wait for each store.
    const std::size_t at = out.size();
    out.resize(at + std::string_view("yyyy/mm/dd").size());
    WriteDay(out.data() + at, CivilFromDayNumber(dayNumber));
}

}  // namespace torvelin
