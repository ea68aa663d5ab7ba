// SPDX-License-Identifier: MIT
// One recalculation of the deadline window as the user types: the answer, its
// texts, the months of the period and their painting. Run a release build:
//   build/bench/benchmarks/deadline_window_benchmark
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>

#include "format/deadline_question.h"
#include "law/holiday_calendar.h"
#include "window/deadline_window.h"

namespace {

// The core's answer with the marked months, without the widgets.
void AnswerWithMonths(benchmark::State& state) {
    torvelin::ClosedDayCalendar calendar(torvelin::CalendarKind::Court);
    torvelin::DeadlineQuestion question;
    question.startText = "2024/12/16";
    question.countText = "十四";
    for (auto _ : state) {
        torvelin::DeadlineAnswer answer = torvelin::AnswerTo(question, calendar);
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(AnswerWithMonths)->Unit(benchmark::kMicrosecond);

// A keystroke that changes the start, then the months painted as they show.
void RecalculateAndPaint(benchmark::State& state, const char* count, int unit) {
    torvelin::DeadlineWindow window(QStringLiteral("2024/12/16"));
    auto* start = window.findChild<QLineEdit*>(QStringLiteral("start"));
    window.findChild<QLineEdit*>(QStringLiteral("count"))->setText(QString::fromUtf8(count));
    window.findChild<QComboBox*>(QStringLiteral("unit"))->setCurrentIndex(unit);
    QWidget* months = window.findChild<QWidget*>(QStringLiteral("months"));
    window.show();
    QImage image(months->sizeHint(), QImage::Format_ARGB32_Premultiplied);
    const QString starts[] = {QStringLiteral("2024/12/16"), QStringLiteral("2024/12/17")};
    int turn = 0;
    for (auto _ : state) {
        start->setText(starts[turn ^= 1]);
        months->render(&image);
    }
}
BENCHMARK_CAPTURE(RecalculateAndPaint, fourteen_days, "14", 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RecalculateAndPaint, hundred_twenty_months, "120", 2)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
