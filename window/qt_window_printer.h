// SPDX-License-Identifier: MIT
#pragma once

#include "window/window_printer.h"

namespace torvelin {

// Prints on the system's default printer, without a dialog, at the window's
// physical size (15 twips, 1/96 inch, to a pixel of the layout) in the top-left
// corner of the printable area.
class QtWindowPrinter final : public WindowPrinter {
public:
    void Print(QWidget& window, const QString& documentName) override;
};

}  // namespace torvelin
