#pragma once

#include <QFont>

namespace torvelin {

// Every caption of the window is set in this face, asked for by name.
inline constexpr char16_t kFormFontFamily[] = u"ＭＳ Ｐゴシック";

// Where the form's face is missing (it is on Linux), text falls back to the
// metric-compatible IPAPGothic, then to Noto Sans CJK JP, then to the
// system's sans-serif. Called once when the application starts.
void InstallFontSubstitutions();

// The form's face at the given size and weight.
QFont FormFont(qreal pointSize, QFont::Weight weight);

}  // namespace torvelin
