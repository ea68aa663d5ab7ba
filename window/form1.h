// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <exception>
#include <functional>
#include <optional>

#include "calc/calendar_date.h"
#include "law/closed_day_calendar.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvelin {

class MessageBoxes;
class WindowPrinter;

// The program's one window: a start date and a day count in, the end date out.
// Its controls are laid out in form1.ui; each button's click runs one handler.
class Form1 : public QWidget {
    Q_OBJECT

public:
    Form1(MessageBoxes& messages, WindowPrinter& printer, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window's background offers 「期限計算…」, which opens the deadline
    // window with this window's start date; nothing of it shows at rest.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Command1_Click();  // Calculate
    void Command2_Click();  // Close
    void Command3_Click();  // Clear
    void Command4_Click();  // Print
    void OpenDeadlineWindow();

    // Runs a click handler, or what comes of one later. The known errors (a
    // failed print) are reported and the window carries on; anything else is
    // reported and ends the program.
    void Dispatch(const std::function<void()>& action);
    // Puts the window back as it was before Print was pressed, and reports a
    // failed print.
    void EndPrinting(QWidget* focus, std::exception_ptr failure);
    void ReportFatalError(const QString& description);
    // Sets the result label's caption to the end date, or empties it.
    void ShowResult(std::optional<CalendarDate> end);
    // Gives the end date in full as the result's tooltip and its description
    // for screen readers.
    void DescribeResult(std::optional<CalendarDate> end);
    // Copies the selected part of the result, or all of it.
    void CopyResult();

    MessageBoxes& messages_;
    WindowPrinter& printer_;
    ClosedDayCalendar calendar_;  // keeps each year's closed days once worked out

    // The controls the handlers read and write.
    QLineEdit* Text1;        // start date
    QLineEdit* Text2;        // day count
    QLabel* Label13;         // the end date
    QPushButton* Command4;   // Print
    QObject* resultNotice_;  // what screen readers are told of a new result
    bool printing_ = false;  // clicks and keys wait for the print service
};

}  // namespace torvelin
