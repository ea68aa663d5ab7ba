// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <vector>

#include "format/deadline_question.h"

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace torvelin {

// A deadline on one A4 page: what was asked, the answer and why, the months
// of the period, and when it was printed; or a case's list of deadlines as
// a table.
struct DeadlineSheet {
    using Lines = QList<QPair<QString, QString>>;  // caption, text

    QString title = QStringLiteral("期限計算");
    Lines question;
    Lines answer;
    std::vector<MarkedMonth> months;
    QList<QStringList> table;  // its first row the columns' captions
    QString printedOn;
};

// The height a row of a table takes, each cell wrapped in its column's width.
double RowHeight(QPainter& painter, const QStringList& row, const std::vector<double>& widths);

// The columns' widths narrowed to fit the room: the widest give way first,
// each down to the next, so that dates and short names stay on one line.
std::vector<double> FitColumns(std::vector<double> widths, double room);

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
