// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

#include <string>
#include <vector>

#include "format/deadline_question.h"
#include "law/closed_day_calendar.h"
#include "window/deadline_sheet.h"
#include "window/file_chooser.h"

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QToolButton;

namespace torvelin {

class MonthView;

// A deadline put on the case's list, with the inputs it answers.
struct ListedDeadline {
    DeadlineQuestion question;
    PeriodEnd end;
    // What the end's reasons are views into.
    std::shared_ptr<const ClosedDayCalendar> calendar;
};

// The deadline window: a start, a period and the rules to count it by, or a
// statutory period from the day of its event; the end of the period, why it
// falls there and the months it spans, worked out as the user types. The end
// and the answer can be copied, printed on a sheet, saved as PDF or put into
// a calendar; a case's deadlines are gathered in a list that is handed on
// whole.
class DeadlineWindow final : public QWidget {
public:
    explicit DeadlineWindow(const QString& startText = {},
                            std::unique_ptr<SheetPrinter> printer = nullptr,
                            std::unique_ptr<FileChooser> files = nullptr,
                            QWidget* parent = nullptr);
    ~DeadlineWindow() override;

    QSize sizeHint() const override;

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

    // The case's list: the current answer added, the selected entry removed.
    const std::vector<ListedDeadline>& Listed() const { return listed_; }
    void AddToList();
    void RemoveFromList();
    // The current answer, or the list, as a calendar file's text.
    std::string AnswerCalendar() const;
    std::string ListCalendar() const;
    // The list as CSV records and as a tab-separated table with its captions.
    std::string ListCsv() const;
    QString ListCopy() const;
    // The list's sheet, as printed now.
    DeadlineSheet ListSheet() const;

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
    void SaveAnswerCalendarAs();
    void SaveListCalendarAs();
    void SaveListCsvAs();
    void CopyList();
    void PrintList();
    void SaveListSheetAs();
    // Writes bytes to a file the user chooses; says so when it cannot.
    void SaveAs(const QString& title, const QString& suggested, const QString& filter,
                const std::string& bytes);
    void ShowList();
    // The rule the procedure field names, and what it fills in and locks.
    void ChooseProcedure();
    void LockToRule(const StatutoryRule* rule);

    std::unique_ptr<SheetPrinter> printer_;
    std::unique_ptr<FileChooser> fileChooser_;
    // The chosen calendar with the user's closed-day files; null while one of
    // the files does not read, which calendarError_ then says.
    std::shared_ptr<ClosedDayCalendar> calendar_;
    QString calendarError_;
    // Builds calendar_ anew from the choice and the files.
    void ChooseCalendar();
    DeadlineAnswer answer_;
    std::vector<ListedDeadline> listed_;
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
    QScrollArea* scroll_ = nullptr;
    QTableWidget* list_ = nullptr;
    QList<QPushButton*> listButtons_;  // those that hand the list on
};

}  // namespace torvelin
