#include "window/form1.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>

#include "calc/calculate.h"
#include "calc/runtime_error.h"
#include "ui_form1.h"
#include "window/message_boxes.h"
#include "window/window_printer.h"

namespace torvelin {
namespace {

#include "window/icons/torvelin-16.xpm"
#include "window/icons/torvelin-32-mono.xpm"
#include "window/icons/torvelin-32.xpm"

// Painted, not set as the window's palette: the labels take their background
// from their parent's palette, and they keep the standard label colour.
const QColor kBackgroundColour(0, 0, 192);

constexpr int kFatalExitStatus = 1;

QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap(torvelin_32));
    icon.addPixmap(QPixmap(torvelin_16));
    icon.addPixmap(QPixmap(torvelin_32_mono));
    return icon;
}

// Form files keep whole point sizes only.
void SetPointSize(QWidget* control, qreal points) {
    QFont font = control->font();
    font.setPointSizeF(points);
    control->setFont(font);
}

}  // namespace

Form1::Form1(MessageBoxes& messages, WindowPrinter& printer, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      messages_(messages),
      printer_(printer) {
    // The layout: 15 twips to a logical pixel, labels stacked by tab index
    // under the entry boxes and buttons. The entry boxes have no length limit
    // (a pasted text is read whole, and rejected whole if it is no date).
    Ui::Form1 form;
    form.setupUi(this);
    Text1 = form.Text1;
    Text2 = form.Text2;
    Label13 = form.Label13;
    Command4 = form.Command4;

    SetPointSize(form.Label14, 9.75);
    SetPointSize(form.Label6, 11.25);
    setWindowIcon(ProgramIcon());

    const auto onClick = [this](QPushButton* button, void (Form1::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Dispatch(handler); });
    };
    onClick(form.Command1, &Form1::Command1_Click);
    onClick(form.Command2, &Form1::Command2_Click);
    onClick(form.Command3, &Form1::Command3_Click);
    onClick(form.Command4, &Form1::Command4_Click);
    Text1->setFocus();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kBackgroundColour);
}

void Form1::Command1_Click() {
    const CalculationOutcome outcome =
        Calculate(Text1->text().toStdString(), Text2->text().toStdString());
    const QString text = QString::fromStdString(outcome.text);
    switch (outcome.kind) {
        case CalculationOutcome::Kind::EndDate:
            Label13->setText(text);
            break;
        case CalculationOutcome::Kind::Message:
            messages_.ShowMessage(text);
            break;
        case CalculationOutcome::Kind::Error:
            messages_.ShowError(static_cast<int>(*outcome.error), text);
            break;
    }
}

void Form1::Command2_Click() {
    QCoreApplication::exit(0);
}

void Form1::Command3_Click() {
    Text1->clear();
    Text2->clear();
    Label13->clear();
}

void Form1::Command4_Click() {
    // The Print button stays off the paper; the focus passes on to Text1.
    Command4->hide();
    const auto showPrintButton = qScopeGuard([this] { Command4->show(); });
    // Plain ASCII: print services turn other characters of a job name into
    // escapes in queue listings and file names.
    printer_.Print(*this, QStringLiteral("Torvelin %1").arg(Label13->text()).trimmed());
}

void Form1::Dispatch(void (Form1::*handler)()) {
    try {
        (this->*handler)();
    } catch (const RuntimeError& error) {
        messages_.ShowError(static_cast<int>(error.Number()),
                            QString::fromUtf8(error.Description()));
    } catch (const std::exception& error) {
        ReportFatalError(QString::fromUtf8(DescriptionOf(ErrorNumber::InternalError)) +
                         QString::fromUtf8(error.what()));
    } catch (...) {
        ReportFatalError(QString::fromUtf8(DescriptionOf(ErrorNumber::InternalError)));
    }
}

void Form1::ReportFatalError(const QString& description) {
    messages_.ShowError(static_cast<int>(ErrorNumber::InternalError), description);
    QCoreApplication::exit(kFatalExitStatus);
}

}  // namespace torvelin
