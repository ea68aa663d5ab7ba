#include "window/qt_window_printer.h"

#include <QImage>
#include <QLibrary>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include <cups/cups.h>

#include "calc/runtime_error.h"

namespace torvelin {
namespace {

// The layout places controls in twips, 15 to a logical pixel: 96 pixels to
// the inch on paper.
constexpr double kLayoutPixelsPerInch = 96.0;
// Sharp enough for text on paper, small enough to keep the job light.
constexpr int kMaxImageDotsPerInch = 600;

// The window drawn at the given resolution: text and lines are drawn at that
// resolution, not enlarged from the screen.
QImage WindowImage(QWidget& window, int dotsPerInch) {
    const double scale = dotsPerInch / kLayoutPixelsPerInch;
    QImage image(window.size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    window.render(&image);
    return image;
}

// Qt hands a job to the print service without saying whether it was taken,
// so a printer that refuses jobs is found out before printing. The print
// service's library is looked up only now, not loaded with the program: by the
// time a user prints, Qt's print support has loaded it anyway.
bool AcceptsJobs(const QString& printerName) {
    QLibrary cups(QStringLiteral("cups"), 2);
    const auto getNamedDest =
        reinterpret_cast<decltype(&cupsGetNamedDest)>(cups.resolve("cupsGetNamedDest"));
    const auto getOption =
        reinterpret_cast<decltype(&cupsGetOption)>(cups.resolve("cupsGetOption"));
    const auto freeDests =
        reinterpret_cast<decltype(&cupsFreeDests)>(cups.resolve("cupsFreeDests"));
    if (!getNamedDest || !getOption || !freeDests) {
        return true;  // no way to ask; the job goes out as it would anyway
    }
    cups_dest_t* destination =
        getNamedDest(CUPS_HTTP_DEFAULT, printerName.toLocal8Bit().constData(), nullptr);
    if (!destination) {
        return false;
    }
    const char* accepting =
        getOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const bool accepts = !accepting || std::strcmp(accepting, "false") != 0;
    freeDests(1, destination);
    return accepts;
}

}  // namespace

void QtWindowPrinter::Print(QWidget& window, const QString& documentName) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        throw RuntimeError(ErrorNumber::NoDefaultPrinter);
    }
    const auto failed = [&defaultPrinter] {
        return RuntimeError(ErrorNumber::PrinterFailed,
                            QStringLiteral("プリンタ「%1」で印刷できませんでした。")
                                .arg(defaultPrinter.printerName())
                                .toStdString());
    };

    if (!AcceptsJobs(defaultPrinter.printerName())) {
        throw RuntimeError(ErrorNumber::PrinterFailed,
                           QStringLiteral("プリンタ「%1」が印刷ジョブを受け付けていません。")
                               .arg(defaultPrinter.printerName())
                               .toStdString());
    }

    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setColorMode(QPrinter::Color);
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw failed();
    }
    const int dotsPerInch = printer.resolution();
    const QImage image = WindowImage(window, std::min(dotsPerInch, kMaxImageDotsPerInch));
    // Painter coordinates start at the top-left corner of the printable area.
    const QSizeF sizeOnPage = QSizeF(window.size()) * (dotsPerInch / kLayoutPixelsPerInch);
    painter.drawImage(QRectF(QPointF(0, 0), sizeOnPage), image);
    if (!painter.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        throw failed();
    }
}

}  // namespace torvelin
