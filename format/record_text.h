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

// What a field's text may hold, which decides how much care writing it takes.
enum class FieldText {
    Any,     // any bytes: the user's input, and texts with the names a user gave
    Plain,   // the program's own with no byte any format quotes or escapes:
             // dates, weekdays, era dates, the fixed words
    Number,  // the program's own digits, written bare in JSON
};

struct Field {
    std::string_view name;
    std::optional<std::string> value;  // no value: empty in TSV and CSV, null in JSON
    FieldText text = FieldText::Any;

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
// Record, a RecordWriter writes them straight into a line. The sink is known
// when the fields are given, so a batch's calls go straight to its writer.
template <class Sink>
class FieldSink {
public:
    // A field with the value given, or with none.
    void Add(std::string_view name, std::optional<std::string_view> value, FieldText text) {
        if (value) {
            AddWritten(name, text, [value](std::string& out) { out += *value; });
        } else {
            static_cast<Sink&>(*this).AddNull(name, text);
        }
    }

    // A field whose value `write` appends to the string it is handed, so
    // that a long text goes into a line without a string of its own.
    template <class Write>
    void AddWritten(std::string_view name, FieldText text, Write write) {
        Sink& sink = static_cast<Sink&>(*this);
        write(sink.OpenValue(name, text));
        sink.CloseValue();
    }
};

class RecordCollector final : public FieldSink<RecordCollector> {
public:
    Record Collected() && { return std::move(record_); }

private:
    friend FieldSink<RecordCollector>;
    void AddNull(std::string_view name, FieldText text);
    // The string a value is appended to between these two calls.
    std::string& OpenValue(std::string_view name, FieldText text);
    void CloseValue() {}

    Record record_;
};

// Writes RecordLine's text field by field, appended to `line`; End() adds
// the line end.
class RecordWriter final : public FieldSink<RecordWriter> {
public:
    RecordWriter(std::string& line, RecordFormat format);
    void End();

private:
    friend FieldSink<RecordWriter>;
    void AddNull(std::string_view name, FieldText text);
    std::string& OpenValue(std::string_view name, FieldText text);
    void CloseValue();
    void StartField(std::string_view name);

    std::string& line_;
    RecordFormat format_;
    bool first_ = true;
    std::size_t valueStart_ = 0;  // where the open value starts in line_
    FieldText valueText_ = FieldText::Any;
};

}  // namespace torvelin
