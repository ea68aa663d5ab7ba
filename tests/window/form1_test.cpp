// The window as a user meets it, on Qt's offscreen platform, with stand-ins
// for the message boxes and the printer.
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "calc/runtime_error.h"
#include "tests/window/stand_ins.h"
#include "window/application_setup.h"
#include "window/form1.h"

namespace {
#include "window/icons/torvelin-32.xpm"
}  // namespace

using namespace torvelin;
using namespace torvelin::testing;

namespace {

const QString kStartDateMessage =
    QStringLiteral("「始期」の日付を正しく入力してください yyyy/mm/dd");
const QString kDayCountMessage = QStringLiteral("「日数」数値で正しく入力してください ");
const QString kInitialResult = QStringLiteral("2014/2/24");
const QColor kBackground(0, 0, 192);

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    RecordingMessageBoxes messages;
    RecordingPrinter printer;
    std::unique_ptr<Form1> window;

    template <typename Control = QWidget>
    Control* Find(const QString& name) {
        auto* control = window->findChild<Control*>(name);
        if (!control) {
            qFatal("no control %s", qPrintable(name));
        }
        return control;
    }
    void Click(const QString& button) {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
    }
    void Type(const QString& start, const QString& dayCount) {
        Find<QLineEdit>("Text1")->setText(start);
        Find<QLineEdit>("Text2")->setText(dayCount);
    }
    QString Text(const char* entryBox) { return Find<QLineEdit>(entryBox)->text(); }
    QString Result() { return Find<QLabel>("Label13")->text(); }
    QString Focused() {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

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

    void window_hasItsFixedSizeFontAndBackground() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Torvelin・終期日表示版"));
        QCOMPARE(window->size(), QSize(406, 333));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        // The face is not installed; its metric-compatible substitute is.
        QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("IPAPGothic"));
        // The two sizes a form file cannot hold.
        QCOMPARE(Find("Label14")->font().pointSizeF(), 9.75);
        QCOMPARE(Find("Label6")->font().pointSizeF(), 11.25);
        QCOMPARE(window->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(window->windowIcon()
                     .pixmap(QSize(32, 32))
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32),
                 QImage(torvelin_32).convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(window->grab().toImage().pixelColor(2, 2), kBackground);
    }

    // What must be read in full is not cut off: the buttons, and the result
    // label holding a written date.
    void captions_fitTheirControls() {
        Click("Command1");
        const auto widthOf = [](QWidget* control, const QString& text) {
            return control->fontMetrics().horizontalAdvance(text);
        };
        QVERIFY(widthOf(Find("Label13"), Result()) <= Find("Label13")->width());
        for (auto* button : window->findChildren<QPushButton*>()) {
            QVERIFY2(widthOf(button, button->text()) < button->width(), qPrintable(button->text()));
        }
    }

    // Entry boxes and buttons are drawn above, and so clicked before, any
    // label that overlaps them.
    void entryBoxesAndButtons_lieAboveEveryLabel() {
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
        QCOMPARE(window->childAt(330, 300)->objectName(), QStringLiteral("Command2"));  // on Label6
        QCOMPARE(window->childAt(60, 192)->objectName(), QStringLiteral("Command1"));  // on Label18
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
        QTest::addColumn<bool>("presses");
        QTest::newRow("Return in Text1") << "Text1" << int(Qt::Key_Return) << false;
        QTest::newRow("Enter in Text2") << "Text2" << int(Qt::Key_Enter) << false;
        QTest::newRow("Return on a button") << "Command3" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter on a button") << "Command3" << int(Qt::Key_Enter) << true;
        QTest::newRow("Space on a button") << "Command3" << int(Qt::Key_Space) << true;
    }
    void keys_pressTheFocusedButtonOnly() {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(bool, presses);
        Find(control)->setFocus();
        QTest::keyClick(Find(control), Qt::Key(key));
        QCOMPARE(Result(), presses ? QString() : kInitialResult);
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
        int captioned = 0;
        for (auto* control : window->findChildren<QWidget*>()) {
            captioned +=
                !QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty();
        }
        QCOMPARE(QSet<QString>(read.begin(), read.end()).size(), captioned);
        QCOMPARE(read.size(), captioned);
        for (const auto& [box, label] :
             {std::pair{"Text1", "Label7"}, std::pair{"Text2", "Label15"}}) {
            QAccessibleInterface* boxReader = QAccessible::queryAccessibleInterface(Find(box));
            const auto labels = boxReader->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->object(), Find(label));
            QVERIFY(read.indexOf(label) < read.indexOf(box));
        }
    }

    void accessibleNames_nameWhatEachControlHolds() {
        const auto name = [this](const char* control) {
            return QAccessible::queryAccessibleInterface(Find(control))->text(QAccessible::Name);
        };
        QCOMPARE(name("Text1"), QStringLiteral("起算日"));
        QCOMPARE(name("Text2"), QStringLiteral("経過日数"));
        QCOMPARE(name("Command1"), QStringLiteral("終期暦日を計算、表示する"));
        Click("Command1");
        QCOMPARE(name("Label13"), QStringLiteral("2014/02/24"));
    }

    // The arithmetic is the core's; here, what each outcome does to the window.
    void calculate_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("dayCount");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("error");
        QTest::newRow("start state, reformatted") << "2013/10/28"
                                                  << "120"
                                                  << "2014/02/24"
                                                  << "" << 0;
        QTest::newRow("time and full-width minus") << "2013/10/28 12:00"
                                                   << "－２"
                                                   << "2013/10/25 12:00:00"
                                                   << "" << 0;
        QTest::newRow("no such day") << "2013/02/30"
                                     << "120" << kInitialResult << kStartDateMessage << 0;
        QTest::newRow("start checked first") << ""
                                             << "" << kInitialResult << kStartDateMessage << 0;
        QTest::newRow("count not a number") << "2013/10/28"
                                            << "abc" << kInitialResult << kDayCountMessage << 0;
        QTest::newRow("overflow") << "2013/10/28"
                                  << "32769"
                                  << ""
                                  << "" << 6;
        QTest::newRow("out of range") << "9999/12/31"
                                      << "2"
                                      << ""
                                      << "" << 5;
    }
    void calculate() {
        QFETCH(QString, start);
        QFETCH(QString, dayCount);
        QFETCH(QString, result);
        QFETCH(QString, message);
        QFETCH(int, error);
        Type(start, dayCount);
        QCOMPARE(ExitStatusAfter([this] { Click("Command1"); }), kStillRunning);
        QCOMPARE(Result(), result);
        QCOMPARE(messages.messages,
                 message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{message});
        QCOMPARE(messages.errors.size(), error ? 1u : 0u);
        if (error) {
            QCOMPARE(messages.errors[0].first, error);
            QVERIFY(!messages.errors[0].second.isEmpty());
        }
        QCOMPARE(Focused(), QStringLiteral("Command1"));
        QCOMPARE(Text("Text1"), start);
        QCOMPARE(Text("Text2"), dayCount);
    }

    // The end date in full, for a tooltip and a screen reader, from the start.
    void result_describesTheEndDateInFull() {
        auto* result = Find<QLabel>("Label13");
        QCOMPARE(result->toolTip(), QStringLiteral("2014年2月24日（月）　平成26年2月24日"));
        Type("2024/12/20", "10");
        Click("Command1");
        const QString closedDay =
            QStringLiteral("2024年12月29日（日）　令和6年12月29日　日曜日・年末年始の休日");
        QCOMPARE(result->toolTip(), closedDay);
        QCOMPARE(QAccessible::queryAccessibleInterface(result)->text(QAccessible::Description),
                 closedDay);
        Click("Command3");
        QCOMPARE(result->toolTip(), QString());
    }

    void clear_emptiesInputsAndResult() {
        for (int i = 0; i < 2; ++i) {  // also when the boxes are empty already
            Find<QLabel>("Label13")->setText(kInitialResult);
            Click("Command3");
            QCOMPARE(Text("Text1"), QString());
            QCOMPARE(Text("Text2"), QString());
            QCOMPARE(Result(), QString());
            QCOMPARE(Focused(), QStringLiteral("Command3"));
        }
        Click("Command1");
        QCOMPARE(messages.messages, std::vector<QString>{kStartDateMessage});
    }

    void print_leavesThePrintButtonOffThePaper() {
        Click("Command1");
        Click("Command4");
        QVERIFY(!printer.printButtonVisible);
        // No control has the focus: no focus frame, no cursor.
        QVERIFY(printer.focusAtPrint.isEmpty() || printer.focusAtPrint == window->objectName());
        QCOMPARE(printer.documentName, QStringLiteral("Torvelin 2014/02/24"));
        // Where the Print button stood the paper shows the background; the
        // Clear button beside it is there.
        const QImage& image = printer.image;
        const qreal ratio = image.devicePixelRatio();
        const QRect printButton = Find("Command4")->geometry();
        for (int y = printButton.top(); y <= printButton.bottom(); y += 4) {
            for (int x = printButton.left(); x <= printButton.right(); x += 4) {
                QCOMPARE(image.pixelColor(QPoint(x, y) * ratio), kBackground);
            }
        }
        QVERIFY(image.pixelColor(Find("Command3")->geometry().center() * ratio) != kBackground);
        // Text1, which took the focus and selected its text, shows no selection.
        const QColor selection = Find("Text1")->palette().color(QPalette::Highlight);
        const QRect startDate = Find("Text1")->geometry();
        for (int y = startDate.top(); y <= startDate.bottom(); ++y) {
            for (int x = startDate.left(); x <= startDate.right(); ++x) {
                QVERIFY(image.pixelColor(QPoint(x, y) * ratio) != selection);
            }
        }
        QVERIFY(Find("Command4")->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        QVERIFY(messages.errors.empty());
    }

    void failedPrint_isReportedAndTheWindowCarriesOn() {
        printer.failure = [] { throw RuntimeError(ErrorNumber::PrinterFailed, "紙切れ"); };
        QCOMPARE(ExitStatusAfter([this] { Click("Command4"); }), kStillRunning);
        QCOMPARE(messages.errors,
                 (std::vector<std::pair<int, QString>>{{482, QStringLiteral("紙切れ")}}));
        QVERIFY(Find("Command4")->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        QVERIFY(window->isVisible());
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
