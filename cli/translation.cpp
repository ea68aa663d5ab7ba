// SPDX-License-Identifier: MIT
#include "cli/translation.h"

#include <libintl.h>
#include <locale.h>

#include <system_error>

namespace torvelin {
namespace {

constexpr const char* kDomain = "torvelin-calc";

bool IsFullWidth(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

void UseMessageLanguage() {
    setlocale(LC_MESSAGES, "");
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        bindtextdomain(kDomain, CatalogueFolder(program).c_str());
    }
    bind_textdomain_codeset(kDomain, "UTF-8");
    // strerror()'s texts too, which would otherwise follow LC_CTYPE, left "C".
    bind_textdomain_codeset("libc", "UTF-8");
}

std::filesystem::path CatalogueFolder(const std::filesystem::path& program) {
    return program.parent_path().parent_path() / "share" / "locale";
}

std::string Translated(std::string_view english) {
    if (english.empty()) {
        return {};  // gettext would give the catalogue's header
    }
    const std::string key(english);
    return dgettext(kDomain, key.c_str());
}

std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    const std::string_view* next = values.begin();
    for (std::size_t at = pattern.find("{}"); at != pattern.npos && next != values.end();
         at = pattern.find("{}")) {
        text.append(pattern.substr(0, at)).append(*next++);
        pattern.remove_prefix(at + 2);
    }
    return text.append(pattern);
}

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) & 0x3FU : 0U;
        };
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t c = lead;
        std::size_t length = 1;
        if (lead >= 0xF0) {
            c = ((lead & 0x07U) << 18) | (byte(1) << 12) | (byte(2) << 6) | byte(3);
            length = 4;
        } else if (lead >= 0xE0) {
            c = ((lead & 0x0FU) << 12) | (byte(1) << 6) | byte(2);
            length = 3;
        } else if (lead >= 0xC2) {
            length = 2;  // U+0080..U+07FF, none of them full width
        }
        width += IsFullWidth(c) ? 2 : 1;
        i += length;
    }
    return width;
}

}  // namespace torvelin
