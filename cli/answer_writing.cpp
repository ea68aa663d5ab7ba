// SPDX-License-Identifier: MIT
#include "cli/answer_writing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "cli/translation.h"

namespace torvelin {

void Complain(int fd, std::string_view message) {
    const std::string line = "torvelin-calc: " + std::string(message) + "\n";
    [[maybe_unused]] const ssize_t ignored = write(fd, line.data(), line.size());
}

ExitStatus UsageError(int fd, std::string_view message) {
    Complain(fd, std::string(message) + "\n" +
                     Translated("Try 'torvelin-calc --help' for more information."));
    return ExitStatus::UsageError;
}

ExitStatus Finish(OutputBuffer& output, int errors, ExitStatus status) {
    if (!output.Flush()) {
        Complain(errors,
                 Filled(Translated("write error: {}"), {std::strerror(output.WriteError())}));
        return ExitStatus::WriteFailed;
    }
    return status;
}

ExitStatus WriteAnswerText(bool isResult, const std::string& text, const StandardStreams& streams) {
    if (!isResult) {
        Complain(streams.errors, text);
        return ExitStatus::SomeNotComputed;
    }
    OutputBuffer output(streams.output);
    output.Write(text);
    if (!text.empty() && !text.ends_with('\n')) {
        output.EndLine();
    }
    return Finish(output, streams.errors, ExitStatus::AllResults);
}

ExitStatus WriteRecordsText(bool allResults, const std::string& text,
                            const StandardStreams& streams) {
    OutputBuffer output(streams.output);
    output.Write(text);
    return Finish(output, streams.errors,
                  allResults ? ExitStatus::AllResults : ExitStatus::SomeNotComputed);
}

ExitStatus RunBatches(std::span<const std::string_view> names, InputEncoding encoding,
                      const LineAnswer& answer, const StandardStreams& streams,
                      std::string_view header, const std::function<void(OutputBuffer&)>& closing) {
    OutputBuffer output(streams.output);
    output.Write(header);
    bool allResults = true;
    bool inputFailed = false;
    const auto complain = [&](const std::string& message) {
        output.Flush();  // keeps the answers before the message on a shared terminal
        Complain(streams.errors, message);
        inputFailed = true;
    };
    for (const std::string_view name : names) {
        const bool standardInput = name == "-";
        const std::string shownName =
            standardInput ? Translated("standard input") : std::string(name);
        const int fd =
            standardInput ? streams.input : open(std::string(name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            complain(shownName + ": " + std::strerror(errno));
            continue;
        }
        try {
            LineReader lines(fd, encoding, [&output] { output.Flush(); });
            allResults &= AnswerLines(lines, output, answer);
            if (lines.ReadError() != 0) {
                complain(Filled(Translated("read error: {}: {}"),
                                {shownName, std::strerror(lines.ReadError())}));
            }
        } catch (const std::bad_alloc&) {
            complain(Filled(Translated("{}: out of memory"), {shownName}));
        } catch (const std::exception& error) {
            complain(shownName + ": " + error.what());
        }
        if (!standardInput) {
            close(fd);
        }
        if (output.WriteError() != 0) {
            break;
        }
    }
    if (closing) {
        closing(output);
    }
    const ExitStatus status = inputFailed  ? ExitStatus::InputFailed
                              : allResults ? ExitStatus::AllResults
                                           : ExitStatus::SomeNotComputed;
    return Finish(output, streams.errors, status);
}

}  // namespace torvelin
