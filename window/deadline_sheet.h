// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <vector>

#include "format/deadline_question.h"

class QPagedPaintDevice;
class QWidget;

namespace torvelin {

// A deadline on one A4 page: what was asked, the answer and why, the months
// of the period, and when it was printed.
struct DeadlineSheet {
    using Lines = QList<QPair<QString, QString>>;  // caption, text

    Lines question;
    Lines answer;
    std::vector<MarkedMonth> months;
    QString printedOn;
};

// Draws the sheet on the device's current page, set to A4.
void DrawSheet(const DeadlineSheet& sheet, QPagedPaintDevice& device);

// Writes the sheet to a PDF file; false when the file cannot be written.
bool SaveSheetAsPdf(const DeadlineSheet& sheet, const QString& path);

// Puts a sheet on paper, asking the user where and how.
class SheetPrinter {
public:
    virtual ~SheetPrinter() = default;
    virtual void Print(const DeadlineSheet& sheet, QWidget& parent) = 0;
};

// Through the system's print dialog.
class DialogSheetPrinter final : public SheetPrinter {
public:
    void Print(const DeadlineSheet& sheet, QWidget& parent) override;
};

}  // namespace torvelin
