#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include <QCoreApplication>
#include <QPaintEngine>

#include "twinscope/chart/canvas/qt/OutlineByPixels.h"

namespace twinscope {

namespace {

// Resolving a font through fontconfig is costly, so every anti-aliased canvas of the process
// shares the fonts it realised. The fonts must go before the application does.
class TGDIPlusShared {
public:
    QFont Font(const TQtFontKey& key) {
        auto found = fonts_.find(key);
        if (found == fonts_.end()) found = fonts_.emplace(key, MakeQtFont(key)).first;
        return found->second;
    }

private:
    std::map<TQtFontKey, QFont> fonts_;
};

std::unique_ptr<TGDIPlusShared>& SharedSlot() {
    static std::unique_ptr<TGDIPlusShared> shared;
    return shared;
}

void ShutDownShared() {
    SharedSlot().reset();
}

TGDIPlusShared& StartUpShared() {
    auto& shared = SharedSlot();
    if (!shared) {
        shared = std::make_unique<TGDIPlusShared>();
        qAddPostRoutine(ShutDownShared);
    }
    return *shared;
}

QPointF At(TPoint p) {
    return QPointF(p.X + 0.5, p.Y + 0.5);
}

// The path a pen strokes around a shape whose bounds exclude their right and bottom edge.
QRectF OutlineRect(const TRect& r) {
    return QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1);
}

// The pixels a shape covers when no pen outlines it.
QRectF AreaRect(const TRect& r) {
    return QRectF(r.Left, r.Top, r.Width(), r.Height());
}

QPainterPath ShapePath(const TCanvasShape& shape, const QRectF& rect) {
    QPainterPath path;
    switch (shape.Kind) {
        case skRectangle:
            path.addRect(rect);
            break;
        case skEllipse:
            path.addEllipse(rect);
            break;
        case skRoundRect:
            path.addRoundedRect(rect, shape.Corner.Width / 2.0, shape.Corner.Height / 2.0);
            break;
        case skPolygon: {
            QPolygonF polygon;
            for (const TPoint& p : shape.Points)
                polygon << At(p);
            path.addPolygon(polygon);
            path.closeSubpath();
            path.setFillRule(Qt::OddEvenFill);
            break;
        }
    }
    return path;
}

bool Hatched(const TBrushData& brush) {
    return brush.Style != bsSolid && brush.Style != bsClear && !brush.Gradient.Visible;
}

}  // namespace

TGDIPlusCanvas::TGDIPlusCanvas() : TQtCanvas(fqDefault) {
    StartUpShared();
    UseNativeTransparency();
}

bool TGDIPlusCanvas::SharedStarted() {
    return SharedSlot() != nullptr;
}

QFont TGDIPlusCanvas::CreateFont(const TQtFontKey& key) const {
    return StartUpShared().Font(key);
}

QColor TGDIPlusCanvas::PlusColor(TColor color) const {
    if (color == clNone) return QColor(0, 0, 0, 0);
    const TColor rgb = ColorToRGB(color);
    const int alpha = std::max(0, TransparencyLevel() - static_cast<int>(rgb >> 24));
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF, alpha);
}

QBrush TGDIPlusCanvas::PlusBrush(const TBrushData& brush) const {
    if (brush.Gradient.Visible) {
        return GradientBrush(brush.Gradient, PlusColor(brush.Gradient.StartColor),
                             PlusColor(brush.Gradient.EndColor));
    }
    return QBrush(PlusColor(brush.Color), HatchPattern(brush.Style));
}

// Dashes end flat: a round or square cap would grow every dash into the gap after it.
const QPen& TGDIPlusCanvas::PlusPen() {
    std::pair<TPenData, std::int32_t> key{Pen(), TransparencyLevel()};
    if (penKey_ == key) return pen_;
    const TPenData& data = Pen();
    QPen pen;
    if (data.Fill) {
        pen.setBrush(PlusBrush(*data.Fill));
    } else {
        pen.setColor(PlusColor(data.Color));
    }
    pen.setWidthF(std::max(data.Width, 0));
    QList<qreal> dashes;
    if (data.SmallDots) {
        dashes = {1, 1};
    } else {
        switch (data.Style) {
            case psDash:
                dashes = {3, 1};
                break;
            case psDot:
                dashes = {1, 1};
                break;
            case psDashDot:
                dashes = {3, 1, 1, 1};
                break;
            case psDashDotDot:
                dashes = {3, 1, 1, 1, 1, 1};
                break;
            case psSolid:
            case psClear:
            case psInsideFrame:
                break;
        }
    }
    if (dashes.isEmpty()) {
        pen.setCapStyle(CapStyle(data.EndStyle));
    } else {
        pen.setDashPattern(dashes);
        pen.setCapStyle(Qt::FlatCap);
    }
    pen.setJoinStyle(JoinStyle(data.JoinStyle));
    pen_ = pen;
    penKey_ = std::move(key);
    return pen_;
}

void TGDIPlusCanvas::FillPath(QPainter& painter, const QPainterPath& path) {
    UseSmoothing(painter, antiAlias_);
    const TBrushData& brush = Brush();
    if (Hatched(brush) && brush.BackColor != clNone) {
        painter.fillPath(path, PlusColor(brush.BackColor));
    }
    painter.fillPath(path, PlusBrush(brush));
}

// Lines in the XOR pen modes are never written as columns.
TChartCanvas::TColumnLines TGDIPlusCanvas::ColumnLines() const {
    if (XorMode()) return TColumnLines::None;
    const TPenData& pen = Pen();
    const bool thin = PenStrokes() && pen.Width <= 1 && !pen.SmallDots && pen.Style == psSolid;
    const bool opaque = PlusColor(pen.Color).alpha() == 255;
    return thin && opaque ? TColumnLines::Approximate : TColumnLines::None;
}

void TGDIPlusCanvas::DoLine(TPoint from, TPoint to) {
    if (XorMode()) {
        if (QPainter* painter = PrepareGdi(true)) gdi::Line(*painter, *this, GdiStyle(), from, to);
        return;
    }
    if (!PenStrokes()) return;
    QPainter* painter = PreparePainter();
    if (!painter) return;
    if ((from.X == to.X || from.Y == to.Y) && FillsWholePixels(*painter)) {
        FillPixels(*painter,
                   QRect(std::min(from.X, to.X), std::min(from.Y, to.Y),
                         std::abs(to.X - from.X) + 1, std::abs(to.Y - from.Y) + 1),
                   PlusColor(Pen().Color));
        return;
    }
    UseSmoothing(*painter, antiAlias_ && Pen().Width != 0);
    painter->setPen(PlusPen());
    painter->drawLine(At(from), At(to));
}

// A smoothed one-pixel line down a column of pixel centres, with round or square ends, covers
// the pixels of that column from one end's row to the other's whole, and none beside them, and
// so does one along a row: filling them puts down the same pixels without blending each one,
// which is most of the cost of a dense series' columns and of an axis's grid and ticks. Scaled
// painters and vector targets keep the line.
bool TGDIPlusCanvas::FillsWholePixels(const QPainter& painter) const {
    const TPenData& pen = Pen();
    return antiAlias_ && pen.Width == 1 && !pen.Fill && pen.Style == psSolid && !pen.SmallDots &&
           pen.EndStyle != esFlat && PlusColor(pen.Color).alpha() == 255 &&
           painter.deviceTransform().type() == QTransform::TxNone &&
           painter.paintEngine()->type() == QPaintEngine::Raster;
}

void TGDIPlusCanvas::DoPolyline(std::span<const TPoint> points) {
    if (XorMode()) {
        if (QPainter* painter = PrepareGdi(true))
            gdi::Polyline(*painter, *this, GdiStyle(), points);
        return;
    }
    if (!PenStrokes()) return;
    QPainter* painter = PreparePainter();
    if (!painter) return;
    UseSmoothing(*painter, antiAlias_ && Pen().Width != 0);
    painter->setPen(PlusPen());
    if (Pen().Width > 1) {
        // The general stroker is very slow on wide polylines; separate segments are not.
        QList<QLineF> segments;
        for (std::size_t i = 1; i < points.size(); ++i) {
            segments << QLineF(At(points[i - 1]), At(points[i]));
        }
        painter->drawLines(segments);
        return;
    }
    QPolygonF polyline;
    for (const TPoint& p : points)
        polyline << At(p);
    painter->drawPolyline(polyline);
}

// A shape is filled first and outlined after. Under a pen wider than one pixel the fill stops
// half the pen's width inside the outline, so the two never overlap.
void TGDIPlusCanvas::DoShape(const TCanvasShape& shape) {
    if (XorMode()) {
        if (QPainter* painter = PrepareGdi(true)) gdi::Shape(*painter, GdiStyle(), shape);
        return;
    }
    if (shape.Kind != skPolygon && shape.Bounds.IsEmpty()) return;
    QPainter* painter = PreparePainter();
    if (!painter) return;
    const bool stroke = PenStrokes();
    const QRectF outline = OutlineRect(shape.Bounds);
    if (Brush().Style != bsClear) {
        QRectF area = stroke ? outline : AreaRect(shape.Bounds);
        if (stroke && Pen().Width > 1) {
            const qreal half = Pen().Width / 2.0;
            area.adjust(half, half, -half, -half);
        }
        if (shape.Kind == skPolygon || area.isValid()) FillPath(*painter, ShapePath(shape, area));
    }
    if (!stroke) return;
    if (shape.Kind == skRectangle && OutlinesByPixels(*painter, shape.Bounds)) return;
    UseSmoothing(*painter, antiAlias_ && Pen().Width != 0);
    painter->setPen(PlusPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(ShapePath(shape, outline));
}

// On an image of premultiplied pixels, where the outline was found to come out the same.
bool TGDIPlusCanvas::OutlinesByPixels(QPainter& painter, const TRect& r) {
    if (r.Width() < 3 || r.Height() < 3 || !FillsWholePixels(painter)) return false;
    const QPaintDevice* device = painter.device();
    if (device->devType() != QInternal::Image ||
        static_cast<const QImage*>(device)->format() != QImage::Format_ARGB32_Premultiplied) {
        return false;
    }
    const std::optional<int> corner = OutlineCornerHalf(JoinStyle(Pen().JoinStyle));
    if (!corner) return false;
    OutlineByPixels(painter, *this, r, PlusColor(Pen().Color), *corner);
    return true;
}

void TGDIPlusCanvas::DoArc(const TRect& rect, TPoint start, TPoint end) {
    if (XorMode()) {
        if (QPainter* painter = PrepareGdi(true)) gdi::Arc(*painter, GdiStyle(), rect, start, end);
        return;
    }
    if (!PenStrokes() || rect.IsEmpty()) return;
    QPainter* painter = PreparePainter();
    if (!painter) return;
    const qreal from = AngleTo(rect, start);
    qreal span = AngleTo(rect, end) - from;
    if (span <= 0) span += 360;
    UseSmoothing(*painter, antiAlias_ && Pen().Width != 0);
    painter->setPen(PlusPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawArc(OutlineRect(rect), static_cast<int>(std::lround(from * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void TGDIPlusCanvas::DoFillRect(const TRect& rect) {
    QPainter* painter = PreparePainter();
    if (!painter) return;
    QPainterPath path;
    path.addRect(AreaRect(rect));
    FillPath(*painter, path);
}

void TGDIPlusCanvas::DoGradientFill(const TRect& rect, const TGradientData& gradient) {
    QPainter* painter = PreparePainter();
    if (!painter) return;
    painter->fillRect(AreaRect(rect), GradientBrush(gradient, PlusColor(gradient.StartColor),
                                                    PlusColor(gradient.EndColor)));
}

// Text is placed by its top-left corner; the right and centre flags move it left by its width
// or half of it, the bottom flag up by its height, and a turned text turns about (x, y).
QPointF TGDIPlusCanvas::TextTopLeft(qreal width, qreal height, qreal) const {
    const TTextAlign align = TextAlign();
    QPointF offset;
    if ((align & TA_HORIZONTAL) == TA_RIGHT) offset.setX(-width);
    if ((align & TA_HORIZONTAL) == TA_CENTER) offset.setX(-width / 2);
    if ((align & TA_VERTICAL) == TA_BOTTOM) offset.setY(-height);
    return offset;
}

std::optional<QBrush> TGDIPlusCanvas::TextBackground() const {
    if (BackMode() != cbmOpaque || Brush().Style == bsClear) return std::nullopt;
    return PlusBrush(Brush());
}

QColor TGDIPlusCanvas::ShadowColorOf(const TShadowData& shadow) const {
    QColor color = PlusColor(shadow.Color);
    color.setAlpha(color.alpha() * (100 - std::clamp(shadow.Transparency, 0, 100)) / 100);
    return color;
}

// A clear brush, or one without a back colour, leaves the text background transparent; a
// hatched brush paints its gaps with its back colour.
void TGDIPlusCanvas::DoBrushAssigned() {
    const TBrushData& brush = Brush();
    if (brush.Style == bsClear || brush.BackColor == clNone) {
        SetBackMode(cbmTransparent);
    } else if (Hatched(brush)) {
        SetBackMode(cbmOpaque);
        SetBackColor(brush.BackColor);
    }
}

// A rectangle clip reaches one pixel further up and down than the rectangle.
std::optional<QRect> TGDIPlusCanvas::CombineClip(QPainter& painter, const TCanvasShape& shape,
                                                 bool exclude) {
    const TRect& r = shape.Bounds;
    QPainterPath path;
    if (shape.Kind == skRectangle) {
        path.addRect(QRectF(r.Left, r.Top - 1, r.Width(), r.Height() + 2));
    } else {
        path = ShapePath(shape, QRectF(r.Left + 0.5, r.Top + 0.5, r.Width(), r.Height()));
    }
    if (exclude) {
        QPainterPath everything;
        everything.addRect(-65536, -65536, 131072, 131072);
        path = everything.subtracted(path);
    }
    painter.setClipPath(path, Qt::IntersectClip);
    const QRect clipped(r.Left, r.Top - 1, r.Width(), r.Height() + 2);
    if (shape.Kind != skRectangle || exclude || clipped.isEmpty()) return std::nullopt;
    return clipped;
}

}  // namespace twinscope
