// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "law/civil_period.h"
#include "law/holiday_calendar.h"

namespace torvelin {

// The texts the command line and the window show about a day (UTF-8). Where
// a day has no era date (before 1873) the era part is left empty or out.

// What follows a date and a tab in the long form: "月\t平成26年2月24日".
std::string LongDayText(std::int64_t dayNumber);

// The same for the end of a period, with why it moved when it did:
// "月\t令和7年1月6日\t2024/12/30は年末年始の休日のため延長".
std::string LongPeriodEndText(const PeriodEnd& end);

// The day in full, for a tooltip: "2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日",
// the reasons only when courts and offices are closed.
std::string DayDescription(std::int64_t dayNumber, HolidayCalendar& calendar);

// One line about a day: the date, weekday, era date, then "閉庁日" and the
// reasons, or "開庁日", separated by tabs:
// "2024/12/29\t日\t令和6年12月29日\t閉庁日\t日曜日・年末年始の休日".
std::string DayInfoText(std::int64_t dayNumber, HolidayCalendar& calendar);

// The national holidays of firstYear..lastYear, one "yyyy/mm/dd\tname\n" line
// each in date order. Throws RuntimeError 5 for a year outside 100..9999.
std::string HolidayListText(int firstYear, int lastYear, HolidayCalendar& calendar);

}  // namespace torvelin
