// SPDX-License-Identifier: MIT
#include "format/icalendar.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "calc/date_text.h"
#include "calc/era_date.h"
#include "calc/text_scanner.h"
#include "calc/weekday.h"
#include "format/answer_text.h"
#include "law/closed_day_calendar.h"
#include "law/period_text.h"
#include "law/statutory_rules.h"
#include "version.h"

namespace torvelin {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTimeZone = "Asia/Tokyo";
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDayNumberOf1970 = DayNumberFromCivil({1970, 1, 1});
constexpr int kReminderHour = 9;  // Japan time, when an office opens

// The inputs read back as the core read them, for what the typed texts do
// not show alike: 10日, 10日間 and 十日 are one period.
struct ReadInputs {
    std::optional<DateAndTime> start;
    std::optional<Period> period;  // none for a rule
};

ReadInputs ReadBack(const DeadlineEvent& event) {
    ReadInputs inputs{ReadDateAndTime(event.startText), std::nullopt};
    if (!event.end.rule) {
        inputs.period = ReadPeriodText(event.periodText);
    }
    return inputs;
}

void AppendDigits(std::string& out, std::int64_t value, int width) {
    const std::string digits = std::to_string(value);
    const auto size = static_cast<std::size_t>(width);
    out.append(size > digits.size() ? size - digits.size() : 0, '0');
    out += digits;
}

// "20250106".
void AppendDateValue(std::string& out, std::int64_t day) {
    const CivilDate date = CivilFromDayNumber(day);
    AppendDigits(out, date.year, 4);
    AppendDigits(out, date.month, 2);
    AppendDigits(out, date.day, 2);
}

// "T153000".
void AppendTimeValue(std::string& out, std::int64_t secondsOfDay) {
    out += 'T';
    AppendDigits(out, secondsOfDay / 3600, 2);
    AppendDigits(out, secondsOfDay / 60 % 60, 2);
    AppendDigits(out, secondsOfDay % 60, 2);
}

// A moment as its day and the seconds into it, to the second as its text.
struct DayAndSeconds {
    std::int64_t day;
    std::int64_t seconds;
};

DayAndSeconds DayAndSecondsOf(CalendarDate moment) {
    const CalendarDate rounded = RoundedToSecond(moment);
    return {rounded.DayNumber(), std::lround(rounded.TimeOfDay() * kSecondsPerDay)};
}

std::string_view DirectionName(Direction direction) {
    switch (direction) {
        case Direction::After:
            return "after";
        case Direction::Before:
            return "before";
        case Direction::Fixed:
            return "fixed";
    }
    return {};
}

// The period as the core read it, "10日", or as typed where it did not read.
std::string PeriodName(const DeadlineEvent& event, const ReadInputs& inputs) {
    return inputs.period ? PeriodText(*inputs.period) : event.periodText;
}

// The inputs in one form whatever way they were typed: the start's day (and
// time, for a period in hours), the rule or the period, the direction, the
// first day, the calendar and the case. The case comes last, so that no text
// of it can read as another field.
std::string CanonicalInputs(const DeadlineEvent& event, const ReadInputs& inputs) {
    std::string text = "deadline";
    const auto field = [&text](std::string_view value) {
        text += '\x1F';
        text += value;
    };
    if (inputs.start) {
        // The day as the core counts from it; to the second for hours.
        std::string day;
        if (event.end.moment) {
            const DayAndSeconds start = DayAndSecondsOf(inputs.start->moment);
            AppendDateValue(day, start.day);
            AppendTimeValue(day, start.seconds);
        } else {
            AppendDateValue(day, inputs.start->moment.DayNumber());
        }
        field(day);
    } else {
        field(event.startText);
    }
    field(event.end.rule ? event.end.rule->key : PeriodName(event, inputs));
    field(DirectionName(event.end.direction));
    field(event.end.firstDay == FirstDay::Included ? "included" : "excluded");
    field(CalendarKindName(event.end.calendar));
    field(event.caseText);
    return text;
}

// FNV-1a, 64 bits: stable across runs, builds and machines, as an importer
// needs to know an event again.
std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3;
    }
    return hash;
}

std::string UidText(std::uint64_t identity) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    std::string text(16, '0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, identity >>= 4) {
        *digit = kHexDigits[identity & 0xF];
    }
    return text + "@torvelin";
}

// "控訴期限（民事訴訟法285条）", "10日の期間の満了日", after the case when
// one was given.
std::string SummaryText(const DeadlineEvent& event, const ReadInputs& inputs) {
    std::string text = event.caseText;
    if (!text.empty()) {
        text += "\u3000";
    }
    if (const StatutoryRule* rule = event.end.rule) {
        text += rule->name;
        text += "期限（";
        text += rule->article;
        text += "）";
    } else if (event.end.direction == Direction::Before) {
        text += PeriodName(event, inputs) + "前までの期限";
    } else {
        text +=
            PeriodName(event, inputs) + (event.end.moment ? "の期間の満了時刻" : "の期間の満了日");
    }
    return text;
}

// The whole answer, a line each, as its other texts write it.
std::string DescriptionText(const DeadlineEvent& event) {
    const PeriodEnd& end = event.end;
    const StatutoryRule* rule = end.rule;
    std::string text;
    const auto line = [&text](std::string_view label, std::string_view value) {
        if (!text.empty()) {
            text += '\n';
        }
        text += label;
        text += "：";
        text += value;
    };
    if (!event.caseText.empty()) {
        line("事件", event.caseText);
    }
    std::string deadline = PeriodEndText(end, Form::Short) + "（" +
                           std::string(WeekdayName(WeekdayOf(end.day))) + "）";
    if (const std::optional<std::string> era = EraDateText(end.day)) {
        deadline += "\u3000" + *era;
    }
    line("期限", deadline);
    std::string start = event.startText;
    if (rule) {
        start += "（" + std::string(rule->event) + "）";
    }
    line(end.direction == Direction::Before ? "基準日" : "起算日", start);
    line("期間", rule ? RulePeriodText(*rule) : event.periodText);
    if (rule) {
        line("規定", std::string(rule->key) + " " + RuleTitle(*rule));
        line("条文", rule->act.title);
    }
    line("計算", CountingRuleText(end));
    if (const std::string closed = ClosedDayText(end); !closed.empty()) {
        line("理由", closed);
    }
    if (!end.notes.empty()) {
        line("備考", JoinedWithDots(end.notes));
    }
    return text;
}

// A content line whose value is TEXT.
void AppendTextLine(std::string& out, std::string_view name, std::string_view value) {
    std::string line(name);
    line += ':';
    AppendEscapedText(line, value);
    AppendFoldedLine(out, line);
}

void AppendPlainLine(std::string& out, std::string_view nameAndValue) {
    AppendFoldedLine(out, nameAndValue);
}

void AppendCalendarStart(std::string& out) {
    AppendPlainLine(out, "BEGIN:VCALENDAR");
    AppendPlainLine(out, "VERSION:2.0");
    AppendPlainLine(out, "PRODID:-//Torvelin//Torvelin " + std::string(kVersion) + "//JA");
    AppendPlainLine(out, "CALSCALE:GREGORIAN");
}

// Japan Standard Time has kept +09:00 with no daylight saving time since
// 1952, so one standard observance describes every moment an event holds.
void AppendTimeZone(std::string& out) {
    for (const std::string_view line :
         {"BEGIN:VTIMEZONE"sv, "TZID:Asia/Tokyo"sv, "BEGIN:STANDARD"sv, "DTSTART:19700101T000000"sv,
          "TZOFFSETFROM:+0900"sv, "TZOFFSETTO:+0900"sv, "TZNAME:JST"sv, "END:STANDARD"sv,
          "END:VTIMEZONE"sv}) {
        AppendPlainLine(out, line);
    }
}

// "-P6DT15H": a length of time as a DURATION or TRIGGER value writes it, in
// days and the hours, minutes and seconds from the first that is not zero
// to the last.
std::string DurationText(std::int64_t seconds) {
    std::string text = seconds < 0 ? "-P" : "P";
    const std::int64_t length = seconds < 0 ? -seconds : seconds;
    const std::int64_t days = length / kSecondsPerDay;
    const std::int64_t parts[] = {length % kSecondsPerDay / 3600, length % 3600 / 60, length % 60};
    constexpr char kUnits[] = {'H', 'M', 'S'};
    if (days > 0) {
        text += std::to_string(days) + "D";
    }
    const std::int64_t* first = std::find_if(std::begin(parts), std::end(parts),
                                             [](std::int64_t part) { return part != 0; });
    if (first == std::end(parts)) {
        return days > 0 ? text : text + "T0S";
    }
    const std::int64_t* last =
        std::find_if(std::rbegin(parts), std::rend(parts), [](std::int64_t part) {
            return part != 0;
        }).base();
    text += 'T';
    for (const std::int64_t* part = first; part != last; ++part) {
        text += std::to_string(*part);
        text += kUnits[part - std::begin(parts)];
    }
    return text;
}

// A reminder at 9:00 Japan time on the day `days` before the deadline's
// day, as a time before the event's start: a calendar program reads such a
// trigger where it may not read a moment. An all-day event starts at the
// midnight of its day wherever the calendar is, so 7 days before is
// -P6DT15H; a timed one at its moment in Japan time, which keeps one offset.
void AppendAlarm(std::string& out, const DeadlineEvent& event, std::string_view summary, int days) {
    AppendPlainLine(out, "BEGIN:VALARM");
    AppendPlainLine(out, "ACTION:DISPLAY");
    AppendTextLine(
        out, "DESCRIPTION",
        std::string(summary) + (days == 0 ? "（当日）" : "（" + std::to_string(days) + "日前）"));
    const std::int64_t startSeconds =
        event.end.moment ? DayAndSecondsOf(*event.end.moment).seconds : 0;
    AppendPlainLine(out, "TRIGGER:" + DurationText(kReminderHour * 3600 - days * kSecondsPerDay -
                                                   startSeconds));
    AppendPlainLine(out, "END:VALARM");
}

void AppendEventText(std::string& out, const DeadlineEvent& event, const ReadInputs& inputs,
                     std::uint64_t identity, const CalendarSettings& settings) {
    const PeriodEnd& end = event.end;
    AppendPlainLine(out, "BEGIN:VEVENT");
    AppendPlainLine(out, "UID:" + UidText(identity));
    std::string stamp = "DTSTAMP:";
    AppendDateValue(stamp, kDayNumberOf1970 + settings.createdAt / kSecondsPerDay);
    AppendTimeValue(stamp, settings.createdAt % kSecondsPerDay);
    AppendPlainLine(out, stamp + "Z");
    if (end.moment) {
        const DayAndSeconds moment = DayAndSecondsOf(*end.moment);
        std::string start = "DTSTART;TZID=" + std::string(kTimeZone) + ":";
        AppendDateValue(start, moment.day);
        AppendTimeValue(start, moment.seconds);
        AppendPlainLine(out, start);
        AppendPlainLine(out, "DURATION:PT0S");  // the period ends at that instant
    } else {
        std::string start = "DTSTART;VALUE=DATE:";
        AppendDateValue(start, end.day);
        AppendPlainLine(out, start);
        // 10000/01/01 has no DATE value; a day is the length of an event
        // without an end all the same.
        if (end.day < kLastDayNumber) {
            std::string dayAfter = "DTEND;VALUE=DATE:";
            AppendDateValue(dayAfter, end.day + 1);
            AppendPlainLine(out, dayAfter);
        }
    }
    const std::string summary = SummaryText(event, inputs);
    AppendTextLine(out, "SUMMARY", summary);
    AppendTextLine(out, "DESCRIPTION", DescriptionText(event));
    AppendPlainLine(out, "TRANSP:TRANSPARENT");  // a deadline takes no time of the day
    for (const int days : settings.reminderDays) {
        AppendAlarm(out, event, summary, days);
    }
    AppendPlainLine(out, "END:VEVENT");
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::optional<DeadlineEvent> DeadlineEventOf(std::string_view startText,
                                             std::string_view periodText, std::string_view caseText,
                                             const Outcome<PeriodEnd>& answer) {
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer);
    if (!end) {
        return std::nullopt;
    }
    return DeadlineEvent{std::string(startText), end->rule ? "" : std::string(periodText),
                         std::string(caseText), *end};
}

void CalendarWriter::AppendEvent(std::string& out, const DeadlineEvent& event) {
    const ReadInputs inputs = ReadBack(event);
    const std::uint64_t identity = Fnv1a(CanonicalInputs(event, inputs));
    if (!written_.insert(identity).second) {
        return;
    }
    if (!opened_) {
        AppendCalendarStart(out);
        opened_ = true;
    }
    if (event.end.moment && !timeZoneWritten_) {
        AppendTimeZone(out);
        timeZoneWritten_ = true;
    }
    AppendEventText(out, event, inputs, identity, settings_);
}

void CalendarWriter::AppendEnd(std::string& out) const {
    if (opened_) {
        AppendPlainLine(out, "END:VCALENDAR");
    }
}

std::string CalendarText(const std::vector<DeadlineEvent>& events,
                         const CalendarSettings& settings) {
    CalendarWriter writer(settings);
    std::string text;
    for (const DeadlineEvent& event : events) {
        writer.AppendEvent(text, event);
    }
    writer.AppendEnd(text);
    return text;
}

void AppendFoldedLine(std::string& out, std::string_view line) {
    constexpr std::size_t kLineOctets = 75;
    std::size_t room = kLineOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && IsContinuationByte(line[cut])) {
            --cut;
        }
        if (cut == 0) {
            cut = room;  // no character starts in reach: only bytes that are none
        }
        out.append(line.substr(0, cut));
        out += kLineEnd;
        out += ' ';
        line.remove_prefix(cut);
        room = kLineOctets - 1;  // the blank is one of them
    }
    out.append(line);
    out += kLineEnd;
}

void AppendEscapedText(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text.substr(i));
            if (length == 0) {
                out += kReplacement;
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
        switch (c) {
            case '\\':
            case ';':
            case ',':
                out += '\\';
                out += c;
                break;
            case '\r':
                if (i < text.size() && text[i] == '\n') {
                    ++i;  // CR LF is one line end
                }
                [[fallthrough]];
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += c;
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                    out += kReplacement;
                } else {
                    out += c;
                }
        }
    }
}

}  // namespace torvelin
