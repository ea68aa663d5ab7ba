// SPDX-License-Identifier: MIT
#include "window/file_chooser.h"

#include <QFileDialog>

namespace torvelin {

QString DialogFileChooser::SaveFileName(QWidget& parent, const QString& title,
                                        const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(&parent, title, suggested, filter);
}

QStringList DialogFileChooser::OpenFileNames(QWidget& parent, const QString& title,
                                             const QString& filter) {
    return QFileDialog::getOpenFileNames(&parent, title, QString(), filter);
}

}  // namespace torvelin
