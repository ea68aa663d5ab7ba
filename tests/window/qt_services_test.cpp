// The real message boxes and the real printer path, on Qt's offscreen platform.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <optional>

#include "calc/runtime_error.h"
#include "window/application_setup.h"
#include "window/form1.h"
#include "window/qt_message_boxes.h"
#include "window/qt_window_printer.h"

using namespace torvelin;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality;
};

// Runs the action, which opens a box; reads the box and presses its OK button.
std::optional<SeenBox> BoxShownBy(const std::function<void()>& action) {
    std::optional<SeenBox> seen;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen = SeenBox{box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                       box->windowModality()};
        answer.stop();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    answer.start();
    action();
    return seen;
}

}  // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

private slots:
    void boxes_areTitledWithTheProgramAndHaveOkOnly() {
        QtMessageBoxes boxes;
        const auto message = BoxShownBy([&] { boxes.ShowMessage(QStringLiteral("確認")); });
        const auto error =
            BoxShownBy([&] { boxes.ShowError(6, QStringLiteral("オーバーフローしました。")); });
        QVERIFY(message && error);
        for (const SeenBox& box : {*message, *error}) {
            QCOMPARE(box.title, QStringLiteral("Torvelin"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(message->text, QStringLiteral("確認"));
        QCOMPARE(message->icon, QMessageBox::NoIcon);
        QCOMPARE(message->modality, Qt::ApplicationModal);
        QVERIFY(error->text.contains(QStringLiteral("6")));
        QVERIFY(error->text.contains(QStringLiteral("オーバーフローしました。")));
    }

    void focus_returnsToCalculateAfterTheMessage() {
        QtMessageBoxes boxes;
        QtWindowPrinter printer;
        Form1 window(boxes, printer);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("abc"));
        auto* calculate = window.findChild<QPushButton*>(QStringLiteral("Command1"));
        const auto box = BoxShownBy([&] { QTest::mouseClick(calculate, Qt::LeftButton); });
        QVERIFY(box);
        QCOMPARE(box->text, QStringLiteral("「日数」数値で正しく入力してください "));
        QTRY_COMPARE(QApplication::focusWidget(), calculate);
    }

    // main() points the print service at nothing, as on a machine without one.
    void print_withoutDefaultPrinter_fails() {
        QtWindowPrinter printer;
        QWidget window;
        window.resize(406, 333);
        try {
            printer.Print(window, QStringLiteral("Torvelin"));
            QFAIL("printed without a printer");
        } catch (const torvelin::RuntimeError& error) {
            QCOMPARE(error.Number(), torvelin::ErrorNumber::NoDefaultPrinter);
            QVERIFY(*error.Description() != 0);
        }
    }
};

int main(int argc, char* argv[]) {
    qputenv("CUPS_SERVER", "/nonexistent/torvelin-test/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication application(argc, argv);
    torvelin::SetUpApplication();
    QtServicesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_services_test.moc"
