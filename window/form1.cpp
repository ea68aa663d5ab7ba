#include "window/form1.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "calc/calculate.h"
#include "calc/runtime_error.h"
#include "window/form_fonts.h"
#include "window/message_boxes.h"
#include "window/window_printer.h"

namespace torvelin {
namespace {

#include "window/icons/torvelin-16.xpm"
#include "window/icons/torvelin-32-mono.xpm"
#include "window/icons/torvelin-32.xpm"

// Positions and sizes are laid out in twips; 15 of them make a logical pixel,
// and Qt's high-DPI scaling carries logical pixels over to any screen.
constexpr int kTwipsPerPixel = 15;

constexpr QRect Twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

const QColor kBackgroundColour(0, 0, 192);

// An error that is none of the program's known errors.
constexpr int kInternalErrorNumber = 51;
constexpr int kFatalExitStatus = 1;

QFont Bold(qreal points) {
    return FormFont(points, QFont::Bold);
}
QFont Regular(qreal points) {
    return FormFont(points, QFont::Normal);
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap(torvelin_32));
    icon.addPixmap(QPixmap(torvelin_16));
    icon.addPixmap(QPixmap(torvelin_32_mono));
    return icon;
}

void Place(QWidget* control, const char* name, QRect geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
}

void SetColour(QWidget* control, QPalette::ColorRole role, QColor colour) {
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

}  // namespace

Form1::Form1(MessageBoxes& messages, WindowPrinter& printer, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      messages_(messages),
      printer_(printer) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Torvelin・終期日表示版"));
    setWindowIcon(ProgramIcon());
    setFixedSize(Twips(0, 0, 6090, 4995).size());
    setFont(Bold(9));

    // Labels are opaque, wrap within their width and are cut off at their
    // height; of two that overlap, the one with the higher tab index lies on top.
    std::vector<std::pair<int, QLabel*>> labelsByTabIndex;
    const auto label = [&](const char* name, const QString& caption, QRect geometry,
                           const std::optional<QFont>& font, QColor textColour, int tabIndex) {
        auto* control = new QLabel(caption, this);
        Place(control, name, geometry);
        if (font) {
            control->setFont(*font);
        }
        if (textColour.isValid()) {
            SetColour(control, QPalette::WindowText, textColour);
        }
        control->setTextFormat(Qt::PlainText);
        control->setWordWrap(true);
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control->setAutoFillBackground(true);
        labelsByTabIndex.emplace_back(tabIndex, control);
        return control;
    };
    const auto entryBox = [this](const char* name, const QString& text, QRect geometry,
                                 const QString& accessibleName) {
        auto* control = new QLineEdit(text, this);
        Place(control, name, geometry);
        control->setFont(Regular(12));
        control->setMaxLength(std::numeric_limits<int>::max());
        control->setAccessibleName(accessibleName);
        return control;
    };
    const auto button = [this](const char* name, const QString& caption, QRect geometry,
                               void (Form1::*handler)()) {
        auto* control = new QPushButton(caption, this);
        Place(control, name, geometry);
        control->setFont(Bold(12));
        control->setAutoDefault(false);
        connect(control, &QPushButton::clicked, this, [this, handler] { Dispatch(handler); });
        return control;
    };
    const std::optional<QFont> windowFont;
    const QColor standard;

    // clang-format off
    Label1 = label("Label1", QStringLiteral(" Torvelin（逆算）・終期日表示Ver９"),
                   Twips(0, 240, 4095, 375), Bold(12), QColor(0, 0, 255), 0);
    Label14 = label("Label14", QStringLiteral("正確か否か、責任を負いません"),
                    Twips(4200, 120, 1815, 375), Bold(9.75), QColor(255, 0, 0), 10);
    Label7 = label("Label7", QStringLiteral("起算日を入力する　→"),
                   Twips(240, 840, 2415, 255), Bold(12), standard, 18);
    Text1 = entryBox("Text1", QStringLiteral("2013/10/28"),
                     Twips(3120, 720, 1575, 375), QStringLiteral("起算日"));
    Label15 = label("Label15", QStringLiteral("経過日数を入力する　→"),
                    Twips(240, 1320, 2775, 255), Bold(12), standard, 19);
    Text2 = entryBox("Text2", QStringLiteral("120"),
                     Twips(3120, 1200, 1575, 375), QStringLiteral("経過日数"));
    Label8 = label("Label8", QStringLiteral("日"),
                   Twips(5040, 1320, 375, 255), Bold(12), QColor(0, 0, 0), 6);
    Label17 = label("Label17", QStringLiteral("終期暦日が計算表示されます　　　　（初日算入しています）　→　　　　→"),
                    Twips(240, 1800, 3615, 495), Bold(12), QColor(192, 0, 0), 20);
    Label13 = label("Label13", QStringLiteral("2014/2/24"),
                    Twips(4320, 1800, 1695, 375), Bold(12), QColor(192, 0, 0), 15);
    Label18 = label("Label18", QStringLiteral("「何日前」というように逆算計算させる場合には、経過日数欄に「－」表示で"
                                              "日数を入力して下さい。この場合、３日前なら「－２」というように"
                                              "１日少なく（多く？）入力して下さい。１日前なら「０」入力です。"),
                    Twips(120, 2280, 5775, 615), windowFont, QColor(64, 0, 64), 22);
    Command1 = button("Command1", QStringLiteral("終期暦日を計算、表示する"),
                      Twips(120, 2880, 3375, 495), &Form1::Command1_Click);
    Command3 = button("Command3", QStringLiteral("入力抹消"),
                      Twips(360, 3480, 1455, 495), &Form1::Command3_Click);
    Command4 = button("Command4", QStringLiteral("印刷する"),
                      Twips(2040, 3480, 1455, 495), &Form1::Command4_Click);
    Label9 = label("Label9", QStringLiteral("制作　Torvelin\nプロジェクト"),
                   Twips(3600, 3120, 2295, 855), Bold(12), QColor(0, 0, 192), 13);
    Label6 = label("Label6", QStringLiteral("Count every day, the first one included."),
                   Twips(0, 4080, 6135, 495), Bold(11.25), standard, 8);
    Command2 = button("Command2", QStringLiteral("閉じる"),
                      Twips(4800, 4320, 1215, 375), &Form1::Command2_Click);
    Label11 = label("Label11", QStringLiteral("The Torvelin project: day counts for legal work"),
                    Twips(0, 4680, 6015, 255), windowFont, standard, 9);
    // Caption-less panels of the standard label background.
    Label2 = label("Label2", QString(), Twips(840, 720, 1215, 375), windowFont, standard, 1);
    Label3 = label("Label3", QString(), Twips(2160, 720, 615, 255), windowFont, standard, 2);
    Label4 = label("Label4", QString(), Twips(2880, 720, 1215, 375), windowFont, standard, 3);
    Label5 = label("Label5", QString(), Twips(2160, 1320, 495, 255), windowFont, standard, 5);
    // clang-format on

    // The result label stands out in grey; a screen reader reads the end date
    // as its name.
    SetColour(Label13, QPalette::Window, QColor(192, 192, 192));
    Label13->setAccessibleDescription(QStringLiteral("終期暦日"));

    std::ranges::sort(labelsByTabIndex, {}, &std::pair<int, QLabel*>::first);
    for (const auto& [tabIndex, control] : labelsByTabIndex) {
        control->raise();
    }
    // Entry boxes and buttons lie above every label, in focus order.
    QWidget* const focusOrder[] = {Text1, Command1, Command2, Command3, Text2, Command4};
    for (QWidget* control : focusOrder) {
        control->raise();
    }
    for (std::size_t i = 1; i < std::size(focusOrder); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    Text1->setFocus();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kBackgroundColour);
}

void Form1::Command1_Click() {
    const CalculationOutcome outcome =
        Calculate(Text1->text().toStdString(), Text2->text().toStdString());
    const QString text = QString::fromStdString(outcome.text);
    if (outcome.kind == CalculationOutcome::Kind::EndDate) {
        Label13->setText(text);
    } else {
        messages_.ShowMessage(text);
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
        messages_.ShowError(error.Code(), QString::fromUtf8(error.Description()));
    } catch (const PrintError& error) {
        messages_.ShowError(error.Number(), error.Description());
    } catch (const std::exception& error) {
        ReportFatalError(kInternalErrorNumber,
                         QStringLiteral("内部エラーが発生しました。%1").arg(error.what()));
    } catch (...) {
        ReportFatalError(kInternalErrorNumber, QStringLiteral("内部エラーが発生しました。"));
    }
}

void Form1::ReportFatalError(int number, const QString& description) {
    messages_.ShowError(number, description);
    QCoreApplication::exit(kFatalExitStatus);
}

}  // namespace torvelin
