// SPDX-License-Identifier: MIT
#include "calc/text_scanner.h"

namespace torvelin {

std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 2;  // for a lead from C2 to DF
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else if (lead < 0xC2 || lead > 0xDF) {
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

void TextScanner::DecodeOther() {
    const auto byte = [this](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
    const unsigned char lead = byte(position_);
    std::size_t length;
    char32_t c;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        current_ = kInvalid;
        currentLength_ = 1;
        return;
    }
    std::size_t i = 1;
    for (; i < length && position_ + i < text_.size(); ++i) {
        const unsigned char next = byte(position_ + i);
        if ((next & 0xC0) != 0x80) {
            break;
        }
        c = (c << 6) | (next & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (i != length || c < minimum || c > 0x10FFFF || surrogate) {
        current_ = kInvalid;
        currentLength_ = i;
        return;
    }
    current_ = FoldWidth(c);
    currentLength_ = length;
}

bool TextScanner::SkipBlanks() {
    bool skipped = false;
    while (current_ == U' ') {
        Advance();
        skipped = true;
    }
    return skipped;
}

}  // namespace torvelin
