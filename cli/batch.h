// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string_view>

#include "cli/line_reader.h"
#include "cli/output_buffer.h"

namespace torvelin {

// Answers one line of a batch with one output line; returns whether it gave
// a result.
using LineAnswer = std::function<bool(std::string_view line, OutputBuffer& output)>;

// Answers one batch line "START<TAB>COUNT" with one output line: the end date
// (in the long form, followed by its weekday and era date), the message about
// the wrong input, or "error N: DESCRIPTION". Returns whether it gave an end
// date.
bool AnswerLine(std::string_view line, OutputBuffer& output, bool longForm);

// Splits a batch line at its first tab into its two fields.
std::pair<std::string_view, std::string_view> SplitAtTab(std::string_view line);

// Answers every line of one input with the given answer, in order, one output
// line each; a bad line never stops it, a failed write does. A UTF-8
// byte-order mark before the first line is no part of the line. A blank line,
// and a line too long to keep, get the message about the start date, except
// blank lines at the end of the input, which are no records. Returns whether
// every line gave an end date.
bool AnswerLines(LineReader& lines, OutputBuffer& output, const LineAnswer& answer);

}  // namespace torvelin
