// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace torvelin {

// Puts an image of a window on paper.
class WindowPrinter {
public:
    // Told how a print ended: no failure when the job was handed over, else
    // the RuntimeError (PrinterFailed, NoDefaultPrinter or
    // PrintServiceNotAnswering) that kept it off paper.
    using Finished = std::function<void(std::exception_ptr failure)>;

    virtual ~WindowPrinter() = default;

    // Prints the window's client area, as it looks once the printer is known,
    // under the given job name, and then calls finished: at once, or later
    // from the event loop while the print service is asked. One print at a
    // time; nothing is printed once the window is gone.
    virtual void Print(QWidget& window, const QString& documentName, Finished finished) = 0;
};

}  // namespace torvelin
