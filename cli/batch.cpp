#include "cli/batch.h"

#include <string>

#include "calc/calculate.h"

namespace torvelin {

bool AnswerLine(std::string_view line, OutputBuffer& output) {
    const std::size_t tab = line.find('\t');
    const std::string_view start = line.substr(0, tab);
    const std::string_view count =
        tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    const CalculationOutcome outcome = Calculate(start, count);
    if (outcome.error) {
        output.Write("error " + std::to_string(static_cast<int>(*outcome.error)) + ": ");
    }
    output.Write(outcome.text);
    output.EndLine();
    return outcome.kind == CalculationOutcome::Kind::EndDate;
}

bool AnswerLines(LineReader& lines, OutputBuffer& output) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    bool allResults = true;
    std::size_t heldBlankLines = 0;  // answered once a line with text follows
    for (bool first = true; output.WriteError() == 0; first = false) {
        const std::optional<std::string_view> next = lines.NextLine();
        if (!next) {
            break;
        }
        std::string_view line = *next;
        if (first && line.starts_with(kByteOrderMark)) {
            line.remove_prefix(kByteOrderMark.size());  // spreadsheets save one
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            ++heldBlankLines;
            continue;
        }
        for (; heldBlankLines > 0; --heldBlankLines) {
            allResults &= AnswerLine({}, output);
        }
        allResults &= AnswerLine(line, output);
    }
    return allResults;
}

}  // namespace torvelin
