// SPDX-License-Identifier: MIT
#pragma once

#include <iconv.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace torvelin {

// The encodings a batch may be declared in. A byte-order mark at the start of
// an input selects UTF-16 or UTF-8 whatever is declared (a UTF-8 spreadsheet
// saved as CSV begins with one).
enum class InputEncoding { Utf8, Cp932 };

// The encoding named by --encoding (case-insensitive), or nothing.
std::optional<InputEncoding> EncodingNamed(std::string_view name);

// Turns the bytes of one input, given in pieces as they are read, into UTF-8.
// A character cut between two pieces is kept for the next one. A byte sequence
// that is no character becomes U+FFFD, so its line reads as wrong input while
// the line breaks around it stay where they were.
class InputDecoder {
public:
    explicit InputDecoder(InputEncoding declared);

    // Appends the text of the next piece of input to `text`.
    void Decode(std::string_view bytes, std::string& text);
    // Appends what is left at the end of the input.
    void Finish(std::string& text);

private:
    enum class Source { Undecided, Utf8, Converted };

    void Choose(InputEncoding declared);
    void Convert(std::string& text, bool atEnd);

    InputEncoding declared_;
    Source source_ = Source::Undecided;
    struct ConverterCloser {
        void operator()(iconv_t converter) const { iconv_close(converter); }
    };
    std::unique_ptr<std::remove_pointer_t<iconv_t>, ConverterCloser> converter_;
    std::size_t unitSize_ = 1;  // bytes skipped over a sequence that is no character
    std::string carried_;       // bytes not yet decoded
};

}  // namespace torvelin
