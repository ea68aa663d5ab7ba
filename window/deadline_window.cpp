// SPDX-License-Identifier: MIT
#include "window/deadline_window.h"

#include <cstdlib>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "calc/date_text.h"
#include "format/answer_text.h"
#include "law/closed_day_file.h"
#include "window/month_view.h"

namespace torvelin {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

const QColor kSaturdayText(21, 101, 192);
const QColor kClosedText(198, 40, 40);
const QColor kWrongText(198, 40, 40);

// The field is framed in red and described by its message, or neither.
void MarkField(QWidget& field, QLabel& message, std::string_view text) {
    const bool wrong = !text.empty();
    if (field.property("wrongInput").toBool() != wrong) {
        field.setProperty("wrongInput", wrong);
        field.style()->unpolish(&field);
        field.style()->polish(&field);
    }
    message.setText(FromUtf8(text));
    message.setVisible(wrong);
    field.setAccessibleDescription(FromUtf8(text));
}

QDate DateOfDay(std::int64_t day) {
    const CivilDate date = CivilFromDayNumber(day);
    return QDate(date.year, date.month, date.day);
}

std::int64_t DayOfDate(QDate date) {
    return DayNumberFromCivil({date.year(), date.month(), date.day()});
}

// A label whose text is in red: a wrong input's message, an error.
void ShowInRed(QLabel& label) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, kWrongText);
    label.setPalette(palette);
}

QLabel* MessageLabel() {
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("message"));
    ShowInRed(*label);
    label->setWordWrap(true);
    label->setVisible(false);
    return label;
}

QComboBox* ComboOf(std::initializer_list<const char*> items) {
    auto* combo = new QComboBox;
    for (const char* item : items) {
        combo->addItem(QString::fromUtf8(item));
    }
    return combo;
}

// The date under the mouse in a calendar's table: its cells hold the day of
// the month, the first rows may hold days of the month before and the last
// rows days of the month after.
QDate DateInCalendar(const QCalendarWidget& calendar, const QTableView& view, QPoint point) {
    const QModelIndex index = view.indexAt(point);
    bool isDay = false;
    const int day = index.data(Qt::DisplayRole).toInt(&isDay);
    if (!index.isValid() || !isDay) {
        return {};
    }
    const QDate shown(calendar.yearShown(), calendar.monthShown(), 1);
    const int lastRow = view.model()->rowCount() - 1;
    if (index.row() <= 2 && day > 20) {
        return shown.addMonths(-1).addDays(day - 1);
    }
    if (index.row() >= lastRow - 1 && day < 15) {
        return shown.addMonths(1).addDays(day - 1);
    }
    return shown.addDays(day - 1);
}

}  // namespace

DeadlineWindow::DeadlineWindow(const QString& startText, std::unique_ptr<SheetPrinter> printer,
                               QWidget* parent)
    : QWidget(parent),
      printer_(printer ? std::move(printer) : std::make_unique<DialogSheetPrinter>()) {
    setWindowTitle(QStringLiteral("期限計算"));
    BuildForm();
    // The red frame of a wrong field. Each field has its own style sheet: one
    // on the whole window would have every widget styled through it.
    for (QLineEdit* field : {start_, time_, count_}) {
        field->setStyleSheet(
            QStringLiteral("*[wrongInput=\"true\"] { border: 2px solid rgb(198, 40, 40); }"));
    }
    start_->setText(startText);
    Recalculate();
}

DeadlineWindow::~DeadlineWindow() = default;

void DeadlineWindow::BuildPicker(QMenu& menu) {
    picker_ = new QCalendarWidget;
    picker_->setObjectName(QStringLiteral("picker"));
    picker_->setAccessibleName(QStringLiteral("起算日のカレンダー"));
    picker_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    picker_->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    auto* pickerAction = new QWidgetAction(&menu);
    pickerAction->setDefaultWidget(picker_);
    menu.addAction(pickerAction);
    connect(picker_, &QCalendarWidget::currentPageChanged, this,
            &DeadlineWindow::MarkCalendarMonth);
    connect(picker_, &QCalendarWidget::activated, this, [this, &menu](QDate date) {
        start_->setText(date.toString(QStringLiteral("yyyy/M/d")));
        menu.close();
        start_->setFocus();
    });
    connect(picker_, &QCalendarWidget::clicked, picker_, &QCalendarWidget::activated);
    if (auto* view = picker_->findChild<QTableView*>()) {
        view->viewport()->installEventFilter(this);
        view->viewport()->setObjectName(QStringLiteral("pickerDays"));
    }
}

void DeadlineWindow::BuildForm() {
    start_ = new QLineEdit;
    start_->setObjectName(QStringLiteral("start"));
    start_->setPlaceholderText(QStringLiteral("2025/1/6、令和7年1月6日"));
    pickDate_ = new QToolButton;
    pickDate_->setObjectName(QStringLiteral("pickDate"));
    pickDate_->setText(QStringLiteral("カレンダー(&K)"));
    pickDate_->setAccessibleName(QStringLiteral("カレンダーから起算日を選ぶ"));
    pickDate_->setPopupMode(QToolButton::InstantPopup);
    pickDate_->setFocusPolicy(Qt::StrongFocus);
    auto* pickerMenu = new QMenu(pickDate_);
    pickDate_->setMenu(pickerMenu);
    connect(pickerMenu, &QMenu::aboutToShow, this, [this, pickerMenu] {
        if (!picker_) {
            BuildPicker(*pickerMenu);
        }
        if (const std::optional<CalendarDate> date = ReadDateText(ToUtf8(start_->text()))) {
            picker_->setSelectedDate(DateOfDay(date->DayNumber()));
        }
        MarkCalendarMonth(picker_->yearShown(), picker_->monthShown());
    });

    time_ = new QLineEdit;
    time_->setObjectName(QStringLiteral("time"));
    time_->setPlaceholderText(QStringLiteral("任意　0:00 なら初日算入、時間の期間はその時刻から"));
    count_ = new QLineEdit;
    count_->setObjectName(QStringLiteral("count"));
    count_->setPlaceholderText(QStringLiteral("14、十四、2週間"));
    unit_ = ComboOf({"日", "週間", "か月", "年", "営業日", "時間"});
    unit_->setObjectName(QStringLiteral("unit"));
    unit_->setAccessibleName(QStringLiteral("期間の単位"));
    direction_ = ComboOf({"後（起算日から数える）", "前までに（期日からさかのぼる）"});
    direction_->setObjectName(QStringLiteral("direction"));
    firstDay_ = ComboOf({"時刻による（0:00 なら算入）", "算入する", "算入しない"});
    firstDay_->setObjectName(QStringLiteral("firstDay"));
    calendarChoice_ = ComboOf({"裁判所・官公庁", "銀行", "なし（暦日のみ）"});
    calendarChoice_->setObjectName(QStringLiteral("calendar"));
    files_ = new QListWidget;
    files_->setObjectName(QStringLiteral("closedDayFiles"));
    files_->setMaximumHeight(files_->fontMetrics().height() * 4);
    auto* addFiles = new QPushButton(QStringLiteral("追加(&A)…"));
    addFiles->setObjectName(QStringLiteral("addFiles"));
    addFiles->setAccessibleName(QStringLiteral("休日ファイルを追加"));
    auto* removeFile = new QPushButton(QStringLiteral("削除(&R)"));
    removeFile->setObjectName(QStringLiteral("removeFile"));
    removeFile->setAccessibleName(QStringLiteral("選んだ休日ファイルを外す"));
    startMessage_ = MessageLabel();
    timeMessage_ = MessageLabel();
    countMessage_ = MessageLabel();

    auto* questionBox = new QGroupBox(QStringLiteral("条件"));
    auto* form = new QFormLayout(questionBox);
    const auto addRow = [form](const QString& caption, QWidget* field, QLayout* row) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        field->setAccessibleName(QString(caption)
                                     .remove(QStringLiteral("(&"))
                                     .section(u'(', 0, 0)
                                     .remove(u'&')
                                     .remove(u')'));
        if (row) {
            form->addRow(label, row);
        } else {
            form->addRow(label, field);
        }
    };
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(start_, 1);
    startRow->addWidget(pickDate_);
    addRow(QStringLiteral("起算日(&S)"), start_, startRow);
    form->addRow(QString(), startMessage_);
    addRow(QStringLiteral("時刻(&T)"), time_, nullptr);
    form->addRow(QString(), timeMessage_);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(count_, 1);
    periodRow->addWidget(unit_);
    addRow(QStringLiteral("期間(&N)"), count_, periodRow);
    form->addRow(QString(), countMessage_);
    addRow(QStringLiteral("向き(&D)"), direction_, nullptr);
    addRow(QStringLiteral("初日(&F)"), firstDay_, nullptr);
    addRow(QStringLiteral("休日の暦(&C)"), calendarChoice_, nullptr);
    auto* filesRow = new QHBoxLayout;
    filesRow->addWidget(files_, 1);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(addFiles);
    fileButtons->addWidget(removeFile);
    fileButtons->addStretch();
    filesRow->addLayout(fileButtons);
    addRow(QStringLiteral("休日ファイル(&H)"), files_, filesRow);

    end_ = new QLabel;
    end_->setObjectName(QStringLiteral("end"));
    QFont large = end_->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    end_->setFont(large);
    end_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    endDetails_ = new QLabel;
    endDetails_->setObjectName(QStringLiteral("endDetails"));
    rule_ = new QLabel;
    rule_->setObjectName(QStringLiteral("rule"));
    moved_ = new QLabel;
    moved_->setObjectName(QStringLiteral("moved"));
    moved_->setWordWrap(true);
    days_ = new QLabel;
    days_->setObjectName(QStringLiteral("days"));
    error_ = new QLabel;
    error_->setObjectName(QStringLiteral("error"));
    ShowInRed(*error_);
    error_->setWordWrap(true);
    moved_->installEventFilter(this);
    error_->installEventFilter(this);
    for (QLabel* label : {endDetails_, rule_, moved_, days_, error_}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    months_ = new MonthView([this](std::int64_t day) {
        return calendar_ ? FromUtf8(DayDescription(FactsOfDay(day, *calendar_))) : QString();
    });
    months_->setObjectName(QStringLiteral("months"));
    months_->setAccessibleName(QStringLiteral("期間の暦"));

    auto* answerBox = new QGroupBox(QStringLiteral("満了日"));
    auto* answerLayout = new QVBoxLayout(answerBox);
    for (QWidget* widget : {static_cast<QWidget*>(end_), static_cast<QWidget*>(endDetails_),
                            static_cast<QWidget*>(rule_), static_cast<QWidget*>(moved_),
                            static_cast<QWidget*>(days_), static_cast<QWidget*>(error_)}) {
        answerLayout->addWidget(widget);
    }
    answerLayout->addWidget(months_, 0, Qt::AlignLeft);

    auto* copyEnd = new QPushButton(QStringLiteral("日付をコピー(&Y)"));
    copyEnd->setObjectName(QStringLiteral("copyEnd"));
    copyEnd->setToolTip(QStringLiteral("満了日を「2025年1月6日（月）」の形でコピー（Ctrl+C）"));
    auto* copyAnswer = new QPushButton(QStringLiteral("答えをコピー(&W)"));
    copyAnswer->setObjectName(QStringLiteral("copyAnswer"));
    copyAnswer->setToolTip(QStringLiteral("満了日、曜日、和暦、計算の根拠、休日による移動を1行で"));
    auto* print = new QPushButton(QStringLiteral("印刷(&P)…"));
    print->setObjectName(QStringLiteral("print"));
    auto* savePdf = new QPushButton(QStringLiteral("PDFに保存(&V)…"));
    savePdf->setObjectName(QStringLiteral("savePdf"));
    answerButtons_ = {copyEnd, copyAnswer, print, savePdf};
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : answerButtons_) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(questionBox);
    layout->addWidget(answerBox, 1);
    layout->addLayout(buttons);

    auto* copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copyAction);
    connect(copyAction, &QAction::triggered, this, &DeadlineWindow::CopyEndDate);
    connect(copyEnd, &QPushButton::clicked, this, &DeadlineWindow::CopyEndDate);
    connect(copyAnswer, &QPushButton::clicked, this, &DeadlineWindow::CopyAnswer);
    connect(print, &QPushButton::clicked, this, &DeadlineWindow::PrintSheet);
    connect(savePdf, &QPushButton::clicked, this, &DeadlineWindow::SaveSheetAs);
    connect(addFiles, &QPushButton::clicked, this, &DeadlineWindow::AddClosedDayFiles);
    connect(removeFile, &QPushButton::clicked, this, [this] {
        delete files_->currentItem();
        ChooseCalendar();
        Recalculate();
    });

    for (QLineEdit* edit : {start_, time_, count_}) {
        connect(edit, &QLineEdit::textChanged, this, &DeadlineWindow::Recalculate);
    }
    for (QComboBox* combo : {unit_, direction_, firstDay_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, &DeadlineWindow::Recalculate);
    }
    connect(calendarChoice_, &QComboBox::currentIndexChanged, this, [this] {
        ChooseCalendar();
        Recalculate();
    });
    const QList<QWidget*> tabOrder = {start_,     pickDate_, time_,           count_, unit_,
                                      direction_, firstDay_, calendarChoice_, files_, addFiles,
                                      removeFile, copyEnd,   copyAnswer,      print,  savePdf};
    for (qsizetype index = 1; index < tabOrder.size(); ++index) {
        setTabOrder(tabOrder[index - 1], tabOrder[index]);
    }
}

DeadlineQuestion DeadlineWindow::Question() const {
    constexpr PeriodUnit kUnits[] = {PeriodUnit::Days,  PeriodUnit::Weeks,    PeriodUnit::Months,
                                     PeriodUnit::Years, PeriodUnit::OpenDays, PeriodUnit::Hours};
    constexpr std::optional<FirstDay> kFirstDays[] = {std::nullopt, FirstDay::Included,
                                                      FirstDay::Excluded};
    constexpr CalendarKind kCalendars[] = {CalendarKind::Court, CalendarKind::Bank,
                                           CalendarKind::None};
    return {ToUtf8(start_->text()),
            ToUtf8(time_->text()),
            ToUtf8(count_->text()),
            kUnits[unit_->currentIndex()],
            direction_->currentIndex() == 0 ? Direction::After : Direction::Before,
            kFirstDays[firstDay_->currentIndex()],
            kCalendars[calendarChoice_->currentIndex()],
            files_->count() > 0};
}

QStringList DeadlineWindow::ClosedDayFiles() const {
    QStringList paths;
    for (int row = 0; row < files_->count(); ++row) {
        paths << files_->item(row)->text();
    }
    return paths;
}

void DeadlineWindow::ChooseCalendar() {
    const DeadlineQuestion question = Question();
    std::vector<std::string> paths;
    for (const QString& path : ClosedDayFiles()) {
        paths.push_back(ToUtf8(path));
    }
    const std::vector<std::string_view> files(paths.begin(), paths.end());
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string_view>(value) : std::nullopt;
    };
    // The same calendar torvelin-calc builds from the same choice and files.
    auto built = CalendarWithOwnDays(question.calendar, files, variable("XDG_CONFIG_HOME"),
                                     variable("HOME"));
    if (auto* error = std::get_if<ClosedDayFileError>(&built)) {
        calendar_.reset();
        calendarError_ = FromUtf8(ErrorText(*error));
    } else {
        calendar_ = std::move(std::get<std::unique_ptr<ClosedDayCalendar>>(built));
        calendarError_.clear();
    }
}

void DeadlineWindow::Recalculate() {
    if (!calendar_ && calendarError_.isEmpty()) {
        ChooseCalendar();
    }
    answer_ = calendar_ ? AnswerTo(Question(), *calendar_) : DeadlineAnswer{};
    ShowAnswer();
    if (!calendar_) {
        error_->setText(calendarError_);  // no answer while a file of closed days does not read
        error_->setVisible(true);
    }
}

void DeadlineWindow::ShowAnswer() {
    const bool blankStart = start_->text().trimmed().isEmpty();
    const bool blankCount = count_->text().trimmed().isEmpty();
    // A field not yet typed in is not wrong, only unanswered.
    const auto* wrong = std::get_if<WrongInput>(&answer_.end);
    const auto messageIf = [wrong](WrongInput input, bool typed) {
        return wrong && *wrong == input && typed ? MessageFor(input) : std::string_view();
    };
    MarkField(*start_, *startMessage_, messageIf(WrongInput::StartDate, !blankStart));
    MarkField(*time_, *timeMessage_, messageIf(WrongInput::TimeOfDay, true));
    MarkField(*count_, *countMessage_, messageIf(WrongInput::Period, !blankCount));

    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer_.end);
    const auto* error = std::get_if<ErrorNumber>(&answer_.end);
    error_->setText(error ? FromUtf8(ErrorLine(*error)) : QString());
    error_->setVisible(error != nullptr);
    if (end) {
        end_->setText(FromUtf8(EndDateCopyText(*end)));
        const DayFacts facts = FactsOfDay(end->day, *calendar_);
        const std::string description = DayDescription(facts);
        endDetails_->setText(FromUtf8(description).section(QChar(0x3000), 1));
        rule_->setText(FromUtf8(CountingRuleText(*end)));
        moved_->setText(FromUtf8(ClosedDayText(*end)));
        days_->setText(FromUtf8(PeriodDaysText(answer_)));
    } else {
        for (QLabel* label : {end_, endDetails_, rule_, moved_, days_}) {
            label->clear();
        }
    }
    moved_->setVisible(!moved_->text().isEmpty());
    FitWrappedLines();
    months_->SetMonths(answer_.months);
    for (QPushButton* button : answerButtons_) {
        button->setEnabled(end != nullptr);
    }

    const QString name = end     ? QStringLiteral("満了日 ") + AnswerCopy().replace(u'\t', u' ')
                         : error ? QStringLiteral("満了日 ") + error_->text()
                                 : QStringLiteral("満了日 なし");
    if (end_->accessibleName() != name) {
        end_->setAccessibleName(name);
        QAccessibleEvent event(end_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void DeadlineWindow::FitWrappedLines() {
    // The layout gives a wrapped label the height of one line when the window
    // is no taller than its minimum; reserve the lines it wraps to.
    for (QLabel* label : {moved_, error_}) {
        label->setMinimumHeight(label->text().isEmpty() ? 0
                                                        : label->heightForWidth(label->width()));
    }
}

QString DeadlineWindow::EndDateCopy() const {
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer_.end);
    return end ? FromUtf8(EndDateCopyText(*end)) : QString();
}

QString DeadlineWindow::AnswerCopy() const {
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer_.end);
    return end ? FromUtf8(PeriodEndText(*end, Form::Long)) : QString();
}

void DeadlineWindow::CopyEndDate() {
    if (const QString text = EndDateCopy(); !text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}

void DeadlineWindow::CopyAnswer() {
    if (const QString text = AnswerCopy(); !text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}

DeadlineSheet DeadlineWindow::Sheet() const {
    const DeadlineQuestion question = Question();
    DeadlineSheet sheet;
    sheet.question = {
        {QStringLiteral("起算日"), start_->text()},
        {QStringLiteral("時刻"),
         time_->text().isEmpty() ? QStringLiteral("指定なし") : time_->text()},
        {QStringLiteral("期間"), FromUtf8(PeriodTextOf(question))},
        {QStringLiteral("向き"), direction_->currentText()},
        {QStringLiteral("初日"), firstDay_->currentText()},
        {QStringLiteral("休日の暦"), calendarChoice_->currentText()},
    };
    if (files_->count() > 0) {
        sheet.question.append({QStringLiteral("休日ファイル"), ClosedDayFiles().join(u'\n')});
    }
    if (std::holds_alternative<PeriodEnd>(answer_.end)) {
        sheet.answer = {
            {QStringLiteral("満了日"), end_->text() + QStringLiteral("　") + endDetails_->text()},
            {QStringLiteral("計算の根拠"), rule_->text()},
        };
        if (!moved_->text().isEmpty()) {
            sheet.answer.append({QStringLiteral("休日による移動"), moved_->text()});
        }
        sheet.answer.append({QStringLiteral("日数"), days_->text()});
        sheet.months = answer_.months;
    } else {
        sheet.answer = {{QStringLiteral("満了日"), QStringLiteral("（入力を確かめてください）")}};
    }
    sheet.printedOn = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    return sheet;
}

void DeadlineWindow::PrintSheet() {
    printer_->Print(Sheet(), *this);
}

bool DeadlineWindow::SaveSheet(const QString& path) {
    return SaveSheetAsPdf(Sheet(), path);
}

void DeadlineWindow::SaveSheetAs() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("期限計算表をPDFに保存"),
                                     QStringLiteral("期限計算.pdf"), QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && !SaveSheet(path)) {
        error_->setText(QStringLiteral("%1 に保存できませんでした").arg(path));
        error_->setVisible(true);
    }
}

void DeadlineWindow::AddClosedDayFiles() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("休日ファイルを選ぶ"), QString(),
        QStringLiteral("休日ファイル (*.txt *.csv *.tsv);;すべてのファイル (*)"));
    for (const QString& path : paths) {
        if (ClosedDayFiles().contains(path)) {
            continue;
        }
        files_->addItem(path);
    }
    ChooseCalendar();
    Recalculate();
}

void DeadlineWindow::MarkCalendarMonth(int year, int month) {
    // The weeks shown reach into the months on either side.
    const QDate first = QDate(year, month, 1).addDays(-14);
    const QDate last = QDate(year, month, 1).addMonths(1).addDays(14);
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        if (!date.isValid() || date < picker_->minimumDate() || date > picker_->maximumDate()) {
            continue;
        }
        QTextCharFormat format;
        const std::vector<std::string_view> reasons =
            calendar_ ? calendar_->ClosedReasons(DayOfDate(date)) : std::vector<std::string_view>{};
        if (date.dayOfWeek() == Qt::Saturday) {
            format.setForeground(kSaturdayText);
        }
        if (!reasons.empty() && date.dayOfWeek() != Qt::Saturday) {
            format.setForeground(kClosedText);
        }
        picker_->setDateTextFormat(date, format);
    }
}

bool DeadlineWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == moved_ || watched == error_)) {
        FitWrappedLines();
    }
    if (event->type() == QEvent::ToolTip && watched->objectName() == u"pickerDays") {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto* view = qobject_cast<QTableView*>(watched->parent());
        const QDate date = view ? DateInCalendar(*picker_, *view, help->pos()) : QDate();
        if (date.isValid() && date >= picker_->minimumDate() && date <= picker_->maximumDate()) {
            QToolTip::showText(
                help->globalPos(),
                calendar_ ? FromUtf8(DayDescription(FactsOfDay(DayOfDate(date), *calendar_)))
                          : QString(),
                picker_);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace torvelin
