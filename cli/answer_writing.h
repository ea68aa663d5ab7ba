// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "cli/batch.h"
#include "cli/command_line.h"
#include "cli/input_decoder.h"
#include "cli/output_buffer.h"
#include "format/answer_text.h"

namespace torvelin {

// Writes "torvelin-calc: MESSAGE" as a line of its own.
void Complain(int fd, std::string_view message);

// Complains about the command line and points to --help.
ExitStatus UsageError(int fd, std::string_view message);

// Writes what is left and turns a failed write into its status and message.
ExitStatus Finish(OutputBuffer& output, int errors, ExitStatus status);

// Writes one answer's text: a result on standard output, anything else on
// standard error, so that d=$(torvelin-calc ...) never holds a message.
ExitStatus WriteAnswerText(bool isResult, const std::string& text, const StandardStreams& streams);

// Writes answers as records on standard output, whatever they hold, and
// gives the status their outcomes call for.
ExitStatus WriteRecordsText(bool allResults, const std::string& text,
                            const StandardStreams& streams);

// The same for an outcome, its value written by valueText.
template <class Value, class ValueText>
ExitStatus WriteAnswer(const Outcome<Value>& outcome, ValueText valueText,
                       const StandardStreams& streams) {
    return WriteAnswerText(std::holds_alternative<Value>(outcome), AnswerText(outcome, valueText),
                           streams);
}

// Answers every line of the named inputs ("-" is standard input) in order.
// An input that cannot be opened or read, even for want of memory, is
// complained about after the answers before it are written, and the next
// input is answered.
// A header line, when given, comes first; what closing writes, when given,
// comes after the last answer, however the inputs ended.
ExitStatus RunBatches(std::span<const std::string_view> names, InputEncoding encoding,
                      const LineAnswer& answer, const StandardStreams& streams,
                      std::string_view header = {},
                      const std::function<void(OutputBuffer&)>& closing = {});

}  // namespace torvelin
