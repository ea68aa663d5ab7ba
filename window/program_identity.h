#pragma once

#include "version.h"

namespace torvelin {

// The program's version record. The application name is also the title of
// every message and error box.
inline constexpr char kApplicationName[] = "Torvelin";
inline constexpr const char* kApplicationVersion = kVersion.data();  // views a literal
inline constexpr char kDesktopFileName[] = "org.torvelin.torvelin";

}  // namespace torvelin
