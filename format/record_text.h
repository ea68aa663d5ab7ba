// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cassert>
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

// A field's name, with the key that opens its value in JSON ("name": and
// the quote of a text) made once, where the name is defined as a constant,
// rather than for every record; fields are given such names by reference.
class FieldName {
public:
    template <std::size_t N>
    explicit consteval FieldName(const char (&name)[N])
        : FieldName(std::string_view(name, N - 1)) {}
    constexpr explicit FieldName(std::string_view name) : name_(name) {
        if (name.size() <= kLongestKept) {
            std::size_t i = 0;
            key_[i++] = '"';
            for (const char c : name) {
                key_[i++] = c;
            }
            key_[i++] = '"';
            key_[i++] = ':';
            key_[i] = '"';
            keySize_ = i;
        }
    }

    constexpr std::string_view Name() const { return name_; }
    // Empty for a name too long to keep its key.
    constexpr std::string_view JsonKey(bool quoted) const {
        return keySize_ == 0 ? std::string_view()
                             : std::string_view(key_.data(), keySize_ + quoted);
    }

private:
    static constexpr std::size_t kLongestKept = 24;
    static constexpr std::string_view kKeyMarks = "\"\":\"";  // around the name
    std::string_view name_;
    std::array<char, kLongestKept + kKeyMarks.size()> key_{};
    std::size_t keySize_ = 0;
};

// Receives a record's fields in order: a RecordCollector keeps them as a
// Record, a RecordWriter writes them straight into a line. The sink is known
// when the fields are given, so a batch's calls go straight to its writer.
template <class Sink>
class FieldSink {
public:
    // A field with the value given.
    void Add(const FieldName& name, std::string_view value, FieldText text) {
        AddWritten(name, text, [value](std::string& out) { out += value; });
    }
    // A field with no value: empty in TSV and CSV, null in JSON.
    void AddNull(const FieldName& name, FieldText text) {
        static_cast<Sink&>(*this).WriteNull(name, text);
    }
    // A field with the value given, or with none.
    void AddOptional(const FieldName& name, std::optional<std::string_view> value, FieldText text) {
        if (value) {
            Add(name, *value, text);
        } else {
            AddNull(name, text);
        }
    }

    // A field whose value `write` appends to the string it is handed, so
    // that a long text goes into a line without a string of its own.
    template <class Write>
    void AddWritten(const FieldName& name, FieldText text, Write write) {
        Sink& sink = static_cast<Sink&>(*this);
        std::string& out = sink.OpenValue(name, text);
        const std::size_t start = out.size();
        write(out);
        sink.CloseValue(start, text);
    }
};

class RecordCollector final : public FieldSink<RecordCollector> {
public:
    Record Collected() && { return std::move(record_); }

private:
    friend FieldSink<RecordCollector>;
    void WriteNull(const FieldName& name, FieldText text);
    // The string a value is appended to between these two calls.
    std::string& OpenValue(const FieldName& name, FieldText text);
    void CloseValue(std::size_t, FieldText) {}

    Record record_;
};

// Whether text needs no care in any format: valid UTF-8 without a byte that
// one of them quotes, escapes or replaces, so that a value made of such
// texts and the program's own can be written as FieldText::Plain.
bool NeedsNoCare(std::string_view text);

// Rewrites the value at line[start..] with the care its format takes:
// quoting, escaping and UTF-8 repair. Values rarely need it.
void RewriteWithCare(std::string& line, std::size_t start, RecordFormat format);

// How many bytes from the start of text need no care in the format: valid
// UTF-8 without a byte that the format quotes, escapes or replaces.
std::size_t CarefreeLength(std::string_view text, RecordFormat format);

// Writes RecordLine's text field by field, appended to `line`; End() adds
// the line end. The format is known when the fields are given, and each value
// is followed by its separator, which End() turns into the record's end, so
// that writing a field costs little more than its value.
template <RecordFormat kFormat>
class RecordWriter final : public FieldSink<RecordWriter<kFormat>> {
public:
    explicit RecordWriter(std::string& line) : line_(Opened(line)), fieldsStart_(line_.size()) {}
    void End() {
        using namespace std::string_view_literals;
        constexpr std::string_view kEnd = kFormat == RecordFormat::Json  ? "}\n"sv
                                          : kFormat == RecordFormat::Csv ? "\r\n"sv
                                                                         : "\n"sv;
        if (line_.size() > fieldsStart_) {
            line_.back() = kEnd.front();  // the last field's separator
            line_ += kEnd.substr(1);
        } else {
            line_ += kEnd;
        }
    }

private:
    friend FieldSink<RecordWriter>;
    static constexpr char kSeparator = kFormat == RecordFormat::Tsv ? '\t' : ',';
    // The line with the record's opening, if its format has one.
    static std::string& Opened(std::string& line) {
        if constexpr (kFormat == RecordFormat::Json) {
            line += '{';
        }
        return line;
    }
    static constexpr bool Quoted(FieldText text) {
        return kFormat == RecordFormat::Json && text != FieldText::Number;
    }

    // In JSON, the key; in TSV and CSV, nothing: the separator went before.
    void StartField(const FieldName& name, bool quoted) {
        using namespace std::string_view_literals;
        if constexpr (kFormat == RecordFormat::Json) {
            // Names are the program's own identifiers: nothing to escape.
            if (const std::string_view key = name.JsonKey(quoted); !key.empty()) {
                line_ += key;
            } else {
                line_ += '"';
                line_ += name.Name();
                line_ += quoted ? "\":\""sv : "\":"sv;
            }
        }
    }
    void WriteNull(const FieldName& name, FieldText) {
        using namespace std::string_view_literals;
        StartField(name, false);
        if constexpr (kFormat == RecordFormat::Json) {
            line_ += "null"sv;
        }
        line_ += kSeparator;
    }
    std::string& OpenValue(const FieldName& name, FieldText text) {
        StartField(name, Quoted(text));
        return line_;
    }
    // The value went into the line as it was written; the rare one that
    // needs care is written again with it. The program's plain texts need
    // none, which a debug build checks.
    void CloseValue(std::size_t start, FieldText text) {
        using namespace std::string_view_literals;
        const auto needsCare = [&] {
            const std::string_view value = std::string_view(line_).substr(start);
            return CarefreeLength(value, kFormat) != value.size();
        };
        if (text == FieldText::Plain) {
            assert(!needsCare());
        } else if (needsCare()) {
            RewriteWithCare(line_, start, kFormat);
        }
        if (Quoted(text)) {
            line_ += "\","sv;
        } else {
            line_ += kSeparator;
        }
    }

    std::string& line_;
    std::size_t fieldsStart_;  // where the first field starts in line_
};

// Calls use with the RecordWriter of the format, writing into line.
template <class Use>
void WithRecordWriter(std::string& line, RecordFormat format, Use use) {
    switch (format) {
        case RecordFormat::Tsv: {
            RecordWriter<RecordFormat::Tsv> writer(line);
            return use(writer);
        }
        case RecordFormat::Csv: {
            RecordWriter<RecordFormat::Csv> writer(line);
            return use(writer);
        }
        case RecordFormat::Json: {
            RecordWriter<RecordFormat::Json> writer(line);
            return use(writer);
        }
    }
}

}  // namespace torvelin
