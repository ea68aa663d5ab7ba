// SPDX-License-Identifier: MIT
#include "format/record_text.h"

#include <algorithm>
#include <array>
#include <utility>

#include "calc/text_scanner.h"

namespace torvelin {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The ASCII bytes a format must quote, escape or replace.
using SpecialBytes = std::array<bool, 0x80>;

constexpr SpecialBytes Special(std::string_view bytes, bool controls = false) {
    SpecialBytes special{};
    // The controls are the bytes before the space.
    std::fill(special.begin(), special.begin() + ' ', controls);
    for (const char c : bytes) {
        special[static_cast<unsigned char>(c)] = true;
    }
    return special;
}

constexpr bool IsSpecial(const SpecialBytes& special, char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 && special[byte];
}

constexpr SpecialBytes kNoSpecial{};
constexpr SpecialBytes kTsvSpecial = Special("\t\n\r");
constexpr SpecialBytes kCsvSpecial = Special(",\"\r\n");
constexpr SpecialBytes kJsonSpecial = Special("\"\\", true);

// How many bytes from the start of text are well-formed UTF-8 without a
// special byte: what can be copied as it is. ASCII and the three-byte
// sequences without exceptions (kana, kanji, full-width forms) are checked
// inline, the rest by Utf8SequenceLength.
std::size_t PlainPrefixLength(std::string_view text, const SpecialBytes& special) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            if (special[lead]) {
                break;
            }
            ++i;
        } else if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && i + 2 < size &&
                   (bytes[i + 1] & 0xC0) == 0x80 && (bytes[i + 2] & 0xC0) == 0x80) {
            i += 3;
        } else if (const std::size_t length = Utf8SequenceLength(text.substr(i)); length != 0) {
            i += length;
        } else {
            break;
        }
    }
    return i;
}

// Appends text with each byte that starts no well-formed sequence replaced.
void AppendValidUtf8(std::string& out, std::string_view text) {
    for (std::size_t valid; (valid = PlainPrefixLength(text, kNoSpecial)) < text.size();) {
        out.append(text.substr(0, valid));
        out += kReplacement;
        text.remove_prefix(valid + 1);
    }
    out.append(text);
}

// Each value is scanned once; only one that needs care is scanned again.
bool AppendedAsIs(std::string& out, std::string_view text, const SpecialBytes& special) {
    if (PlainPrefixLength(text, special) != text.size()) {
        return false;
    }
    out.append(text);
    return true;
}

void AppendTsvValue(std::string& out, std::string_view text) {
    if (AppendedAsIs(out, text, kTsvSpecial)) {
        return;
    }
    const std::size_t start = out.size();
    AppendValidUtf8(out, text);
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
        [](char c) { return IsSpecial(kTsvSpecial, c); }, ' ');
}

void AppendCsvValue(std::string& out, std::string_view text) {
    if (AppendedAsIs(out, text, kCsvSpecial)) {
        return;
    }
    const auto needsQuotes = [](char c) { return IsSpecial(kCsvSpecial, c); };
    if (std::none_of(text.begin(), text.end(), needsQuotes)) {
        AppendValidUtf8(out, text);
        return;
    }
    out += '"';
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
        AppendValidUtf8(out, text.substr(0, quote + 1));
        out += '"';
        text.remove_prefix(quote + 1);
    }
    AppendValidUtf8(out, text);
    out += '"';
}

// The text of a JSON string, without its quotes.
void AppendJsonText(std::string& out, std::string_view text) {
    if (AppendedAsIs(out, text, kJsonSpecial)) {
        return;
    }
    std::string valid;
    AppendValidUtf8(valid, text);
    for (const char c : valid) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    constexpr std::string_view kHexDigits = "0123456789abcdef";
                    out += "\\u00";  // a control's code point has two hex digits
                    out += kHexDigits[static_cast<unsigned char>(c) >> 4];
                    out += kHexDigits[static_cast<unsigned char>(c) & 0xF];
                } else {
                    out += c;
                }
        }
    }
}

}  // namespace

std::string HeaderLine(const Record& record, RecordFormat format) {
    if (format == RecordFormat::Json) {
        return {};
    }
    std::string line;
    for (const Field& field : record) {
        if (!line.empty()) {
            line += format == RecordFormat::Tsv ? '\t' : ',';
        }
        line += field.name;
    }
    return line + (format == RecordFormat::Csv ? "\r\n" : "\n");
}

RecordWriter::RecordWriter(std::string& line, RecordFormat format) : line_(line), format_(format) {
    if (format_ == RecordFormat::Json) {
        line_ += '{';
    }
}

void RecordWriter::Add(std::string_view name, std::optional<std::string_view> value,
                       bool isNumber) {
    using namespace std::string_view_literals;
    const bool first = std::exchange(first_, false);
    if (format_ == RecordFormat::Json) {
        // Names are the program's own identifiers: nothing to escape.
        line_ += first ? "\""sv : ",\""sv;
        line_ += name;
        if (!value) {
            line_ += "\":null"sv;
        } else if (isNumber) {
            line_ += "\":"sv;
            line_ += *value;
        } else {
            line_ += "\":\""sv;
            AppendJsonText(line_, *value);
            line_ += "\""sv;
        }
        return;
    }
    if (!first) {
        line_ += format_ == RecordFormat::Tsv ? "\t"sv : ","sv;
    }
    if (format_ == RecordFormat::Tsv) {
        AppendTsvValue(line_, value.value_or(""));
    } else {
        AppendCsvValue(line_, value.value_or(""));
    }
}

void RecordWriter::End() {
    line_ += format_ == RecordFormat::Json ? "}\n" : format_ == RecordFormat::Csv ? "\r\n" : "\n";
}

void RecordCollector::Add(std::string_view name, std::optional<std::string_view> value,
                          bool isNumber) {
    record_.push_back({name, value ? std::optional<std::string>(*value) : std::nullopt, isNumber});
}

std::string RecordLine(const Record& record, RecordFormat format) {
    std::string line;
    RecordWriter writer(line, format);
    for (const Field& field : record) {
        writer.Add(field.name, field.value, field.isNumber);
    }
    writer.End();
    return line;
}

}  // namespace torvelin
