// SPDX-License-Identifier: MIT
#pragma once

#include "version.h"

namespace torvelin {

// The program's identity. The application name is also the title of every
// message and error box.
inline constexpr char kApplicationName[] = "Torvelin";
inline constexpr const char* kApplicationVersion = kVersion.data();  // views a literal
inline constexpr char kDesktopFileName[] = "org.torvelin.torvelin";

// Every caption of the window is set in this face, asked for by name.
inline constexpr char16_t kFormFontFamily[] = u"ＭＳ Ｐゴシック";

// Names the running application (name, version, desktop entry), installs
// the font substitutions the window needs and Qt's Japanese translations. Called right after
// QApplication is created, before any window exists.
void SetUpApplication();

}  // namespace torvelin
