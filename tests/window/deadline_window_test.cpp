// SPDX-License-Identifier: MIT
// The deadline window as a user meets it, on Qt's offscreen platform.
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <functional>
#include <map>

#include <sys/mman.h>
#include <unistd.h>

#include "cli/command_line.h"
#include "format/answer_text.h"
#include "kept_picture.h"
#include "window/deadline_window.h"
#include "window/month_view.h"

using namespace torvelin;

namespace {

// Answers the window's file dialogs from a queue: a path, or "" for Cancel.
struct ScriptedFileChooser final : FileChooser {
    QString SaveFileName(QWidget&, const QString&, const QString&, const QString&) override {
        asked += 1;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList OpenFileNames(QWidget&, const QString&, const QString&) override {
        asked += 1;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        return answer.isEmpty() ? QStringList() : answer.split(u'\n');
    }
    QStringList answers;
    int asked = 0;
};

// The text of a PDF, as a reader extracts it; its lines joined as one.
QString PdfText(const QString& path) {
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    extract.waitForFinished();
    return QString::fromUtf8(extract.readAllStandardOutput()).remove(u'\n');
}

// A page of a PDF as a picture, at 100 dots an inch.
QImage PdfPage(const QString& path, int page = 1) {
    QProcess render;
    const QString number = QString::number(page);
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                  QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                  QStringLiteral("-singlefile"), path, path + QStringLiteral("-page")});
    render.waitForFinished();
    return QImage(path + QStringLiteral("-page.png"));
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct RecordingSheetPrinter final : SheetPrinter {
    void Print(const DeadlineSheet& sheet, QWidget&) override { printed.push_back(sheet); }
    std::vector<DeadlineSheet> printed;
};

// Types the question into the window, field by field as a user would.
void Ask(DeadlineWindow& window, const QString& start, const QString& time, const QString& count,
         int unit, int direction = 0, int calendar = 0) {
    window.findChild<QComboBox*>("unit")->setCurrentIndex(unit);
    window.findChild<QComboBox*>("direction")->setCurrentIndex(direction);
    window.findChild<QComboBox*>("calendar")->setCurrentIndex(calendar);
    for (auto [name, text] : {std::pair{"start", start}, {"time", time}, {"period", count}}) {
        auto* edit = window.findChild<QLineEdit*>(name);
        edit->clear();
        edit->insert(text);
    }
}

// Types into the procedure field as a user would, over what it held.
void ChooseProcedure(DeadlineWindow& window, const QString& text) {
    QLineEdit* edit = window.findChild<QComboBox*>("procedure")->lineEdit();
    edit->selectAll();
    edit->insert(text);
}

QString Shown(const DeadlineWindow& window, const char* name) {
    return window.findChild<QLabel*>(name)->text();
}

DayMark MarkOn(const DeadlineAnswer& answer, int year, int month, int day) {
    for (const MarkedMonth& shown : answer.months) {
        if (shown.year == year && shown.month == month) {
            return shown.marks[day - 1];
        }
    }
    return DayMark::Outside;
}

// What torvelin-calc writes for the same question, its line end dropped.
std::string CommandLineAnswer(std::vector<std::string_view> arguments) {
    const auto memory = [] { return memfd_create("answer", MFD_CLOEXEC); };
    const int in = memory(), out = memory(), err = memory();
    RunCommandLine(arguments, {in, out, err});
    std::string text(static_cast<std::size_t>(lseek(out, 0, SEEK_END)), '\0');
    pread(out, text.data(), text.size(), 0);
    for (const int fd : {in, out, err}) {
        close(fd);
    }
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

}  // namespace

class DeadlineWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The window and torvelin-calc give the same answer to the same question,
    // the user's own closed-day file included: 2025/01/06 is closed in it.
    void answers_agreeWithTheCommandLine() {
        QTemporaryDir config;
        QVERIFY(QDir(config.path()).mkpath("torvelin"));
        QFile file(config.filePath("torvelin/closed-days.tsv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2025/01/06\t事務所の休業日\n");
        file.close();
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", oldConfig); });
        const char* const kUnits[] = {"日", "週間", "か月", "年", "営業日", "時間"};
        const char* const kCalendars[] = {nullptr, "--closed=bank", "--closed=none"};
        // start, time, count, unit, back, calendar
        const std::tuple<const char*, const char*, const char*, int, bool, int> cases[] = {
            {"2024/12/20", "", "10", 0, false, 0},    {"2024/12/20", "", "10", 0, false, 1},
            {"2024/12/20", "", "10", 0, false, 2},    {"2024/12/16", "", "三", 1, false, 0},
            {"2024/1/31", "", "1", 2, false, 0},      {"2024/2/29", "0:00", "1", 3, false, 0},
            {"2024/12/20", "", "5", 4, false, 0},     {"2024/12/20", "", "5", 4, false, 1},
            {"2024/3/4", "15:30", "48", 5, false, 0}, {"2025/1/7", "", "2", 1, true, 0},
            {"2024/4/1", "", "1", 2, true, 1},        {"2025/1/7", "", "1", 4, true, 0},
        };
        bool fileRead = false;
        for (const auto& [start, time, count, unit, back, calendar] : cases) {
            DeadlineWindow window;
            Ask(window, start, time, count, unit, back ? 1 : 0, calendar);
            const PeriodEnd* end = std::get_if<PeriodEnd>(&window.Answer().end);
            QVERIFY2(end, start);
            const std::string startText = *time ? std::string(start) + " " + time : start;
            const std::string period = std::string(count) + kUnits[unit];
            std::vector<std::string_view> arguments{"deadline", "--long"};
            if (back) {
                arguments.push_back("--before");
            }
            if (kCalendars[calendar]) {
                arguments.push_back(kCalendars[calendar]);
            }
            arguments.insert(arguments.end(), {startText, period});
            const QString answer = QString::fromStdString(PeriodEndText(*end, Form::Long));
            QCOMPARE(answer, QString::fromStdString(CommandLineAnswer(arguments)));
            fileRead |= answer.contains(QStringLiteral("事務所の休業日"));
        }
        QVERIFY(fileRead);
    }

    // A rule of each field, chosen by its key, answers as torvelin-calc does,
    // the year-end days included.
    void rules_chosenByKey_answerAsTheCommandLine() {
        const char* const keys[] = {"民訴285",  "刑訴373", "家事86", "行審18",
                                    "相続税27", "会社299", "特商9",  "戸籍49"};
        for (const char* key : keys) {
            // 2024/12/16 ends fourteen days on 12/30, on which banks are open.
            for (const char* day : {"2024/12/16", "2024/12/18", "2025/3/31", "2026/12/25"}) {
                DeadlineWindow window;
                // The bank's calendar, which the rule replaces with the courts'.
                window.findChild<QComboBox*>("calendar")->setCurrentIndex(1);
                ChooseProcedure(window, QString::fromUtf8(key));
                window.findChild<QLineEdit*>("start")->insert(QString::fromUtf8(day));
                const PeriodEnd* end = std::get_if<PeriodEnd>(&window.Answer().end);
                QVERIFY2(end, key);
                const std::string rule = std::string("--rule=") + key;
                QCOMPARE(
                    QString::fromStdString(PeriodEndText(*end, Form::Long)),
                    QString::fromStdString(CommandLineAnswer({"deadline", "--long", rule, day})));
            }
        }
    }

    // A name that names one rule chooses it and locks what it fixes; one that
    // names several says which, and answers nothing until one is chosen.
    void procedure_choosesByNameAndLocksWhatTheRuleFixes() {
        DeadlineWindow window;
        Ask(window, "2025/12/2", "", "3", 0);
        ChooseProcedure(window, QStringLiteral("出生"));
        QCOMPARE(Shown(window, "end"), QStringLiteral("2025年12月15日（月）"));
        QVERIFY(!window.findChild<QLineEdit*>("period")->isEnabled());
        QCOMPARE(window.findChild<QLineEdit*>("period")->text(), QStringLiteral("14日"));
        QCOMPARE(window.findChild<QComboBox*>("firstDay")->currentText(),
                 QStringLiteral("算入する"));
        QCOMPARE(window.findChild<QComboBox*>("calendar")->currentText(),
                 QStringLiteral("裁判所・官公庁"));
        // The locked fields show what the rule fixes: a meeting's notice runs
        // back and leaves its first day out.
        ChooseProcedure(window, QStringLiteral("会社299"));
        QCOMPARE(window.findChild<QComboBox*>("direction")->currentText() + u' ' +
                     window.findChild<QComboBox*>("firstDay")->currentText(),
                 QStringLiteral("前までに（期日からさかのぼる） 算入しない"));
        ChooseProcedure(window, QStringLiteral("出生"));
        QCOMPARE(window.findChild<QLineEdit*>("start")->accessibleName(),
                 QStringLiteral("出生の日"));
        QVERIFY(Shown(window, "article")
                    .startsWith(QStringLiteral(
                        "戸籍法（昭和二十二年法律第二百二十四号）第四十九条第一項「出生の届出は")));
        // The article keeps the room its lines take as the layout narrows it.
        window.show();
        auto* article = window.findChild<QLabel*>("article");
        article->resize(article->width() / 3, article->height());
        QCOMPARE(article->minimumHeight(), article->heightForWidth(article->width()));
        // and wraps rather than widening the form past the window.
        QVERIFY(window.findChild<QScrollArea*>()->widget()->minimumSizeHint().width() <=
                window.width());
        ChooseProcedure(window, QStringLiteral("控訴"));
        QVERIFY(Shown(window, "end").isEmpty());
        QVERIFY(window.findChild<QComboBox*>("procedure")->property("wrongInput").toBool());
        QVERIFY(!window.findChild<QLineEdit*>("start")->property("wrongInput").toBool());
        ChooseProcedure(window, QStringLiteral("民訴285　控訴（2週間）"));  // the list's own item
        QVERIFY(Shown(window, "related")
                    .contains(
                        QStringLiteral("民訴313　上告（民事訴訟法313条）　2025年12月16日（火）")));
        // A field's heading typed out names no rule.
        ChooseProcedure(window, QStringLiteral("家事"));
        QVERIFY(Shown(window, "end").isEmpty());
        QVERIFY(window.findChild<QComboBox*>("procedure")->property("wrongInput").toBool());
        ChooseProcedure(window, QStringLiteral("（期間を指定）"));
        QVERIFY(window.findChild<QLineEdit*>("period")->isEnabled());
        QCOMPARE(window.findChild<QLineEdit*>("start")->accessibleName(), QStringLiteral("起算日"));
        QCOMPARE(Shown(window, "end"), QStringLiteral("2025年12月16日（火）"));  // 2週間, now free
        QVERIFY(Shown(window, "related").isEmpty());
    }

    // The list gathers a case's answers and hands them on whole: as a calendar
    // torvelin-calc would write for the same inputs, as CSV records, as a
    // table to paste and as one printed sheet. Nothing is written when a
    // dialog is cancelled.
    void list_gathersAnswersAndHandsThemOnWhole() {
        qputenv("SOURCE_DATE_EPOCH", "1733900000");
        const auto restore = qScopeGuard([] { qunsetenv("SOURCE_DATE_EPOCH"); });
        QTemporaryDir dir;
        auto chooser = std::make_unique<ScriptedFileChooser>();
        ScriptedFileChooser& files = *chooser;
        auto printer = std::make_unique<RecordingSheetPrinter>();
        RecordingSheetPrinter& printed = *printer;
        DeadlineWindow window({}, std::move(printer), std::move(chooser));
        const auto click = [&](const char* name) { window.findChild<QPushButton*>(name)->click(); };
        QVERIFY(!window.findChild<QPushButton*>("saveListIcs")->isEnabled());
        auto* caseField = window.findChild<QLineEdit*>("case");
        caseField->insert(QStringLiteral("令和6年(ワ)第1234号"));
        Ask(window, "2024/12/20", "", "10", 0);
        click("addToList");
        ChooseProcedure(window, QStringLiteral("民訴285"));
        Ask(window, "2024/12/18", "", "", 0);
        // The answer alone is the calendar torvelin-calc writes.
        files.answers = {dir.filePath("answer.ics")};
        click("saveIcs");
        QCOMPARE(Read(dir.filePath("answer.ics")).toStdString(),
                 CommandLineAnswer({"deadline", "--format=ics", "--case=令和6年(ワ)第1234号",
                                    "--rule=民訴285", "2024/12/18"}) +
                     "\n");
        click("addToList");
        caseField->clear();
        ChooseProcedure(window, QStringLiteral("（期間を指定）"));
        Ask(window, "2024/3/4", "15:30", "48時間", 0);
        click("addToList");
        QCOMPARE(window.Listed().size(), 3u);
        auto* list = window.findChild<QTableWidget*>("deadlines");
        QStringList captions;
        for (int column = 0; column < list->columnCount(); ++column) {
            captions << list->horizontalHeaderItem(column)->text();
        }
        QCOMPARE(captions, (QStringList{"事件", "手続・期間", "起算日", "満了日", "条文"}));
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("民訴285 控訴"));
        QCOMPARE(list->item(1, 3)->text(), QStringLiteral("2025年1月6日（月）"));
        QCOMPARE(list->item(0, 4)->text(),
                 QStringLiteral("初日不算入（民法140条）・民事訴訟法95条3項"));
        QCOMPARE(list->item(2, 2)->text(), QStringLiteral("2024/3/4 15:30"));
        // Its columns fill its width, and no row numbers take room from them.
        window.show();
        window.resize(window.width() + 800, window.height());
        QVERIFY(list->verticalHeader()->isHidden());
        const auto columnsWidth = [&] {
            int width = 0;
            for (int column = 0; column < list->columnCount(); ++column) {
                width += list->columnWidth(column);
            }
            return width;
        };
        QTRY_COMPARE(columnsWidth(), list->viewport()->width());

        files.answers = {dir.filePath("list.ics"), dir.filePath("list.csv"), "",
                         dir.filePath("list.pdf")};
        click("saveListIcs");
        const QString calendar = QString::fromUtf8(Read(dir.filePath("list.ics")));
        QCOMPARE(calendar.count(QStringLiteral("BEGIN:VEVENT")), 3);
        QVERIFY(calendar.contains(QStringLiteral("DTSTART;TZID=Asia/Tokyo:20240306T153000")));
        QCOMPARE(calendar.toStdString(), window.ListCalendar());
        QVERIFY(calendar.contains(
            QString::fromStdString(CommandLineAnswer({"deadline", "--format=ics", "--remind=none",
                                                      "2024/3/4 15:30", "48時間"}))
                .section(u'\n', 4, 4)));
        click("saveListCsv");
        const QStringList csv =
            QString::fromUtf8(Read(dir.filePath("list.csv"))).split(QStringLiteral("\r\n"));
        QVERIFY(csv[0].startsWith(QStringLiteral("case,key,name,article,start,period,end,")));
        QVERIFY(csv[2].startsWith(QStringLiteral(
            "令和6年(ワ)第1234号,民訴285,控訴,民事訴訟法285条,2024/12/18,2週間,2025/01/06,月,")));
        QVERIFY(csv[2].endsWith(QStringLiteral(",民事訴訟法95条3項,ok,")));
        QVERIFY(
            csv[3].startsWith(QStringLiteral(",,,,2024/3/4 15:30,48時間,2024/03/06 15:30:00,")));
        click("savePdf");  // cancelled: nothing written, nothing said
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
        QVERIFY(window.findChild<QLabel*>("error")->isHidden());
        click("saveListPdf");
        // The printed list holds every deadline with its rule and article.
        const QString sheet = PdfText(dir.filePath("list.pdf"));
        for (const char* text : {"期限一覧", "2025年1月6日（月）", "民事訴訟法285条",
                                 "2024/3/4 15:30", "2024年3月6日", "15:30:00"}) {
            QVERIFY2(sheet.contains(QString::fromUtf8(text)), text);
        }
        QVERIFY2(sheet.contains(QStringLiteral("2025年1月6日（月）")) &&
                     sheet.count(QStringLiteral("令和6年(ワ)第1234号")) == 2,
                 qPrintable(sheet));
        QCOMPARE(files.asked, 5);

        click("copyList");
        const QStringList rows = QApplication::clipboard()->text().split(u'\n');
        QCOMPARE(rows[0], QStringLiteral("事件\t手続・期間\t起算日\t満了日\t条文"));
        QCOMPARE(
            rows[2].section(u'\t', 0, 3),
            QStringLiteral("令和6年(ワ)第1234号\t民訴285 控訴\t2024/12/18\t2025年1月6日（月）"));
        click("printList");
        QCOMPARE(printed.printed.back().title, QStringLiteral("期限一覧"));
        QCOMPARE(printed.printed.back().table.size(), 4);
        QCOMPARE(printed.printed.back().table[2][4], QStringLiteral("民事訴訟法285条"));

        list->setCurrentItem(nullptr);  // nothing chosen: nothing taken off
        click("removeListed");
        QCOMPARE(window.Listed().size(), 3u);
        list->selectRow(0);
        click("removeListed");
        QCOMPARE(window.Listed().size(), 2u);
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("民訴285 控訴"));
        // A file that cannot be written says so, by its name.
        for (const char* button :
             {"saveListCsv", "saveListIcs", "saveListPdf", "saveIcs", "savePdf"}) {
            const QString path = dir.filePath(QStringLiteral("no/such/folder/") + button);
            files.answers = {path};
            click(button);
            QVERIFY2(!window.findChild<QLabel*>("error")->isHidden(), button);
            QCOMPARE(Shown(window, "error"), path + QStringLiteral(" に保存できませんでした"));
        }
    }

    void typing_answersEachUnitWayAndCalendar_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("calendar");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("moved");
        // The end falls in the year-end days off and moves past them.
        QTest::newRow("days, moved") << "2024/12/16"
                                     << ""
                                     << "14" << 0 << 0 << 0 << "2025年1月6日（月）"
                                     << "期間の日数 21日（うち開庁日 10日）"
                                     << "末日2024/12/30（月）は年末年始の休日";
        // Banks are open on 12/30, so the bank calendar's end stays there.
        QTest::newRow("kanji count, era, full width, bank")
            << "令和６年１２月１６日"
            << ""
            << "十四" << 0 << 0 << 1 << "2024年12月30日（月）"
            << "期間の日数 14日（うち開庁日 10日）"
            << "";
        QTest::newRow("no calendar") << "2024/12/16"
                                     << ""
                                     << "14" << 0 << 0 << 2 << "2024年12月30日（月）"
                                     << "期間の日数 14日（うち開庁日 14日）"
                                     << "";
        QTest::newRow("from midnight") << "2025/1/6"
                                       << "0:00"
                                       << "10" << 0 << 0 << 0 << "2025年1月15日（水）"
                                       << "期間の日数 10日"
                                       << "";
        // The whole period typed in the count field: the unit is not added.
        QTest::newRow("whole period") << "2025/1/6"
                                      << ""
                                      << "1年6か月" << 0 << 0 << 0 << "2026年7月6日（月）"
                                      << "期間の日数 546日"
                                      << "";
        QTest::newRow("weeks") << "2025/1/6"
                               << ""
                               << "2" << 1 << 0 << 0 << "2025年1月20日（月）"
                               << "期間の日数 14日"
                               << "";
        QTest::newRow("months, short month") << "2025/1/31"
                                             << ""
                                             << "1" << 2 << 0 << 0 << "2025年2月28日（金）"
                                             << "期間の日数 28日"
                                             << "";
        QTest::newRow("years") << "2024/2/29"
                               << ""
                               << "1" << 3 << 0 << 0 << "2025年2月28日（金）"
                               << "期間の日数 365日"
                               << "";
        QTest::newRow("open days") << "2025/1/6"
                                   << ""
                                   << "5" << 4 << 0 << 0 << "2025年1月14日（火）"
                                   << "（うち開庁日 5日）"
                                   << "";
        QTest::newRow("hours") << "2025/1/6"
                               << "9:30"
                               << "48" << 5 << 0 << 0 << "2025年1月8日（水） 9:30:00"
                               << "期間の日数 2日"
                               << "";
        // Back from a known day: the day before the period stays on a closed day.
        QTest::newRow("back") << "2025/1/6"
                              << ""
                              << "1" << 1 << 1 << 0 << "2024年12月29日（日）"
                              << "期間の前の日までの日数 7日（うち開庁日 0日）"
                              << "2024/12/29（日）は日曜日・年末年始の休日";
        // 1/10 to 1/16: the weekend and 成人の日 closed, the four other days open.
        QTest::newRow("back, open days") << "2025/1/17"
                                         << ""
                                         << "1" << 1 << 1 << 0 << "2025年1月9日（木）"
                                         << "期間の前の日までの日数 7日（うち開庁日 4日）"
                                         << "";
    }
    void typing_answersEachUnitWayAndCalendar() {
        QFETCH(QString, start);
        QFETCH(QString, time);
        QFETCH(QString, count);
        QFETCH(int, unit);
        QFETCH(int, direction);
        QFETCH(int, calendar);
        QFETCH(QString, end);
        QFETCH(QString, days);
        DeadlineWindow window;
        Ask(window, start, time, count, unit, direction, calendar);
        QCOMPARE(Shown(window, "end"), end);
        QVERIFY2(Shown(window, "days").contains(days), qPrintable(Shown(window, "days")));
        QFETCH(QString, moved);
        QCOMPARE(Shown(window, "moved").isEmpty(), moved.isEmpty());
        QVERIFY2(Shown(window, "moved").contains(moved), qPrintable(Shown(window, "moved")));
        QCOMPARE(window.EndDateCopy(), Shown(window, "end"));
    }

    void wrongInput_marksItsFieldAndEmptiesTheAnswer_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("start") << "2025/2/30"
                               << ""
                               << "14"
                               << "start"
                               << "「起算日」の日付";
        QTest::newRow("time") << "2025/1/6"
                              << "25:99"
                              << "14"
                              << "time"
                              << "時刻を";
        QTest::newRow("period") << "2025/1/6"
                                << ""
                                << "1年6"
                                << "period"
                                << "「期間」を";
        QTest::newRow("out of range") << "9999/12/30"
                                      << ""
                                      << "14"
                                      << ""
                                      << "error 5";
    }
    void wrongInput_marksItsFieldAndEmptiesTheAnswer() {
        QFETCH(QString, start);
        QFETCH(QString, time);
        QFETCH(QString, count);
        QFETCH(QString, field);
        QFETCH(QString, message);
        DeadlineWindow window;
        Ask(window, "2024/12/16", "", "14", 0);
        QVERIFY(!Shown(window, "end").isEmpty());
        Ask(window, start, time, count, 0);
        QVERIFY(Shown(window, "end").isEmpty());
        QVERIFY(window.Answer().months.empty());
        QVERIFY(!window.findChild<QPushButton*>("copyEnd")->isEnabled());
        for (const char* name : {"start", "time", "period"}) {
            QCOMPARE(window.findChild<QLineEdit*>(name)->property("wrongInput").toBool(),
                     field == name);
        }
        QStringList shown;
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&window) && label->text().contains(message)) {
                shown << label->objectName();
            }
        }
        QCOMPARE(shown, QStringList{field.isEmpty() ? "error" : "message"});
        // In the red of the closed days.
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&window) && label->text().contains(message)) {
                QCOMPARE(label->palette().color(QPalette::WindowText), QColor(198, 40, 40));
            }
        }
    }

    // Each message proposes forms (…を A、B のように…): typed into the field
    // it names, each of them is taken. The start's names it by its label.
    void messages_proposeOnlyWhatTheirFieldTakes() {
        const auto proposed = [](const QString& message) {
            return message.section(QStringLiteral(" のように"), 0, 0)
                .section(u' ', -1)
                .section(QStringLiteral("。"), -1)
                .split(u'、');
        };
        DeadlineWindow window;
        const auto messageOf = [&](const char* field) {
            return window.findChild<QWidget*>(field)->accessibleDescription();
        };
        Ask(window, "2025/2/30", "", "1", 0);
        QVERIFY2(messageOf("start").startsWith(QStringLiteral("「起算日」")),
                 qPrintable(messageOf("start")));
        const QStringList starts = proposed(messageOf("start"));
        Ask(window, "2025/1/6", "", "1年6", 0);
        const QStringList periods = proposed(messageOf("period"));
        Ask(window, "2025/1/6", "25:99", "1", 0);
        const QStringList times = proposed(messageOf("time"));
        ChooseProcedure(window, QStringLiteral("離婚"));
        const QStringList procedures = proposed(messageOf("procedure"));
        for (const QStringList& forms : {starts, periods, times, procedures}) {
            QVERIFY2(forms.size() >= 2, qPrintable(forms.join(u' ')));
        }
        ChooseProcedure(window, QStringLiteral("（期間を指定）"));
        for (const QString& start : starts) {
            Ask(window, start, "", "1", 0);
            QVERIFY2(std::holds_alternative<PeriodEnd>(window.Answer().end), qPrintable(start));
        }
        for (const QString& period : periods) {
            Ask(window, "2025/1/6", "", period, 0);
            QVERIFY2(std::holds_alternative<PeriodEnd>(window.Answer().end), qPrintable(period));
        }
        for (const QString& time : times) {
            Ask(window, "2025/1/6", time, "1", 0);
            QVERIFY2(std::holds_alternative<PeriodEnd>(window.Answer().end), qPrintable(time));
        }
        for (const QString& procedure : procedures) {
            ChooseProcedure(window, procedure);
            QVERIFY2(window.Question().rule, qPrintable(procedure));
        }
    }

    // The month view is as wide as its months, and follows its font.
    void monthView_takesTheRoomItsMonthsNeed() {
        DeadlineWindow window;
        Ask(window, "2024/11/20", "", "60", 0);
        window.show();
        auto* view = window.findChild<MonthView*>("months");
        int right = 0;
        for (int y = 0; y < view->height(); y += 2) {
            for (int x = 0; x < view->width(); ++x) {
                right = view->DayAt({x, y}) ? std::max(right, x) : right;
            }
        }
        QVERIFY2(std::abs(view->sizeHint().width() - (right + 2)) <= 2,
                 qPrintable(QStringLiteral("%1 %2").arg(view->sizeHint().width()).arg(right)));
        // A fourth month starts a second row, shown whole.
        Ask(window, "2024/11/20", "", "100", 0);
        QCOMPARE(window.Answer().months.size(), 4u);
        QTRY_COMPARE(view->height(), view->sizeHint().height());
        const std::int64_t end = std::get<PeriodEnd>(window.Answer().end).day;
        bool endShown = false;
        for (int y = 0; y < view->height() && !endShown; y += 2) {
            for (int x = 0; x < view->width() && !endShown; x += 2) {
                endShown = view->DayAt({x, y}) == end;
            }
        }
        QVERIFY(endShown);
        QFont larger = view->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        const int before = view->height();
        view->setFont(larger);
        QTRY_COMPARE(view->height(), view->sizeHint().height());
        QVERIFY(view->height() > before);
    }

    void monthView_marksThePeriodAndKeepsFewMonths() {
        DeadlineWindow window(QStringLiteral("2024/12/16"));
        Ask(window, "2024/12/16", "", "14", 0);
        const DeadlineAnswer& answer = window.Answer();
        QCOMPARE(answer.months.size(), 2u);
        QCOMPARE(MarkOn(answer, 2024, 12, 15), DayMark::Outside);
        QCOMPARE(MarkOn(answer, 2024, 12, 16), DayMark::Known);
        QCOMPARE(MarkOn(answer, 2024, 12, 29), DayMark::Counted);
        QCOMPARE(MarkOn(answer, 2024, 12, 30), DayMark::PassedOver);
        QCOMPARE(MarkOn(answer, 2025, 1, 5), DayMark::PassedOver);
        QCOMPARE(MarkOn(answer, 2025, 1, 6), DayMark::End);
        QVERIFY(answer.months[1].closed[4] && !answer.months[1].closed[5]);
        Ask(window, "2024/12/16", "", "6", 2);  // seven months, one too many
        QCOMPARE(window.Answer().months.size(), std::size_t(kMostMonthsShown));
        QCOMPARE(window.Answer().months.front().month, 12);
        QCOMPARE(window.Answer().months[1].month, 2);
        // Back a week: the period lies between the answer and the known day.
        Ask(window, "2025/1/6", "", "1", 1, 1);
        QCOMPARE(MarkOn(window.Answer(), 2024, 12, 28), DayMark::Outside);
        QCOMPARE(MarkOn(window.Answer(), 2024, 12, 29), DayMark::End);
        QCOMPARE(MarkOn(window.Answer(), 2025, 1, 5), DayMark::Counted);
        QCOMPARE(MarkOn(window.Answer(), 2025, 1, 6), DayMark::Known);
    }

    // Every day of the month view is marked as its place in the period says,
    // painted in its mark's colour, and named on hover; counted independently
    // here, day by day.
    void monthView_marksAndPaintsEachDayOfThePeriod() {
        const auto day = [](int year, int month, int d) {
            return DayNumberFromCivil({year, month, d});
        };
        struct Case {
            const char* start;
            const char* count;
            int unit, direction, calendar;
            std::int64_t known, firstCounted, lastCounted, unmoved, end;
        };
        const Case cases[] = {
            // 12/17 to 12/29 counted, 12/30 to 1/5 passed over, 1/6 the end.
            {"2024/12/16", "14", 0, 0, 0, day(2024, 12, 16), day(2024, 12, 17), day(2024, 12, 29),
             day(2024, 12, 30), day(2025, 1, 6)},
            // Back two weeks from 2/17: the period 2/3 to 2/16, the answer 2/2.
            {"2025/2/17", "2", 1, 1, 0, day(2025, 2, 17), day(2025, 2, 3), day(2025, 2, 16),
             day(2025, 2, 2), day(2025, 2, 2)},
            // Back two weeks from 6/24 by the banks' days: 6/9 is a Sunday, and
            // the answer moves back past the weekend to Friday 6/7.
            {"2024/6/24", "2", 1, 1, 1, day(2024, 6, 24), day(2024, 6, 10), day(2024, 6, 23),
             day(2024, 6, 9), day(2024, 6, 7)},
        };
        for (const Case& c : cases) {
            DeadlineWindow window;
            Ask(window, c.start, "", c.count, c.unit, c.direction, c.calendar);
            window.show();
            auto* view = window.findChild<MonthView*>("months");
            const QImage image = view->grab().toImage();
            for (const MarkedMonth& month : window.Answer().months) {
                for (int d = 1; d <= DaysInMonth(month.year, month.month); ++d) {
                    const std::int64_t shown = day(month.year, month.month, d);
                    // Passed over: from the unmoved end to the answer, not it.
                    const bool passedOver = c.end > c.unmoved ? shown >= c.unmoved && shown < c.end
                                                              : shown > c.end && shown <= c.unmoved;
                    const DayMark expected = shown == c.end     ? DayMark::End
                                             : shown == c.known ? DayMark::Known
                                             : passedOver       ? DayMark::PassedOver
                                             : shown >= c.firstCounted && shown <= c.lastCounted
                                                 ? DayMark::Counted
                                                 : DayMark::Outside;
                    QVERIFY2(
                        month.marks[d - 1] == expected,
                        qPrintable(
                            QStringLiteral("%1/%2/%3").arg(month.year).arg(month.month).arg(d)));
                }
            }
            // The cells' colours, sampled at a corner away from the digits.
            // Each day's cell, as the view finds the day under a point.
            std::map<std::int64_t, QRect> cells;
            for (int y = 0; y < view->height(); ++y) {
                for (int x = 0; x < view->width(); ++x) {
                    if (const std::optional<std::int64_t> at = view->DayAt({x, y})) {
                        cells[*at] |= QRect(x, y, 1, 1);
                    }
                }
            }
            const auto colourOf = [&](std::int64_t shown) {
                const auto cell = cells.find(shown);
                return cell == cells.end()
                           ? QColor()
                           : image.pixelColor(cell->second.topLeft() + QPoint(3, 3));
            };
            QCOMPARE(colourOf(c.end), QColor(31, 78, 153));
            QCOMPARE(colourOf(c.firstCounted), QColor(220, 232, 248));
            QCOMPARE(colourOf(c.lastCounted), QColor(220, 232, 248));
            QVERIFY(colourOf(c.firstCounted - 2) != QColor(220, 232, 248));
            for (std::int64_t passed = std::min(c.unmoved, c.end + 1);
                 passed < std::max(c.unmoved + 1, c.end); ++passed) {
                if (passed != c.end) {
                    QCOMPARE(colourOf(passed), QColor(253, 222, 184));
                }
            }
            // The start's frame sits as far in from each edge of its cell.
            const QRect known = cells[c.known];
            const auto inset = [&](QPoint from, QPoint step) {
                int steps = 0;
                for (QPoint at = from; known.contains(at) && qGray(image.pixel(at)) > 96;
                     at += step) {
                    ++steps;
                }
                return steps;
            };
            const QPoint middle = known.center();
            const int fromLeft = inset({known.left(), middle.y()}, {1, 0});
            QCOMPARE(image.pixelColor(known.left() + fromLeft, middle.y()), QColor(Qt::black));
            QVERIFY(fromLeft < known.width() / 4);
            QCOMPARE(inset({middle.x(), known.top()}, {0, 1}), fromLeft);
            QCOMPARE(inset({known.right(), middle.y()}, {-1, 0}), fromLeft);
            QCOMPARE(inset({middle.x(), known.bottom()}, {0, -1}), fromLeft);
        }
        DeadlineWindow window;
        Ask(window, "2024/12/16", "", "14", 0);
        window.show();
        // Its weeks, titles and weekdays' captions as drawn are in the kept
        // picture of the month view; here, what it knows and names.
        QCOMPARE(window.Answer().months[0].closed[28], true);  // 12/29, a Sunday
        QCOMPARE(window.Answer().months[0].closed[26], false);
        auto* view = window.findChild<MonthView*>("months");
        for (int y = 0; y < view->height(); y += 2) {
            for (int x = 0; x < view->width(); x += 2) {
                if (view->DayAt({x, y}) == day(2024, 12, 30)) {
                    QHelpEvent help(QEvent::ToolTip, {x, y}, view->mapToGlobal(QPoint(x, y)));
                    QApplication::sendEvent(view, &help);
                    QCOMPARE(
                        QToolTip::text(),
                        QStringLiteral("2024年12月30日（月）　令和6年12月30日　年末年始の休日"));
                    return;
                }
            }
        }
        QFAIL("no cell for 2024/12/30");
    }

    // The files the user picks are read in order, every one; one taken off
    // the list no longer closes its days, and one picked twice is listed once.
    void closedDayFiles_closeTheirDaysUntilTakenOff() {
        QTemporaryDir dir;
        const auto write = [&](const char* name, const char* line) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(line);
        };
        write("first.tsv", "2025/01/06\t事務所の移転\n");
        write("second.tsv", "2025/01/07\t研修\n");
        auto chooser = std::make_unique<ScriptedFileChooser>();
        ScriptedFileChooser& files = *chooser;
        DeadlineWindow window({}, nullptr, std::move(chooser));
        Ask(window, "2024/12/16", "", "14", 0);
        QCOMPARE(Shown(window, "end"), QStringLiteral("2025年1月6日（月）"));
        files.answers = {dir.filePath("first.tsv") + u'\n' + dir.filePath("second.tsv"),
                         dir.filePath("first.tsv"), ""};
        window.findChild<QPushButton*>("addFiles")->click();
        QCOMPARE(Shown(window, "end"), QStringLiteral("2025年1月8日（水）"));
        window.findChild<QPushButton*>("addFiles")->click();  // the first again
        window.findChild<QPushButton*>("addFiles")->click();  // cancelled
        QCOMPARE(window.ClosedDayFiles(),
                 (QStringList{dir.filePath("first.tsv"), dir.filePath("second.tsv")}));
        auto* list = window.findChild<QListWidget*>("closedDayFiles");
        list->setCurrentRow(0);
        window.findChild<QPushButton*>("removeFile")->click();
        QCOMPARE(Shown(window, "end"), QStringLiteral("2025年1月6日（月）"));
        // One file of the user's own is a calendar chosen: a period back moves
        // off its day to the open day before.
        Ask(window, "2025/1/14", "", "6", 0, 1);
        QCOMPARE(Shown(window, "end"), QStringLiteral("2025年1月6日（月）"));
        Ask(window, "2024/12/16", "", "14", 0);
        write("broken.tsv", "2025/01/06\n");
        files.answers = {dir.filePath("broken.tsv")};
        window.findChild<QPushButton*>("addFiles")->click();
        QVERIFY(Shown(window, "end").isEmpty());
        QVERIFY2(
            Shown(window, "error").contains(dir.filePath("broken.tsv") + QStringLiteral(":1:")),
            qPrintable(Shown(window, "error")));
        // shown whole, in the lines it wraps to as the layout narrows it.
        auto* error = window.findChild<QLabel*>("error");
        QVERIFY(!error->isHidden());
        window.show();
        error->resize(error->fontMetrics().horizontalAdvance(error->text()) / 3, error->height());
        QCOMPARE(error->minimumHeight(), error->heightForWidth(error->width()));
        QVERIFY(error->minimumHeight() > 2 * error->fontMetrics().height());
        QVERIFY(!window.findChild<QLineEdit*>("start")->property("wrongInput").toBool());
    }

    // The months' kept texts land on drawText's pixels: centred, at the top
    // left, clipped where they overflow, drawn again, in another font.
    void laidOutTexts_drawAsDrawTextDoes() {
        using Draw = std::function<void(QPainter&, QRectF, Qt::Alignment, const QString&)>;
        const auto paint = [](const Draw& draw) {
            QImage image(260, 60, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            const QRectF cell(10.3, 5.6, 22.9, 21.1);
            for (int bold = 0; bold < 2; ++bold) {
                QFont font = painter.font();
                font.setBold(bold);
                painter.setFont(font);
                const QPointF down(0, bold * 28);
                draw(painter, cell.translated(down), Qt::AlignCenter, QStringLiteral("16"));
                draw(painter, cell.translated(down + QPointF(30, 0)), Qt::AlignCenter,
                     QStringLiteral("16"));
                draw(painter, cell.translated(down + QPointF(60, 0)), Qt::AlignCenter,
                     QStringLiteral("日"));
                draw(painter, cell.translated(down + QPointF(90, 0)), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("越えた休日"));
                draw(painter, QRectF(QPointF(140.7, 5.2) + down, QSizeF(110, 21)), Qt::AlignCenter,
                     QStringLiteral("2024年12月"));
            }
            return image;
        };
        LaidOutTexts texts;
        QCOMPARE(paint([&](QPainter& painter, QRectF rect, Qt::Alignment alignment,
                           const QString& text) { texts.Draw(painter, rect, alignment, text); }),
                 paint([](QPainter& painter, QRectF rect, Qt::Alignment alignment,
                          const QString& text) { painter.drawText(rect, alignment, text); }));
    }

    // Hovering a day of the picker names that day, also where a cell shows a
    // day of the month before or after the one shown.
    void picker_namesTheDayUnderTheMouse() {
        DeadlineWindow window;
        QMenu* menu = window.findChild<QToolButton*>("pickDate")->menu();
        menu->popup(QPoint());
        auto* picker = window.findChild<QCalendarWidget*>("picker");
        picker->setCurrentPage(2025, 1);
        auto* view = picker->findChild<QTableView*>();
        QWidget* days = view->viewport();
        QStringList named;
        for (int row = 1; row < view->model()->rowCount(); row += view->model()->rowCount() - 2) {
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                const QPoint centre = view->visualRect(view->model()->index(row, column)).center();
                QHelpEvent help(QEvent::ToolTip, centre, days->mapToGlobal(centre));
                QApplication::sendEvent(days, &help);
                named << QToolTip::text().section(u'（', 0, 0);
            }
        }
        // Where the 1st starts the week, the whole week before it comes first.
        picker->setFirstDayOfWeek(Qt::Monday);
        picker->setCurrentPage(2024, 1);
        const QPoint firstCell = view->visualRect(view->model()->index(1, 0)).center();
        QHelpEvent onFirst(QEvent::ToolTip, firstCell, days->mapToGlobal(firstCell));
        QApplication::sendEvent(days, &onFirst);
        QVERIFY2(QToolTip::text().startsWith(QStringLiteral("2023年12月25日")),
                 qPrintable(QToolTip::text()));
        // The last day a date can be is named too.
        picker->setCurrentPage(9999, 12);
        for (int row = 1; row < view->model()->rowCount(); ++row) {
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                const QModelIndex index = view->model()->index(row, column);
                if (index.data().toInt() == 31 && row > 3) {
                    const QPoint centre = view->visualRect(index).center();
                    QHelpEvent help(QEvent::ToolTip, centre, days->mapToGlobal(centre));
                    QApplication::sendEvent(days, &help);
                    QVERIFY2(QToolTip::text().startsWith(QStringLiteral("9999年12月31日")),
                             qPrintable(QToolTip::text()));
                }
            }
        }
        // So is the first; the days shown before it name none.
        picker->setCurrentPage(100, 1);
        for (int column = 0; column < view->model()->columnCount(); ++column) {
            const QModelIndex index = view->model()->index(1, column);
            const QPoint centre = view->visualRect(index).center();
            QHelpEvent help(QEvent::ToolTip, centre, days->mapToGlobal(centre));
            QApplication::sendEvent(days, &help);
            if (index.data().toInt() == 1) {
                QVERIFY2(QToolTip::text().startsWith(QStringLiteral("100年1月1日")),
                         qPrintable(QToolTip::text()));
                QTest::qWait(500);  // and it stays
                QVERIFY(QToolTip::isVisible());
                break;
            }
            QTRY_VERIFY(QToolTip::text().isEmpty());
        }
        picker->setCurrentPage(2025, 1);
        // The weekdays' row names no day: the day's name goes.
        const QPoint weekday = view->visualRect(view->model()->index(0, 2)).center();
        QHelpEvent onWeekday(QEvent::ToolTip, weekday, days->mapToGlobal(weekday));
        QApplication::sendEvent(days, &onWeekday);
        QTRY_VERIFY(QToolTip::text().isEmpty());
        menu->close();
        // The first row of January 2025 runs from December into January, day
        // after day; the last ends in February.
        const QDate first = QDate::fromString(named.front(), QStringLiteral("yyyy年M月d日"));
        QCOMPARE(first.month(), 12);
        for (int column = 0; column < 7; ++column) {
            QCOMPARE(named[column], first.addDays(column).toString(QStringLiteral("yyyy年M月d日")));
        }
        const QDate last = QDate::fromString(named.back(), QStringLiteral("yyyy年M月d日"));
        QCOMPARE(last.month(), 2);
        QCOMPARE(named[7], last.addDays(-6).toString(QStringLiteral("yyyy年M月d日")));
    }

    // A day clicked in the picker becomes the start; the picker goes no
    // further than the last day a date can be.
    void picker_setsTheStartToTheDayClicked() {
        DeadlineWindow window;
        window.show();
        QMenu* menu = window.findChild<QToolButton*>("pickDate")->menu();
        menu->popup(QPoint());
        auto* picker = window.findChild<QCalendarWidget*>("picker");
        picker->setCurrentPage(2025, 1);
        auto* view = picker->findChild<QTableView*>();
        const QModelIndex cell = view->model()->index(3, 3);
        const int day = cell.data().toInt();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        QCOMPARE(window.findChild<QLineEdit*>("start")->text(),
                 QStringLiteral("2025/1/%1").arg(day));
        // No day the program cannot count can be picked: the nearest is.
        picker->setSelectedDate(QDate(10000, 1, 1));
        QCOMPARE(picker->selectedDate(), QDate(9999, 12, 31));
        picker->setSelectedDate(QDate(99, 12, 31));
        QCOMPARE(picker->selectedDate(), QDate(100, 1, 1));
        menu->close();
    }

    void picker_marksClosedDays() {
        DeadlineWindow window;
        QMenu* menu = window.findChild<QToolButton*>("pickDate")->menu();
        menu->popup(QPoint());  // the calendar is built as its menu first opens
        auto* picker = window.findChild<QCalendarWidget*>("picker");
        QVERIFY(picker);
        auto* view = picker->findChild<QTableView*>();
        // Saturdays in blue, the courts' closed days in red: every one of the
        // six weeks shown, and no day beyond them. The first weeks shown run
        // from the year's end closure; the day after the last ones of
        // December 2027 is 成人の日.
        ClosedDayCalendar courts(CalendarKind::Court);
        for (const auto& [year, month] : {std::pair{2025, 1}, std::pair{2027, 12}}) {
            picker->setCurrentPage(year, month);
            const QDate before = QDate(year, month, 1).addMonths(-1);
            const QDate first(before.year(), before.month(),
                              view->model()->index(1, 0).data().toInt());
            std::map<QDate, QColor> expected;
            for (QDate date = first; date < first.addDays(42); date = date.addDays(1)) {
                if (date.dayOfWeek() == Qt::Saturday) {
                    expected[date] = QColor(21, 101, 192);
                } else if (courts.IsClosed(
                               DayNumberFromCivil({date.year(), date.month(), date.day()}))) {
                    expected[date] = QColor(198, 40, 40);
                }
            }
            std::map<QDate, QColor> marked;
            const QMap<QDate, QTextCharFormat> formats = picker->dateTextFormat();
            for (auto format = formats.begin(); format != formats.end(); ++format) {
                marked[format.key()] = format.value().foreground().color();
            }
            QVERIFY(marked == expected);
        }
        picker->setCurrentPage(9999, 12);  // the last day offered, closed for the year's end
        QCOMPARE(picker->dateTextFormat(QDate(9999, 12, 31)).foreground().color(),
                 QColor(198, 40, 40));
        menu->close();
    }

    void copy_givesTheEndDateAndTheWholeAnswer() {
        DeadlineWindow window;
        Ask(window, "2024/12/16", "", "14", 0);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The form fills the window to its edges.
        QCOMPARE(window.findChild<QScrollArea*>()->geometry(), window.rect());
        // A wrapped line of the answer takes no room from the months, and
        // wraps rather than widening the window.
        auto* months = window.findChild<QWidget*>("months");
        QCOMPARE(months->height(), months->sizeHint().height());
        QVERIFY(window.findChild<QLabel*>("end")->font().bold());
        QCOMPARE(Shown(window, "endDetails"), QStringLiteral("令和7年1月6日"));
        auto* moved = window.findChild<QLabel*>("moved");
        QVERIFY(moved->heightForWidth(moved->fontMetrics().horizontalAdvance(moved->text()) / 3) >
                2 * moved->fontMetrics().height());
        // and keeps the room its lines take when the layout narrows it.
        moved->resize(moved->width() / 3, moved->height());
        QCOMPARE(moved->minimumHeight(), moved->heightForWidth(moved->width()));
        QVERIFY(moved->minimumHeight() > 2 * moved->fontMetrics().height());
        window.findChild<QPushButton*>("print")->setFocus();
        QApplication::clipboard()->clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2025年1月6日（月）"));
        window.findChild<QPushButton*>("copyAnswer")->click();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("2025/01/06\t月\t令和7年1月6日\t初日不算入（民法140条）\t末日2024/"
                                "12/30（月）は年末年始の休日、12/31〜1/5も閉庁日のため、翌開庁"
                                "日に満了（民事訴訟法95条3項）"));
    }

    void accessibility_namesEveryFieldAndTheAnswer() {
        DeadlineWindow window;
        window.show();
        Ask(window, "2024/12/16", "", "14", 0);
        QVERIFY(QAccessible::queryAccessibleInterface(window.findChild<QLabel*>("end"))
                    ->text(QAccessible::Name)
                    .contains(QStringLiteral("2025/01/06")));
        for (QWidget* field : window.findChildren<QWidget*>()) {
            if (field->focusPolicy() & Qt::TabFocus && field->isVisibleTo(&window) &&
                !field->objectName().startsWith(u"qt_")) {
                QVERIFY2(!QAccessible::queryAccessibleInterface(field)
                              ->text(QAccessible::Name)
                              .isEmpty(),
                         qPrintable(field->objectName() + u' ' + field->metaObject()->className()));
            }
        }
    }

    // Tab goes through the whole form as it reads, down and along each row,
    // the list of deadlines and its buttons too, and comes round again.
    void keyboard_tabGoesThroughTheFormInReadingOrder() {
        DeadlineWindow window;
        Ask(window, "2024/12/16", "", "14", 0);
        window.findChild<QPushButton*>("addToList")->click();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QWidget* form = window.findChild<QScrollArea*>()->widget();
        window.findChild<QComboBox*>("procedure")->setFocus();
        QStringList visited;
        QRect previous;
        for (QWidget* focused = QApplication::focusWidget(); visited.size() < 40;) {
            const QString name = focused->objectName().isEmpty()
                                     ? focused->parentWidget()->objectName()
                                     : focused->objectName();
            if (!visited.isEmpty() && name == visited.front()) {
                break;
            }
            const QRect place(focused->mapTo(form, QPoint()), focused->size());
            QVERIFY2(visited.isEmpty() || place.top() >= previous.bottom() ||
                         (place.top() < previous.bottom() && place.left() > previous.right()),
                     qPrintable(visited.join(u' ') + u' ' + name));
            visited << name;
            previous = place;
            QTest::keyClick(focused, Qt::Key_Tab);
            focused = QApplication::focusWidget();
        }
        QCOMPARE(visited.first(), QStringLiteral("procedure"));
        QCOMPARE(visited.mid(visited.indexOf(u"deadlines") + 1, 1),
                 QStringList{QStringLiteral("removeListed")});
        QCOMPARE(visited.last(), QStringLiteral("saveListPdf"));
    }

    void sheet_printsAndSavesAsPdf() {
        auto printer = std::make_unique<RecordingSheetPrinter>();
        RecordingSheetPrinter& recorded = *printer;
        DeadlineWindow window(QStringLiteral("2024/12/16"), std::move(printer));
        Ask(window, "2024/12/16", "", "14", 0);
        window.findChild<QPushButton*>("print")->click();
        QCOMPARE(recorded.printed.size(), 1u);
        const DeadlineSheet& sheet = recorded.printed.front();
        QCOMPARE(sheet.months.size(), 2u);
        QCOMPARE(sheet.printedOn, QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        QVERIFY(sheet.answer.contains(
            {QStringLiteral("計算の根拠"), QStringLiteral("初日不算入（民法140条）")}));
        QVERIFY(sheet.question.contains({QStringLiteral("期間"), QStringLiteral("14日")}));
        QVERIFY(sheet.answer.contains({QStringLiteral("休日による移動"), Shown(window, "moved")}));
        // A rule's sheet names the case, the rule, its event and its article.
        window.findChild<QLineEdit*>("case")->insert(QStringLiteral("令和6年(ワ)第1234号"));
        ChooseProcedure(window, QStringLiteral("民訴332"));
        window.findChild<QPushButton*>("print")->click();
        const DeadlineSheet& ruled = recorded.printed.back();
        QCOMPARE(ruled.question.front(),
                 (QPair<QString, QString>(QStringLiteral("事件"),
                                          QStringLiteral("令和6年(ワ)第1234号"))));
        QVERIFY(ruled.question.contains(
            {QStringLiteral("起算日"), QStringLiteral("2024/12/16（裁判の告知を受けた日）")}));
        QVERIFY(ruled.question.contains(
            {QStringLiteral("手続"), QStringLiteral("民訴332　即時抗告（民事訴訟法332条）")}));
        QVERIFY(std::any_of(ruled.question.begin(), ruled.question.end(), [](const auto& line) {
            return line.second.contains(
                QStringLiteral("「即時抗告は、裁判の告知を受けた日から一週間"));
        }));
        QCOMPARE(window.AnswerCopy().section(u'\t', 0, 1),
                 QStringLiteral("令和6年(ワ)第1234号\t2024/12/23"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QVERIFY(window.SaveSheet(path));
        QVERIFY(QFileInfo(path).size() > 1000);
        QVERIFY(!window.SaveSheet(dir.filePath(QStringLiteral("no/such/folder.pdf"))));
        if (QFileInfo(QStringLiteral("/dev/full")).exists()) {  // a full disk
            QVERIFY(!window.SaveSheet(QStringLiteral("/dev/full")));
        }
        if (qEnvironmentVariableIsSet("DEADLINE_SHEET_COPY")) {
            QFile::copy(path, qEnvironmentVariable("DEADLINE_SHEET_COPY"));
        }
    }

    // A table's columns give way widest first, each down to the next, and a
    // row is as tall as its most wrapped cell.
    void sheetTable_fitsColumnsAndRowsToTheirText() {
        using Widths = std::vector<double>;
        QCOMPARE(FitColumns({100, 200}, 400), (Widths{100, 200}));
        QCOMPARE(FitColumns({600, 500, 100}, 1000), (Widths{450, 450, 100}));
        QCOMPARE(FitColumns({100, 600, 300}, 700), (Widths{100, 300, 300}));
        QCOMPARE(FitColumns({900}, 500), (Widths{500}));
        QImage image(400, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        const double line = painter.fontMetrics().height();
        QVERIFY(RowHeight(painter, {"x", "y"}, {80, 80}) < 1.5 * line);
        const QString wrapped = QStringLiteral("令和6年(ワ)第1234号 令和6年(ワ)第1235号");
        for (const QStringList& row : {QStringList{wrapped, "x"}, QStringList{"x", wrapped}}) {
            QVERIFY(RowHeight(painter, row, {80, 80}) > 2 * line);
        }
        // A cell past the captions' columns takes no room.
        QVERIFY(RowHeight(painter, {"x", wrapped}, {80}) < 1.5 * line);
    }

    // The print dialog puts the sheet where the user sends it, and nothing
    // anywhere when cancelled; here it is sent to a PDF file.
    void sheetPrinter_printsOnlyWhatTheDialogSends() {
        QTemporaryDir dir;
        DeadlineSheet sheet;
        sheet.answer = {{QStringLiteral("満了日"), QStringLiteral("2025年1月6日（月）")}};
        QWidget parent;
        DialogSheetPrinter printer;
        for (const bool send : {false, true}) {
            const QString path = dir.filePath(send ? QStringLiteral("sent.pdf") : "cancelled.pdf");
            bool answered = false;
            QTimer::singleShot(0, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                auto* printers = dialog ? dialog->findChild<QComboBox*>("printers") : nullptr;
                auto* file = dialog ? dialog->findChild<QLineEdit*>("filename") : nullptr;
                if (printers && file) {
                    printers->setCurrentIndex(printers->count() - 1);  // to a PDF file
                    file->setText(path);
                    QMetaObject::invokeMethod(dialog, send ? "accept" : "reject");
                    answered = true;
                }
            });
            printer.Print(sheet, parent);
            QVERIFY(answered);
            QCOMPARE(QFileInfo::exists(path), send);
        }
        QVERIFY(PdfText(dir.filePath(QStringLiteral("sent.pdf")))
                    .contains(QStringLiteral("2025年1月6日（月）")));
    }

    // The months of a period, all of them when they are few, else the first
    // and the last five.
    void monthView_showsTheFirstAndTheLastMonthsOfALongPeriod() {
        DeadlineWindow window;
        for (const auto& [count, unit, months] :
             {std::tuple{"5", 2,
                         QStringList{"2024/1", "2024/2", "2024/3", "2024/4", "2024/5", "2024/6"}},
              {"6", 2, QStringList{"2024/1", "2024/3", "2024/4", "2024/5", "2024/6", "2024/7"}},
              {"1", 3,
               QStringList{"2024/1", "2024/9", "2024/10", "2024/11", "2024/12", "2025/1"}}}) {
            Ask(window, "2024/1/15", "", count, unit);
            QStringList shown;
            for (const MarkedMonth& month : window.Answer().months) {
                shown << QStringLiteral("%1/%2").arg(month.year).arg(month.month);
            }
            QCOMPARE(shown, months);
        }
    }

    // The sheet of a rule's deadline, the sheet of a case's list and the
    // month view look as they were seen to look.
    void pictures_showTheSheetsAndTheMonthsAsSeen() {
        const QFont font(QStringLiteral("IPAPGothic"), 10);
        QApplication::setFont(font);
        const auto restore = qScopeGuard([] { QApplication::setFont(QFont()); });
        auto printer = std::make_unique<RecordingSheetPrinter>();
        RecordingSheetPrinter& recorded = *printer;
        DeadlineWindow window(QStringLiteral("2024/12/16"), std::move(printer));
        window.findChild<QLineEdit*>("case")->insert(QStringLiteral("令和6年(ワ)第1234号"));
        ChooseProcedure(window, QStringLiteral("民訴285"));
        window.findChild<QLineEdit*>("start")->setText(QStringLiteral("2024/12/18"));
        window.findChild<QPushButton*>("addToList")->click();
        window.findChild<QPushButton*>("print")->click();
        ChooseProcedure(window, QStringLiteral("（期間を指定）"));
        Ask(window, "2024/11/20", "", "60", 0);
        window.findChild<QPushButton*>("addToList")->click();
        window.findChild<QPushButton*>("printList")->click();
        window.findChild<QPushButton*>("print")->click();  // three months across the page
        QCOMPARE(recorded.printed.size(), 3u);
        QTemporaryDir dir;
        // A list longer than a page goes on under its captions again.
        DeadlineSheet longList = recorded.printed[1];
        for (int row = 0; row < 60; ++row) {
            longList.table.append(longList.table[1 + row % 2]);
        }
        for (auto [sheet, page, name] : {std::tuple{recorded.printed[0], 1, "deadline_sheet"},
                                         {recorded.printed[2], 1, "deadline_sheet_months"},
                                         {recorded.printed[1], 1, "list_sheet"},
                                         {longList, 2, "list_sheet_page2"}}) {
            sheet.printedOn = QStringLiteral("2026/12/09");
            const QString path = dir.filePath(QString::fromUtf8(name) + QStringLiteral(".pdf"));
            QVERIFY(SaveSheetAsPdf(sheet, path));
            QVERIFY(IsKeptPicture(PdfPage(path, page), QString::fromUtf8(name)));
        }
        QVERIFY(IsKeptPicture(window.findChild<QWidget*>("months")->grab().toImage(),
                              QStringLiteral("month_view")));
        // The whole form as it scrolls, with its answer and its list, and
        // the window as it opens, empty, on a screen of its own size.
        window.resize(window.sizeHint());
        QVERIFY(IsKeptPicture(window.findChild<QScrollArea*>()->widget()->grab().toImage(),
                              QStringLiteral("deadline_form")));
        DeadlineWindow empty(QString{});
        QVERIFY(IsKeptPicture(empty.grab().toImage(), QStringLiteral("deadline_window")));
    }
};

QTEST_MAIN(DeadlineWindowTest)
#include "deadline_window_test.moc"
