// SPDX-License-Identifier: MIT
#include "window/deadline_sheet.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <functional>
#include <numeric>

#include "window/month_view.h"

namespace torvelin {
namespace {

// The sheet is laid out in points, 72 to the inch.
constexpr double kPointsPerInch = 72.0;
constexpr double kCaptionWidth = 120.0;
constexpr double kLineGap = 4.0;
constexpr double kCellPadding = 6.0;  // between a cell's text and the next column
// The height of a box that a wrapped text is measured in: more than it takes.
constexpr double kUnboundedHeight = 1000.0;

// Draws caption and text pairs from the top; the height they took.
double DrawLines(QPainter& painter, const DeadlineSheet::Lines& lines, QPointF at, double width) {
    double y = at.y();
    for (const auto& [caption, text] : lines) {
        const QRectF textArea(at.x() + kCaptionWidth, y, width - kCaptionWidth, kUnboundedHeight);
        const QRectF used = painter.boundingRect(textArea, Qt::AlignLeft | Qt::TextWordWrap, text);
        painter.drawText(QRectF(at.x(), y, kCaptionWidth, used.height()), Qt::AlignLeft, caption);
        painter.drawText(textArea, Qt::AlignLeft | Qt::TextWordWrap, text);
        y += std::max(used.height(), painter.fontMetrics().height() * 1.0) + kLineGap;
    }
    return y - at.y();
}

// How many of a row's cells have a column: the captions' row sets them.
std::size_t CellsOf(const QStringList& row, const std::vector<double>& widths) {
    return std::min(widths.size(), std::size_t(row.size()));
}

}  // namespace

double RowHeight(QPainter& painter, const QStringList& row, const std::vector<double>& widths) {
    double height = painter.fontMetrics().height();
    for (std::size_t column = 0; column < CellsOf(row, widths); ++column) {
        const QRectF cell(QPointF(), QSizeF(widths[column] - kCellPadding, kUnboundedHeight));
        height = std::max(
            height, painter.boundingRect(cell, Qt::TextWordWrap, row[qsizetype(column)]).height());
    }
    return height;
}

std::vector<double> FitColumns(std::vector<double> widths, double room) {
    while (true) {
        const double excess = std::accumulate(widths.begin(), widths.end(), 0.0) - room;
        if (excess <= 0.5) {
            return widths;  // within half a point
        }
        std::vector<double> sorted = widths;
        sorted.push_back(0);  // what a lone column gives way to
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        const double widest = sorted[0];
        const double next = sorted[1];
        const auto count = std::count(widths.begin(), widths.end(), widest);
        const double cut = std::min(excess / double(count), next < widest ? widest - next : excess);
        for (double& width : widths) {
            if (width == widest) {
                width -= cut;
            }
        }
    }
}

namespace {

// Draws a row of cells at y and a rule under it; the height it took.
double DrawRow(QPainter& painter, const QStringList& row, const std::vector<double>& widths,
               double y, bool bold) {
    QFont font = painter.font();
    font.setBold(bold);
    painter.setFont(font);
    const double height = RowHeight(painter, row, widths);
    double x = 0;
    for (std::size_t column = 0; column < CellsOf(row, widths); ++column) {
        painter.drawText(QRectF(x, y, widths[column] - kCellPadding, height),
                         Qt::AlignLeft | Qt::TextWordWrap, row[qsizetype(column)]);
        x += widths[column];
    }
    painter.drawLine(QPointF(0, y + height + kLineGap / 2), QPointF(x, y + height + kLineGap / 2));
    font.setBold(false);
    painter.setFont(font);
    return height + kLineGap;
}

// Draws a table from y down, its first row the captions, on as many pages
// as it takes, the captions again at the top of each.
void DrawTable(QPainter& painter, QPagedPaintDevice& device, const QList<QStringList>& table,
               double y, QSizeF page) {
    if (table.isEmpty()) {
        return;
    }
    // Each column as wide as its longest text, then fitted to the page.
    std::vector<double> widths(std::size_t(table.front().size()));
    for (const QStringList& row : table) {
        for (std::size_t column = 0; column < CellsOf(row, widths); ++column) {
            widths[column] =
                std::max(widths[column],
                         painter.fontMetrics().horizontalAdvance(row[qsizetype(column)]) + 8.0);
        }
    }
    widths = FitColumns(std::move(widths), page.width());
    y += DrawRow(painter, table.front(), widths, y, true);
    for (qsizetype row = 1; row < table.size(); ++row) {
        if (y + RowHeight(painter, table[row], widths) > page.height()) {
            device.newPage();
            y = DrawRow(painter, table.front(), widths, 0, true);
        }
        y += DrawRow(painter, table[row], widths, y, false);
    }
}

}  // namespace

void DrawSheet(const DeadlineSheet& sheet, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(50, 50, 50, 50), QPageLayout::Point));
    QPainter painter(&device);
    const double scale = device.logicalDpiX() / kPointsPerInch;
    painter.scale(scale, device.logicalDpiY() / kPointsPerInch);
    const QRectF page = QRectF(device.pageLayout().paintRect(QPageLayout::Point));
    const double width = page.width();
    QPointF at(0, 0);

    // Fonts are sized for the device, under the scale that is already applied.
    const double fontScale = kPointsPerInch / device.logicalDpiY();
    QFont font = painter.font();
    font.setPointSizeF(16 * fontScale);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The title, and the day it was printed on its right.
    const QRectF headLine(at, QSizeF(width, kUnboundedHeight));
    painter.drawText(headLine, Qt::AlignLeft, sheet.title);
    font.setPointSizeF(9 * fontScale);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(headLine, Qt::AlignRight, QStringLiteral("印刷日 ") + sheet.printedOn);
    at.ry() += 36;

    font.setPointSizeF(10.5 * fontScale);
    painter.setFont(font);
    if (!sheet.question.isEmpty()) {
        at.ry() += DrawLines(painter, sheet.question, at, width) + 12;
        painter.drawLine(QPointF(0, at.y() - 6), QPointF(width, at.y() - 6));
    }
    at.ry() += DrawLines(painter, sheet.answer, at, width) + 12;
    font.setPointSizeF(9 * fontScale);
    painter.setFont(font);
    DrawTable(painter, device, sheet.table, at.y(), page.size());

    if (!sheet.months.empty()) {
        font.setPointSizeF(9 * fontScale);
        painter.setFont(font);
        const double cellWidth = width / (7 * 3 + 2 * 0.6);
        LaidOutTexts texts;
        PaintMonths(painter, at, QSizeF(cellWidth, cellWidth * 0.7), sheet.months, texts);
    }
}

bool SaveSheetAsPdf(const DeadlineSheet& sheet, const QString& path) {
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            return false;
        }
    }
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setTitle(sheet.title);
    writer.setCreator(QStringLiteral("Torvelin"));
    DrawSheet(sheet, writer);
    // The writer reports no failure: what it left is read back.
    QFile written(path);
    return written.open(QIODevice::ReadOnly) && written.read(5) == "%PDF-";
}

void DialogSheetPrinter::Print(const DeadlineSheet& sheet, QWidget& parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(sheet.title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, &parent);
    dialog.setWindowTitle(QStringLiteral("期限計算表の印刷"));
    if (dialog.exec() == QDialog::Accepted) {
        DrawSheet(sheet, printer);
    }
}

}  // namespace torvelin
