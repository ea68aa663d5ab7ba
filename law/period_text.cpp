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
    while (scanner.Accept(U'0')) {
        // leading zeros count nothing, so they do not count toward the digits
    }
    std::int64_t count = 0;
    // Seven digits reach past the longest period the date range can hold.
    scanner.ReadDigits(7, count);
    if (count < 1) {
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
