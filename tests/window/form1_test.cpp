// SPDX-License-Identifier: MIT
// The window as a user meets it, on Qt's offscreen platform, with stand-ins
// for the message boxes and the printer.
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "calc/runtime_error.h"
#include "window/application_setup.h"
#include "window/form1.h"
#include "window/message_boxes.h"
#include "window/window_printer.h"

namespace {
#include "window/icons/torvelin-32.xpm"
}  // namespace

using namespace torvelin;

namespace {

const QString kStartDateMessage =
    QStringLiteral("「始期」の日付を正しく入力してください yyyy/mm/dd");
const QString kDayCountMessage = QStringLiteral("「日数」数値で正しく入力してください ");
const QString kInitialResult = QStringLiteral("2014/2/24");
const QColor kBackground(0, 0, 192);
constexpr int kStillRunning = 77;  // the exit status when nothing ended the program

// Records the boxes the window shows instead of showing them.
struct RecordingMessageBoxes final : MessageBoxes {
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    void ShowError(int number, const QString& text) override { errors.emplace_back(number, text); }
    QStringList messages;
    std::vector<std::pair<int, QString>> errors;
};

// Takes the picture a printer would get, and can fail the way a printer does.
struct RecordingPrinter final : WindowPrinter {
    void Print(QWidget& window, const QString& name) override {
        image = window.grab().toImage();
        printButtonVisible = window.findChild<QWidget*>(QStringLiteral("Command4"))->isVisible();
        focusAtPrint = window.focusWidget() ? window.focusWidget()->objectName() : QString();
        documentName = name;
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

QString NameOf(QWidget* control) {
    return control ? control->objectName() : QString();
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

    RecordingMessageBoxes messages;
    RecordingPrinter printer;
    std::unique_ptr<Form1> window;

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
        window = std::make_unique<Form1>(messages, printer);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void window_hasItsFixedSizeFontIconAndBackground() {
        QCOMPARE(window->minimumSize(), window->maximumSize());
        // The face is not installed; its metric-compatible substitute is.
        QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("IPAPGothic"));
        // The two sizes a form file cannot hold.
        QCOMPARE(Find("Label14")->font().pointSizeF(), 9.75);
        QCOMPARE(Find("Label6")->font().pointSizeF(), 11.25);
        QCOMPARE(window->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(window->windowIcon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32),
                 QImage(torvelin_32).convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(window->grab().toImage().pixelColor(2, 2), kBackground);
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
        qsizetype lastLabel = -1;
        qsizetype firstControl = children.size();
        for (qsizetype i = 0; i < children.size(); ++i) {
            if (qobject_cast<QLabel*>(children[i])) {
                lastLabel = i;
            } else if (qobject_cast<QLineEdit*>(children[i]) ||
                       qobject_cast<QPushButton*>(children[i])) {
                firstControl = std::min(firstControl, i);
            }
        }
        QVERIFY(lastLabel < firstControl);
        QCOMPARE(NameOf(window->childAt(330, 300)), QStringLiteral("Command2"));  // on Label6
        QCOMPARE(NameOf(window->childAt(60, 192)), QStringLiteral("Command1"));   // on Label18
    }

    void focus_goesRoundInTabOrderFromText1() {
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        for (const char* next :
             {"Command1", "Command2", "Command3", "Text2", "Command4", "Text1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(Focused(), QString::fromLatin1(next));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(Focused(), QStringLiteral("Command4"));
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
        QVERIFY(messages.messages.empty());
    }

    // As a screen reader meets the window: a frame titled like the window,
    // whose captioned controls are read top to bottom, each entry box after
    // the label that names it.
    void screenReader_readsTheWindowTopToBottom() {
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
        QCOMPARE(frame->role(), QAccessible::Window);
        QCOMPARE(frame->text(QAccessible::Name), window->windowTitle());
        QVERIFY(!frame->child(-1) && !frame->child(frame->childCount()));
        QCOMPARE(frame->indexOfChild(nullptr), -1);
        QStringList read;
        QRect previous;
        for (int i = 0; i < frame->childCount(); ++i) {
            QAccessibleInterface* child = frame->child(i);
            QCOMPARE(frame->indexOfChild(child), i);
            QCOMPARE(child->parent(), frame);
            QVERIFY(!child->text(QAccessible::Name).isEmpty());
            const QRect area = static_cast<QWidget*>(child->object())->geometry();
            read << child->object()->objectName();
            QVERIFY2(previous.isNull() || area.bottom() >= previous.top(),
                     qPrintable(read.join(' ')));
            previous = area;
        }
        QSet<QString> captioned;
        for (auto* control : window->findChildren<QWidget*>()) {
            if (!QAccessible::queryAccessibleInterface(control)
                     ->text(QAccessible::Name)
                     .isEmpty()) {
                captioned << control->objectName();
            }
        }
        QCOMPARE(read.size(), captioned.size());
        QCOMPARE(QSet<QString>(read.begin(), read.end()), captioned);
        for (const auto& [box, label] :
             {std::pair{"Text1", "Label7"}, std::pair{"Text2", "Label15"}}) {
            const auto labels =
                QAccessible::queryAccessibleInterface(Find(box))->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->object(), Find(label));
            QVERIFY(read.indexOf(label) < read.indexOf(box));
        }
        Click("Command1");
        QCOMPARE(QAccessible::queryAccessibleInterface(Find("Label13"))->text(QAccessible::Name),
                 QStringLiteral("2014/02/24"));
    }

    // The arithmetic is the core's; here, what each outcome does to the window:
    // a message keeps the result, an error empties it.
    void calculate_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("dayCount");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("error");
        // clang-format off
        QTest::newRow("reformatted") << "2013/10/28" << "120" << "2014/02/24" << "" << 0;
        QTest::newRow("time") << "2013/10/28 12:00" << "－２" << "2013/10/25 12:00:00" << "" << 0;
        QTest::newRow("no such day") << "2013/02/30" << "120" << kInitialResult << kStartDateMessage << 0;
        QTest::newRow("start first") << "" << "" << kInitialResult << kStartDateMessage << 0;
        QTest::newRow("not a number") << "2013/10/28" << "abc" << kInitialResult << kDayCountMessage << 0;
        QTest::newRow("overflow") << "2013/10/28" << "32769" << "" << "" << 6;
        QTest::newRow("out of range") << "9999/12/31" << "2" << "" << "" << 5;
        // clang-format on
    }
    void calculate() {
        QFETCH(QString, start);
        QFETCH(QString, dayCount);
        QFETCH(QString, result);
        QFETCH(QString, message);
        QFETCH(int, error);
        Find<QLineEdit>("Text1")->setText(start);
        Find<QLineEdit>("Text2")->setText(dayCount);
        QCOMPARE(ExitStatusAfter([this] { Click("Command1"); }), kStillRunning);
        QCOMPARE(Result(), result);
        QCOMPARE(messages.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(messages.errors.size(), error ? 1u : 0u);
        if (error) {
            QCOMPARE(messages.errors[0].first, error);
            QVERIFY(!messages.errors[0].second.isEmpty());
        }
        QCOMPARE(Focused(), QStringLiteral("Command1"));
        QCOMPARE(Text("Text1"), start);
        QCOMPARE(Text("Text2"), dayCount);
    }

    // The end date in full, for a tooltip and a screen reader; Clear empties
    // the boxes and the result, also when they are empty already.
    void result_describesTheEndDate_andClearEmptiesIt() {
        auto* result = Find<QLabel>("Label13");
        QCOMPARE(result->toolTip(), QStringLiteral("2014年2月24日（月）　平成26年2月24日"));
        Find<QLineEdit>("Text1")->setText("2024/12/20");
        Find<QLineEdit>("Text2")->setText("10");
        Click("Command1");
        const QString closedDay =
            QStringLiteral("2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日");
        QCOMPARE(result->toolTip(), closedDay);
        QCOMPARE(QAccessible::queryAccessibleInterface(result)->text(QAccessible::Description),
                 closedDay);
        for (int i = 0; i < 2; ++i) {
            result->setText(kInitialResult);
            Click("Command3");
            QCOMPARE(Text("Text1") + Text("Text2") + Result() + result->toolTip(), QString());
            QCOMPARE(Focused(), QStringLiteral("Command3"));
        }
        Click("Command1");
        QCOMPARE(messages.messages, QStringList{kStartDateMessage});
    }

    void print_leavesThePrintButtonAndTheSelectionOffThePaper() {
        Click("Command1");
        Click("Command4");
        QVERIFY(!printer.printButtonVisible);
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
        QVERIFY(!colours("Text1", 1)
                     .contains(Find("Text1")->palette().color(QPalette::Highlight).rgb()));
        QVERIFY(Find("Command4")->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        QVERIFY(messages.errors.empty());
    }

    void failedPrint_isReportedAndTheWindowCarriesOn() {
        printer.failure = [] { throw RuntimeError(ErrorNumber::PrinterFailed, "紙切れ"); };
        QCOMPARE(ExitStatusAfter([this] { Click("Command4"); }), kStillRunning);
        QCOMPARE(messages.errors, (std::vector<std::pair<int, QString>>{{482, "紙切れ"}}));
        QVERIFY(Find("Command4")->isVisible() && window->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
    }

    void unknownError_isReportedAndEndsTheProgram() {
        printer.failure = [] { throw std::logic_error("unexpected"); };
        const int status = ExitStatusAfter([this] { Click("Command4"); });
        QVERIFY(status != 0 && status != kStillRunning);
        QCOMPARE(messages.errors.size(), 1u);
        QCOMPARE(messages.errors[0].first, 51);
        QVERIFY(messages.errors[0].second.contains("unexpected"));
    }

    void closing_endsTheProgramWithStatusZero() {
        QCOMPARE(ExitStatusAfter([this] { Click("Command2"); }), 0);
        QCOMPARE(ExitStatusAfter([this] { window->close(); }), 0);
        QVERIFY(messages.errors.empty());
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    torvelin::SetUpApplication();
    Form1Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "form1_test.moc"
