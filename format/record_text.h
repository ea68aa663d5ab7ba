// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// Receives a record's fields in order: a RecordCollector keeps them as a
// Record, a RecordWriter writes them straight into a line.
class FieldSink {
public:
    virtual void Add(std::string_view name, std::optional<std::string_view> value,
                     bool isNumber = false) = 0;

protected:
    ~FieldSink() = default;
};

class RecordCollector final : public FieldSink {
public:
    void Add(std::string_view name, std::optional<std::string_view> value, bool isNumber) override;
    Record Collected() && { return std::move(record_); }

private:
    Record record_;
};

// Writes RecordLine's text field by field, appended to `line`; End() adds
// the line end.
class RecordWriter final : public FieldSink {
public:
    RecordWriter(std::string& line, RecordFormat format);
    void Add(std::string_view name, std::optional<std::string_view> value, bool isNumber) override;
    void End();

private:
    std::string& line_;
    RecordFormat format_;
    bool first_ = true;
};

}  // namespace torvelin
