// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "calc/outcome.h"
#include "law/civil_period.h"

namespace torvelin {

// Deadlines as an iCalendar file (RFC 5545) that a calendar program imports:
// one all-day event on the last day of each period, or an event at the moment
// a period in hours ends (Japan Standard Time), with reminders. The text is a
// function of the events and the settings alone, so every front end writes
// the same bytes for the same answers.

// One deadline and the inputs it answers, as the user typed them.
struct DeadlineEvent {
    std::string startText;   // START, or for a rule DATE, the day of its event
    std::string periodText;  // PERIOD; empty for a rule, which fixes it (end.rule)
    std::string caseText;    // the case's number or name (事件); may be empty
    // The reasons and notes it holds are views into the calendar it was
    // counted against, which must outlive the event.
    PeriodEnd end;
};

// The event of an answer to deadline START PERIOD, or to deadline --rule
// (the rule in the answer, periodText empty); nothing for an answer that is
// no deadline: a wrong input or an error gets no event.
std::optional<DeadlineEvent> DeadlineEventOf(std::string_view startText,
                                             std::string_view periodText, std::string_view caseText,
                                             const Outcome<PeriodEnd>& answer);

struct CalendarSettings {
    std::int64_t createdAt = 0;  // UTC seconds since 1970-01-01, 0 or more: each event's DTSTAMP
    // A reminder at 9:00 Japan time on the day this many days before the
    // deadline's day (0 is the day itself); empty for none.
    std::vector<int> reminderDays = {7, 1};
};

// Writes a calendar event by event, for a batch that passes each answer on
// as it comes. The first event opens the calendar, so a run with no deadline
// writes nothing (a calendar must hold an event); the time zone comes before
// the first event that needs it. An event already written, the same inputs
// again, is not written twice: an importer would take the two for one.
class CalendarWriter {
public:
    explicit CalendarWriter(CalendarSettings settings) : settings_(std::move(settings)) {}

    // Appends the event, whole, with what the calendar needs before it.
    void AppendEvent(std::string& out, const DeadlineEvent& event);
    // Appends the calendar's end, if an event opened it.
    void AppendEnd(std::string& out) const;

private:
    CalendarSettings settings_;
    bool opened_ = false;
    bool timeZoneWritten_ = false;
    std::unordered_set<std::uint64_t> written_;  // the events' identities
};

// One calendar with an event for each deadline; empty for none.
std::string CalendarText(const std::vector<DeadlineEvent>& events,
                         const CalendarSettings& settings);

// Appends one content line folded as RFC 5545 asks: at most 75 octets a
// line, each further line starting with a blank, never cut inside a UTF-8
// character, each ending in CR LF.
void AppendFoldedLine(std::string& out, std::string_view line);

// Appends text as an iCalendar TEXT value: backslash, semicolon, comma and
// line ends escaped; a byte that is no UTF-8 and the controls a value cannot
// hold become U+FFFD.
void AppendEscapedText(std::string& out, std::string_view text);

}  // namespace torvelin
