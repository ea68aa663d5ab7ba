#pragma once

#include <QString>
#include <stdexcept>

class QWidget;

namespace torvelin {

// A failed print, with the number and the Japanese description that the error
// box shows.
class PrintError : public std::runtime_error {
public:
    // The numbers the user sees for the two ways printing can fail.
    static constexpr int kPrinterFailed = 482;
    static constexpr int kNoDefaultPrinter = 484;

    PrintError(int number, const QString& description)
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description) {}

    int Number() const noexcept { return number_; }
    const QString& Description() const noexcept { return description_; }

private:
    int number_;
    QString description_;
};

// Puts an image of a window on paper.
class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;

    // Prints the window's client area as it looks now, under the given job
    // name. Throws PrintError when the job cannot be printed.
    virtual void Print(QWidget& window, const QString& documentName) = 0;
};

}  // namespace torvelin
