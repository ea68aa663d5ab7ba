// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCommandLineParser>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "window/application_setup.h"
#include "window/deadline_window.h"
#include "window/form1.h"
#include "window/qt_message_boxes.h"
#include "window/qt_window_printer.h"

namespace {

constexpr int kWriteErrorStatus = 1;

int WriteToTerminal(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) !=
            static_cast<size_t>(bytes.size()) ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "torvelin: write error: %s\n", std::strerror(errno));
        return kWriteErrorStatus;
    }
    return 0;
}

// Which window to open, or the exit status of an answer given on the terminal.
struct Start {
    std::optional<int> answered;
    bool deadlineWindow = false;
};

// Answers --help and --version on the terminal, with the exit status; else
// says which window is wanted. Read before the window system is reached, so that
// they work without a display. Any other argument is left to Qt, which takes
// its own options (-platform, -style and others) and ignores the rest.
Start ReadArguments(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvelin"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(torvelin::kApplicationVersion));
    QCommandLineParser parser;
    // Qt's options are single-dash words, not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Opens the window that gives the end date of a period: a start date and a\n"
        "number of days in, the first day counted as day one. The window also takes\n"
        "Qt's standard options, such as -platform and -style."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and exits."));
    parser.addOption(help);
    const QCommandLineOption deadline(
        QStringLiteral("deadline"),
        QStringLiteral("Opens the deadline window (期限計算) instead: a period in days, weeks,\n"
                       "months, years, open days or hours, counted as the Civil Code counts it."));
    parser.addOption(deadline);
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help)) {
        return {WriteToTerminal(parser.helpText())};
    }
    if (parser.isSet(version)) {
        return {WriteToTerminal(QStringLiteral("torvelin %1\n"
                                               "Copyright (c) 2026 The Torvelin developers\n"
                                               "License: MIT\n")
                                    .arg(QString::fromLatin1(torvelin::kApplicationVersion)))};
    }
    return {std::nullopt, parser.isSet(deadline)};
}

}  // namespace

int main(int argc, char* argv[]) {
    const Start start = ReadArguments(argc, argv);
    if (start.answered) {
        return *start.answered;
    }
    QApplication application(argc, argv);
    torvelin::SetUpApplication();
    if (start.deadlineWindow) {
        torvelin::DeadlineWindow window;
        window.show();
        return QApplication::exec();
    }

    torvelin::QtMessageBoxes messages;
    torvelin::QtWindowPrinter printer;
    torvelin::Form1 window(messages, printer);
    window.show();
    return QApplication::exec();
}
