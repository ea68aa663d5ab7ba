// SPDX-License-Identifier: MIT
// A plain Qt Widgets window with the same kinds and numbers of controls as the
// deadline window, laid out the same way: three entry boxes, a tool button
// whose menu holds a QCalendarWidget (built when the menu first opens), four
// drop-down lists, a list, six buttons, sixteen labels, two group boxes, a
// custom-painted widget of the month view's size and a copy shortcut. No
// style sheet, no translations.
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

// Stands for the month view, which paints no month until a start is typed:
// the room for a row of three months, painted with nothing in it.
class EmptyMonths final : public QWidget {
public:
    EmptyMonths() { setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); }
    QSize minimumSizeHint() const override { return sizeHint(); }
    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(QStringLiteral("000")) * 22, metrics.height() * 13};
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).setPen(Qt::black); }
};

QComboBox* ComboWith(int items) {
    auto* combo = new QComboBox;
    for (int i = 0; i < items; ++i) {
        combo->addItem(QStringLiteral("Choice %1").arg(i));
    }
    return combo;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare deadline window"));

    auto* pick = new QToolButton;
    pick->setText(QStringLiteral("Pick"));
    pick->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(pick);
    // Built as the menu first opens, as the deadline window builds its own.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
        if (menu->actions().isEmpty()) {
            auto* calendarAction = new QWidgetAction(menu);
            calendarAction->setDefaultWidget(new QCalendarWidget);
            menu->addAction(calendarAction);
        }
    });
    pick->setMenu(menu);

    auto* questionBox = new QGroupBox(QStringLiteral("Question"));
    auto* form = new QFormLayout(questionBox);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(new QLineEdit, 1);
    startRow->addWidget(pick);
    form->addRow(new QLabel(QStringLiteral("Start")), startRow);
    const auto hidden = [] {
        auto* label = new QLabel(QStringLiteral("Message"));
        label->setWordWrap(true);
        label->setVisible(false);
        return label;
    };
    form->addRow(QString(), hidden());
    form->addRow(new QLabel(QStringLiteral("Time")), new QLineEdit);
    form->addRow(QString(), hidden());
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(new QLineEdit, 1);
    periodRow->addWidget(ComboWith(6));
    form->addRow(new QLabel(QStringLiteral("Period")), periodRow);
    form->addRow(QString(), hidden());
    form->addRow(new QLabel(QStringLiteral("Direction")), ComboWith(2));
    form->addRow(new QLabel(QStringLiteral("First day")), ComboWith(3));
    form->addRow(new QLabel(QStringLiteral("Calendar")), ComboWith(3));
    auto* filesRow = new QHBoxLayout;
    filesRow->addWidget(new QListWidget, 1);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(new QPushButton(QStringLiteral("Add")));
    fileButtons->addWidget(new QPushButton(QStringLiteral("Remove")));
    fileButtons->addStretch();
    filesRow->addLayout(fileButtons);
    form->addRow(new QLabel(QStringLiteral("Files")), filesRow);

    auto* answerBox = new QGroupBox(QStringLiteral("Answer"));
    auto* answerLayout = new QVBoxLayout(answerBox);
    for (int i = 0; i < 6; ++i) {
        answerLayout->addWidget(new QLabel(QStringLiteral("Answer %1").arg(i)));
    }
    answerLayout->addWidget(new EmptyMonths, 0, Qt::AlignLeft);

    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        buttons->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i)));
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(questionBox);
    layout->addWidget(answerBox, 1);
    layout->addLayout(buttons);
    auto* copy = new QAction(&window);
    copy->setShortcut(QKeySequence::Copy);
    window.addAction(copy);

    window.show();
    return QApplication::exec();
}
