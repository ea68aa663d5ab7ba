// The window as a user meets it, on Qt's offscreen platform, with stand-ins
// for the message boxes and the printer.
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "calc/runtime_error.h"
#include "tests/window/stand_ins.h"
#include "window/application_setup.h"
#include "window/form1.h"
#include "window/window_printer.h"

using torvelin::ErrorNumber;
using torvelin::Form1;
using torvelin::RuntimeError;
using namespace torvelin::testing;

namespace {

const QColor kStandard;  // invalid: the style's own colour
const QString kStartDateMessage =
    QStringLiteral("「始期」の日付を正しく入力してください yyyy/mm/dd");
const QString kDayCountMessage = QStringLiteral("「日数」数値で正しく入力してください ");

// A twip rectangle of the layout in logical pixels.
QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    RecordingMessageBoxes messages;
    RecordingPrinter printer;
    std::unique_ptr<Form1> window;

    template <typename Control>
    Control* Find(const char* name) {
        auto* control = window->findChild<Control*>(QLatin1String(name));
        if (!control) {
            qFatal("no control %s", name);
        }
        return control;
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    void Type(const char* entryBox, const QString& text) {
        Find<QLineEdit>(entryBox)->setText(text);
    }
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

    void window_hasCaptionSizeAndFont() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Torvelin・終期日表示版"));
        QCOMPARE(window->size(), QSize(406, 333));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->font().pointSizeF(), 9.0);
        QVERIFY(window->font().bold());
        QCOMPARE(window->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        // The face is not installed; its metric-compatible substitute is.
        QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(window->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QVERIFY(!window->grab().isNull());
        QCOMPARE(window->grab().toImage().pixelColor(2, 2), QColor(0, 0, 192));
    }

    void controls_matchTheLayoutTable() {
        struct Row {
            const char* name;
            const char* kind;
            const char16_t* text;  // a caption ending in * is ours; only its start is given
            QRect geometry;
            qreal points;
            bool bold;
            QColor textColour = kStandard;
            QColor background = kStandard;
        };
        // clang-format off
        const Row rows[] = {
            {"Label1", "QLabel", u" Torvelin（逆算）・終期日表示Ver９", Twips(0, 240, 4095, 375), 12, true, QColor(0, 0, 255)},
            {"Label14", "QLabel", u"正確か否か、責任を負いません", Twips(4200, 120, 1815, 375), 9.75, true, QColor(255, 0, 0)},
            {"Label7", "QLabel", u"起算日を入力する　→", Twips(240, 840, 2415, 255), 12, true},
            {"Text1", "QLineEdit", u"2013/10/28", Twips(3120, 720, 1575, 375), 12, false},
            {"Label15", "QLabel", u"経過日数を入力する　→", Twips(240, 1320, 2775, 255), 12, true},
            {"Text2", "QLineEdit", u"120", Twips(3120, 1200, 1575, 375), 12, false},
            {"Label8", "QLabel", u"日", Twips(5040, 1320, 375, 255), 12, true, QColor(0, 0, 0)},
            {"Label17", "QLabel", u"終期暦日が計算表示されます　　　　（初日算入しています）　→　　　　→", Twips(240, 1800, 3615, 495), 12, true, QColor(192, 0, 0)},
            {"Label13", "QLabel", u"2014/2/24", Twips(4320, 1800, 1695, 375), 12, true, QColor(192, 0, 0), QColor(192, 192, 192)},
            {"Label18", "QLabel", u"「何日前」というように逆算計算させる場合には、経過日数欄に「－」表示で日数を入力して下さい。この場合、３日前なら「－２」というように１日少なく（多く？）入力して下さい。１日前なら「０」入力です。", Twips(120, 2280, 5775, 615), 9, true, QColor(64, 0, 64)},
            {"Command1", "QPushButton", u"終期暦日を計算、表示する", Twips(120, 2880, 3375, 495), 12, true},
            {"Command3", "QPushButton", u"入力抹消", Twips(360, 3480, 1455, 495), 12, true},
            {"Command4", "QPushButton", u"印刷する", Twips(2040, 3480, 1455, 495), 12, true},
            {"Label9", "QLabel", u"制作*", Twips(3600, 3120, 2295, 855), 12, true, QColor(0, 0, 192)},
            {"Label6", "QLabel", u"*", Twips(0, 4080, 6135, 495), 11.25, true},
            {"Command2", "QPushButton", u"閉じる", Twips(4800, 4320, 1215, 375), 12, true},
            {"Label11", "QLabel", u"*", Twips(0, 4680, 6015, 255), 9, true},
            {"Label2", "QLabel", u"", Twips(840, 720, 1215, 375), 9, true},
            {"Label3", "QLabel", u"", Twips(2160, 720, 615, 255), 9, true},
            {"Label4", "QLabel", u"", Twips(2880, 720, 1215, 375), 9, true},
            {"Label5", "QLabel", u"", Twips(2160, 1320, 495, 255), 9, true},
        };
        // clang-format on
        for (const Row& row : rows) {
            const QByteArray where = row.name;
            auto* control = Find<QWidget>(row.name);
            const QString text = QString::fromUtf16(row.text);
            QCOMPARE(control->metaObject()->className(), row.kind);
            QVERIFY2(control->geometry() == row.geometry, where);
            QCOMPARE(control->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
            QVERIFY2(control->font().pointSizeF() == row.points, where);
            QVERIFY2(control->font().bold() == row.bold, where);
            if (auto* label = qobject_cast<QLabel*>(control)) {
                QVERIFY2(text.endsWith('*') ? label->text().startsWith(text.chopped(1)) &&
                                                  label->text().size() >= text.size()
                                            : label->text() == text,
                         where);
                QVERIFY2(label->autoFillBackground() && label->wordWrap(), where);
                QCOMPARE(label->focusPolicy(), Qt::NoFocus);
                const QPalette standard = QApplication::palette(label);
                const QPalette palette = label->palette();
                QVERIFY2(palette.color(QPalette::WindowText) ==
                             (row.textColour.isValid() ? row.textColour
                                                       : standard.color(QPalette::WindowText)),
                         where);
                QVERIFY2(palette.color(QPalette::Window) ==
                             (row.background.isValid() ? row.background
                                                       : standard.color(QPalette::Window)),
                         where);
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                QCOMPARE(button->text(), text);
                QVERIFY(!button->autoDefault() && !button->isDefault());
            } else {
                QCOMPARE(qobject_cast<QLineEdit*>(control)->text(), text);
            }
        }
    }

    // Where two controls overlap, the one drawn on top is the one a click reaches.
    void overlaps_drawInOrder() {
        const auto topAt = [this](int xTwips, int yTwips) {
            QWidget* child = window->childAt(xTwips / 15, yTwips / 15);
            return child ? child->objectName() : QString();
        };
        QCOMPARE(topAt(5000, 4400), QStringLiteral("Command2"));  // over Label6
        QCOMPARE(topAt(5000, 4680), QStringLiteral("Command2"));  // over the top of Label11
        QCOMPARE(topAt(1000, 2880), QStringLiteral("Command1"));  // under the foot of Label18
        QCOMPARE(topAt(1000, 2280), QStringLiteral("Label18"));   // over the foot of Label17
        QCOMPARE(topAt(1000, 2265), QStringLiteral("Label17"));
        QCOMPARE(topAt(900, 850), QStringLiteral("Label7"));  // over the panel Label2
        QCOMPARE(topAt(900, 735), QStringLiteral("Label2"));
        QCOMPARE(topAt(3000, 750), QStringLiteral("Label4"));
        QCOMPARE(topAt(3500, 750), QStringLiteral("Text1"));     // over the panel Label4
        QCOMPARE(topAt(2200, 1500), QStringLiteral("Label15"));  // over the panel Label5
        QCOMPARE(topAt(6060, 4200), QStringLiteral("Label6"));   // runs to the right edge
        QCOMPARE(Find<QLabel>("Label6")->visibleRegion().boundingRect().right(), 405);
    }

    void focus_movesInTabOrder() {
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        const QStringList order{"Command1", "Command2", "Command3", "Text2", "Command4", "Text1"};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(Focused(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(Focused(), QStringLiteral("Command4"));
    }

    void enterInEntryBox_doesNothing() {
        Type("Text2", "1");
        for (const char* box : {"Text1", "Text2"}) {
            QTest::keyClick(Find<QLineEdit>(box), Qt::Key_Return);
            QTest::keyClick(Find<QLineEdit>(box), Qt::Key_Enter);
        }
        QCOMPARE(Result(), QStringLiteral("2014/2/24"));
        QVERIFY(messages.messages.empty());
    }

    void accessibleNames_areCaptions() {
        const auto name = [this](const char* control) {
            return QAccessible::queryAccessibleInterface(Find<QWidget>(control))
                ->text(QAccessible::Name);
        };
        QCOMPARE(name("Text1"), QStringLiteral("起算日"));
        QCOMPARE(name("Text2"), QStringLiteral("経過日数"));
        QCOMPARE(name("Command1"), QStringLiteral("終期暦日を計算、表示する"));
        QCOMPARE(name("Label7"), QStringLiteral("起算日を入力する　→"));
        Click("Command1");
        QCOMPARE(name("Label13"), QStringLiteral("2014/02/24"));
    }

    // The arithmetic is the core's; here, what each outcome does to the window.
    void calculate_showsEndDateOrMessage() {
        const QString unchanged = QStringLiteral("2014/2/24");
        const struct {
            QString start, dayCount, result, message;
        } cases[] = {
            {"2013/10/28", "120", "2014/02/24", ""},  // the start state, reformatted
            {"2013/10/28 12:00", "－２", "2013/10/25 12:00:00", ""},
            {"2013/02/30", "120", unchanged, kStartDateMessage},
            {"", "", unchanged, kStartDateMessage},  // the start date is checked first
            {"2013/10/28", "abc", unchanged, kDayCountMessage},
        };
        for (const auto& [start, dayCount, result, message] : cases) {
            init();
            Type("Text1", start);
            Type("Text2", dayCount);
            Click("Command1");
            QCOMPARE(Result(), result);
            QCOMPARE(messages.messages,
                     message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{message});
            QVERIFY(messages.errors.empty());
            QCOMPARE(Focused(), QStringLiteral("Command1"));
            QCOMPARE(Find<QLineEdit>("Text1")->text(), start);
            QCOMPARE(Find<QLineEdit>("Text2")->text(), dayCount);
        }
    }

    void clear_emptiesInputsAndResult() {
        Click("Command3");
        QCOMPARE(Find<QLineEdit>("Text1")->text(), QString());
        QCOMPARE(Find<QLineEdit>("Text2")->text(), QString());
        QCOMPARE(Result(), QString());
        QCOMPARE(Focused(), QStringLiteral("Command3"));

        Find<QLabel>("Label13")->setText("2014/02/24");
        Click("Command3");  // on empty boxes, still empties the result
        QCOMPARE(Result(), QString());

        Click("Command1");
        QCOMPARE(messages.messages, std::vector<QString>{kStartDateMessage});
        QCOMPARE(Result(), QString());
    }

    void print_leavesThePrintButtonOffThePaper() {
        Click("Command1");
        Click("Command4");
        QVERIFY(!printer.printButtonVisible);
        QCOMPARE(printer.focusAtPrint, QStringLiteral("Text1"));
        QVERIFY(printer.documentName.contains("Torvelin"));
        QVERIFY(printer.documentName.contains("2014/02/24"));
        // Where the Print button stood, the paper shows the window's background;
        // the Clear button beside it is there.
        const QImage& image = printer.image;
        QCOMPARE(image.size(), QSize(406, 333) * image.devicePixelRatio());
        const qreal ratio = image.devicePixelRatio();
        const QRect printButton = Twips(2040, 3480, 1455, 495);
        for (int y = printButton.top(); y <= printButton.bottom(); y += 4) {
            for (int x = printButton.left(); x <= printButton.right(); x += 4) {
                QCOMPARE(image.pixelColor(QPoint(x, y) * ratio), QColor(0, 0, 192));
            }
        }
        QVERIFY(image.pixelColor(Twips(1000, 3700, 0, 0).topLeft() * ratio) != QColor(0, 0, 192));

        QVERIFY(Find<QPushButton>("Command4")->isVisible());
        QCOMPARE(Focused(), QStringLiteral("Text1"));
        QCOMPARE(Result(), QStringLiteral("2014/02/24"));
        QVERIFY(messages.errors.empty());
    }

    // A day offset out of range, an end date out of range and a failed print
    // are reported, and the window carries on as it was.
    void knownErrors_areReportedAndTheWindowCarriesOn() {
        const QString printFailure = QStringLiteral("印刷できませんでした。");
        const struct {
            QString start, dayCount;
            const char* button;
            int number;
            QString description;  // empty: any description
            const char* focus;
        } cases[] = {
            {"2013/10/28", "32769", "Command1", 6, "", "Command1"},
            {"9999/12/31", "2", "Command1", 5, "", "Command1"},
            {"2013/10/28", "120", "Command4", 482, printFailure, "Text1"},
        };
        for (const auto& [start, dayCount, button, number, description, focus] : cases) {
            init();
            printer.failure = [&printFailure] {
                throw RuntimeError(ErrorNumber::PrinterFailed, printFailure.toStdString());
            };
            Type("Text1", start);
            Type("Text2", dayCount);
            QCOMPARE(ExitStatusAfter([this, button] { Click(button); }), kStillRunning);
            QCOMPARE(messages.errors.size(), 1u);
            QCOMPARE(messages.errors[0].first, number);
            QVERIFY(description.isEmpty() ? !messages.errors[0].second.isEmpty()
                                          : messages.errors[0].second == description);
            QVERIFY(messages.messages.empty());
            QCOMPARE(Result(), QStringLiteral("2014/2/24"));
            QCOMPARE(Find<QLineEdit>("Text1")->text(), start);
            QCOMPARE(Find<QLineEdit>("Text2")->text(), dayCount);
            QVERIFY(Find<QPushButton>("Command4")->isVisible());
            QCOMPARE(Focused(), QString::fromLatin1(focus));
            QVERIFY(window->isVisible());
        }
    }

    void unknownError_isReportedAndEndsTheProgram() {
        printer.failure = [] { throw std::logic_error("unexpected"); };
        const int status = ExitStatusAfter([this] { Click("Command4"); });
        QVERIFY(status != 0 && status != kStillRunning);
        QCOMPARE(messages.errors.size(), 1u);
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
