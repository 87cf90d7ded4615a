#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include <QPolygon>
#include <QRegion>

namespace twinscope {

namespace {

// The pixels under a rectangle as they were when a transparency section began.
class TQtBlend : public TCanvasBlend {
public:
    const QPaintDevice* Device = nullptr;
    QRect DeviceRect;
    QImage Saved;
};

// Every coordinate a chart can produce lies inside.
QRegion Everything() {
    return QRegion(-65536, -65536, 131072, 131072);
}

QRegion ShapeRegion(const TCanvasShape& shape) {
    const TRect& r = shape.Bounds;
    switch (shape.Kind) {
        case skRectangle:
            return r.IsEmpty() ? QRegion() : QRegion(ToQRect(r));
        case skEllipse:
            return r.IsEmpty() ? QRegion() : QRegion(ToQRect(r), QRegion::Ellipse);
        case skRoundRect: {
            QPainterPath path;
            path.addRoundedRect(QRectF(ToQRect(r)), shape.Corner.Width / 2.0,
                                shape.Corner.Height / 2.0);
            return QRegion(path.toFillPolygon().toPolygon());
        }
        case skPolygon: {
            QPolygon polygon;
            for (const TPoint& p : shape.Points)
                polygon << QPoint(p.X, p.Y);
            return QRegion(polygon, Qt::OddEvenFill);
        }
    }
    return {};
}

}  // namespace

TChartCanvas::TColumnLines TChartCanvas3D::ColumnLines() const {
    const bool written = PenStrokes() && gdi::WritesPixels(Pen()) && Pen().Mode == pmCopy;
    return written ? TColumnLines::Exact : TColumnLines::None;
}

void TChartCanvas3D::DoLine(TPoint from, TPoint to) {
    if (QPainter* painter = PrepareGdi(true)) gdi::Line(*painter, *this, GdiStyle(), from, to);
}

void TChartCanvas3D::DoPolyline(std::span<const TPoint> points) {
    if (QPainter* painter = PrepareGdi(true)) gdi::Polyline(*painter, *this, GdiStyle(), points);
}

void TChartCanvas3D::DoShape(const TCanvasShape& shape) {
    if (QPainter* painter = PrepareGdi(true)) gdi::Shape(*painter, GdiStyle(), shape);
}

void TChartCanvas3D::DoArc(const TRect& rect, TPoint start, TPoint end) {
    if (QPainter* painter = PrepareGdi(true)) gdi::Arc(*painter, GdiStyle(), rect, start, end);
}

void TChartCanvas3D::DoFillRect(const TRect& rect) {
    if (QPainter* painter = PrepareGdi(false)) gdi::FillRect(*painter, GdiStyle(), rect);
}

void TChartCanvas3D::DoGradientFill(const TRect& rect, const TGradientData& gradient) {
    if (QPainter* painter = PrepareGdi(false)) gdi::GradientFill(*painter, rect, gradient);
}

QPointF TChartCanvas3D::TextTopLeft(qreal width, qreal height, qreal ascent) const {
    QPointF offset;
    switch (TextAlign() & TA_HORIZONTAL) {
        case TA_RIGHT:
            offset.setX(-width);
            break;
        case TA_CENTER:
            offset.setX(-std::floor(width / 2));
            break;
    }
    switch (TextAlign() & TA_VERTICAL) {
        case TA_BOTTOM:
            offset.setY(-height);
            break;
        case TA_BASELINE:
            offset.setY(-ascent);
            break;
    }
    return offset;
}

std::optional<QBrush> TChartCanvas3D::TextBackground() const {
    if (BackMode() != cbmOpaque) return std::nullopt;
    return QBrush(OpaqueColor(BackColor()));
}

std::optional<QRect> TChartCanvas3D::CombineClip(QPainter& painter, const TCanvasShape& shape,
                                                 bool exclude) {
    QRegion region = ShapeRegion(shape);
    if (exclude) region = Everything().subtracted(region);
    // Once clipping was turned off, Qt intersects a region with an empty clip: without a clip
    // the region replaces it.
    painter.setClipRegion(region, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (shape.Kind != skRectangle || exclude) return std::nullopt;
    return region.isEmpty() ? QRect() : region.boundingRect();
}

// Blending needs the pixels: it works on image surfaces (every buffered frame) and does
// nothing on others.
std::unique_ptr<TCanvasBlend> TChartCanvas3D::DoBeginBlend(const TRect& rect, std::int32_t) {
    QPainter* painter = Painter();
    if (!painter || painter->device()->devType() != QInternal::Image) return nullptr;
    const auto* image = static_cast<const QImage*>(painter->device());
    const qreal ratio = image->devicePixelRatio();
    const QTransform toDevice = painter->worldTransform() * QTransform::fromScale(ratio, ratio);
    const QRect area =
        toDevice.mapRect(QRectF(ToQRect(rect))).toAlignedRect().intersected(image->rect());
    if (area.isEmpty()) return nullptr;
    auto blend = std::make_unique<TQtBlend>();
    blend->Device = image;
    blend->DeviceRect = area;
    blend->Saved = image->copy(area);
    return blend;
}

void TChartCanvas3D::DoEndBlend(TCanvasBlend& saved, std::int32_t percent) {
    auto& blend = static_cast<TQtBlend&>(saved);
    QPainter* painter = Painter();
    if (!painter || painter->device() != blend.Device) return;
    const auto* image = static_cast<const QImage*>(blend.Device);
    if (!image->rect().contains(blend.DeviceRect)) return;
    QImage mixed = image->copy(blend.DeviceRect);
    // Each byte of a pixel is a channel mixed on its own, so a row is mixed byte by byte; the
    // sums stay below 2^16, which lets the compiler mix many bytes at once.
    const auto keep = static_cast<std::uint16_t>(percent);
    const auto drawn = static_cast<std::uint16_t>(100 - percent);
    const auto rowBytes = static_cast<std::size_t>(mixed.width()) * sizeof(QRgb);
    for (int y = 0; y < mixed.height(); ++y) {
        const std::uint8_t* under = blend.Saved.constScanLine(y);
        std::uint8_t* over = mixed.scanLine(y);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const auto sum = static_cast<std::uint16_t>(under[i] * keep + over[i] * drawn + 50);
            over[i] = static_cast<std::uint8_t>(sum / 100);
        }
    }
    const qreal ratio = image->devicePixelRatio();
    mixed.setDevicePixelRatio(ratio);
    painter->save();
    painter->resetTransform();
    painter->setClipRect(QRect(), Qt::NoClip);
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(QPointF(blend.DeviceRect.topLeft()) / ratio, mixed);
    painter->restore();
}

}  // namespace twinscope
