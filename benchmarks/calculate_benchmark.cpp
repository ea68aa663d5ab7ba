// SPDX-License-Identifier: MIT
// The Calculate step, from the two entry texts to the result text, beside a
// baseline that does the same job with QDate. Run a release build:
//   build/bench/benchmarks/calculate_benchmark
#include <benchmark/benchmark.h>

#include <QDate>
#include <QString>

#include "calc/calculate.h"
#include "format/answer_text.h"

namespace {

void Calculate(benchmark::State& state, const char* start, const char* count) {
    for (auto _ : state) {
        std::string text = torvelin::AnswerText(torvelin::Calculate(start, count), [](auto end) {
            return torvelin::EndDateText(end, torvelin::Form::Short);
        });
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK_CAPTURE(Calculate, plain_date, "2013/10/28", "120");
BENCHMARK_CAPTURE(Calculate, era_date, "平成25年10月28日", "120");
BENCHMARK_CAPTURE(Calculate, full_width_date, "２０１３／１０／２８", "１２０");

// The same job through Qt: the texts arrive as UTF-8, as they do for Calculate.
void QDateBaseline(benchmark::State& state, const char* start, const char* count) {
    for (auto _ : state) {
        const QDate date = QDate::fromString(QString::fromUtf8(start), QStringLiteral("yyyy/M/d"));
        bool ok = false;
        const double days = QString::fromUtf8(count).toDouble(&ok);
        const QString text =
            date.addDays(qRound(days - 1.0)).toString(QStringLiteral("yyyy/MM/dd"));
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK_CAPTURE(QDateBaseline, plain_date, "2013/10/28", "120");

}  // namespace

BENCHMARK_MAIN();
