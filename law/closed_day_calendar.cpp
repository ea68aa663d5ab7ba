// SPDX-License-Identifier: MIT
#include "law/closed_day_calendar.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <set>
#include <utility>

#include "calc/runtime_error.h"

namespace torvelin {

namespace {

// A year's tables hold an entry a day.
constexpr std::size_t kDaysInLeapYear = 366;
static_assert(DayNumberFromCivil({2024, 12, 31}) - DayNumberFromCivil({2024, 1, 1}) + 1 ==
              kDaysInLeapYear);

}  // namespace

struct ClosedDayCalendar::Year {
    std::int64_t firstDay;
    std::int64_t lastDay;
    // Whether day d of the year (0 for 1/1) is closed: what a batch asks on
    // every line, small enough to stay in cache.
    std::bitset<kDaysInLeapYear> closed;
    // Each closed day's reasons in the order they are listed, the days in
    // order: those of day d run from reasons[startOf[d]] to
    // reasons[startOf[d + 1]], so startOf has an entry more than days.
    std::vector<std::string_view> reasons;
    std::array<std::uint32_t, kDaysInLeapYear + 1> startOf;

    std::size_t IndexOf(std::int64_t day) const { return static_cast<std::size_t>(day - firstDay); }
};

namespace {

constexpr std::pair<CalendarKind, std::string_view> kNames[] = {
    {CalendarKind::Court, "court"}, {CalendarKind::Bank, "bank"}, {CalendarKind::None, "none"}};

using DayReason = std::pair<std::int64_t, std::string_view>;

bool IsWithin(std::int64_t day, const ClosedDayRule& rule) {
    return day >= DayNumberFromCivil(rule.from) && day <= DayNumberFromCivil(rule.until);
}

// The days of `year` a rule closes, each with its reason.
void AddDaysOfRule(const ClosedDayRule& rule, int year, const std::vector<Holiday>& holidays,
                   std::vector<DayReason>& out) {
    const auto add = [&](std::int64_t day, std::string_view reason) {
        if (IsWithin(day, rule)) {
            out.emplace_back(day, reason);
        }
    };
    if (const auto* weekdays = std::get_if<WeekdaysOfMonth>(&rule.days)) {
        const std::int64_t nextYear = DayNumberFromCivil({year + 1, 1, 1});
        for (std::int64_t day = DayNumberFromCivil({year, 1, 1}); day < nextYear; ++day) {
            const int weekOfMonth = (CivilFromDayNumber(day).day - 1) / 7 + 1;
            if (WeekdayOf(day) == weekdays->weekday && (weekdays->weeks >> weekOfMonth & 1u)) {
                add(day, rule.reason);
            }
        }
    } else if (const auto* days = std::get_if<MonthDays>(&rule.days)) {
        for (int day = days->firstDay; day <= days->lastDay; ++day) {
            add(DayNumberFromCivil({year, days->month, day}), rule.reason);
        }
    } else {
        for (const Holiday& holiday : holidays) {
            add(DayNumberFromCivil(holiday.date), holiday.name);
        }
    }
}

}  // namespace

std::string_view CalendarKindName(CalendarKind kind) {
    for (const auto& [known, name] : kNames) {
        if (known == kind) {
            return name;
        }
    }
    return {};
}

std::optional<CalendarKind> CalendarKindFromName(std::string_view name) {
    for (const auto& [kind, known] : kNames) {
        if (known == name) {
            return kind;
        }
    }
    return std::nullopt;
}

ClosedDayCalendar::ClosedDayCalendar(CalendarKind kind, std::vector<OwnClosedDays> ownDays)
    : kind_(kind),
      ownDays_(std::move(ownDays)),
      years_(static_cast<std::size_t>(kLastCivilDate.year - kFirstCivilDate.year + 1)) {}
ClosedDayCalendar::~ClosedDayCalendar() = default;

const ClosedDayCalendar::Year& ClosedDayCalendar::YearOf(std::int64_t dayNumber) {
    // Most questions are about the year asked about last.
    if (lastYear_ && dayNumber >= lastYear_->firstDay && dayNumber <= lastYear_->lastDay) {
        return *lastYear_;
    }
    if (!IsDayNumberInRange(dayNumber)) {
        throw RuntimeError(ErrorNumber::InvalidArgument);
    }
    const int year = CivilFromDayNumber(dayNumber).year;
    std::unique_ptr<const Year>& slot =
        years_[static_cast<std::size_t>(year - kFirstCivilDate.year)];
    if (slot) {
        lastYear_ = slot.get();
        return *slot;
    }
    auto built = std::make_unique<Year>();
    built->firstDay = DayNumberFromCivil({year, 1, 1});
    built->lastDay = DayNumberFromCivil({year, 12, 31});
    const std::int64_t lastDay = built->lastDay;
    const std::vector<Holiday> holidays = NationalHolidaysOf(year);
    std::vector<DayReason> reasons;
    for (const ClosedDayRule& rule : ClosedDayRules(kind_)) {
        AddDaysOfRule(rule, year, holidays, reasons);
    }
    for (const OwnClosedDays& own : ownDays_) {
        for (std::int64_t day = std::max(own.first, built->firstDay);
             day <= std::min(own.last, lastDay); ++day) {
            reasons.emplace_back(day, own.reason);
        }
    }
    // Sorted by day, each day keeping the order of the rows and then of the
    // user's lists; a reason given twice for one day is listed once.
    std::stable_sort(reasons.begin(), reasons.end(),
                     [](const DayReason& a, const DayReason& b) { return a.first < b.first; });
    std::set<std::string_view> reasonsOfDay;
    auto reason = reasons.begin();
    for (std::size_t day = 0; std::uint32_t & start : built->startOf) {
        start = static_cast<std::uint32_t>(built->reasons.size());
        reasonsOfDay.clear();
        for (; reason != reasons.end() && built->IndexOf(reason->first) == day; ++reason) {
            if (reasonsOfDay.insert(reason->second).second) {
                built->reasons.push_back(reason->second);
                built->closed.set(day);
            }
        }
        ++day;
    }
    slot = std::move(built);
    lastYear_ = slot.get();
    return *slot;
}

bool ClosedDayCalendar::IsClosed(std::int64_t dayNumber) {
    const Year& year = YearOf(dayNumber);
    return year.closed[year.IndexOf(dayNumber)];
}

std::vector<std::string_view> ClosedDayCalendar::ClosedReasons(std::int64_t dayNumber) {
    const Year& year = YearOf(dayNumber);
    const std::size_t day = year.IndexOf(dayNumber);
    const auto reasons = year.reasons.begin();
    return {reasons + year.startOf[day], reasons + year.startOf[day + 1]};
}

}  // namespace torvelin
