// SPDX-License-Identifier: MIT
// The real message boxes and the real printer path, on Qt's offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QtTest>
#include <memory>

#include "calc/runtime_error.h"
#include "window/application_setup.h"
#include "window/form1.h"
#include "window/qt_message_boxes.h"
#include "window/qt_window_printer.h"

using namespace torvelin;

Q_DECLARE_METATYPE(torvelin::ErrorNumber)

namespace {

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

}  // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

private slots:
    void boxes_areTitledWithTheProgramAndHaveOkOnly() {
        QtMessageBoxes boxes;
        const QString okOnly = QString::number(int(QMessageBox::Ok));
        QCOMPARE(BoxShownBy([&] { boxes.ShowMessage(QStringLiteral("確認")); }),
                 QStringLiteral("Torvelin|確認|%1|%2|%3")
                     .arg(okOnly)
                     .arg(int(QMessageBox::NoIcon))
                     .arg(int(Qt::ApplicationModal)));
        const QString error =
            BoxShownBy([&] { boxes.ShowError(6, QStringLiteral("オーバーフローしました。")); });
        QVERIFY2(error.startsWith("Torvelin|") && error.contains("6") &&
                     error.contains(QStringLiteral("オーバーフローしました。|") + okOnly),
                 qPrintable(error));
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
        QVERIFY(BoxShownBy([&] {
                    QTest::mouseClick(calculate, Qt::LeftButton);
                }).contains(QStringLiteral("|「日数」数値で正しく入力してください |")));
        QTRY_COMPARE(QApplication::focusWidget(), calculate);
    }

    // Qt's own texts are Japanese whatever the locale (the tests run under
    // C.UTF-8 and ja_JP.UTF-8): only the access keys are Latin letters.
    void entryBoxMenu_isJapanese() {
        QLineEdit box(QStringLiteral("2013/10/28"));
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        int captions = 0;
        for (const QAction* action : menu->actions()) {
            // The caption without its access key and key sequence.
            const QString caption = action->text()
                                        .section(u'\t', 0, 0)
                                        .remove(QRegularExpression(QStringLiteral("\\(&\\w\\)")));
            QVERIFY2(!caption.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                     qPrintable(action->text()));
            captions += !caption.isEmpty();
        }
        QVERIFY(captions >= 5);
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
        int ticksWhileWaiting = 0;
        QTimer painting;
        connect(&painting, &QTimer::timeout, [&] { ++ticksWhileWaiting; });
        painting.start(100);
        QtWindowPrinter printer;
        QWidget window;
        QElapsedTimer clock;
        clock.start();
        try {
            printer.Print(window, QStringLiteral("Torvelin"));
            QFAIL("printed without a printer");
        } catch (const torvelin::RuntimeError& caught) {
            QCOMPARE(caught.Number(), error);
        }
        qInfo("print failed after %lld ms", static_cast<long long>(clock.elapsed()));
        // The bound is a few seconds; the margin is for a loaded machine.
        QVERIFY(clock.elapsed() < 20000);
        QVERIFY(!silentService || ticksWhileWaiting > 0);  // the window went on painting
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
