// SPDX-License-Identifier: MIT
#include "cli/batch.h"

#include "calc/calculate.h"
#include "format/answer_text.h"

namespace torvelin {

std::pair<std::string_view, std::string_view> SplitAtTab(std::string_view line) {
    const std::size_t tab = line.find('\t');
    return {line.substr(0, tab),
            tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1)};
}

bool AnswerLine(std::string_view line, OutputBuffer& output, bool longForm) {
    const auto [start, count] = SplitAtTab(line);
    const Outcome<CalendarDate> outcome = Calculate(start, count);
    output.Write(AnswerText(outcome, [longForm](CalendarDate end) {
        return EndDateText(end, longForm ? Form::Long : Form::Short);
    }));
    output.EndLine();
    return std::holds_alternative<CalendarDate>(outcome);
}

bool AnswerLines(LineReader& lines, OutputBuffer& output, const LineAnswer& answer) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    bool allResults = true;
    std::size_t heldBlankLines = 0;  // answered once a line with text follows
    for (bool first = true; output.WriteError() == 0; first = false) {
        const std::optional<InputLine> next = lines.NextLine();
        if (!next) {
            break;
        }
        std::string_view line = next->text;
        if (first && line.starts_with(kByteOrderMark)) {
            line.remove_prefix(kByteOrderMark.size());  // spreadsheets save one
        }
        if (line.empty() && !next->tooLong) {
            ++heldBlankLines;
            continue;
        }
        for (; heldBlankLines > 0; --heldBlankLines) {
            allResults &= answer({}, output);
        }
        allResults &= answer(line, output);  // no text for a line too long to keep
    }
    return allResults;
}

}  // namespace torvelin
