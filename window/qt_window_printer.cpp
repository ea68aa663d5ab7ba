// SPDX-License-Identifier: MIT
#include "window/qt_window_printer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLibrary>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <memory>

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

// What the print service said when asked for the default printer.
struct PrintServiceAnswer {
    enum class Kind {
        NotAsked,        // its library could not be found; Qt asks it as usual
        NoService,       // nothing takes the call
        NotAnswering,    // the call was taken, the answer did not come in time
        NoDefault,       // it has no default printer
        DefaultPrinter,  // it named the default printer
    };
    Kind kind = Kind::NotAsked;
    QString printerId = {};  // as Qt names print devices: "printer" or "printer/instance"
    bool acceptsJobs = true;
};

// Bounds on the wait for the print service, which may be another machine.
constexpr int kConnectMilliseconds = 3000;
constexpr double kAnswerSeconds = 3.0;

int GiveUpWaiting(http_t*, void* timedOut) {
    *static_cast<bool*>(timedOut) = true;
    return 0;
}

template <typename Function>
Function* Resolve(QLibrary& library, const char* name) {
    return reinterpret_cast<Function*>(library.resolve(name));
}

// Asks the print service for the default printer on a connection of its own
// whose waits are bounded, so that a service that takes the call and never
// answers costs seconds, not minutes. Qt asks it too, without a bound, so it
// is asked first. Qt hands a job to the print service without saying whether
// it was taken, so a printer that refuses jobs is found out here as well. The
// print service's library is looked up only now, not loaded with the program:
// by the time a user prints, Qt's print support has loaded it anyway.
PrintServiceAnswer AskForDefaultPrinter() {
    QLibrary cups(QStringLiteral("cups"), 2);
    const auto server = Resolve<decltype(cupsServer)>(cups, "cupsServer");
    const auto port = Resolve<decltype(ippPort)>(cups, "ippPort");
    const auto encryption = Resolve<decltype(cupsEncryption)>(cups, "cupsEncryption");
    const auto connect = Resolve<decltype(httpConnect2)>(cups, "httpConnect2");
    const auto setTimeout = Resolve<decltype(httpSetTimeout)>(cups, "httpSetTimeout");
    const auto close = Resolve<decltype(httpClose)>(cups, "httpClose");
    const auto getNamedDest = Resolve<decltype(cupsGetNamedDest)>(cups, "cupsGetNamedDest");
    const auto getOption = Resolve<decltype(cupsGetOption)>(cups, "cupsGetOption");
    const auto freeDests = Resolve<decltype(cupsFreeDests)>(cups, "cupsFreeDests");
    if (!server || !port || !encryption || !connect || !setTimeout || !close || !getNamedDest ||
        !getOption || !freeDests) {
        return {};
    }

    QElapsedTimer connecting;
    connecting.start();
    http_t* connection = connect(server(), port(), nullptr, AF_UNSPEC, encryption(), 1,
                                 kConnectMilliseconds, nullptr);
    if (!connection) {
        // A refused call fails at once; a silent host fails when the bound is up.
        return {connecting.hasExpired(kConnectMilliseconds - 100)
                    ? PrintServiceAnswer::Kind::NotAnswering
                    : PrintServiceAnswer::Kind::NoService};
    }
    bool timedOut = false;
    setTimeout(connection, kAnswerSeconds, GiveUpWaiting, &timedOut);
    cups_dest_t* destination = getNamedDest(connection, nullptr, nullptr);
    close(connection);
    if (!destination) {
        return {timedOut ? PrintServiceAnswer::Kind::NotAnswering
                         : PrintServiceAnswer::Kind::NoDefault};
    }
    PrintServiceAnswer answer{PrintServiceAnswer::Kind::DefaultPrinter,
                              QString::fromLocal8Bit(destination->name)};
    if (destination->instance) {
        answer.printerId += u'/' + QString::fromLocal8Bit(destination->instance);
    }
    const char* accepting =
        getOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    answer.acceptsJobs = !accepting || std::strcmp(accepting, "false") != 0;
    freeDests(1, destination);
    return answer;
}

// Prints once the print service has answered; throws as Print says.
void PrintAnswered(QWidget& window, const QString& documentName, const PrintServiceAnswer& answer) {
    switch (answer.kind) {
        case PrintServiceAnswer::Kind::NotAnswering:
            throw RuntimeError(ErrorNumber::PrintServiceNotAnswering);
        case PrintServiceAnswer::Kind::NoService:
        case PrintServiceAnswer::Kind::NoDefault:
            throw RuntimeError(ErrorNumber::NoDefaultPrinter);
        case PrintServiceAnswer::Kind::NotAsked:
        case PrintServiceAnswer::Kind::DefaultPrinter:
            break;
    }
    const QPrinterInfo defaultPrinter = answer.printerId.isEmpty()
                                            ? QPrinterInfo::defaultPrinter()
                                            : QPrinterInfo::printerInfo(answer.printerId);
    if (defaultPrinter.isNull()) {
        throw RuntimeError(ErrorNumber::NoDefaultPrinter);
    }
    const auto failed = [&defaultPrinter] {
        return RuntimeError(ErrorNumber::PrinterFailed,
                            QStringLiteral("プリンタ「%1」で印刷できませんでした。")
                                .arg(defaultPrinter.printerName())
                                .toStdString());
    };

    if (!answer.acceptsJobs) {
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

}  // namespace

QtWindowPrinter::QtWindowPrinter() = default;

QtWindowPrinter::~QtWindowPrinter() {
    if (asking_) {
        asking_->wait();
    }
}

void QtWindowPrinter::Print(QWidget& window, const QString& documentName, Finished finished) {
    auto answer = std::make_shared<PrintServiceAnswer>();
    asking_.reset(QThread::create([answer] { *answer = AskForDefaultPrinter(); }));
    // Runs here, in the window's thread, when the question is answered or its
    // time is up; the window paints meanwhile.
    QObject::connect(asking_.get(), &QThread::finished, asking_.get(),
                     [this, target = QPointer<QWidget>(&window), documentName, answer, finished] {
                         asking_->wait();  // it signals just before it ends
                         asking_.release()->deleteLater();
                         if (!target) {
                             return;
                         }
                         std::exception_ptr failure;
                         try {
                             PrintAnswered(*target, documentName, *answer);
                         } catch (...) {
                             failure = std::current_exception();
                         }
                         finished(failure);
                     });
    asking_->start();
}

}  // namespace torvelin
