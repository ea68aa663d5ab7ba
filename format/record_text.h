// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvelin {

// Answers as records for spreadsheets and other programs: each carries the
// inputs it answers, so a reader joins them back without relying on order.
enum class RecordFormat {
    Tsv,   // a header line, then one tab-separated line a record
    Csv,   // RFC 4180: a header line, fields quoted where needed, CR LF
    Json,  // one object a line, no header
};

struct Field {
    std::string_view name;
    std::optional<std::string> value;  // no value: empty in TSV and CSV, null in JSON
    bool isNumber = false;             // written bare in JSON

    friend bool operator==(const Field&, const Field&) = default;
};
using Record = std::vector<Field>;

// The line that names the fields, with its line end; empty for JSON.
std::string HeaderLine(const Record& record, RecordFormat format);

// One record with its line end. Texts that are not valid UTF-8 have each bad
// byte replaced by U+FFFD; in TSV a tab or line break in a value becomes a
// space, since TSV cannot quote.
std::string RecordLine(const Record& record, RecordFormat format);

// RecordLine added to the end of text, so that a batch reuses one buffer.
void AppendRecordLine(std::string& text, const Record& record, RecordFormat format);

}  // namespace torvelin
