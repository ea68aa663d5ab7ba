// SPDX-License-Identifier: MIT
#include "format/record_text.h"

#include <algorithm>
#include <array>

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

constexpr SpecialBytes kAnySpecial = Special(",\"\\", true);

constexpr const SpecialBytes& SpecialBytesOf(RecordFormat format) {
    return format == RecordFormat::Tsv   ? kTsvSpecial
           : format == RecordFormat::Csv ? kCsvSpecial
                                         : kJsonSpecial;
}

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

void AppendTsvValue(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    AppendValidUtf8(out, text);
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
        [](char c) { return IsSpecial(kTsvSpecial, c); }, ' ');
}

void AppendCsvValue(std::string& out, std::string_view text) {
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

bool NeedsNoCare(std::string_view text) {
    return PlainPrefixLength(text, kAnySpecial) == text.size();
}

std::size_t CarefreeLength(std::string_view text, RecordFormat format) {
    return PlainPrefixLength(text, SpecialBytesOf(format));
}

void RewriteWithCare(std::string& line, std::size_t start, RecordFormat format) {
    const std::string written = line.substr(start);
    line.resize(start);
    switch (format) {
        case RecordFormat::Tsv:
            AppendTsvValue(line, written);
            break;
        case RecordFormat::Csv:
            AppendCsvValue(line, written);
            break;
        case RecordFormat::Json:
            AppendJsonText(line, written);
            break;
    }
}

void RecordCollector::WriteNull(const FieldName& name, FieldText text) {
    record_.push_back({name.Name(), std::nullopt, text});
}

std::string& RecordCollector::OpenValue(const FieldName& name, FieldText text) {
    return *record_.emplace_back(Field{name.Name(), std::string(), text}).value;
}

std::string RecordLine(const Record& record, RecordFormat format) {
    std::string line;
    WithRecordWriter(line, format, [&record](auto& writer) {
        for (const Field& field : record) {
            writer.AddOptional(FieldName(field.name), field.value, field.text);
        }
        writer.End();
    });
    return line;
}

}  // namespace torvelin
