// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the period reader and works out the end of every
// period it reads as the Civil Code counts it. The input is four bytes choosing
// the start day, a byte of flags (1: the first day counted, 2: no closed
// days), then the period text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "calc/runtime_error.h"
#include "law/civil_period.h"
#include "law/period_text.h"

namespace {

using namespace torvelin;

// What must hold: a count from 1; the end on or after the period's first day;
// a period in days or weeks exactly that long, one in open days ending on its
// count-th open day; an end moved past closed days on the first open day after
// its unmoved end. Out of range is the only error. Hours have a fuzzer of their
// own in the whole command line.
bool Holds(std::int64_t startDay, FirstDay firstDay, Period period, ClosedDayCalendar& calendar) {
    if (period.unit == PeriodUnit::Hours) {
        return true;
    }
    PeriodEnd end;
    try {
        end = EndOfPeriod(startDay, period, firstDay, calendar);
    } catch (const RuntimeError& error) {
        return error.Number() == ErrorNumber::InvalidArgument;
    }
    const std::int64_t first = firstDay == FirstDay::Excluded ? startDay + 1 : startDay;
    const std::int64_t days = end.unmovedDay - first + 1;
    if (period.unit == PeriodUnit::OpenDays) {
        // Counted apart only for short periods, to keep each input fast.
        return period.count > 1000 || (!calendar.IsClosed(end.unmovedDay) && !end.Moved() &&
                                       OpenDaysBetween(first, end.unmovedDay, FirstDay::Included,
                                                       calendar) == period.count);
    }
    const bool exactLength = period.unit == PeriodUnit::Days    ? days == period.count
                             : period.unit == PeriodUnit::Weeks ? days == period.count * 7
                                                                : days >= 28;
    if (period.count < 1 || !exactLength || end.day < end.unmovedDay ||
        end.unmovedDay != LastDayOfPeriod(startDay, period, firstDay)) {
        return false;
    }
    if (calendar.Kind() == CalendarKind::None) {
        return !end.Moved();
    }
    for (std::int64_t day = end.unmovedDay; day < end.day; ++day) {
        if (!calendar.IsClosed(day)) {
            return false;
        }
    }
    return !calendar.IsClosed(end.day) && end.Moved() == !end.unmovedDayReasons.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint32_t dayChoice = 0;
    if (size < sizeof dayChoice + 1) {
        return 0;
    }
    std::memcpy(&dayChoice, data, sizeof dayChoice);
    const std::uint8_t flags = data[sizeof dayChoice];
    const std::string_view text(reinterpret_cast<const char*>(data) + sizeof dayChoice + 1,
                                size - sizeof dayChoice - 1);
    // Three days either side of the range, to reach its errors too.
    const std::int64_t startDay =
        kFirstDayNumber - 3 + dayChoice % (kLastDayNumber - kFirstDayNumber + 7);
    // Kept, as callers keep theirs.
    static ClosedDayCalendar court(CalendarKind::Court);
    static ClosedDayCalendar bank(CalendarKind::Bank);
    static ClosedDayCalendar none(CalendarKind::None);
    const std::optional<Period> period = ReadPeriodText(text);
    if (period &&
        !Holds(startDay, (flags & 1) != 0 ? FirstDay::Included : FirstDay::Excluded, *period,
               (flags & 2) != 0   ? none
               : (flags & 4) != 0 ? bank
                                  : court)) {
        std::abort();
    }
    return 0;
}
