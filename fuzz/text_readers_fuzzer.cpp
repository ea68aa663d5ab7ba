// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the date reader, the number reader and the whole
// Calculate step. The input is split at its first tab into a start text and a
// day-count text, as torvelin-calc reads its lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/number_text.h"

namespace {

using namespace torvelin;

// What must hold for any input: a date read, written and read again keeps its
// value and its text; Calculate gives only end dates whose text reads back as
// the same moment, and its only errors are overflow and a result out of range.
bool Holds(std::string_view start, std::string_view count) {
    if (const std::optional<CalendarDate> date = ReadDateText(start)) {
        const std::string written = DateToText(*date);
        const std::optional<CalendarDate> reread = ReadDateText(written);
        if (reread != *date || DateToText(*reread) != written) {
            return false;
        }
    }
    ReadNumberText(count);
    const Outcome<CalendarDate> outcome = Calculate(start, count);
    if (const CalendarDate* end = std::get_if<CalendarDate>(&outcome)) {
        return ReadDateText(DateToText(*end)) == *end;
    }
    const ErrorNumber* error = std::get_if<ErrorNumber>(&outcome);
    return !error || *error == ErrorNumber::InvalidArgument || *error == ErrorNumber::Overflow;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t tab = input.find('\t');
    const std::string_view count = tab == std::string_view::npos ? "" : input.substr(tab + 1);
    if (!Holds(input.substr(0, tab), count)) {
        std::abort();
    }
    return 0;
}
