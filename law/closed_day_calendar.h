// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/weekday.h"
#include "law/holiday_rules.h"

namespace torvelin {

// Whose closed days a period steps over when it ends on one.
enum class CalendarKind {
    Court,  // courts: 裁判所の休日 and the days of the Codes of Procedure
    Bank,   // banks: 銀行法 第十五条 and its cabinet order
    None,   // no closed days at all
};

// "court", "bank", "none" and back, as the command line and settings write them.
std::string_view CalendarKindName(CalendarKind kind);
std::optional<CalendarKind> CalendarKindFromName(std::string_view name);

// How a row finds its days in a year.
struct WeekdaysOfMonth {
    Weekday weekday;
    unsigned weeks;  // bit n set: the n-th such weekday of the month (1..5) is closed
};
struct NationalHolidayDays {};  // each named by the holiday itself
struct MonthDays {
    int month;
    int firstDay;
    int lastDay;
};
using ClosedDaysInYear = std::variant<WeekdaysOfMonth, NationalHolidayDays, MonthDays>;

// One row of a calendar: the days a law closed, from `from` to `until`, both
// included. A change of the law is a new row, never an edit to an old one.
struct ClosedDayRule {
    std::string_view reason;  // empty for holidays, which give their own names
    ClosedDaysInYear days;
    CivilDate from;
    CivilDate until;
    Act act;
};

// The rows of a calendar, in the order its reasons are listed for one day:
// weekday, holiday, year end.
const std::vector<ClosedDayRule>& ClosedDayRules(CalendarKind kind);

// Days a user closes: an office's own holidays, a closure for a move.
struct OwnClosedDays {
    std::int64_t first;  // day numbers, both included
    std::int64_t last;
    std::string reason;

    friend bool operator==(const OwnClosedDays&, const OwnClosedDays&) = default;
};

// The closed days of one calendar and of the user's own lists. Each year is
// worked out on first use and kept, so a query on a known year is a table
// lookup. One calendar must not be used from two threads at once.
class ClosedDayCalendar {
public:
    explicit ClosedDayCalendar(CalendarKind kind, std::vector<OwnClosedDays> ownDays = {});
    ~ClosedDayCalendar();
    ClosedDayCalendar(const ClosedDayCalendar&) = delete;
    ClosedDayCalendar& operator=(const ClosedDayCalendar&) = delete;

    CalendarKind Kind() const { return kind_; }

    // Both throw RuntimeError 5 for a day outside 0100/01/01..9999/12/31.
    bool IsClosed(std::int64_t dayNumber);
    // Why the day is closed: the calendar's reasons in the order of its rows,
    // then the user's in the order given, for example {"日曜日", "年末年始の休日"};
    // empty when it is open.
    std::vector<std::string_view> ClosedReasons(std::int64_t dayNumber);

private:
    struct Year;
    const Year& YearOf(std::int64_t dayNumber);

    CalendarKind kind_;
    std::vector<OwnClosedDays> ownDays_;
    // By year from the calendar's first, each built when first asked about.
    std::vector<std::unique_ptr<const Year>> years_;
    const Year* lastYear_ = nullptr;
};

}  // namespace torvelin
