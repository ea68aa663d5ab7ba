// SPDX-License-Identifier: MIT
#include "window/form1.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <array>

#include "calc/calculate.h"
#include "calc/date_text.h"
#include "calc/runtime_error.h"
#include "format/answer_text.h"
#include "ui_form1.h"
#include "window/deadline_window.h"
#include "window/message_boxes.h"
#include "window/window_printer.h"

namespace torvelin {
namespace {

#include "window/icons/torvelin-16.xpm"
#include "window/icons/torvelin-32.xpm"

// Painted, not set as the window's palette: the labels take their background
// from their parent's palette, and they keep the standard label colour.
const QColor kBackgroundColour(0, 0, 192);

constexpr int kFatalExitStatus = 1;

// An icon holds one image for each size, so the colour image is the 32×32 one.
QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap(torvelin_32));
    icon.addPixmap(QPixmap(torvelin_16));
    return icon;
}

// The controls as a screen reader reads them: top to bottom, each entry box
// after the label that explains it. The caption-less panels are left out.
// Drawing order, and with it Qt's order of children, is another order.
constexpr std::array kReadingOrder = {
    "Label1",   "Label14", "Label7",  "Text1",    "Label15",  "Text2",
    "Label8",   "Label17", "Label13", "Label18",  "Command1", "Command3",
    "Command4", "Label9",  "Label6",  "Command2", "Label11",
};

// Presents the window to screen readers as a frame titled with the window's
// caption, with its controls in reading order. The controls are looked up at
// each question: a screen reader may ask while the form is being built.
class AccessibleForm1 final : public QAccessibleWidget {
public:
    explicit AccessibleForm1(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(Controls().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QObject*> controls = Controls();
        return index >= 0 && index < controls.size()
                   ? QAccessible::queryAccessibleInterface(controls[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(Controls().indexOf(child->object())) : -1;
    }

private:
    QList<QObject*> Controls() const {
        QList<QObject*> controls;
        for (const char* name : kReadingOrder) {
            if (auto* control = widget()->findChild<QWidget*>(QLatin1String(name),
                                                              Qt::FindDirectChildrenOnly)) {
                controls.push_back(control);
            }
        }
        return controls;
    }
};

QAccessibleInterface* AccessibleForm1For(const QString&, QObject* object) {
    auto* window = qobject_cast<Form1*>(object);
    return window ? new AccessibleForm1(window) : nullptr;
}

// A new result as screen readers hear of it: a notification, which they speak
// as it is shown. A changed label away from the focus (which stays on the
// Calculate button) goes unspoken. It says what the result's description says.
class AccessibleResultNotice final : public QAccessibleObject {
public:
    using QAccessibleObject::QAccessibleObject;

    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        const auto* result = object()->parent()->findChild<QLabel*>(QStringLiteral("Label13"));
        return kind == QAccessible::Name && result ? result->accessibleDescription() : QString();
    }
};

// Draws a frame that stands out inside the push button that has the focus;
// all else as the program's style draws it, which shows the focus only as a
// slightly darker outline.
class FocusFrameStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && (option->state & State_HasFocus)) {
            painter->save();
            painter->setPen(QPen(option->palette.color(QPalette::ButtonText), kFrameWidth));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option->rect).adjusted(kInset, kInset, -kInset, -kInset));
            painter->restore();
        }
    }

private:
    static constexpr qreal kFrameWidth = 2;
    static constexpr qreal kInset = 4;  // from the outer edge to the frame's middle
};

// "12時00分00秒" for an end date with a time of day; empty for a date alone.
QString TimeOfDayText(CalendarDate end) {
    const QStringList time =
        QString::fromStdString(EndDateText(end, Form::Short)).section(u' ', 1).split(u':');
    return time.size() == 3 ? QStringLiteral("%1時%2分%3秒").arg(time[0], time[1], time[2])
                            : QString();
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
      printer_(printer),
      calendar_(CalendarKind::Court) {
    // The layout: 15 twips to a logical pixel, labels stacked by tab index
    // under the entry boxes and buttons. The entry boxes have no length limit
    // (a pasted text is read whole, and rejected whole if it is no date).
    QAccessible::installFactory(AccessibleForm1For);  // once for the program; again is a no-op
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
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Dispatch([this, handler] { (this->*handler)(); }); });
    };
    onClick(form.Command1, &Form1::Command1_Click);
    onClick(form.Command2, &Form1::Command2_Click);
    onClick(form.Command3, &Form1::Command3_Click);
    onClick(form.Command4, &Form1::Command4_Click);
    auto* focusFrame = new FocusFrameStyle(QStyleFactory::create(style()->name()));
    focusFrame->setParent(this);
    for (QPushButton* button : {form.Command1, form.Command2, form.Command3, form.Command4}) {
        button->installEventFilter(this);
        button->setStyle(focusFrame);
    }
    // A result belongs to the inputs beside it, also on paper.
    for (QLineEdit* box : {Text1, Text2}) {
        connect(box, &QLineEdit::textEdited, this, [this] { ShowResult(std::nullopt); });
    }
    // The end date can be selected and copied; its look at rest is unchanged,
    // and Tab passes it by as before.
    Label13->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Label13->setFocusPolicy(Qt::ClickFocus);
    auto* copy = new QAction(QStringLiteral("コピー(&C)"), Label13);
    connect(copy, &QAction::triggered, this, &Form1::CopyResult);
    Label13->addAction(copy);
    Label13->setContextMenuPolicy(Qt::ActionsContextMenu);
    resultNotice_ = new QObject(this);
    resultNotice_->setObjectName(QStringLiteral("resultNotice"));
    QAccessible::registerAccessibleInterface(new AccessibleResultNotice(resultNotice_));
    // The form opens with a worked example whose caption is written as the
    // form gives it; only its description is added.
    DescribeResult(ReadDateText(Label13->text().toStdString()));
    Text1->setFocus();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kBackgroundColour);
}

// Enter presses the focused button as Space does. No button is the default,
// so Enter in an entry box presses nothing. While printing, this watches the
// whole program, and the window takes no clicks or keys.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (printing_) {
        const auto* control = qobject_cast<QWidget*>(watched);
        return event->isInputEvent() && control && control->window() == this;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton*>(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("期限計算…"), this, &Form1::OpenDeadlineWindow);
    menu.exec(event->globalPos());
}

void Form1::OpenDeadlineWindow() {
    auto* window = new DeadlineWindow(Text1->text());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void Form1::Command1_Click() {
    const Outcome<CalendarDate> outcome =
        Calculate(Text1->text().toStdString(), Text2->text().toStdString());
    if (const CalendarDate* end = std::get_if<CalendarDate>(&outcome)) {
        ShowResult(*end);
    } else if (const WrongInput* input = std::get_if<WrongInput>(&outcome)) {
        ShowResult(std::nullopt);
        messages_.ShowMessage(QString::fromUtf8(MessageFor(*input)));
    } else {
        // No end date for this input: the one before it would be a wrong answer.
        ShowResult(std::nullopt);
        const ErrorNumber error = std::get<ErrorNumber>(outcome);
        messages_.ShowError(static_cast<int>(error), QString::fromUtf8(DescriptionOf(error)));
    }
}

void Form1::Command2_Click() {
    QCoreApplication::exit(0);
}

void Form1::Command3_Click() {
    Text1->clear();
    Text2->clear();
    ShowResult(std::nullopt);
}

void Form1::Command4_Click() {
    // The Print button stays off the paper; the focus passes on to Text1,
    // which selects its text. The paper shows neither that selection, nor the
    // result's, nor a focus frame: while printing, the window itself holds
    // the focus (Text1 drops its selection as it loses it), also if the
    // window is activated again meanwhile. Then the focus goes back to Text1.
    Command4->hide();
    Label13->setSelection(0, 0);
    QWidget* focus = focusWidget();
    setFocus(Qt::OtherFocusReason);
    printing_ = true;
    qApp->installEventFilter(this);
    // Plain ASCII: print services turn other characters of a job name into
    // escapes in queue listings and file names.
    const QString documentName = QStringLiteral("Torvelin %1").arg(Label13->text()).trimmed();
    try {
        printer_.Print(*this, documentName,
                       [this, focus = QPointer<QWidget>(focus)](std::exception_ptr failure) {
                           EndPrinting(focus, failure);
                       });
    } catch (...) {
        EndPrinting(focus, std::current_exception());
    }
}

void Form1::EndPrinting(QWidget* focus, std::exception_ptr failure) {
    qApp->removeEventFilter(this);
    printing_ = false;
    Command4->show();
    if (focus) {
        focus->setFocus(Qt::OtherFocusReason);
    }
    if (failure) {
        Dispatch([failure] { std::rethrow_exception(failure); });
    }
}

void Form1::Dispatch(const std::function<void()>& action) {
    try {
        action();
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

void Form1::ShowResult(std::optional<CalendarDate> end) {
    Label13->setText(end ? QString::fromStdString(EndDateText(*end, Form::Short)) : QString());
    DescribeResult(end);
    if (end) {
        QAccessibleEvent shown(resultNotice_, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void Form1::CopyResult() {
    QGuiApplication::clipboard()->setText(Label13->hasSelectedText() ? Label13->selectedText()
                                                                     : Label13->text());
}

void Form1::DescribeResult(std::optional<CalendarDate> end) {
    // "2014年2月24日（月）　平成26年2月24日", with why courts and offices are
    // closed on a closed day; a time of day follows the weekday.
    QString description =
        end ? QString::fromStdString(DayDescription(FactsOfDay(end->DayNumber(), calendar_)))
            : QString();
    if (end) {
        description.insert(description.indexOf(u'）') + 1, TimeOfDayText(*end));
    }
    Label13->setToolTip(description);
    Label13->setAccessibleDescription(description.isEmpty() ? QStringLiteral("終期暦日")
                                                            : description);
}

void Form1::ReportFatalError(const QString& description) {
    messages_.ShowError(static_cast<int>(ErrorNumber::InternalError), description);
    QCoreApplication::exit(kFatalExitStatus);
}

}  // namespace torvelin
