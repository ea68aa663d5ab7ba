// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace torvelin {

// Asks the user which files to read or write: the system's dialogs in the
// window, answers given in advance in its tests.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The path to write to; empty when the user cancels.
    virtual QString SaveFileName(QWidget& parent, const QString& title, const QString& suggested,
                                 const QString& filter) = 0;
    // The files to read; none when the user cancels.
    virtual QStringList OpenFileNames(QWidget& parent, const QString& title,
                                      const QString& filter) = 0;
};

// Through the system's file dialogs.
class DialogFileChooser final : public FileChooser {
public:
    QString SaveFileName(QWidget& parent, const QString& title, const QString& suggested,
                         const QString& filter) override;
    QStringList OpenFileNames(QWidget& parent, const QString& title,
                              const QString& filter) override;
};

}  // namespace torvelin
