// SPDX-License-Identifier: MIT
#include "cli/input_decoder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <stdexcept>

namespace torvelin {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // what iconv_open returns on failure

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == y;
    });
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kByteOrderMarks[] = {"\xFF\xFE", "\xFE\xFF", kUtf8Mark};

// Whether more bytes could still make these the start of a byte-order mark.
bool MayBecomeByteOrderMark(std::string_view bytes) {
    return std::any_of(std::begin(kByteOrderMarks), std::end(kByteOrderMarks),
                       [&](std::string_view mark) {
                           return bytes.size() < mark.size() && mark.starts_with(bytes);
                       });
}

}  // namespace

std::optional<InputEncoding> EncodingNamed(std::string_view name) {
    for (const std::string_view utf8 : {"utf-8", "utf8"}) {
        if (SameName(name, utf8)) {
            return InputEncoding::Utf8;
        }
    }
    // Japanese spreadsheets call their code page Shift_JIS; its extensions
    // (NEC and IBM characters, the yen sign as a backslash) are code page 932.
    for (const std::string_view cp932 :
         {"cp932", "shift_jis", "shift-jis", "sjis", "windows-31j"}) {
        if (SameName(name, cp932)) {
            return InputEncoding::Cp932;
        }
    }
    return std::nullopt;
}

InputDecoder::InputDecoder(InputEncoding declared) : declared_(declared) {}

void InputDecoder::Choose(InputEncoding declared) {
    const char* from = nullptr;
    if (carried_.starts_with("\xFF\xFE")) {
        from = "UTF-16LE";
    } else if (carried_.starts_with("\xFE\xFF")) {
        from = "UTF-16BE";
    }
    if (from != nullptr) {
        carried_.erase(0, 2);
        unitSize_ = 2;
    } else if (declared == InputEncoding::Cp932 && !carried_.starts_with(kUtf8Mark)) {
        from = "CP932";
    } else {
        source_ = Source::Utf8;
        return;
    }
    const iconv_t converter = iconv_open("UTF-8", from);
    if (converter == kNoConverter) {
        throw std::runtime_error(std::string("no conversion from ") + from);
    }
    converter_.reset(converter);
    source_ = Source::Converted;
}

void InputDecoder::Decode(std::string_view bytes, std::string& text) {
    if (source_ == Source::Utf8) {
        text.append(bytes);
        return;
    }
    carried_.append(bytes);
    if (source_ == Source::Undecided) {
        if (MayBecomeByteOrderMark(carried_)) {
            return;  // wait for the rest of it, or for a byte that rules it out
        }
        Choose(declared_);
        if (source_ == Source::Utf8) {
            text.append(carried_);
            carried_.clear();
            return;
        }
    }
    Convert(text, false);
}

void InputDecoder::Finish(std::string& text) {
    if (source_ == Source::Undecided) {
        Choose(declared_);
    }
    if (source_ == Source::Utf8) {
        text.append(carried_);
        carried_.clear();
        return;
    }
    Convert(text, true);
}

void InputDecoder::Convert(std::string& text, bool atEnd) {
    char* in = carried_.data();
    std::size_t inLeft = carried_.size();
    while (inLeft > 0) {
        const std::size_t used = text.size();
        // Room for the UTF-8 of any input: at most three bytes for each byte
        // of CP932 or UTF-16; E2BIG asks for more all the same.
        text.resize(used + inLeft * 3);
        char* out = text.data() + used;
        std::size_t outLeft = text.size() - used;
        const std::size_t converted = iconv(converter_.get(), &in, &inLeft, &out, &outLeft);
        const int reason = errno;
        text.resize(static_cast<std::size_t>(out - text.data()));
        if (converted != static_cast<std::size_t>(-1) || reason == E2BIG) {
            continue;
        }
        if (reason == EINVAL && !atEnd) {
            break;  // the rest of this character comes with the next piece
        }
        text.append(kReplacementCharacter);
        const std::size_t skipped = std::min(unitSize_, inLeft);
        in += skipped;
        inLeft -= skipped;
    }
    carried_.erase(0, carried_.size() - inLeft);
}

}  // namespace torvelin
