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
#include "calc/runtime_error.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckDateReader(std::string_view text) {
    const std::optional<torvelin::CalendarDate> date = torvelin::ReadDateText(text);
    Check(torvelin::IsDateText(text) == date.has_value());
    try {
        const torvelin::CalendarDate converted = torvelin::DateFromText(text);
        Check(date && converted == *date);
        const std::string written = torvelin::DateToText(converted);
        Check(torvelin::ReadDateText(written) == converted);
        Check(torvelin::DateToText(torvelin::DateFromText(written)) == written);
    } catch (const torvelin::RuntimeError& error) {
        Check(!date && error.Number() == torvelin::ErrorNumber::TypeMismatch);
    }
}

void CheckNumberReader(std::string_view text) {
    const std::optional<double> number = torvelin::ReadNumberText(text);
    Check(torvelin::IsNumberText(text) == number.has_value());
    try {
        const double converted = torvelin::NumberFromText(text);
        Check(number && converted == *number);
    } catch (const torvelin::RuntimeError& error) {
        Check(!number && error.Number() == torvelin::ErrorNumber::TypeMismatch);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t tab = input.find('\t');
    const std::string_view start = input.substr(0, tab);
    const std::string_view count = tab == std::string_view::npos ? "" : input.substr(tab + 1);

    CheckDateReader(start);
    CheckNumberReader(count);
    try {
        const torvelin::CalculationOutcome outcome = torvelin::Calculate(start, count);
        if (outcome.kind == torvelin::CalculationOutcome::Kind::EndDate) {
            Check(torvelin::IsDateText(outcome.text));
        }
    } catch (const torvelin::RuntimeError& error) {
        Check(error.Code() == 5 || error.Code() == 6);
    }
    return 0;
}
