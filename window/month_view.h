// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "format/deadline_question.h"

class QPainter;
class QTextLayout;

namespace torvelin {

// Texts laid out once and kept for the next paint: laying a text out takes
// far longer than drawing it, and the months draw the same few dozen texts
// (the days of the month, the weekdays) again and again.
class LaidOutTexts {
public:
    LaidOutTexts();
    ~LaidOutTexts();
    LaidOutTexts(const LaidOutTexts&) = delete;
    LaidOutTexts& operator=(const LaidOutTexts&) = delete;

    // Draws one line of text as QPainter::drawText(rect, alignment, text)
    // does, to the pixel, with the painter's font and pen. Left or centred,
    // top or centred.
    void Draw(QPainter& painter, const QRectF& rect, Qt::Alignment alignment, const QString& text);

private:
    QFont font_;
    std::map<QString, std::unique_ptr<QTextLayout>> layouts_;
};

// Draws the months of a period side by side, three to a row, each day marked
// as counted, passed over or the end, closed days in red, and a legend below:
// on the screen and on paper alike. cellSize is the size of one day.
void PaintMonths(QPainter& painter, QPointF topLeft, QSizeF cellSize,
                 const std::vector<MarkedMonth>& months, LaidOutTexts& texts);

// The size PaintMonths takes for that many months, legend included.
QSizeF MonthsSize(QSizeF cellSize, int monthCount);

// The months of the period on the screen; a day's description on hover.
class MonthView final : public QWidget {
public:
    using DayDescriber = std::function<QString(std::int64_t day)>;

    MonthView(DayDescriber describeDay, QWidget* parent = nullptr);

    void SetMonths(std::vector<MarkedMonth> months);
    const std::vector<MarkedMonth>& Months() const { return months_; }
    // The day drawn at a point, if any.
    std::optional<std::int64_t> DayAt(QPoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QSizeF CellSize() const;

    DayDescriber describeDay_;
    std::vector<MarkedMonth> months_;
    LaidOutTexts texts_;
};

}  // namespace torvelin
