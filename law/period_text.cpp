// SPDX-License-Identifier: MIT
#include "law/period_text.h"

#include <algorithm>
#include <limits>

#include "calc/text_scanner.h"

namespace torvelin {
namespace {

// Seven digits reach past the longest period the date range can hold.
constexpr std::int64_t kLargestCount = 9'999'999;

// Digits, ASCII or full-width; leading zeros do not count toward the limit.
std::optional<std::int64_t> ReadDecimalCount(TextScanner& scanner) {
    std::int64_t count = 0;
    while (scanner.AtDigit()) {
        count = count * 10 + (scanner.Peek() - U'0');
        if (count > kLargestCount) {
            return std::nullopt;
        }
        scanner.Advance();
    }
    return count;
}

int KanjiDigit(char32_t c) {
    constexpr std::u32string_view kDigits = U"〇一二三四五六七八九";
    const std::size_t digit = kDigits.find(c);
    return digit == std::u32string_view::npos ? -1 : static_cast<int>(digit);
}

int KanjiMultiplier(char32_t c) {
    switch (c) {
        case U'十':
            return 10;
        case U'百':
            return 100;
        case U'千':
            return 1000;
        default:
            return 0;
    }
}

// A number in kanji as statutes write it: 十四, 百二十, 二千三百, 三万; or
// digit by digit, 一二〇.
std::optional<std::int64_t> ReadKanjiCount(TextScanner& scanner) {
    std::int64_t total = 0;    // the part already multiplied by 万
    std::int64_t section = 0;  // below 万: 二千三百四十五
    std::int64_t digits = 0;   // the digits read last, not yet placed
    bool digitsRead = false;   // digits is 0 for none as for 〇
    bool positional = true;    // only digits so far: 一二〇
    // 千, 百, 十 come in that order within a section: each below the last.
    int multiplierCeiling = std::numeric_limits<int>::max();
    bool any = false;
    for (;; scanner.Advance()) {
        const char32_t c = scanner.Peek();
        if (const int digit = KanjiDigit(c); digit >= 0) {
            if (digitsRead && !positional) {
                return std::nullopt;  // 二十三四 is no number
            }
            digits = digits * 10 + digit;
            digitsRead = true;
            if (digits > kLargestCount) {
                return std::nullopt;
            }
        } else if (const int multiplier = KanjiMultiplier(c); multiplier > 0) {
            if ((positional && digits > 9) || multiplier >= multiplierCeiling) {
                return std::nullopt;  // 一二十 and 十百 are no numbers
            }
            multiplierCeiling = multiplier;
            positional = false;
            section += (digitsRead ? digits : 1) * multiplier;
            digits = 0;
            digitsRead = false;
        } else if (c == U'万' && any) {
            positional = false;
            total = (total + section + digits) * 10000;
            section = 0;
            digits = 0;
            digitsRead = false;
            multiplierCeiling = std::numeric_limits<int>::max();
            if (total > kLargestCount) {
                return std::nullopt;
            }
        } else {
            break;
        }
        any = true;
    }
    if (!any) {
        return std::nullopt;
    }
    const std::int64_t count = total + section + digits;
    return count <= kLargestCount ? std::optional(count) : std::nullopt;
}

std::optional<std::int64_t> ReadCount(TextScanner& scanner) {
    return scanner.AtDigit() ? ReadDecimalCount(scanner) : ReadKanjiCount(scanner);
}

std::optional<PeriodUnit> ReadUnit(TextScanner& scanner) {
    const char32_t c = scanner.Peek();
    scanner.Advance();
    switch (c) {
        case U'日':
            scanner.Accept(U'間');
            return PeriodUnit::Days;
        case U'd':
        case U'D':
            return PeriodUnit::Days;
        case U'週':
            scanner.Accept(U'間');
            return PeriodUnit::Weeks;
        case U'w':
        case U'W':
            return PeriodUnit::Weeks;
        case U'か':
        case U'ヶ':
        case U'ケ':
        case U'カ':
        case U'ヵ':
        case U'箇':
            if (!scanner.Accept(U'月')) {
                return std::nullopt;
            }
            [[fallthrough]];
        case U'月':  // 「三月」 as statutes write three months
            scanner.Accept(U'間');
            return PeriodUnit::Months;
        case U'm':
        case U'M':
            return PeriodUnit::Months;
        case U'年':
            scanner.Accept(U'間');
            return PeriodUnit::Years;
        case U'y':
        case U'Y':
            return PeriodUnit::Years;
        case U'営':
            return scanner.Accept(U'業') && scanner.Accept(U'日')
                       ? std::optional(PeriodUnit::OpenDays)
                       : std::nullopt;
        case U'開':
            return scanner.Accept(U'庁') && scanner.Accept(U'日')
                       ? std::optional(PeriodUnit::OpenDays)
                       : std::nullopt;
        case U'b':
        case U'B':
            return PeriodUnit::OpenDays;
        case U'時':
            return scanner.Accept(U'間') ? std::optional(PeriodUnit::Hours) : std::nullopt;
        case U'h':
        case U'H':
            return PeriodUnit::Hours;
        default:
            return std::nullopt;
    }
}

// One count and its unit, blanks around.
std::optional<Period> ReadTerm(TextScanner& scanner) {
    scanner.SkipBlanks();
    const std::optional<std::int64_t> count = ReadCount(scanner);
    if (!count) {
        return std::nullopt;
    }
    scanner.SkipBlanks();
    const std::optional<PeriodUnit> unit = ReadUnit(scanner);
    scanner.SkipBlanks();
    return unit ? std::optional(Period{*count, *unit}) : std::nullopt;
}

}  // namespace

std::optional<Period> ReadPeriodText(std::string_view text) {
    TextScanner scanner(text);
    std::optional<Period> period = ReadTerm(scanner);
    // 1年6か月: years and months together are counted as months.
    if (period && period->unit == PeriodUnit::Years && !scanner.AtEnd()) {
        const std::optional<Period> months = ReadTerm(scanner);
        if (!months || months->unit != PeriodUnit::Months) {
            return std::nullopt;
        }
        period = Period{period->count * 12 + months->count, PeriodUnit::Months};
    }
    if (!period || period->count < 1 || !scanner.AtEnd()) {
        return std::nullopt;
    }
    return period;
}

}  // namespace torvelin
