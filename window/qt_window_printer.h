// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "window/window_printer.h"

class QThread;

namespace torvelin {

// Prints on the system's default printer, without a dialog, at the window's
// physical size (15 twips, 1/96 inch, to a pixel of the layout) in the top-left
// corner of the printable area. The print service is asked on a thread of its
// own; its answer comes back through the event loop.
class QtWindowPrinter final : public WindowPrinter {
public:
    QtWindowPrinter();
    ~QtWindowPrinter() override;  // waits for a question still out: its wait is bounded
    void Print(QWidget& window, const QString& documentName, Finished finished) override;

private:
    std::unique_ptr<QThread> asking_;
};

}  // namespace torvelin
