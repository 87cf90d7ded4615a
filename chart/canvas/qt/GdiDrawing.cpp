#include "twinscope/chart/canvas/qt/GdiDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <QPolygon>

#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"

namespace twinscope {

namespace {

// A one-pixel pen strokes pixel centres; a wider one is centred on the pixel centres too.
QPointF StrokePoint(TPoint p, bool wide) {
    return wide ? QPointF(p.X + 0.5, p.Y + 0.5) : QPointF(p.X, p.Y);
}

// The outline of a shape whose bounds exclude their right and bottom edge.
QRectF StrokeRect(const TRect& r, bool wide) {
    qreal shift = wide ? 0.5 : 0;
    return QRectF(r.Left + shift, r.Top + shift, r.Width() - 1, r.Height() - 1);
}

// The frame of a rectangle drawn by a one-pixel pen, each pixel once (so that XOR pens invert
// the corners only once).
void WriteFrame(QPainter& painter, const TRect& r, const QColor& color) {
    const int w = r.Width();
    const int h = r.Height();
    painter.fillRect(QRect(r.Left, r.Top, w, 1), color);
    if (h > 1) painter.fillRect(QRect(r.Left, r.Bottom - 1, w, 1), color);
    if (h > 2) {
        painter.fillRect(QRect(r.Left, r.Top + 1, 1, h - 2), color);
        if (w > 1) painter.fillRect(QRect(r.Right - 1, r.Top + 1, 1, h - 2), color);
    }
}

// Styled lines exist for one-pixel pens only; wider pens draw solid.
QPen GdiPen(const TPenData& data) {
    const bool wide = data.Width > 1;
    QPen pen(OpaqueColor(data.Color), wide ? data.Width : 0);
    if (wide) {
        pen.setCapStyle(CapStyle(data.EndStyle));
        pen.setJoinStyle(JoinStyle(data.JoinStyle));
        return pen;
    }
    pen.setCapStyle(Qt::FlatCap);
    if (data.SmallDots) {
        pen.setDashPattern({1, static_cast<qreal>(std::max(data.SmallSpace, 1))});
        return pen;
    }
    switch (data.Style) {
        case psDash:
            pen.setDashPattern({18, 6});
            break;
        case psDot:
            pen.setDashPattern({3, 3});
            break;
        case psDashDot:
            pen.setDashPattern({9, 6, 3, 6});
            break;
        case psDashDotDot:
            pen.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        case psSolid:
        case psClear:
        case psInsideFrame:
            break;
    }
    return pen;
}

QBrush GdiBrush(const TBrushData& data) {
    if (data.Gradient.Visible) {
        return GradientBrush(data.Gradient, OpaqueColor(data.Gradient.StartColor),
                             OpaqueColor(data.Gradient.EndColor));
    }
    return QBrush(OpaqueColor(data.Color), HatchPattern(data.Style));
}

void UseBackground(QPainter& painter, const TGdiStyle& style) {
    painter.setBackgroundMode(style.BackMode == cbmOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(OpaqueColor(style.BackColor));
}

// The pixels of a one-pixel line from a up to, not including, b, written as runs along the
// line's major axis (Bresenham). Only the steps whose pixels fall within the writable area on
// the major axis are walked, starting with the error term the whole walk has there, so a line
// reaching far outside the surface costs no more than its visible part and keeps its pixels.
void WriteLine(QPainter& painter, TPixelWriter& pixels, TPoint a, TPoint b, const QColor& color) {
    const std::int64_t dx = std::int64_t{b.X} - a.X;
    const std::int64_t dy = std::int64_t{b.Y} - a.Y;
    if (dx == 0 && dy == 0) return;
    const QRect area = pixels.WritableArea(painter);
    if (area.isEmpty()) return;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const std::int64_t majorStart = xMajor ? a.X : a.Y;
    const std::int64_t minorStart = xMajor ? a.Y : a.X;
    const std::int64_t majorLow = xMajor ? area.left() : area.top();
    const std::int64_t majorHigh = xMajor ? area.right() : area.bottom();
    const std::int64_t minorLow = xMajor ? area.top() : area.left();
    const std::int64_t minorHigh = xMajor ? area.bottom() : area.right();

    // Step k writes the pixel at majorStart + k * majorStep, k = 0 .. major - 1.
    const std::int64_t firstStep =
        std::max<std::int64_t>(0, majorStep > 0 ? majorLow - majorStart : majorStart - majorHigh);
    const std::int64_t lastStep = std::min<std::int64_t>(
        major - 1, majorStep > 0 ? majorHigh - majorStart : majorStart - majorLow);
    if (firstStep > lastStep) return;
    // After k steps the walk has moved along the minor axis c times, with the error term
    // e = major / 2 - k * minor + c * major in 0 .. major - 1. With n = k * minor - major / 2 +
    // major - 1 (never negative, below 2^64 for 32-bit coordinates), c = n / major and
    // e = major - 1 - n % major.
    const std::uint64_t n =
        static_cast<std::uint64_t>(firstStep) * static_cast<std::uint64_t>(minor) +
        static_cast<std::uint64_t>(major - 1 - major / 2);
    const auto moves = static_cast<std::int64_t>(n / static_cast<std::uint64_t>(major));
    auto error = major - 1 - static_cast<std::int64_t>(n % static_cast<std::uint64_t>(major));

    std::int64_t majorPos = majorStart + firstStep * majorStep;
    std::int64_t minorPos = minorStart + moves * minorStep;
    std::int64_t runStart = majorPos;
    int runLength = 0;
    auto flush = [&] {
        if (minorPos < minorLow || minorPos > minorHigh) return;
        const int first = static_cast<int>(majorStep > 0 ? runStart : runStart - runLength + 1);
        const int across = static_cast<int>(minorPos);
        pixels.FillPixels(
            painter,
            xMajor ? QRect(first, across, runLength, 1) : QRect(across, first, 1, runLength),
            color);
    };
    for (std::int64_t k = firstStep; k <= lastStep; ++k) {
        ++runLength;
        majorPos += majorStep;
        error -= minor;
        if (error < 0) {
            error += major;
            flush();
            minorPos += minorStep;
            runStart = majorPos;
            runLength = 0;
        }
    }
    if (runLength > 0) flush();
}

bool Strokes(const TPenData& pen) {
    return pen.Visible && pen.Style != psClear;
}

}  // namespace

// The part of the surface that drawing can change: the painter's clip within the device, in
// logical pixels, widened by a pixel against rounding.
QRect TPixelWriter::WritableArea(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const qreal ratio = device->devicePixelRatio();
    QRectF area(0, 0, device->width() / ratio, device->height() / ratio);
    area = painter.worldTransform().inverted().mapRect(area);
    if (painter.hasClipping()) area &= painter.clipBoundingRect();
    return area.isEmpty() ? QRect() : area.toAlignedRect().adjusted(-1, -1, 1, 1);
}

namespace gdi {

QPainter::CompositionMode Composition(TPenMode mode) {
    switch (mode) {
        case pmCopy:
            break;
        case pmXor:
            return QPainter::RasterOp_SourceXorDestination;
        case pmNotXor:
            return QPainter::RasterOp_NotSourceXorDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

bool WritesPixels(const TPenData& pen) {
    return pen.Width <= 1 && !pen.SmallDots && (pen.Style == psSolid || pen.Style == psInsideFrame);
}

void Line(QPainter& painter, TPixelWriter& pixels, const TGdiStyle& style, TPoint from, TPoint to) {
    if (!Strokes(style.Pen)) return;
    if (WritesPixels(style.Pen)) {
        WriteLine(painter, pixels, from, to, OpaqueColor(style.Pen.Color));
        return;
    }
    const bool wide = style.Pen.Width > 1;
    UseBackground(painter, style);
    painter.setPen(GdiPen(style.Pen));
    painter.drawLine(StrokePoint(from, wide), StrokePoint(to, wide));
}

void Polyline(QPainter& painter, TPixelWriter& pixels, const TGdiStyle& style,
              std::span<const TPoint> points) {
    if (!Strokes(style.Pen)) return;
    if (WritesPixels(style.Pen)) {
        const QColor color = OpaqueColor(style.Pen.Color);
        for (std::size_t i = 1; i < points.size(); ++i) {
            WriteLine(painter, pixels, points[i - 1], points[i], color);
        }
        return;
    }
    const bool wide = style.Pen.Width > 1;
    UseBackground(painter, style);
    painter.setPen(GdiPen(style.Pen));
    if (wide) {
        // The general stroker is very slow on wide polylines; separate segments are not.
        QList<QLineF> segments;
        for (std::size_t i = 1; i < points.size(); ++i) {
            segments << QLineF(StrokePoint(points[i - 1], true), StrokePoint(points[i], true));
        }
        painter.drawLines(segments);
        return;
    }
    QPolygon polyline;
    for (const TPoint& p : points)
        polyline << QPoint(p.X, p.Y);
    painter.drawPolyline(polyline);
}

void Shape(QPainter& painter, const TGdiStyle& style, const TCanvasShape& shape) {
    const bool stroke = Strokes(style.Pen);
    const bool fill = style.Brush.Style != bsClear;
    const bool wide = stroke && style.Pen.Width > 1;
    const TRect& r = shape.Bounds;
    UseBackground(painter, style);
    const QBrush brush = fill ? GdiBrush(style.Brush) : QBrush(Qt::NoBrush);

    if (shape.Kind == skRectangle) {
        if (r.IsEmpty()) return;
        painter.setPen(Qt::NoPen);
        painter.setBrush(brush);
        if (!stroke) {
            if (fill) painter.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
            return;
        }
        const int inset = (std::max(style.Pen.Width, 1) + 1) / 2;
        const QRect inner(r.Left + inset, r.Top + inset, r.Width() - 2 * inset,
                          r.Height() - 2 * inset);
        if (fill && inner.isValid()) painter.drawRect(inner);
        if (WritesPixels(style.Pen)) {
            WriteFrame(painter, r, OpaqueColor(style.Pen.Color));
            return;
        }
        painter.setPen(GdiPen(style.Pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(StrokeRect(r, wide));
        return;
    }

    painter.setPen(stroke ? GdiPen(style.Pen) : QPen(Qt::NoPen));
    painter.setBrush(brush);
    switch (shape.Kind) {
        case skEllipse:
            painter.drawEllipse(StrokeRect(r, wide));
            break;
        case skRoundRect:
            painter.drawRoundedRect(StrokeRect(r, wide), shape.Corner.Width / 2.0,
                                    shape.Corner.Height / 2.0);
            break;
        case skPolygon: {
            QPolygonF polygon;
            for (const TPoint& p : shape.Points)
                polygon << StrokePoint(p, wide);
            painter.drawPolygon(polygon, Qt::OddEvenFill);
            break;
        }
        case skRectangle:
            break;
    }
}

void Arc(QPainter& painter, const TGdiStyle& style, const TRect& rect, TPoint start, TPoint end) {
    if (!Strokes(style.Pen) || rect.IsEmpty()) return;
    const qreal from = AngleTo(rect, start);
    qreal span = AngleTo(rect, end) - from;
    if (span <= 0) span += 360;
    UseBackground(painter, style);
    painter.setPen(GdiPen(style.Pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(StrokeRect(rect, style.Pen.Width > 1), static_cast<int>(std::lround(from * 16)),
                    static_cast<int>(std::lround(span * 16)));
}

void FillRect(QPainter& painter, const TGdiStyle& style, const TRect& rect) {
    const QRect area = ToQRect(rect);
    const bool hatched = style.Brush.Style != bsSolid && !style.Brush.Gradient.Visible;
    if (hatched && style.BackMode == cbmOpaque)
        painter.fillRect(area, OpaqueColor(style.BackColor));
    painter.fillRect(area, GdiBrush(style.Brush));
}

void GradientFill(QPainter& painter, const TRect& rect, const TGradientData& gradient) {
    painter.fillRect(ToQRect(rect), GradientBrush(gradient, OpaqueColor(gradient.StartColor),
                                                  OpaqueColor(gradient.EndColor)));
}

}  // namespace gdi

}  // namespace twinscope
