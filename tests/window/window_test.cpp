// SPDX-License-Identifier: MIT
// The window as a user meets it, on Qt's offscreen platform: with stand-ins
// for the message boxes and the printer, then with the real ones.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <tuple>

#include "calc/date_text.h"
#include "calc/runtime_error.h"
#include "kept_picture.h"
#include "window/application_setup.h"
#include "window/deadline_window.h"
#include "window/form1.h"
#include "window/message_boxes.h"
#include "window/qt_message_boxes.h"
#include "window/qt_window_printer.h"
#include "window/window_printer.h"

using namespace torvelin;

Q_DECLARE_METATYPE(torvelin::ErrorNumber)

namespace {

const QString kStartDateMessage =
    QStringLiteral("「始期」の日付を正しく入力してください yyyy/mm/dd");
const QString kInitialResult = QStringLiteral("2014/2/24");
const QColor kBackground(0, 0, 192);
constexpr int kStillRunning = 77;  // the exit status when nothing ended the program

// Records the boxes the window shows instead of showing them: a message as
// its text, an error as "error N: DESCRIPTION".
struct RecordingMessageBoxes final : MessageBoxes {
    void ShowMessage(const QString& text) override { shown << text; }
    void ShowError(int number, const QString& text) override {
        shown << QStringLiteral("error %1: %2").arg(number).arg(text);
    }
    QStringList shown;
};

// Takes the picture a printer would get, and can fail the way a printer does;
// answers at once or when told.
struct RecordingPrinter final : WindowPrinter {
    void Print(QWidget& window, const QString& name, Finished finished) override {
        image = window.grab().toImage();
        focusAtPrint = window.focusWidget() ? window.focusWidget()->objectName() : QString();
        documentName = name;
        answer = [finished, error = failure] { finished(error); };
        answerLater ? void() : answer();
    }
    std::exception_ptr failure;
    bool answerLater = false;
    std::function<void()> answer;
    QImage image;
    QString focusAtPrint;
    QString documentName;
};

// Does the action inside the event loop; the status the program ended with,
// or kStillRunning.
int ExitStatusAfter(const std::function<void()>& action) {
    QObject timers;  // takes the timers along when it goes
    QTimer::singleShot(0, &timers, [&] {
        action();
        // Long enough for a quit the action posted to be taken first.
        QTimer::singleShot(500, &timers, [] { QCoreApplication::exit(kStillRunning); });
    });
    return QCoreApplication::exec();
}

// Runs the action, which opens a box; presses the box's OK button and returns
// its title, text, buttons, icon and modality as one line.
QString BoxShownBy(const std::function<void()>& action) {
    QString seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = QStringLiteral("%1|%2|%3|%4|%5")
                       .arg(box->windowTitle(), box->text())
                       .arg(int(box->standardButtons()))
                       .arg(int(box->icon()))
                       .arg(int(box->windowModality()));
            answer.stop();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        }
    });
    answer.start(10);
    action();
    return seen;
}

// The names of the notifications screen readers were told of, as they speak them.
QStringList announced;
void RecordAnnouncement(QAccessibleEvent* event) {
    QAccessibleInterface* source = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && source->role() == QAccessible::Notification) {
        announced << source->text(QAccessible::Name);
    }
}

QString NameOf(QWidget* control) {
    return control ? control->objectName() : QString();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    RecordingMessageBoxes messages;
    RecordingPrinter printer;
    QtMessageBoxes realMessages;
    QtWindowPrinter realPrinter;
    std::unique_ptr<Form1> window;

    void Open(MessageBoxes& boxes, WindowPrinter& windowPrinter) {
        window = std::make_unique<Form1>(boxes, windowPrinter);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename Control = QWidget>
    Control* Find(const QString& name) {
        auto* control = window->findChild<Control*>(name);
        return control ? control : (qFatal("no control %s", qPrintable(name)), nullptr);
    }
    void Click(const QString& button) {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
    }
    QString Text(const char* control) { return Find<QLineEdit>(control)->text(); }
    QString Result() { return Find<QLabel>("Label13")->text(); }
    QString Focused() { return NameOf(QApplication::focusWidget()); }

private slots:
    void init() {
        messages = {};
        printer = {};
        Open(messages, printer);
    }

    void window_hasItsFixedSizeFontAndIcon() {  // colours and size: also on an X server
        QCOMPARE(window->minimumSize(), window->maximumSize());
        // The face is not installed; its metric-compatible substitute is.
        QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(window->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QVERIFY(!Find("Label13")->toolTip().isEmpty());
    }

    // What must be read in full is not cut off (the buttons, the result label
    // holding a written date); entry boxes and buttons lie above every label.
    void captionsFit_andControlsLieAboveLabels() {
        Click("Command1");
        const auto widthOf = [](QWidget* control, const QString& text) {
            return control->fontMetrics().horizontalAdvance(text);
        };
        QVERIFY(widthOf(Find("Label13"), Result()) <= Find("Label13")->width());
        for (auto* button : window->findChildren<QPushButton*>()) {
            QVERIFY2(widthOf(button, button->text()) < button->width(), qPrintable(button->text()));
        }
        const QObjectList children = window->children();
        const auto firstControl = std::ranges::find_if(children, [](QObject* child) {
            return qobject_cast<QLineEdit*>(child) || qobject_cast<QPushButton*>(child);
        });
        QVERIFY(std::none_of(firstControl, children.end(),
                             [](QObject* child) { return qobject_cast<QLabel*>(child); }));
        QCOMPARE(NameOf(window->childAt(330, 300)), QStringLiteral("Command2"));  // on Label6
    }

    void focus_goesRoundInTabOrderFromText1() {
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        for (const char* next :
             {"Command1", "Command2", "Command3", "Text2", "Command4", "Text1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(Focused(), QString::fromLatin1(next));
        }
    }

    // A key presses the focused button (Clear here) or nothing: no button is
    // the default.
    void keys_pressTheFocusedButtonOnly_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("Return in Text1") << "Text1" << int(Qt::Key_Return);
        QTest::newRow("Enter in Text2") << "Text2" << int(Qt::Key_Enter);
        QTest::newRow("Return on a button") << "Command3" << int(Qt::Key_Return);
        QTest::newRow("Enter on a button") << "Command3" << int(Qt::Key_Enter);
        QTest::newRow("Space on a button") << "Command3" << int(Qt::Key_Space);
    }
    void keys_pressTheFocusedButtonOnly() {
        QFETCH(QString, control);
        QFETCH(int, key);
        Find(control)->setFocus();
        QTest::keyClick(Find(control), Qt::Key(key));
        QCOMPARE(Result(), control.startsWith("Command") ? QString() : kInitialResult);
        QVERIFY(messages.shown.empty());  // Calculate would complain of the empty start date
    }

    // As a screen reader meets the window: a frame titled like the window,
    // whose captioned controls are read top to bottom, each entry box after
    // the label that names it.
    void screenReader_readsTheWindowTopToBottom() {
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
        QCOMPARE(frame->text(QAccessible::Name), window->windowTitle());
        QVERIFY(!frame->child(frame->childCount()));
        QStringList read;
        int previousTop = 0;
        for (int i = 0; i < frame->childCount(); ++i) {
            QAccessibleInterface* child = frame->child(i);
            QCOMPARE(frame->indexOfChild(child), i);
            read << child->object()->objectName();
            const QRect area = static_cast<QWidget*>(child->object())->geometry();
            QVERIFY2(area.bottom() >= previousTop, qPrintable(read.join(' ')));
            previousTop = area.top();
        }
        QStringList captioned;
        for (auto* control : window->findChildren<QWidget*>()) {
            if (!QAccessible::queryAccessibleInterface(control)
                     ->text(QAccessible::Name)
                     .isEmpty()) {
                captioned << control->objectName();
            }
        }
        QCOMPARE(QSet<QString>(read.begin(), read.end()),
                 QSet<QString>(captioned.begin(), captioned.end()));
        QCOMPARE(read.size(), captioned.size());
        for (const auto& [box, label] : {std::pair{"Text1", "Label7"}, {"Text2", "Label15"}}) {
            const auto labels =
                QAccessible::queryAccessibleInterface(Find(box))->relations(QAccessible::Label);
            QVERIFY(labels.size() == 1 && labels[0].first->object() == Find(label));
            QVERIFY(read.indexOf(label) < read.indexOf(box));
        }
    }

    // The arithmetic is the core's; here, what each outcome does to the window:
    // a message or an error empties the result, which belongs to other inputs.
    void calculate_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("dayCount");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("shown");
        const auto error = [](ErrorNumber number) {
            return QStringLiteral("error %1: ").arg(int(number)) + DescriptionOf(number).data();
        };
        // clang-format off
        QTest::newRow("reformatted") << "2013/10/28" << "120" << "2014/02/24" << "";
        QTest::newRow("time") << "2013/10/28 12:00" << "－２" << "2013/10/25 12:00:00" << "";
        QTest::newRow("no such day") << "2013/02/30" << "120" << "" << kStartDateMessage;
        QTest::newRow("start first") << "" << "" << "" << kStartDateMessage;
        QTest::newRow("not a number") << "2013/10/28" << "abc" << "" << QStringLiteral("「日数」数値で正しく入力してください ");
        QTest::newRow("overflow") << "2013/10/28" << "32769" << "" << error(ErrorNumber::Overflow);
        QTest::newRow("out of range") << "9999/12/31" << "2" << "" << error(ErrorNumber::InvalidArgument);
        // clang-format on
    }
    void calculate() {
        QFETCH(QString, start);
        QFETCH(QString, dayCount);
        QFETCH(QString, result);
        QFETCH(QString, shown);
        Find<QLineEdit>("Text1")->setText(start);
        Find<QLineEdit>("Text2")->setText(dayCount);
        QCOMPARE(ExitStatusAfter([this] { Click("Command1"); }), kStillRunning);
        QCOMPARE(Result(), result);
        QCOMPARE(messages.shown, shown.isEmpty() ? QStringList() : QStringList{shown});
        QCOMPARE(Focused(), QStringLiteral("Command1"));
        QCOMPARE(Text("Text1"), start);
        QCOMPARE(Text("Text2"), dayCount);
    }

    // Typing, deleting or pasting in either box empties the result.
    void editingAnInput_emptiesTheResult() {
        QGuiApplication::clipboard()->setText(QStringLiteral("2"));
        for (const char* box : {"Text1", "Text2"}) {
            for (const QKeySequence& keys :
                 {QKeySequence(Qt::Key_5), QKeySequence(Qt::Key_Backspace),
                  QKeySequence(QKeySequence::Paste)}) {
                Find<QLineEdit>("Text1")->setText(QStringLiteral("2013/10/28"));
                Find<QLineEdit>("Text2")->setText(QStringLiteral("120"));
                Click("Command1");
                QTest::keySequence(Find(box), keys);
                QVERIFY2(Result().isEmpty(), box);
            }
        }
    }

    // The end date in full, with its time, for a tooltip and a screen reader,
    // which is told of it as a notification (Qt tells one only while one
    // listens: screen_reader_test.sh); Clear empties the boxes and the result,
    // also when they are empty already.
    void result_describesTheEndDate_andClearEmptiesIt() {
        auto* result = Find<QLabel>("Label13");
        QAccessible::installUpdateHandler(RecordAnnouncement);
        const auto restore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
        const bool toldScreenReaders =
            qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
        QTRY_COMPARE(QAccessible::isActive(), toldScreenReaders);
        QAccessibleInterface* resultReader = QAccessible::queryAccessibleInterface(result);
        QAccessibleInterface* notice =
            QAccessible::queryAccessibleInterface(window->findChild<QObject*>("resultNotice"));
        QCOMPARE(notice->role(), QAccessible::Notification);
        for (const auto& [start, dayCount, end, description] :
             {std::tuple{"2024/12/20", "10", "2024/12/29",
                         "2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日"},
              {"2014/02/23 12:34", "2", "2014/02/24 12:34:00",
               "2014年2月24日（月）12時34分00秒　平成26年2月24日"}}) {
            announced.clear();
            Find<QLineEdit>("Text1")->setText(start);
            Find<QLineEdit>("Text2")->setText(dayCount);
            Click("Command1");
            QCOMPARE(result->toolTip(), QString::fromUtf8(description));
            QCOMPARE(resultReader->text(QAccessible::Description), QString::fromUtf8(description));
            QCOMPARE(resultReader->text(QAccessible::Name), QString::fromUtf8(end));
            QCOMPARE(notice->text(QAccessible::Name), QString::fromUtf8(description));
            QCOMPARE(notice->text(QAccessible::Description), QString());  // not read twice
            QCOMPARE(announced, toldScreenReaders ? QStringList{QString::fromUtf8(description)}
                                                  : QStringList());
        }
        for (int i = 0; i < 2; ++i) {
            Click("Command3");
            QCOMPARE(Text("Text1") + Text("Text2") + Result() + result->toolTip(), QString());
            QCOMPARE(Focused(), QStringLiteral("Command3"));
        }
    }

    // Its menu copies the selection or, with none, the whole end date; it is
    // selected by mouse and keyboard and copied with Ctrl+C.
    void result_canBeSelectedAndCopied() {
        auto* result = Find<QLabel>("Label13");
        QClipboard* clipboard = QGuiApplication::clipboard();
        QAction* copy = result->actions().value(0);
        QVERIFY(copy->text() == QStringLiteral("コピー(&C)") &&
                result->contextMenuPolicy() == Qt::ActionsContextMenu);
        copy->trigger();
        QCOMPARE(clipboard->text(), kInitialResult);
        result->setSelection(5, 2);
        copy->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("2/"));
        QTest::mouseClick(result, Qt::LeftButton, {}, QPoint(1, 5));
        QTest::keyClick(result, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), kInitialResult);
    }

    // Two pixels wide all round, where the style alone changes an outline.
    // The background's menu opens the deadline window with this start date.
    void contextMenu_opensTheDeadlineWindowWithTheStart() {
        Find<QLineEdit>("Text1")->setText(QStringLiteral("令和6年12月20日"));
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().front()->text(), QStringLiteral("期限計算…"));
            menu->actions().front()->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                                window->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(window.get(), &event);
        DeadlineWindow* opened = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            opened = opened ? opened : dynamic_cast<DeadlineWindow*>(widget);
        }
        QVERIFY(opened);
        QCOMPARE(opened->Question().startText, std::string("令和6年12月20日"));
        delete opened;
    }

    void focusedButton_showsAFrame() {
        auto* button = Find("Command3");
        const QImage atRest = button->grab().toImage();
        button->setFocus(Qt::MouseFocusReason);
        const QImage focused = button->grab().toImage();
        int changed = 0;
        for (int i = 0; i < atRest.width() * atRest.height(); ++i) {
            const QPoint at(i % atRest.width(), i / atRest.width());
            changed += qAbs(qGray(atRest.pixel(at)) - qGray(focused.pixel(at))) > 96;
        }
        // A frame two pixels wide, all round, inside the button's edge.
        QVERIFY(changed > 3 * (button->width() + button->height()));
        QVERIFY(changed < 5 * (button->width() + button->height()));
        QVERIFY(IsKeptPicture(focused, QStringLiteral("focused_button")));
    }

    void print_leavesThePrintButtonAndTheSelectionOffThePaper() {
        Click("Command1");
        Find<QLabel>("Label13")->setSelection(0, 4);
        Click("Command4");
        // No control has the focus: no focus frame, no cursor.
        QVERIFY(printer.focusAtPrint.isEmpty() || printer.focusAtPrint == window->objectName());
        QCOMPARE(printer.documentName, QStringLiteral("Torvelin 2014/02/24"));
        // Where the Print button stood the paper shows the background; the
        // Clear button beside it is there, and Text1 shows no selection.
        const qreal ratio = printer.image.devicePixelRatio();
        const auto colours = [&](const char* control, int step) {
            QSet<QRgb> seen;
            const QRect area = Find(control)->geometry();
            for (int y = area.top(); y <= area.bottom(); y += step) {
                for (int x = area.left(); x <= area.right(); x += step) {
                    seen << printer.image.pixel(QPoint(x, y) * ratio);
                }
            }
            return seen;
        };
        QCOMPARE(colours("Command4", 4), QSet<QRgb>{kBackground.rgb()});
        QVERIFY(colours("Command3", 4) != QSet<QRgb>{kBackground.rgb()});
        for (const char* control : {"Text1", "Label13"}) {
            const QRgb selection = Find(control)->palette().color(QPalette::Highlight).rgb();
            QVERIFY(!colours(control, 1).contains(selection));
        }
        QVERIFY(messages.shown.empty());
    }

    // Until the print service answers, the window takes no clicks or keys.
    void print_holdsOffClicksAndKeysTillTheAnswer() {
        printer.answerLater = true;
        Click("Command4");
        Click("Command3");
        QTest::keyClick(Find("Text1"), Qt::Key_Backspace);
        QVERIFY(!Find("Command4")->isVisible());
        QCOMPARE(Text("Text1") + Result(), QStringLiteral("2013/10/28") + kInitialResult);
        printer.answer();
        QVERIFY(Find("Command4")->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        Click("Command3");
        QCOMPARE(Text("Text1"), QString());
    }

    void failedPrint_isReportedAndTheWindowCarriesOn() {
        printer.failure =
            std::make_exception_ptr(RuntimeError(ErrorNumber::PrinterFailed, "紙切れ"));
        QCOMPARE(ExitStatusAfter([this] { Click("Command4"); }), kStillRunning);
        QCOMPARE(messages.shown, QStringList{QStringLiteral("error 482: 紙切れ")});
        QVERIFY(Find("Command4")->isVisible() && window->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
    }

    void unknownError_isReportedAndEndsTheProgram() {
        printer.failure = std::make_exception_ptr(std::logic_error("unexpected"));
        const int status = ExitStatusAfter([this] { Click("Command4"); });
        QVERIFY(status != 0 && status != kStillRunning);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].startsWith("error 51: ") &&
                messages.shown[0].contains("unexpected"));
    }

    void closing_endsTheProgramWithStatusZero() {
        QCOMPARE(ExitStatusAfter([this] { Click("Command2"); }), 0);
        QCOMPARE(ExitStatusAfter([this] { window->close(); }), 0);
    }

    // The real message boxes and the real printer path from here on.
    void boxes_areTitledWithTheProgramAndHaveOkOnly() {
        QtMessageBoxes& boxes = realMessages;
        const QString okOnly = QStringLiteral("|%1|").arg(int(QMessageBox::Ok));
        QCOMPARE(BoxShownBy([&] { boxes.ShowMessage(QStringLiteral("確認")); }),
                 QStringLiteral("Torvelin|確認%1%2|%3")
                     .arg(okOnly)
                     .arg(int(QMessageBox::NoIcon))
                     .arg(int(Qt::ApplicationModal)));
        const QString error = BoxShownBy([&] { boxes.ShowError(6, QStringLiteral("桁あふれ")); });
        QVERIFY2(error.startsWith("Torvelin|") && error.contains(QStringLiteral("6")) &&
                     error.contains(QStringLiteral("桁あふれ") + okOnly),
                 qPrintable(error));
    }

    void focus_returnsToCalculateAfterTheMessage() {
        Open(realMessages, realPrinter);
        Find<QLineEdit>("Text2")->setText(QStringLiteral("abc"));
        QVERIFY(BoxShownBy([&] {
                    Click("Command1");
                }).contains(QStringLiteral("|「日数」数値で正しく入力してください |")));
        QTRY_COMPARE(Focused(), QStringLiteral("Command1"));
    }

    // Qt's own texts, such as an entry box's menu, are Japanese whatever the
    // locale (this runs under C.UTF-8 and again under ja_JP.UTF-8).
    void qtTexts_areJapanese() {
        const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text1")->createStandardContextMenu());
        QCOMPARE(menu->actions().first()->text().section(u'\t', 0, 0),
                 QStringLiteral("元に戻す(&U)"));
    }

    // main() points the print service at nothing, as on a machine without one;
    // a silent service takes the call and never answers.
    void print_withoutAnAnsweringService_fails_data() {
        QTest::addColumn<bool>("silentService");
        QTest::addColumn<ErrorNumber>("error");
        QTest::newRow("no print service") << false << ErrorNumber::NoDefaultPrinter;
        QTest::newRow("silent print service") << true << ErrorNumber::PrintServiceNotAnswering;
    }
    void print_withoutAnAnsweringService_fails() {
        QFETCH(bool, silentService);
        QFETCH(ErrorNumber, error);
        QTcpServer service;
        const QByteArray noService = qgetenv("CUPS_SERVER");
        const auto restore = qScopeGuard([&] { qputenv("CUPS_SERVER", noService); });
        if (silentService) {
            QVERIFY(service.listen(QHostAddress::LocalHost));
            qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(service.serverPort()));
        }
        std::optional<std::exception_ptr> failure;
        realPrinter.Print(*window, QStringLiteral("Torvelin"),
                          [&](std::exception_ptr failed) { failure = failed; });
        QVERIFY(!failure);  // the answer comes later, through the event loop
        // The bound is a few seconds; the margin is for a loaded machine.
        QTRY_VERIFY_WITH_TIMEOUT(failure && *failure, 20000);
        try {
            std::rethrow_exception(*failure);
        } catch (const torvelin::RuntimeError& caught) {
            QCOMPARE(caught.Number(), error);
        }
    }
};

int main(int argc, char* argv[]) {
    qputenv("CUPS_SERVER", "/nonexistent/torvelin-test/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication application(argc, argv);
    torvelin::SetUpApplication();
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
