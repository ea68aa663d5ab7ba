// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace torvelin {

// Puts an image of a window on paper.
class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;

    // Prints the window's client area as it looks now, under the given job
    // name. Throws RuntimeError (PrinterFailed, NoDefaultPrinter or
    // PrintServiceNotAnswering) when the job cannot be printed.
    virtual void Print(QWidget& window, const QString& documentName) = 0;
};

}  // namespace torvelin
