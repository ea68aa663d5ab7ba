// SPDX-License-Identifier: MIT
#include "window/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "window/application_setup.h"

namespace torvelin {
namespace {

void ShowBox(QMessageBox::Icon icon, const QString& text) {
    // Owned by the active window so that it opens over it; exec() makes it
    // modal to the whole program.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QMessageBox box(icon, QString::fromLatin1(kApplicationName), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // Not every window system hands the activation back to the window.
    if (focus) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace

void QtMessageBoxes::ShowMessage(const QString& text) {
    ShowBox(QMessageBox::NoIcon, text);
}

void QtMessageBoxes::ShowError(int number, const QString& description) {
    ShowBox(QMessageBox::Critical, ErrorText(number, description));
}

QString ErrorText(int number, const QString& description) {
    return QStringLiteral("エラー %1\n%2").arg(number).arg(description);
}

}  // namespace torvelin
