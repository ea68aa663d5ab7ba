// SPDX-License-Identifier: MIT
// Prints the national holidays of the years given (default 1948 to 2150), one
// "yyyy/mm/dd<TAB>name" line each, for the comparison with
// holidays_reference.py.
#include <cstdio>
#include <cstdlib>

#include "calc/calendar_text.h"

int main(int argc, char** argv) {
    const int firstYear = argc > 1 ? std::atoi(argv[1]) : 1948;
    const int lastYear = argc > 2 ? std::atoi(argv[2]) : 2150;
    torvelin::HolidayCalendar calendar;
    const std::string text = torvelin::HolidayListText(firstYear, lastYear, calendar);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
