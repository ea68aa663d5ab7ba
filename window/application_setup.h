#pragma once

namespace torvelin {

// Names the running application (name, version, desktop entry) and installs
// the font substitutions the window needs. Called right after QApplication is
// created, before any window exists.
void SetUpApplication();

}  // namespace torvelin
