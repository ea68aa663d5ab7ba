#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "window/message_boxes.h"
#include "window/window_printer.h"

namespace torvelin::testing {

// Records the boxes the window shows instead of showing them.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    void ShowError(int number, const QString& description) override {
        errors.emplace_back(number, description);
    }

    std::vector<QString> messages;
    std::vector<std::pair<int, QString>> errors;
};

// Takes the picture a printer would get, and can fail the way a printer does.
class RecordingPrinter final : public WindowPrinter {
public:
    void Print(QWidget& window, const QString& documentName) override {
        image = window.grab().toImage();
        printButtonVisible =
            window.findChild<QPushButton*>(QStringLiteral("Command4"))->isVisible();
        QWidget* focus = window.focusWidget();
        focusAtPrint = focus ? focus->objectName() : QString();
        this->documentName = documentName;
        if (failure) {
            failure();
        }
    }

    std::function<void()> failure;
    QImage image;
    bool printButtonVisible = true;
    QString focusAtPrint;
    QString documentName;
};

// The exit status the event loop returns with when nothing ended the program.
inline constexpr int kStillRunning = 77;

// Runs the event loop, does the action inside it, and reports how the loop
// ended: the status the program ended with, or kStillRunning.
inline int ExitStatusAfter(const std::function<void()>& action) {
    QTimer act;
    act.setSingleShot(true);
    QTimer carryOn;
    carryOn.setSingleShot(true);
    QObject::connect(&carryOn, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
    QObject::connect(&act, &QTimer::timeout, [&] {
        action();
        // Long enough for a quit the action posted to be taken first.
        carryOn.start(500);
    });
    act.start(0);
    return QCoreApplication::exec();
}

}  // namespace torvelin::testing
