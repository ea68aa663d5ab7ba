// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace torvelin {

// What --help prints, made from the tables of options and commands; the
// manual page is made from it.
std::string HelpText();

// What --version prints.
std::string VersionText();

}  // namespace torvelin
