// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the period reader and, for every period it reads,
// works out the end of the period as the Civil Code counts it. The input is
// four bytes choosing the start day, one byte of flags (bit 0: the first day
// counted, bit 1: no closed days), then the period text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "calc/calendar_date.h"
#include "calc/runtime_error.h"
#include "law/civil_period.h"
#include "law/holiday_calendar.h"
#include "law/period_text.h"

namespace {

using namespace torvelin;

// What must hold for every period read and every start day: the end lies on
// or after the period's first day, a period in days or weeks is exactly that
// many days long, and an end moved past closed days lands on the first open
// day after its unmoved end. Out of range is the only error.
bool Holds(std::int64_t startDay, FirstDay firstDay, ClosedDays closedDays,
           std::string_view periodText, HolidayCalendar& calendar) {
    const std::optional<Period> period = ReadPeriodText(periodText);
    if (!period) {
        return true;
    }
    if (period->count < 1) {
        return false;
    }
    PeriodEnd end;
    try {
        end = EndOfPeriod(startDay, *period, firstDay, closedDays, calendar);
    } catch (const RuntimeError& error) {
        return error.Number() == ErrorNumber::InvalidArgument;
    }
    const std::int64_t firstDayOfPeriod = startDay + (firstDay == FirstDay::Excluded ? 1 : 0);
    if (end.unmovedDay < firstDayOfPeriod || end.day < end.unmovedDay || end.day > kLastDayNumber ||
        end.unmovedDay != LastDayOfPeriod(startDay, *period, firstDay)) {
        return false;
    }
    const std::int64_t daysPerUnit = period->unit == PeriodUnit::Days    ? 1
                                     : period->unit == PeriodUnit::Weeks ? 7
                                                                         : 0;
    if (daysPerUnit != 0 && end.unmovedDay - firstDayOfPeriod + 1 != period->count * daysPerUnit) {
        return false;
    }
    if (closedDays == ClosedDays::None) {
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
    constexpr std::size_t kHeaderSize = 5;
    if (size < kHeaderSize) {
        return 0;
    }
    std::uint32_t dayChoice = 0;
    std::memcpy(&dayChoice, data, sizeof dayChoice);
    // A few days either side of the range, to reach its errors too.
    const std::int64_t startDay =
        kFirstDayNumber - 3 + dayChoice % (kLastDayNumber - kFirstDayNumber + 7);
    const std::uint8_t flags = data[4];
    const FirstDay firstDay = (flags & 1) != 0 ? FirstDay::Included : FirstDay::Excluded;
    const ClosedDays closedDays = (flags & 2) != 0 ? ClosedDays::None : ClosedDays::Court;
    const std::string_view periodText(reinterpret_cast<const char*>(data) + kHeaderSize,
                                      size - kHeaderSize);
    // The calendar keeps the years it has worked out, as callers are meant to.
    static HolidayCalendar calendar;
    if (!Holds(startDay, firstDay, closedDays, periodText, calendar)) {
        std::abort();
    }
    return 0;
}
