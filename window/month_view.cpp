// SPDX-License-Identifier: MIT
#include "window/month_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

#include "calc/weekday.h"

namespace torvelin {
namespace {

// The months are drawn this far in from the view's edges.
constexpr int kMargin = 1;
constexpr int kMonthsPerRow = 3;
constexpr int kRowsPerMonth = 8;  // the title, the weekdays, six weeks
constexpr double kGapInCells = 0.6;
// Past this many texts, the kept ones are dropped: each month has a title of
// its own.
constexpr std::size_t kMostTextsKept = 256;
// The width drawText gives a line that is not to wrap.
constexpr int kUnwrappedLineWidth = 0x01000000;
// The same colours as the web page's style sheet.
const QColor kEndFill(0x1f4e99u);
const QColor kCountedFill(0xdce8f8u);
const QColor kPassedOverFill(0xfddeb8u);
const QColor kClosedText(0xc62828u);
const QColor kKnownFrame(0x000000u);

struct Legend {
    QColor fill;
    const char* text;
};
const Legend kLegend[] = {
    {kCountedFill, "期間"},
    {kPassedOverFill, "越えた休日"},
    {kEndFill, "満了日"},
};

QSizeF MonthSize(QSizeF cell) {
    return {cell.width() * 7, cell.height() * kRowsPerMonth};
}

QPointF MonthOrigin(QPointF topLeft, QSizeF cell, int index) {
    const QSizeF month = MonthSize(cell);
    const double gap = cell.width() * kGapInCells;
    return topLeft + QPointF((index % kMonthsPerRow) * (month.width() + gap),
                             (index / kMonthsPerRow) * (month.height() + gap));
}

// Where day (1-based) of the month at index is drawn.
QRectF DayCell(QPointF topLeft, QSizeF cell, const MarkedMonth& month, int index, int day) {
    const int firstColumn = static_cast<int>(WeekdayOf(CivilDate{month.year, month.month, 1}));
    const int slot = firstColumn + day - 1;
    const QPointF origin = MonthOrigin(topLeft, cell, index);
    return {origin + QPointF((slot % 7) * cell.width(), (2 + slot / 7) * cell.height()), cell};
}

}  // namespace

LaidOutTexts::LaidOutTexts() = default;
LaidOutTexts::~LaidOutTexts() = default;

void LaidOutTexts::Draw(QPainter& painter, const QRectF& rect, Qt::Alignment alignment,
                        const QString& text) {
    if (painter.font() != font_) {
        layouts_.clear();
        font_ = painter.font();
    }
    auto found = layouts_.find(text);
    if (found == layouts_.end()) {
        if (layouts_.size() >= kMostTextsKept) {
            layouts_.clear();
        }
        // Laid out as QPainter::drawText lays out a line that does not wrap,
        // and kept shaped.
        auto layout = std::make_unique<QTextLayout>(text, font_);
        layout->setCacheEnabled(true);
        QTextOption option;
        option.setTextDirection(painter.layoutDirection());
        layout->setTextOption(option);
        layout->beginLayout();
        layout->createLine().setLineWidth(kUnwrappedLineWidth);
        layout->endLayout();
        found = layouts_.emplace(text, std::move(layout)).first;
    }
    const QTextLine line = found->second->lineAt(0);
    const double height = line.ascent() + line.descent();
    const QPointF offset(
        alignment & Qt::AlignHCenter ? (rect.width() - line.horizontalAdvance()) / 2 : 0,
        alignment & Qt::AlignVCenter ? (rect.height() - height) / 2 : 0);
    // Like drawText, clipped to the rectangle when the text overflows it.
    const bool overflows =
        !rect.contains(QRectF(rect.topLeft() + offset, QSizeF(line.naturalTextWidth(), height)));
    if (overflows) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    line.draw(&painter, rect.topLeft() + offset);
    if (overflows) {
        painter.restore();
    }
}

QSizeF MonthsSize(QSizeF cell, int monthCount) {
    const int columns = std::min(monthCount, kMonthsPerRow);
    const int rows = std::max(1, (monthCount + kMonthsPerRow - 1) / kMonthsPerRow);
    const QSizeF month = MonthSize(cell);
    const double gap = cell.width() * kGapInCells;
    return {columns * month.width() + (columns - 1) * gap,
            rows * month.height() + (rows - 1) * gap + gap + cell.height()};
}

void PaintMonths(QPainter& painter, QPointF topLeft, QSizeF cell,
                 const std::vector<MarkedMonth>& months, LaidOutTexts& texts) {
    if (months.empty()) {
        return;
    }
    painter.save();
    const QColor text = painter.pen().color();
    for (int index = 0; index < static_cast<int>(months.size()); ++index) {
        const MarkedMonth& month = months[index];
        const QPointF origin = MonthOrigin(topLeft, cell, index);
        painter.setPen(text);
        texts.Draw(painter, QRectF(origin, QSizeF(cell.width() * 7, cell.height())),
                   Qt::AlignCenter, QStringLiteral("%1年%2月").arg(month.year).arg(month.month));
        for (int column = 0; column < 7; ++column) {
            painter.setPen(column == 0 || column == 6 ? kClosedText : text);
            texts.Draw(
                painter, QRectF(origin + QPointF(column * cell.width(), cell.height()), cell),
                Qt::AlignCenter, QString::fromUtf8(WeekdayName(static_cast<Weekday>(column))));
        }
        for (int day = 1; day <= DaysInMonth(month.year, month.month); ++day) {
            const QRectF rect = DayCell(topLeft, cell, month, index, day).adjusted(1, 1, -1, -1);
            const DayMark mark = month.marks[day - 1];
            if (mark == DayMark::End || mark == DayMark::Counted || mark == DayMark::PassedOver) {
                painter.fillRect(rect, mark == DayMark::End       ? kEndFill
                                       : mark == DayMark::Counted ? kCountedFill
                                                                  : kPassedOverFill);
            }
            if (mark == DayMark::Known) {
                painter.setPen(QPen(kKnownFrame, 2));
                painter.drawRect(rect.adjusted(1, 1, -1, -1));
            }
            painter.setPen(mark == DayMark::End    ? QColor(Qt::white)
                           : month.closed[day - 1] ? kClosedText
                                                   : text);
            texts.Draw(painter, rect, Qt::AlignCenter, QString::number(day));
        }
    }
    // The legend, below the months.
    const QSizeF size = MonthsSize(cell, static_cast<int>(months.size()));
    QPointF at = topLeft + QPointF(0, size.height() - cell.height());
    for (const Legend& legend : kLegend) {
        const QRectF swatch(at, QSizeF(cell.width() * 0.8, cell.height() * 0.8));
        painter.fillRect(swatch, legend.fill);
        painter.setPen(text);
        const QString caption = QString::fromUtf8(legend.text);
        const QRectF label(at + QPointF(cell.width(), 0),
                           QSizeF(cell.width() * 3.5, cell.height()));
        texts.Draw(painter, label, Qt::AlignLeft | Qt::AlignTop, caption);
        at += QPointF(cell.width() * 4.5, 0);
    }
    QRectF known(at, QSizeF(cell.width() * 0.8, cell.height() * 0.8));
    painter.setPen(QPen(kKnownFrame, 2));
    painter.drawRect(known);
    painter.setPen(text);
    texts.Draw(painter,
               QRectF(at + QPointF(cell.width(), 0), QSizeF(cell.width() * 3.5, cell.height())),
               Qt::AlignLeft | Qt::AlignTop, QStringLiteral("起算日"));
    at += QPointF(cell.width() * 4.5, 0);
    painter.setPen(kClosedText);
    texts.Draw(painter, QRectF(at, QSizeF(cell.width() * 4, cell.height())),
               Qt::AlignLeft | Qt::AlignTop, QStringLiteral("赤字は休日"));
    painter.restore();
}

MonthView::MonthView(DayDescriber describeDay, QWidget* parent)
    : QWidget(parent), describeDay_(std::move(describeDay)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MonthView::SetMonths(std::vector<MarkedMonth> months) {
    const bool resized = months.size() != months_.size();
    months_ = std::move(months);
    if (resized) {
        updateGeometry();
    }
    update();
}

QSizeF MonthView::CellSize() const {
    const QFontMetricsF metrics(font());
    return {metrics.horizontalAdvance(QStringLiteral("000")), metrics.height() * 1.5};
}

QSize MonthView::sizeHint() const {
    // Room for a whole row of months even before there are any, so that the
    // window does not jump as the first answer comes.
    const int count = std::max(static_cast<int>(months_.size()), kMonthsPerRow);
    return MonthsSize(CellSize(), count).toSize() + QSize(2 * kMargin, 2 * kMargin);
}

std::optional<std::int64_t> MonthView::DayAt(QPoint point) const {
    const QSizeF cell = CellSize();
    for (int index = 0; index < static_cast<int>(months_.size()); ++index) {
        const MarkedMonth& month = months_[index];
        for (int day = 1; day <= DaysInMonth(month.year, month.month); ++day) {
            if (DayCell(QPointF(kMargin, kMargin), cell, month, index, day).contains(point)) {
                return DayNumberFromCivil({month.year, month.month, day});
            }
        }
    }
    return std::nullopt;
}

void MonthView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    PaintMonths(painter, QPointF(kMargin, kMargin), CellSize(), months_, texts_);
}

bool MonthView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<std::int64_t> day = DayAt(help->pos())) {
            QToolTip::showText(help->globalPos(), describeDay_(*day), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace torvelin
