// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace torvelin {

// Marks a message for the catalogue where it is defined; Translated() looks
// it up where it is written.
constexpr std::string_view Translatable(std::string_view english) {
    return english;
}

// Takes the messages' language from LC_MESSAGES and LANGUAGE, and nothing
// else from the locale, so that numbers and dates read and print the same
// everywhere. The catalogue is looked for beside the running program.
void UseMessageLanguage();

// <folder of the program>/../share/locale: where the build tree, the package
// and an installed copy each keep the catalogue.
std::filesystem::path CatalogueFolder(const std::filesystem::path& program);

// The message in the user's language, in UTF-8; the English when there is no
// translation.
std::string Translated(std::string_view english);

// The pattern with each "{}" replaced by the next value, so that a translation
// may put the values where its word order wants them.
std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> values);

// Columns a UTF-8 text takes on a terminal: two for each full-width
// character, one for any other.
std::size_t DisplayWidth(std::string_view text);

}  // namespace torvelin
