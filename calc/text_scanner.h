// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace torvelin {

// The length of the well-formed UTF-8 sequence at the start of a text that is
// not empty (no stray or missing continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text);

// Walks a UTF-8 text one character at a time, folding the forms a Japanese
// input method types into their plain ASCII equivalents: full-width ASCII
// (U+FF01..U+FF5E, so "２０１３／１０／２８" reads as "2013/10/28") and the
// ideographic space. Bytes that are not valid UTF-8 read as kInvalid, which no
// reader accepts, so malformed input is simply not a date or number.
class TextScanner {
public:
    static constexpr char32_t kEnd = 0xFFFFFFFF;
    static constexpr char32_t kInvalid = 0xFFFFFFFE;

    explicit TextScanner(std::string_view text) : text_(text) { Decode(); }

    char32_t Peek() const { return current_; }
    // The byte offset of the next character.
    std::size_t Position() const { return position_; }
    bool AtEnd() const { return current_ == kEnd; }
    void Advance() {
        position_ += currentLength_;
        Decode();
    }
    bool Accept(char32_t c) {
        if (current_ != c) {
            return false;
        }
        Advance();
        return true;
    }
    // Skips ASCII and ideographic spaces; returns whether there were any.
    bool SkipBlanks();

    // Reads up to maxDigits decimal digits; returns how many were read.
    int ReadDigits(int maxDigits, std::int64_t& value) {
        int count = 0;
        value = 0;
        while (count < maxDigits && AtDigit()) {
            value = value * 10 + (current_ - U'0');
            Advance();
            ++count;
        }
        return count;
    }
    // True when the next character is a decimal digit.
    bool AtDigit() const { return current_ >= U'0' && current_ <= U'9'; }

private:
    static constexpr char32_t FoldWidth(char32_t c) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            return c - 0xFF01 + 0x21;
        }
        return c == 0x3000 ? U' ' : c;
    }

    // ASCII and well-formed three-byte sequences (every kana, kanji and
    // full-width form) are decoded here without a call; the rest is rare.
    void Decode() {
        const std::size_t left = text_.size() - position_;
        if (left == 0) {
            current_ = kEnd;
            currentLength_ = 0;
            return;
        }
        const auto byte = [this](std::size_t i) {
            return static_cast<unsigned char>(text_[position_ + i]);
        };
        const unsigned char lead = byte(0);
        if (lead < 0x80) {
            current_ = lead;
            currentLength_ = 1;
            return;
        }
        // E0 and ED are left to the full decoder: they can start overlong
        // forms and surrogates.
        if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && left >= 3 && (byte(1) & 0xC0) == 0x80 &&
            (byte(2) & 0xC0) == 0x80) {
            current_ =
                FoldWidth(((lead & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F));
            currentLength_ = 3;
            return;
        }
        DecodeOther();
    }
    void DecodeOther();

    std::string_view text_;
    std::size_t position_ = 0;
    char32_t current_ = kEnd;
    std::size_t currentLength_ = 0;
};

}  // namespace torvelin
