// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

#include "law/closed_day_calendar.h"
#include "format/deadline_question.h"
#include "window/deadline_sheet.h"

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

namespace torvelin {

class MonthView;

// The deadline window: a start, a period and the rules to count it by; the
// end of the period, why it falls there and the months it spans, worked out
// as the user types. The end and the answer can be copied, printed on a sheet
// or saved as PDF.
class DeadlineWindow final : public QWidget {
public:
    explicit DeadlineWindow(const QString& startText = {},
                            std::unique_ptr<SheetPrinter> printer = nullptr,
                            QWidget* parent = nullptr);
    ~DeadlineWindow() override;

    DeadlineQuestion Question() const;
    const DeadlineAnswer& Answer() const { return answer_; }
    QStringList ClosedDayFiles() const;
    // The sheet as printed now.
    DeadlineSheet Sheet() const;
    // The end as "2025年1月6日（月）", and the whole answer on one line with
    // its parts tab-separated; empty when there is no answer.
    QString EndDateCopy() const;
    QString AnswerCopy() const;

    void CopyEndDate();
    void CopyAnswer();
    void PrintSheet();
    bool SaveSheet(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    // The calendar to pick the start from, built as its menu first opens:
    // it alone would take as long to build as the rest of the window.
    void BuildPicker(QMenu& menu);
    void Recalculate();
    void ShowAnswer();
    void FitWrappedLines();
    void MarkCalendarMonth(int year, int month);
    void AddClosedDayFiles();
    void SaveSheetAs();
    // The rule the procedure field names, and what it fills in and locks.
    void ChooseProcedure();
    void LockToRule(const StatutoryRule* rule);

    std::unique_ptr<SheetPrinter> printer_;
    // The chosen calendar with the user's closed-day files; null while one of
    // the files does not read, which calendarError_ then says.
    std::unique_ptr<ClosedDayCalendar> calendar_;
    QString calendarError_;
    // Builds calendar_ anew from the choice and the files.
    void ChooseCalendar();
    DeadlineAnswer answer_;
    const StatutoryRule* chosenRule_ = nullptr;  // chosen in the procedure field
    QString procedureWrong_;                     // why the procedure field names no rule

    QComboBox* procedure_ = nullptr;
    QLineEdit* case_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLineEdit* start_ = nullptr;
    QToolButton* pickDate_ = nullptr;
    QCalendarWidget* picker_ = nullptr;  // null until the menu first opens
    QLineEdit* time_ = nullptr;
    QLineEdit* period_ = nullptr;
    QComboBox* unit_ = nullptr;
    QComboBox* direction_ = nullptr;
    QComboBox* firstDay_ = nullptr;
    QComboBox* calendarChoice_ = nullptr;
    QListWidget* files_ = nullptr;
    QLabel* procedureMessage_ = nullptr;
    QLabel* startMessage_ = nullptr;
    QLabel* timeMessage_ = nullptr;
    QLabel* periodMessage_ = nullptr;
    QLabel* end_ = nullptr;
    QLabel* endDetails_ = nullptr;
    QLabel* procedureTitle_ = nullptr;
    QLabel* rule_ = nullptr;
    QLabel* article_ = nullptr;
    QLabel* related_ = nullptr;
    QLabel* moved_ = nullptr;
    QLabel* days_ = nullptr;
    QLabel* error_ = nullptr;
    MonthView* months_ = nullptr;
    QList<QPushButton*> answerButtons_;
};

}  // namespace torvelin
