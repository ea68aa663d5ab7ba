// SPDX-License-Identifier: MIT
#include "law/calendar_text.h"

#include "calc/date_text.h"
#include "calc/era_date.h"
#include "calc/weekday.h"

namespace torvelin {
namespace {

std::string JoinReasons(const std::vector<std::string_view>& reasons) {
    std::string text;
    for (const std::string_view reason : reasons) {
        if (!text.empty()) {
            text += "・";
        }
        text += reason;
    }
    return text;
}

std::string DayText(std::int64_t dayNumber) {
    return DateToText(CalendarDate(static_cast<double>(dayNumber)));
}

}  // namespace

std::string LongDayText(std::int64_t dayNumber) {
    std::string text(WeekdayName(WeekdayOf(dayNumber)));
    text += '\t';
    text += EraDateText(dayNumber).value_or("");
    return text;
}

std::string LongPeriodEndText(const PeriodEnd& end) {
    std::string text = LongDayText(end.day);
    if (end.Moved()) {
        text += '\t' + DayText(end.unmovedDay) + "は" + JoinReasons(end.unmovedDayReasons) +
                "のため延長";
    }
    return text;
}

std::string DayDescription(std::int64_t dayNumber, HolidayCalendar& calendar) {
    const CivilDate date = CivilFromDayNumber(dayNumber);
    std::string text = std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
                       std::to_string(date.day) + "日（" +
                       std::string(WeekdayName(WeekdayOf(dayNumber))) + "）";
    if (const std::optional<std::string> era = EraDateText(dayNumber)) {
        text += "\u3000" + *era;
    }
    if (const auto reasons = calendar.ClosedReasons(dayNumber); !reasons.empty()) {
        text += "\u3000" + JoinReasons(reasons);
    }
    return text;
}

std::string DayInfoText(std::int64_t dayNumber, HolidayCalendar& calendar) {
    std::string text = DayText(dayNumber) + '\t' + LongDayText(dayNumber);
    const auto reasons = calendar.ClosedReasons(dayNumber);
    text += reasons.empty() ? "\t開庁日" : "\t閉庁日\t" + JoinReasons(reasons);
    return text;
}

std::string HolidayListText(int firstYear, int lastYear, HolidayCalendar& calendar) {
    std::string text;
    for (int year = firstYear; year <= lastYear; ++year) {
        for (const Holiday& holiday : calendar.HolidaysOf(year)) {
            text += DayText(DayNumberFromCivil(holiday.date)) + '\t';
            text += holiday.name;
            text += '\n';
        }
    }
    return text;
}

}  // namespace torvelin
