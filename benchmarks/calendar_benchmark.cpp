// SPDX-License-Identifier: MIT
// The court calendar: "is this day closed" once its year is known, a year
// worked out for the first time, and a whole deadline from the texts a user
// types. Run a release build:
//   build/release/benchmarks/calendar_benchmark
#include <benchmark/benchmark.h>

#include "calc/date_text.h"
#include "format/answer_text.h"
#include "law/period_text.h"

namespace {

using torvelin::CalendarKind;
using torvelin::ClosedDayCalendar;

// Every day of 2024 in turn, so no single answer can be kept in a register.
void IsClosedKnownYear(benchmark::State& state) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    const std::int64_t first = torvelin::DayNumberFromCivil({2024, 1, 1});
    calendar.IsClosed(first);
    std::int64_t offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calendar.IsClosed(first + offset));
        offset = offset == 365 ? 0 : offset + 1;
    }
}
BENCHMARK(IsClosedKnownYear);

void WorkOutAYear(benchmark::State& state) {
    int year = 1948;
    for (auto _ : state) {
        benchmark::DoNotOptimize(torvelin::NationalHolidaysOf(year));
        year = year == 2150 ? 1948 : year + 1;
    }
}
BENCHMARK(WorkOutAYear);

// Read the start and the period, find the end moved past closed days, and
// write the long line, with a calendar kept across deadlines as callers do.
void WholeDeadline(benchmark::State& state) {
    ClosedDayCalendar calendar(CalendarKind::Court);
    for (auto _ : state) {
        const auto start = torvelin::ReadDateText("2024/12/20");
        const auto period = torvelin::ReadPeriodText("10日");
        const torvelin::PeriodEnd end = torvelin::EndOfPeriod(
            start->DayNumber(), *period, torvelin::FirstDay::Excluded, calendar);
        std::string line = torvelin::PeriodEndText(end, torvelin::Form::Long);
        benchmark::DoNotOptimize(line);
    }
}
BENCHMARK(WholeDeadline);

}  // namespace

BENCHMARK_MAIN();
