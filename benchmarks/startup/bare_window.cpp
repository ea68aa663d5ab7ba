// SPDX-License-Identifier: MIT
// A plain Qt Widgets window with as many controls as the calculator's window:
// fifteen labels, two entry boxes and four buttons.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(406, 333);
    for (int i = 0; i < 15; ++i) {
        (new QLabel(QStringLiteral("Label %1").arg(i), &window))
            ->setGeometry(8, 8 + 20 * i, 180, 18);
    }
    for (int i = 0; i < 2; ++i) {
        (new QLineEdit(QStringLiteral("Text %1").arg(i), &window))
            ->setGeometry(208, 48 + 32 * i, 105, 25);
    }
    for (int i = 0; i < 4; ++i) {
        (new QPushButton(QStringLiteral("Button %1").arg(i), &window))
            ->setGeometry(208, 120 + 40 * i, 97, 33);
    }
    window.show();
    return QApplication::exec();
}
