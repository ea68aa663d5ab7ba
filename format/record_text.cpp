// SPDX-License-Identifier: MIT
#include "format/record_text.h"

#include <cstdio>

namespace torvelin {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = SequenceLength(text);
        if (length == 0) {
            valid += kReplacement;
            text.remove_prefix(1);
        } else {
            valid += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return valid;
}

std::string TsvValue(std::string_view text) {
    std::string value = ValidUtf8(text);
    for (char& c : value) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return value;
}

std::string CsvValue(std::string_view text) {
    const std::string value = ValidUtf8(text);
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : ValidUtf8(text)) {
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[7];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    json += escaped;
                } else {
                    json += c;
                }
        }
    }
    return json + '"';
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

std::string RecordLine(const Record& record, RecordFormat format) {
    std::string line;
    if (format == RecordFormat::Json) {
        for (const Field& field : record) {
            line += line.empty() ? "{" : ",";
            line += JsonString(field.name) + ':';
            line += !field.value     ? "null"
                    : field.isNumber ? *field.value
                                     : JsonString(*field.value);
        }
        return (line.empty() ? "{" : line) + "}\n";
    }
    bool first = true;
    for (const Field& field : record) {
        if (!first) {
            line += format == RecordFormat::Tsv ? '\t' : ',';
        }
        first = false;
        const std::string_view value = field.value ? std::string_view(*field.value) : "";
        line += format == RecordFormat::Tsv ? TsvValue(value) : CsvValue(value);
    }
    return line + (format == RecordFormat::Csv ? "\r\n" : "\n");
}

}  // namespace torvelin
