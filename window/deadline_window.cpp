// SPDX-License-Identifier: MIT
#include "window/deadline_window.h"

#include <cstdlib>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QTextCharFormat>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "calc/date_text.h"
#include "format/answer_records.h"
#include "format/answer_text.h"
#include "format/icalendar.h"
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

const QString kFreePeriod = QStringLiteral("（期間を指定）");
const QString kStartCaption = QStringLiteral("起算日(&S)");

// A field's name from its label, without the mnemonic: "起算日(&S)" is 起算日.
QString AccessibleNameOf(const QString& caption) {
    return caption.section(QStringLiteral("(&"), 0, 0).remove(u'&');
}

// "民訴285　控訴（2週間）", as the procedure list shows a rule.
QString ProcedureItemText(const StatutoryRule& rule) {
    return QString::fromUtf8(std::string(rule.key) + "　" + std::string(rule.name) + "（" +
                             RulePeriodText(rule) + "）");
}

// Colours as the web page's style sheet writes them.
const QColor kSaturdayText(0x1565c0u);
const QColor kClosedText(0xc62828u);
const QColor kWrongText(0xc62828u);

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

// The first day a calendar shows for a month: the first day of the week
// before the 1st, a whole week before it when the 1st is that day. Six weeks
// are shown from it.
QDate FirstShownDay(const QCalendarWidget& calendar, int year, int month) {
    const QDate first(year, month, 1);
    const int before = (first.dayOfWeek() - calendar.firstDayOfWeek() + 7) % 7;
    return first.addDays(before == 0 ? -7 : -before);
}
constexpr int kShownDays = 6 * 7;

// The date under the mouse in a calendar's table: the first row names the
// weekdays, the days run on row by row below it.
QDate DateInCalendar(const QCalendarWidget& calendar, const QTableView& view, QPoint point) {
    const QModelIndex index = view.indexAt(point);
    if (!index.isValid() || index.row() == 0) {
        return {};
    }
    return FirstShownDay(calendar, calendar.yearShown(), calendar.monthShown())
        .addDays((index.row() - 1) * 7 + index.column());
}

// Whether the calendar lets the date be chosen: its first and last weeks
// reach past its range.
bool Offers(const QCalendarWidget& calendar, QDate date) {
    return date.isValid() && date >= calendar.minimumDate() && date <= calendar.maximumDate();
}

}  // namespace

DeadlineWindow::DeadlineWindow(const QString& startText, std::unique_ptr<SheetPrinter> printer,
                               std::unique_ptr<FileChooser> files, QWidget* parent)
    : QWidget(parent),
      printer_(printer ? std::move(printer) : std::make_unique<DialogSheetPrinter>()),
      fileChooser_(files ? std::move(files) : std::make_unique<DialogFileChooser>()) {
    setWindowTitle(QStringLiteral("期限計算"));
    BuildForm();
    // The red frame of a wrong field. Each field has its own style sheet: one
    // on the whole window would have every widget styled through it.
    for (QWidget* field : std::initializer_list<QWidget*>{procedure_, start_, time_, period_}) {
        field->setStyleSheet(
            QStringLiteral("*[wrongInput=\"true\"] { border: 2px solid #c62828; }"));
    }
    ChooseCalendar();
    start_->setText(startText);
    Recalculate();
    ShowList();
    // The whole form where the screen has room, not the two thirds of it a
    // window is given by default.
    resize(sizeHint());
}

DeadlineWindow::~DeadlineWindow() = default;

QSize DeadlineWindow::sizeHint() const {
    // The whole form where the screen has room for it, else as much as it has.
    QSize content = scroll_->widget()->sizeHint();
    content.rwidth() += scroll_->verticalScrollBar()->sizeHint().width();
    const QScreen* shown = screen();
    return shown ? content.boundedTo(shown->availableSize()) : content;
}

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
    procedure_ = new QComboBox;
    procedure_->setObjectName(QStringLiteral("procedure"));
    procedure_->setEditable(true);
    procedure_->setInsertPolicy(QComboBox::NoInsert);
    procedure_->addItem(kFreePeriod);
    auto* procedures = qobject_cast<QStandardItemModel*>(procedure_->model());
    for (const StatutoryRule& rule : StatutoryRules()) {
        const QString field = FromUtf8(LawFieldName(rule.field));
        if (procedure_->findText(field) < 0) {
            auto* heading = new QStandardItem(field);
            heading->setFlags(Qt::NoItemFlags);  // a group's heading, not a choice
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            procedures->appendRow(heading);
        }
        procedure_->addItem(ProcedureItemText(rule), FromUtf8(rule.key));
    }
    procedure_->lineEdit()->setPlaceholderText(QStringLiteral("民訴285、出生届、相続の承認"));
    procedure_->lineEdit()->setAccessibleName(QStringLiteral("手続"));
    // Typing a key or a part of a name narrows the list to what holds it.
    procedure_->completer()->setFilterMode(Qt::MatchContains);
    procedure_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    procedure_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    case_ = new QLineEdit;
    case_->setObjectName(QStringLiteral("case"));
    case_->setPlaceholderText(QStringLiteral("任意　令和6年(ワ)第1234号"));
    procedureMessage_ = MessageLabel();

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
    period_ = new QLineEdit;
    period_->setObjectName(QStringLiteral("period"));
    period_->setPlaceholderText(QStringLiteral("14、2週間、1年6か月、十四日"));
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
    periodMessage_ = MessageLabel();

    auto* questionBox = new QGroupBox(QStringLiteral("条件"));
    auto* form = new QFormLayout(questionBox);
    const auto addRow = [form](const QString& caption, QWidget* field, QLayout* row) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        field->setAccessibleName(AccessibleNameOf(caption));
        if (row) {
            form->addRow(label, row);
        } else {
            form->addRow(label, field);
        }
    };
    addRow(QStringLiteral("手続(&R)"), procedure_, nullptr);
    form->addRow(QString(), procedureMessage_);
    addRow(QStringLiteral("事件(&J)"), case_, nullptr);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(start_);  // a line edit takes the width left
    startRow->addWidget(pickDate_);
    addRow(kStartCaption, start_, startRow);
    startLabel_ = qobject_cast<QLabel*>(form->labelForField(startRow));
    form->addRow(QString(), startMessage_);
    addRow(QStringLiteral("時刻(&T)"), time_, nullptr);
    form->addRow(QString(), timeMessage_);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(period_);
    periodRow->addWidget(unit_);
    addRow(QStringLiteral("期間(&N)"), period_, periodRow);
    form->addRow(QString(), periodMessage_);
    addRow(QStringLiteral("向き(&D)"), direction_, nullptr);
    addRow(QStringLiteral("初日(&F)"), firstDay_, nullptr);
    addRow(QStringLiteral("休日の暦(&C)"), calendarChoice_, nullptr);
    auto* filesRow = new QHBoxLayout;
    filesRow->addWidget(files_);
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
    procedureTitle_ = new QLabel;
    procedureTitle_->setObjectName(QStringLiteral("procedureTitle"));
    rule_ = new QLabel;
    rule_->setObjectName(QStringLiteral("rule"));
    article_ = new QLabel;
    article_->setObjectName(QStringLiteral("article"));
    article_->setWordWrap(true);
    related_ = new QLabel;
    related_->setObjectName(QStringLiteral("related"));
    moved_ = new QLabel;
    moved_->setObjectName(QStringLiteral("moved"));
    moved_->setWordWrap(true);
    days_ = new QLabel;
    days_->setObjectName(QStringLiteral("days"));
    error_ = new QLabel;
    error_->setObjectName(QStringLiteral("error"));
    ShowInRed(*error_);
    error_->setWordWrap(true);
    article_->installEventFilter(this);
    moved_->installEventFilter(this);
    error_->installEventFilter(this);
    for (QLabel* label :
         {endDetails_, procedureTitle_, rule_, article_, related_, moved_, days_, error_}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    months_ = new MonthView([this](std::int64_t day) {
        return calendar_ ? FromUtf8(DayDescription(FactsOfDay(day, *calendar_))) : QString();
    });
    months_->setObjectName(QStringLiteral("months"));
    months_->setAccessibleName(QStringLiteral("期間の暦"));

    auto* answerBox = new QGroupBox(QStringLiteral("満了日"));
    auto* answerLayout = new QVBoxLayout(answerBox);
    for (QLabel* label :
         {end_, endDetails_, procedureTitle_, rule_, article_, moved_, days_, related_, error_}) {
        answerLayout->addWidget(label);
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
    auto* saveIcs = new QPushButton(QStringLiteral("カレンダーに保存(&I)…"));
    saveIcs->setObjectName(QStringLiteral("saveIcs"));
    saveIcs->setToolTip(QStringLiteral("この期限を予定表（.ics）に保存"));
    auto* addToList = new QPushButton(QStringLiteral("一覧に追加(&L)"));
    addToList->setObjectName(QStringLiteral("addToList"));
    answerButtons_ = {copyEnd, copyAnswer, print, savePdf, saveIcs, addToList};
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : answerButtons_) {
        buttons->addWidget(button);
    }
    buttons->addStretch();

    // The case's deadlines, gathered one answer at a time.
    const QStringList columns = {QStringLiteral("事件"), QStringLiteral("手続・期間"),
                                 QStringLiteral("起算日"), QStringLiteral("満了日"),
                                 QStringLiteral("条文")};
    list_ = new QTableWidget;
    list_->setColumnCount(columns.size());
    list_->setObjectName(QStringLiteral("deadlines"));
    list_->setAccessibleName(QStringLiteral("期限の一覧"));
    list_->setHorizontalHeaderLabels(columns);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->setVisible(false);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setTabKeyNavigation(false);  // Tab leaves the list for its buttons
    list_->setMinimumHeight(list_->fontMetrics().height() * 5);
    const auto listButton = [](const char* name, const char* caption) {
        auto* button = new QPushButton(QString::fromUtf8(caption));
        button->setObjectName(QString::fromUtf8(name));
        return button;
    };
    QPushButton* removeListed = listButton("removeListed", "一覧から削除(&E)");
    QPushButton* saveListIcs = listButton("saveListIcs", "カレンダーに保存…");
    QPushButton* saveListCsv = listButton("saveListCsv", "CSVで保存…");
    QPushButton* copyList = listButton("copyList", "表をコピー");
    QPushButton* printList = listButton("printList", "一覧を印刷…");
    QPushButton* saveListPdf = listButton("saveListPdf", "一覧をPDFに保存…");
    listButtons_ = {removeListed, saveListIcs, saveListCsv, copyList, printList, saveListPdf};
    auto* listBox = new QGroupBox(QStringLiteral("期限の一覧"));
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->addWidget(list_);
    auto* listButtonRow = new QHBoxLayout;
    for (QPushButton* button : listButtons_) {
        listButtonRow->addWidget(button);
    }
    listButtonRow->addStretch();
    listLayout->addLayout(listButtonRow);

    // The form scrolls where the screen is shorter than it.
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(questionBox);
    layout->addWidget(answerBox);
    layout->addLayout(buttons);
    layout->addWidget(listBox);
    scroll_ = new QScrollArea;
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);  // the fields take the focus, and scroll to it
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll_);

    auto* copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copyAction);
    connect(copyAction, &QAction::triggered, this, &DeadlineWindow::CopyEndDate);
    connect(copyEnd, &QPushButton::clicked, this, &DeadlineWindow::CopyEndDate);
    connect(copyAnswer, &QPushButton::clicked, this, &DeadlineWindow::CopyAnswer);
    connect(print, &QPushButton::clicked, this, &DeadlineWindow::PrintSheet);
    connect(savePdf, &QPushButton::clicked, this, &DeadlineWindow::SaveSheetAs);
    connect(saveIcs, &QPushButton::clicked, this, &DeadlineWindow::SaveAnswerCalendarAs);
    connect(addToList, &QPushButton::clicked, this, &DeadlineWindow::AddToList);
    connect(removeListed, &QPushButton::clicked, this, &DeadlineWindow::RemoveFromList);
    connect(saveListIcs, &QPushButton::clicked, this, &DeadlineWindow::SaveListCalendarAs);
    connect(saveListCsv, &QPushButton::clicked, this, &DeadlineWindow::SaveListCsvAs);
    connect(copyList, &QPushButton::clicked, this, &DeadlineWindow::CopyList);
    connect(printList, &QPushButton::clicked, this, &DeadlineWindow::PrintList);
    connect(saveListPdf, &QPushButton::clicked, this, &DeadlineWindow::SaveListSheetAs);
    connect(addFiles, &QPushButton::clicked, this, &DeadlineWindow::AddClosedDayFiles);
    connect(removeFile, &QPushButton::clicked, this, [this] {
        delete files_->currentItem();
        ChooseCalendar();
        Recalculate();
    });

    for (QLineEdit* edit : {case_, start_, time_, period_}) {
        connect(edit, &QLineEdit::textChanged, this, &DeadlineWindow::Recalculate);
    }
    connect(procedure_, &QComboBox::editTextChanged, this, &DeadlineWindow::ChooseProcedure);
    for (QComboBox* combo : {unit_, direction_, firstDay_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, &DeadlineWindow::Recalculate);
    }
    connect(calendarChoice_, &QComboBox::currentIndexChanged, this, [this] {
        ChooseCalendar();
        Recalculate();
    });
    // The form as it reads, then the list and its buttons under it.
    QList<QWidget*> tabOrder = {procedure_, case_,    start_,     pickDate_, time_,
                                period_,    unit_,    direction_, firstDay_, calendarChoice_,
                                files_,     addFiles, removeFile, copyEnd,   copyAnswer,
                                print,      savePdf,  saveIcs,    addToList, list_};
    for (QPushButton* button : listButtons_) {
        tabOrder << button;
    }
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
            ToUtf8(period_->text()),
            kUnits[unit_->currentIndex()],
            direction_->currentIndex() == 0 ? Direction::After : Direction::Before,
            kFirstDays[firstDay_->currentIndex()],
            kCalendars[calendarChoice_->currentIndex()],
            files_->count() > 0,
            chosenRule_,
            ToUtf8(case_->text())};
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
    // No answer while the procedure field names no rule: it would belong to
    // another question.
    answer_ = calendar_ && procedureWrong_.isEmpty() ? AnswerTo(Question(), *calendar_)
                                                     : DeadlineAnswer{};
    ShowAnswer();
    if (!calendar_) {
        error_->setText(calendarError_);  // no answer while a file of closed days does not read
        error_->setVisible(true);
    }
}

void DeadlineWindow::ChooseProcedure() {
    const QString text = procedure_->currentText().trimmed();
    const StatutoryRule* rule = nullptr;
    procedureWrong_.clear();
    // A rule's own item holds its key; a field's heading, typed out, holds
    // none and is read as a name like any other text.
    const QString key = procedure_->itemData(procedure_->findText(text)).toString();
    if (!key.isEmpty()) {
        rule = RulesNamed(ToUtf8(key)).front();
    } else if (!text.isEmpty() && text != kFreePeriod) {
        const std::vector<const StatutoryRule*> named = RulesNamed(ToUtf8(text));
        if (named.size() == 1) {
            rule = named.front();
        } else {
            procedureWrong_ = FromUtf8(RuleChoiceMessage(ToUtf8(text), named));
        }
    }
    MarkField(*procedure_, *procedureMessage_, ToUtf8(procedureWrong_));
    if (rule != chosenRule_) {
        LockToRule(rule);
    }
    Recalculate();
}

void DeadlineWindow::LockToRule(const StatutoryRule* rule) {
    chosenRule_ = rule;
    {
        // One answer once every field is set, not one a field.
        const QSignalBlocker blockPeriod(period_), blockDirection(direction_),
            blockFirstDay(firstDay_), blockCalendar(calendarChoice_);
        if (rule) {
            period_->setText(FromUtf8(PeriodText(rule->period)));
            direction_->setCurrentIndex(rule->direction == Direction::Before ? 1 : 0);
            firstDay_->setCurrentIndex(FirstDayOf(rule->counting) == FirstDay::Included ? 1 : 2);
            calendarChoice_->setCurrentIndex(0);
        }
    }
    for (QWidget* field : std::initializer_list<QWidget*>{time_, period_, unit_, direction_,
                                                          firstDay_, calendarChoice_}) {
        field->setEnabled(rule == nullptr);
    }
    const QString caption =
        rule ? FromUtf8(rule->eventGroup) + QStringLiteral("(&S)") : kStartCaption;
    startLabel_->setText(caption);
    start_->setAccessibleName(AccessibleNameOf(caption));
    start_->setToolTip(rule ? FromUtf8(rule->event) : QString());
    ChooseCalendar();
}

void DeadlineWindow::ShowAnswer() {
    // Fields are only judged by an answer to them: none is given while the
    // procedure or a closed-day file is wrong.
    const bool asked = calendar_ && procedureWrong_.isEmpty();
    const bool blankStart = start_->text().trimmed().isEmpty();
    const bool blankPeriod = period_->text().trimmed().isEmpty();
    // A field not yet typed in is not wrong, only unanswered; the start's
    // message names the field by its label.
    const auto* wrong = std::get_if<WrongInput>(&answer_.end);
    const auto is = [wrong, asked](WrongInput input) { return asked && wrong && *wrong == input; };
    const std::string startWrong = blankStart ? std::string()
                                   : is(WrongInput::StartDate) || is(WrongInput::Date)
                                       ? DateMessageFor(ToUtf8(start_->accessibleName()))
                                   : is(WrongInput::BeforeRuleInForce)
                                       ? std::string(MessageFor(WrongInput::BeforeRuleInForce))
                                       : std::string();
    MarkField(*start_, *startMessage_, startWrong);
    MarkField(*time_, *timeMessage_,
              is(WrongInput::TimeOfDay) ? MessageFor(WrongInput::TimeOfDay) : std::string_view());
    MarkField(*period_, *periodMessage_,
              is(WrongInput::Period) && !blankPeriod ? MessageFor(WrongInput::Period)
                                                     : std::string_view());

    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer_.end);
    const auto* error = std::get_if<ErrorNumber>(&answer_.end);
    error_->setText(error ? FromUtf8(ErrorLine(*error)) : QString());
    error_->setVisible(error != nullptr);
    for (QLabel* label :
         {end_, endDetails_, procedureTitle_, rule_, article_, moved_, days_, related_}) {
        label->clear();
    }
    if (end) {
        end_->setText(FromUtf8(EndDateCopyText(*end)));
        const DayFacts facts = FactsOfDay(end->day, *calendar_);
        const std::string description = DayDescription(facts);
        endDetails_->setText(FromUtf8(description).section(QChar(0x3000), 1));
        rule_->setText(FromUtf8(CountingRuleText(*end)));
        moved_->setText(FromUtf8(ClosedDayText(*end)));
        days_->setText(FromUtf8(PeriodDaysText(answer_)));
        if (end->rule) {
            procedureTitle_->setText(FromUtf8(std::string(end->rule->key) + "　" +
                                              RuleTitle(*end->rule) + "　" +
                                              RulePeriodText(*end->rule)));
            article_->setText(FromUtf8(RuleCitationText(*end->rule)));
        }
        QStringList related;
        for (const RelatedDeadline& other : answer_.related) {
            related << FromUtf8(RelatedDeadlineText(*other.rule, other.end));
        }
        if (!related.isEmpty()) {
            related_->setText(QStringLiteral("同じ日から:\n") + related.join(u'\n'));
        }
    }
    for (QLabel* label : {procedureTitle_, article_, moved_, related_}) {
        label->setVisible(!label->text().isEmpty());
    }
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
    for (QLabel* label : {article_, moved_, error_}) {
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
    if (!end) {
        return {};
    }
    const QString answer = FromUtf8(PeriodEndText(*end, Form::Long));
    return case_->text().isEmpty() ? answer : case_->text() + u'\t' + answer;
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
    if (!case_->text().isEmpty()) {
        sheet.question.append({QStringLiteral("事件"), case_->text()});
    }
    if (chosenRule_) {
        sheet.question.append({QStringLiteral("手続"), FromUtf8(std::string(chosenRule_->key) +
                                                                "　" + RuleTitle(*chosenRule_))});
        sheet.question.append({QStringLiteral("起算日"), start_->text() + QStringLiteral("（") +
                                                             FromUtf8(chosenRule_->eventGroup) +
                                                             QStringLiteral("）")});
        sheet.question.append({QStringLiteral("起算の事由"), FromUtf8(chosenRule_->event)});
        sheet.question.append({QStringLiteral("条文"), FromUtf8(RuleCitationText(*chosenRule_))});
    } else {
        sheet.question.append({QStringLiteral("起算日"), start_->text()});
        sheet.question.append({QStringLiteral("時刻"), time_->text().isEmpty()
                                                           ? QStringLiteral("指定なし")
                                                           : time_->text()});
    }
    sheet.question.append({
        {QStringLiteral("期間"), FromUtf8(PeriodTextOf(question))},
        {QStringLiteral("向き"), direction_->currentText()},
        {QStringLiteral("初日"), firstDay_->currentText()},
        {QStringLiteral("休日の暦"), calendarChoice_->currentText()},
    });
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
        if (!related_->text().isEmpty()) {
            sheet.answer.append(
                {QStringLiteral("同じ日からの期限"), related_->text().section(u'\n', 1)});
        }
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
        fileChooser_->SaveFileName(*this, QStringLiteral("期限計算表をPDFに保存"),
                                   QStringLiteral("期限計算.pdf"), QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && !SaveSheet(path)) {
        error_->setText(QStringLiteral("%1 に保存できませんでした").arg(path));
        error_->setVisible(true);
    }
}

void DeadlineWindow::AddClosedDayFiles() {
    const QStringList paths = fileChooser_->OpenFileNames(
        *this, QStringLiteral("休日ファイルを選ぶ"),
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
    // Only the days shown keep a mark, however many months the user turns.
    picker_->setDateTextFormat(QDate(), QTextCharFormat());
    const QDate first = FirstShownDay(*picker_, year, month);
    for (int shown = 0; shown < kShownDays; ++shown) {
        const QDate date = first.addDays(shown);
        if (!Offers(*picker_, date)) {
            continue;
        }
        const bool closed = calendar_ && !calendar_->ClosedReasons(DayOfDate(date)).empty();
        if (date.dayOfWeek() == Qt::Saturday || closed) {
            QTextCharFormat format;
            format.setForeground(date.dayOfWeek() == Qt::Saturday ? kSaturdayText : kClosedText);
            picker_->setDateTextFormat(date, format);
        }
    }
}

namespace {

// The inputs a listed deadline answers, as torvelin-calc is given them: the
// start with its time, and the period, which a rule fixes itself.
std::optional<DeadlineEvent> EventOf(const ListedDeadline& listed) {
    const std::string period = listed.question.rule ? std::string() : PeriodTextOf(listed.question);
    return DeadlineEventOf(StartTextOf(listed.question), period, listed.question.caseText,
                           listed.end);
}

// The rule, or the period with its way: "民訴285 控訴", "10日", "2週間前まで".
std::string ProcedureOrPeriod(const ListedDeadline& listed) {
    if (listed.question.rule) {
        return std::string(listed.question.rule->key) + " " +
               std::string(listed.question.rule->name);
    }
    return PeriodTextOf(listed.question) +
           (listed.end.direction == Direction::Before ? "前まで" : "");
}

// The article a listed deadline rests on: the rule's, or how the period was
// counted and what moved it.
std::string ArticleOf(const ListedDeadline& listed) {
    if (listed.question.rule) {
        return std::string(listed.question.rule->article);
    }
    const std::string counting = CountingRuleText(listed.end);
    return listed.end.movedBy.empty() ? counting
                                      : counting + "・" + std::string(listed.end.movedBy);
}

// The list's row of a deadline, as the table shows it.
QStringList RowOf(const ListedDeadline& listed) {
    return {FromUtf8(listed.question.caseText), FromUtf8(ProcedureOrPeriod(listed)),
            FromUtf8(StartTextOf(listed.question)), FromUtf8(EndDateCopyText(listed.end)),
            FromUtf8(ArticleOf(listed))};
}

const QStringList kListCaptions = {QStringLiteral("事件"), QStringLiteral("手続・期間"),
                                   QStringLiteral("起算日"), QStringLiteral("満了日"),
                                   QStringLiteral("条文")};

CalendarSettings SettingsNow() {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    const std::optional<std::int64_t> created = CalendarCreationTime(
        qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH")
            ? std::optional<std::string_view>(std::string_view(epoch.constData(), epoch.size()))
            : std::nullopt,
        QDateTime::currentSecsSinceEpoch());
    // A time the variable cannot give is no reason to refuse a calendar.
    return {.createdAt = created.value_or(QDateTime::currentSecsSinceEpoch())};
}

}  // namespace

void DeadlineWindow::AddToList() {
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer_.end);
    if (!end) {
        return;
    }
    listed_.push_back({Question(), *end, calendar_});
    ShowList();
    list_->selectRow(list_->rowCount() - 1);
}

void DeadlineWindow::RemoveFromList() {
    const int row = list_->currentRow();
    if (row < 0) {
        return;  // no entry chosen
    }
    listed_.erase(listed_.begin() + row);
    ShowList();
}

void DeadlineWindow::ShowList() {
    list_->setRowCount(static_cast<int>(listed_.size()));
    for (int row = 0; row < std::ssize(listed_); ++row) {
        const QStringList cells = RowOf(listed_[static_cast<std::size_t>(row)]);
        for (int column = 0; column < cells.size(); ++column) {
            list_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    list_->resizeColumnsToContents();
    for (QPushButton* button : listButtons_) {
        button->setEnabled(!listed_.empty());
    }
}

std::string DeadlineWindow::AnswerCalendar() const {
    const PeriodEnd* end = std::get_if<PeriodEnd>(&answer_.end);
    if (!end) {
        return {};
    }
    const std::optional<DeadlineEvent> event = EventOf({Question(), *end, calendar_});
    return event ? CalendarText({*event}, SettingsNow()) : std::string();
}

std::string DeadlineWindow::ListCalendar() const {
    std::vector<DeadlineEvent> events;
    for (const ListedDeadline& listed : listed_) {
        if (std::optional<DeadlineEvent> event = EventOf(listed)) {
            events.push_back(*std::move(event));
        }
    }
    return CalendarText(events, SettingsNow());
}

std::string DeadlineWindow::ListCsv() const {
    std::string text;
    for (const ListedDeadline& listed : listed_) {
        const std::string period = listed.question.rule ? PeriodText(listed.question.rule->period)
                                                        : PeriodTextOf(listed.question);
        const Record record =
            ListedDeadlineRecord(listed.question.caseText, listed.question.rule,
                                 StartTextOf(listed.question), period, listed.end);
        if (text.empty()) {
            text = HeaderLine(record, RecordFormat::Csv);
        }
        text += RecordLine(record, RecordFormat::Csv);
    }
    return text;
}

QString DeadlineWindow::ListCopy() const {
    // Tabs and line ends inside a cell would split it in a spreadsheet.
    const auto line = [](QStringList cells) {
        for (QString& cell : cells) {
            cell.replace(u'\t', u' ').replace(u'\n', u' ');
        }
        return cells.join(u'\t') + u'\n';
    };
    QString text = line(kListCaptions);
    for (const ListedDeadline& listed : listed_) {
        text += line(RowOf(listed));
    }
    return text;
}

DeadlineSheet DeadlineWindow::ListSheet() const {
    DeadlineSheet sheet;
    sheet.title = QStringLiteral("期限一覧");
    sheet.table = {kListCaptions};
    for (const ListedDeadline& listed : listed_) {
        sheet.table.append(RowOf(listed));
    }
    sheet.printedOn = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    return sheet;
}

void DeadlineWindow::SaveAs(const QString& title, const QString& suggested, const QString& filter,
                            const std::string& bytes) {
    const QString path = fileChooser_->SaveFileName(*this, title, suggested, filter);
    if (path.isEmpty()) {
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        error_->setText(QStringLiteral("%1 に保存できませんでした").arg(path));
        error_->setVisible(true);
    }
}

void DeadlineWindow::SaveAnswerCalendarAs() {
    if (const std::string text = AnswerCalendar(); !text.empty()) {
        SaveAs(QStringLiteral("期限をカレンダーに保存"), QStringLiteral("期限.ics"),
               QStringLiteral("iCalendar (*.ics)"), text);
    }
}

void DeadlineWindow::SaveListCalendarAs() {
    if (!listed_.empty()) {
        SaveAs(QStringLiteral("期限の一覧をカレンダーに保存"), QStringLiteral("期限一覧.ics"),
               QStringLiteral("iCalendar (*.ics)"), ListCalendar());
    }
}

void DeadlineWindow::SaveListCsvAs() {
    if (!listed_.empty()) {
        SaveAs(QStringLiteral("期限の一覧をCSVで保存"), QStringLiteral("期限一覧.csv"),
               QStringLiteral("CSV (*.csv)"), ListCsv());
    }
}

void DeadlineWindow::CopyList() {
    if (!listed_.empty()) {
        QApplication::clipboard()->setText(ListCopy());
    }
}

void DeadlineWindow::PrintList() {
    if (!listed_.empty()) {
        printer_->Print(ListSheet(), *this);
    }
}

void DeadlineWindow::SaveListSheetAs() {
    if (listed_.empty()) {
        return;
    }
    const QString path =
        fileChooser_->SaveFileName(*this, QStringLiteral("期限一覧をPDFに保存"),
                                   QStringLiteral("期限一覧.pdf"), QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && !SaveSheetAsPdf(ListSheet(), path)) {
        error_->setText(QStringLiteral("%1 に保存できませんでした").arg(path));
        error_->setVisible(true);
    }
}

bool DeadlineWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        (watched == article_ || watched == moved_ || watched == error_)) {
        FitWrappedLines();
    }
    if (event->type() == QEvent::ToolTip && watched->objectName() == u"pickerDays") {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto* view = qobject_cast<QTableView*>(watched->parent());
        const QDate date = view ? DateInCalendar(*picker_, *view, help->pos()) : QDate();
        if (Offers(*picker_, date)) {
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
