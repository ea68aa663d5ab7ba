// SPDX-License-Identifier: MIT
#include "law/period_text.h"

#include "calc/text_scanner.h"

namespace torvelin {
namespace {

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
            if (scanner.Accept(U'月')) {
                return PeriodUnit::Months;
            }
            return std::nullopt;
        case U'm':
        case U'M':
            return PeriodUnit::Months;
        case U'年':
        case U'y':
        case U'Y':
            return PeriodUnit::Years;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<Period> ReadPeriodText(std::string_view text) {
    TextScanner scanner(text);
    scanner.SkipBlanks();
    std::int64_t count = 0;
    // Seven digits reach past the longest period the date range can hold.
    if (scanner.ReadDigits(7, count) == 0 || count < 1) {
        return std::nullopt;
    }
    scanner.SkipBlanks();
    const std::optional<PeriodUnit> unit = ReadUnit(scanner);
    scanner.SkipBlanks();
    if (!unit || !scanner.AtEnd()) {
        return std::nullopt;
    }
    return Period{count, *unit};
}

}  // namespace torvelin
