#pragma once

namespace torvelin {

// The program's version record. The application name is also the title of
// every message and error box.
inline constexpr char kApplicationName[] = "Torvelin";
inline constexpr char kApplicationVersion[] = "1.00";
inline constexpr char kDesktopFileName[] = "org.torvelin.Torvelin";

}  // namespace torvelin
