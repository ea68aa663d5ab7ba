#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvelin {

class MessageBoxes;
class WindowPrinter;

// The program's one window: a start date and a day count in, the end date out.
// Controls sit at fixed positions; each button's click runs one handler.
class Form1 : public QWidget {
    Q_OBJECT

public:
    Form1(MessageBoxes& messages, WindowPrinter& printer, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Command1_Click();  // Calculate
    void Command2_Click();  // Close
    void Command3_Click();  // Clear
    void Command4_Click();  // Print

    // Runs a click handler. The known errors (a calculation out of range, a
    // failed print) are reported and the window carries on; anything else is
    // fatal.
    void Dispatch(void (Form1::*handler)());
    void ReportFatalError(int number, const QString& description);

    MessageBoxes& messages_;
    WindowPrinter& printer_;

    // The controls, in reading order of the window.
    QLabel* Label1;
    QLabel* Label14;
    QLabel* Label7;
    QLineEdit* Text1;  // start date
    QLabel* Label15;
    QLineEdit* Text2;  // day count
    QLabel* Label8;
    QLabel* Label17;
    QLabel* Label13;  // the end date
    QLabel* Label18;
    QPushButton* Command1;  // Calculate
    QPushButton* Command3;  // Clear
    QPushButton* Command4;  // Print
    QLabel* Label9;
    QLabel* Label6;
    QPushButton* Command2;  // Close
    QLabel* Label11;
    // Caption-less panels, mostly hidden under the controls around them.
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
};

}  // namespace torvelin
