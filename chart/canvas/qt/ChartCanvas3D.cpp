#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

#include <QPolygon>
#include <QRegion>

#include "twinscope/chart/canvas/qt/QtPaintTarget.h"

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

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// A one-pixel pen strokes pixel centres; a wider one is centred on the pixel centres too.
QPointF StrokePoint(TPoint p, bool wide) {
    return wide ? QPointF(p.X + 0.5, p.Y + 0.5) : QPointF(p.X, p.Y);
}

// The outline of a shape whose bounds exclude their right and bottom edge.
QRectF StrokeRect(const TRect& r, bool wide) {
    qreal shift = wide ? 0.5 : 0;
    return QRectF(r.Left + shift, r.Top + shift, r.Width() - 1, r.Height() - 1);
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

// The part of the surface that drawing can change: the painter's clip within the device, in
// logical pixels, widened by a pixel against rounding.
QRect WritableArea(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const qreal ratio = device->devicePixelRatio();
    QRectF area(0, 0, device->width() / ratio, device->height() / ratio);
    area = painter.worldTransform().inverted().mapRect(area);
    if (painter.hasClipping()) area &= painter.clipBoundingRect();
    return area.isEmpty() ? QRect() : area.toAlignedRect().adjusted(-1, -1, 1, 1);
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

qreal AngleTo(const TRect& r, TPoint p) {
    qreal cx = (r.Left + r.Right) / 2.0;
    qreal cy = (r.Top + r.Bottom) / 2.0;
    return std::atan2(-(p.Y - cy), p.X - cx) * 180 / std::numbers::pi;
}

QPainter::CompositionMode ModeOf(TPenMode mode) {
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

}  // namespace

TChartCanvas3D::TChartCanvas3D() = default;

TChartCanvas3D::~TChartCanvas3D() {
    EndPainter();
}

QPainter* TChartCanvas3D::Painter() {
    if (!painter_ && !InFrame() && !buffer_.isNull()) BeginPainter(buffer_);
    return painter_;
}

void TChartCanvas3D::BeginPainter(QImage& image) {
    bufferPainter_.begin(&image);
    painter_ = &bufferPainter_;
    ResetPainterState();
}

void TChartCanvas3D::EndPainter() {
    if (painter_ != &bufferPainter_) return;
    bufferPainter_.end();
    painter_ = nullptr;
}

void TChartCanvas3D::ResetPainterState() {
    smoothing_.reset();
    composition_.reset();
    clipStack_.clear();
    clipRect_ = painter_ && painter_->hasClipping() ? std::nullopt
                                                    : std::optional(Everything().boundingRect());
}

void TChartCanvas3D::UseSmoothing(QPainter& painter, bool smooth) {
    if (smoothing_ == smooth) return;
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    smoothing_ = smooth;
}

void TChartCanvas3D::UseComposition(QPainter& painter, QPainter::CompositionMode mode) {
    if (composition_ == mode) return;
    painter.setCompositionMode(mode);
    composition_ = mode;
}

bool TChartCanvas3D::PenStrokes() const {
    return Pen().Visible && Pen().Style != psClear;
}

QPainter* TChartCanvas3D::PrepareGdi(bool rasterOp) {
    QPainter* painter = Painter();
    if (!painter) return nullptr;
    UseSmoothing(*painter, false);
    UseComposition(*painter, rasterOp ? ModeOf(Pen().Mode) : QPainter::CompositionMode_SourceOver);
    return painter;
}

// Styled lines exist for one-pixel pens only; wider pens draw solid.
QPen TChartCanvas3D::GdiPen() const {
    const TPenData& data = Pen();
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

QBrush TChartCanvas3D::GdiBrush() const {
    const TBrushData& data = Brush();
    if (data.Gradient.Visible) {
        return GradientBrush(data.Gradient, OpaqueColor(data.Gradient.StartColor),
                             OpaqueColor(data.Gradient.EndColor));
    }
    return QBrush(OpaqueColor(data.Color), HatchPattern(data.Style));
}

void TChartCanvas3D::UseBackground(QPainter& painter) {
    painter.setBackgroundMode(BackMode() == cbmOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(OpaqueColor(BackColor()));
}

namespace {
bool SimpleLine(const TPenData& pen) {
    return pen.Width <= 1 && !pen.SmallDots && (pen.Style == psSolid || pen.Style == psInsideFrame);
}
}  // namespace

TChartCanvas::TColumnLines TChartCanvas3D::ColumnLines() const {
    const bool written = PenStrokes() && SimpleLine(Pen()) && Pen().Mode == pmCopy;
    return written ? TColumnLines::Exact : TColumnLines::None;
}

// The pixels of a one-pixel line from a up to, not including, b, written as runs along the
// line's major axis (Bresenham). Only the steps whose pixels fall within the writable area on
// the major axis are walked, starting with the error term the whole walk has there, so a line
// reaching far outside the surface costs no more than its visible part and keeps its pixels.
void TChartCanvas3D::WriteLine(QPainter& painter, TPoint a, TPoint b, const QColor& color) {
    const std::int64_t dx = std::int64_t{b.X} - a.X;
    const std::int64_t dy = std::int64_t{b.Y} - a.Y;
    if (dx == 0 && dy == 0) return;
    const QRect area = WritableArea(painter);
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
        FillPixels(painter,
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

void TChartCanvas3D::DoLine(TPoint from, TPoint to) {
    if (!PenStrokes()) return;
    QPainter* painter = PrepareGdi(true);
    if (!painter) return;
    if (SimpleLine(Pen())) {
        WriteLine(*painter, from, to, OpaqueColor(Pen().Color));
        return;
    }
    const bool wide = Pen().Width > 1;
    UseBackground(*painter);
    painter->setPen(GdiPen());
    painter->drawLine(StrokePoint(from, wide), StrokePoint(to, wide));
}

void TChartCanvas3D::DoPolyline(std::span<const TPoint> points) {
    if (!PenStrokes()) return;
    QPainter* painter = PrepareGdi(true);
    if (!painter) return;
    if (SimpleLine(Pen())) {
        const QColor color = OpaqueColor(Pen().Color);
        for (std::size_t i = 1; i < points.size(); ++i) {
            WriteLine(*painter, points[i - 1], points[i], color);
        }
        return;
    }
    const bool wide = Pen().Width > 1;
    UseBackground(*painter);
    painter->setPen(GdiPen());
    if (wide) {
        // The general stroker is very slow on wide polylines; separate segments are not.
        QList<QLineF> segments;
        for (std::size_t i = 1; i < points.size(); ++i) {
            segments << QLineF(StrokePoint(points[i - 1], true), StrokePoint(points[i], true));
        }
        painter->drawLines(segments);
        return;
    }
    QPolygon polyline;
    for (const TPoint& p : points)
        polyline << QPoint(p.X, p.Y);
    painter->drawPolyline(polyline);
}

void TChartCanvas3D::DoShape(const TCanvasShape& shape) {
    QPainter* painter = PrepareGdi(true);
    if (!painter) return;
    const bool stroke = PenStrokes();
    const bool fill = Brush().Style != bsClear;
    const bool wide = stroke && Pen().Width > 1;
    const TRect& r = shape.Bounds;
    UseBackground(*painter);
    const QBrush brush = fill ? GdiBrush() : QBrush(Qt::NoBrush);

    if (shape.Kind == skRectangle) {
        if (r.IsEmpty()) return;
        painter->setPen(Qt::NoPen);
        painter->setBrush(brush);
        if (!stroke) {
            if (fill) painter->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
            return;
        }
        const int inset = (std::max(Pen().Width, 1) + 1) / 2;
        const QRect inner(r.Left + inset, r.Top + inset, r.Width() - 2 * inset,
                          r.Height() - 2 * inset);
        if (fill && inner.isValid()) painter->drawRect(inner);
        if (SimpleLine(Pen())) {
            WriteFrame(*painter, r, OpaqueColor(Pen().Color));
            return;
        }
        painter->setPen(GdiPen());
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(StrokeRect(r, wide));
        return;
    }

    painter->setPen(stroke ? GdiPen() : QPen(Qt::NoPen));
    painter->setBrush(brush);
    switch (shape.Kind) {
        case skEllipse:
            painter->drawEllipse(StrokeRect(r, wide));
            break;
        case skRoundRect:
            painter->drawRoundedRect(StrokeRect(r, wide), shape.Corner.Width / 2.0,
                                     shape.Corner.Height / 2.0);
            break;
        case skPolygon: {
            QPolygonF polygon;
            for (const TPoint& p : shape.Points)
                polygon << StrokePoint(p, wide);
            painter->drawPolygon(polygon, Qt::OddEvenFill);
            break;
        }
        case skRectangle:
            break;
    }
}

void TChartCanvas3D::DoArc(const TRect& rect, TPoint start, TPoint end) {
    if (!PenStrokes() || rect.IsEmpty()) return;
    QPainter* painter = PrepareGdi(true);
    if (!painter) return;
    const qreal from = AngleTo(rect, start);
    qreal span = AngleTo(rect, end) - from;
    if (span <= 0) span += 360;
    UseBackground(*painter);
    painter->setPen(GdiPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawArc(StrokeRect(rect, Pen().Width > 1), static_cast<int>(std::lround(from * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void TChartCanvas3D::DoFillRect(const TRect& rect) {
    QPainter* painter = PrepareGdi(false);
    if (!painter) return;
    const QRect area = ToQRect(rect);
    const bool hatched = Brush().Style != bsSolid && !Brush().Gradient.Visible;
    if (hatched && BackMode() == cbmOpaque) painter->fillRect(area, OpaqueColor(BackColor()));
    painter->fillRect(area, GdiBrush());
}

void TChartCanvas3D::DoGradientFill(const TRect& rect, const TGradientData& gradient) {
    QPainter* painter = PrepareGdi(false);
    if (!painter) return;
    painter->fillRect(ToQRect(rect), GradientBrush(gradient, OpaqueColor(gradient.StartColor),
                                                   OpaqueColor(gradient.EndColor)));
}

const QFont& TChartCanvas3D::RealisedFont() {
    const double points = FontSizeInUse();
    TQtFontKey key{Font().Name, points, Font().Style, Font().InterCharSize,
                   TextRenderingFor(Font().Quality, textQuality_, points)};
    if (fontKey_ != key) {
        font_ = CreateFont(key);
        metrics_.emplace(font_);
        // A chart uses a handful of fonts; a store of many more is dropped whole.
        if (advances_.size() >= MaxMeasuredFonts) advances_.clear();
        advancesInUse_ = &advances_[key];
        fontKey_ = std::move(key);
    }
    return font_;
}

// A chart measures each of its texts several times a paint, and its texts seldom change from
// one paint to the next, so the widths are kept per font. A font's store of widths starts
// afresh when it grows past what a chart shows at once.
int TChartCanvas3D::TextAdvance(std::string_view line) {
    const QFontMetrics& metrics = RealisedMetrics();
    const auto found = advancesInUse_->find(line);
    if (found != advancesInUse_->end()) return found->second;
    if (advancesInUse_->size() >= MaxMeasuredTexts) advancesInUse_->clear();
    const int advance = metrics.horizontalAdvance(ToQString(line));
    advancesInUse_->emplace(line, advance);
    return advance;
}

const QFontMetrics& TChartCanvas3D::RealisedMetrics() {
    RealisedFont();
    return *metrics_;
}

QPointF TChartCanvas3D::GdiTextOffset(qreal width, qreal height, qreal ascent) const {
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

void TChartCanvas3D::DoTextOut(std::int32_t x, std::int32_t y, const std::string& text,
                               double angle) {
    QPainter* painter = PrepareGdi(false);
    if (!painter) return;
    const QFontMetrics& metrics = RealisedMetrics();
    const TFontData& font = Font();
    TQtText drawn;
    drawn.Text = ToQString(text);
    drawn.Font = RealisedFont();
    drawn.Anchor = QPointF(x, y);
    drawn.Rotation = (angle != 0 && angle != 360) ? -angle : 0;
    drawn.Box = QSizeF(TextAdvance(text), metrics.height());
    drawn.Ascent = metrics.ascent();
    drawn.TopLeft = GdiTextOffset(drawn.Box.width(), drawn.Box.height(), drawn.Ascent);
    drawn.Color = OpaqueColor(font.Color);
    if (BackMode() == cbmOpaque) drawn.Background = QBrush(OpaqueColor(BackColor()));
    if (font.Shadow.Visible) {
        drawn.ShadowColor = OpaqueColor(font.Shadow.Color);
        drawn.ShadowOffset = QPointF(font.Shadow.HorizSize, font.Shadow.VertSize);
    }
    if (font.Emboss.Visible) {
        drawn.EmbossColor = OpaqueColor(font.Emboss.Color);
        drawn.EmbossOffset = QPointF(font.Emboss.HorizSize, font.Emboss.VertSize);
    }
    if (font.OutLine.Visible && font.OutLine.Style != psClear) {
        drawn.OutLine = QPen(OpaqueColor(font.OutLine.Color), font.OutLine.Width);
    }
    DrawQtText(*painter, drawn);
}

TSize TChartCanvas3D::DoTextExtent(std::string_view line) {
    const QFontMetrics& metrics = RealisedMetrics();
    return {TextAdvance(line), metrics.height()};
}

void TChartCanvas3D::DoClip(const TCanvasShape& shape, bool exclude) {
    QPainter* painter = Painter();
    if (!painter) return;
    clipStack_.push_back(
        {painter->hasClipping() ? std::optional(painter->clipPath()) : std::nullopt, clipRect_});
    const std::optional<QRect> rect = CombineClip(*painter, shape, exclude);
    clipRect_ = clipRect_ && rect ? std::optional(*clipRect_ & *rect) : std::nullopt;
}

std::optional<QRect> TChartCanvas3D::CombineClip(QPainter& painter, const TCanvasShape& shape,
                                                 bool exclude) {
    QRegion region = ShapeRegion(shape);
    if (exclude) region = Everything().subtracted(region);
    painter.setClipRegion(region, Qt::IntersectClip);
    if (shape.Kind != skRectangle || exclude) return std::nullopt;
    return region.isEmpty() ? QRect() : region.boundingRect();
}

// Clipping is removed with NoClip: after setClipping(false) Qt ignores the next clip set.
void TChartCanvas3D::DoUnclip() {
    QPainter* painter = Painter();
    if (!painter) return;
    TSavedClip saved{std::nullopt, Everything().boundingRect()};
    if (!clipStack_.empty()) {
        saved = std::move(clipStack_.back());
        clipStack_.pop_back();
    }
    if (saved.Path) {
        painter->setClipPath(*saved.Path);
    } else {
        painter->setClipRect(QRect(), Qt::NoClip);
    }
    clipRect_ = saved.Rect;
}

// Writing the pixels directly needs the canvas's own unscaled buffer, with the painter's clip
// known to be one rectangle and the colour replacing what lies beneath.
void TChartCanvas3D::FillPixels(QPainter& painter, const QRect& rect, const QColor& color) {
    const bool direct = &painter == &bufferPainter_ && clipRect_ && color.alpha() == 255 &&
                        painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
                        painter.deviceTransform().type() == QTransform::TxNone &&
                        buffer_.format() == QImage::Format_ARGB32_Premultiplied;
    if (!direct) {
        painter.fillRect(rect, color);
        return;
    }
    const QRect area = rect & *clipRect_ & buffer_.rect();
    if (area.isEmpty()) return;
    const QRgb pixel = color.rgba();
    const auto stride = static_cast<std::ptrdiff_t>(buffer_.bytesPerLine() / sizeof(QRgb));
    QRgb* row = reinterpret_cast<QRgb*>(buffer_.bits()) + area.top() * stride + area.left();
    for (int y = area.top(); y <= area.bottom(); ++y, row += stride)
        std::fill_n(row, area.width(), pixel);
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
    const int keep = percent;
    const int drawn = 100 - percent;
    for (int y = 0; y < mixed.height(); ++y) {
        const auto* under = reinterpret_cast<const QRgb*>(blend.Saved.constScanLine(y));
        auto* over = reinterpret_cast<QRgb*>(mixed.scanLine(y));
        for (int x = 0; x < mixed.width(); ++x) {
            auto mix = [&](int shift) {
                int u = (under[x] >> shift) & 0xFF;
                int o = (over[x] >> shift) & 0xFF;
                return static_cast<QRgb>((u * keep + o * drawn + 50) / 100) << shift;
            };
            over[x] = mix(24) | mix(16) | mix(8) | mix(0);
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

void TChartCanvas3D::DoBeginFrame(TPaintTarget& target, const TRect& bounds) {
    QPainter& targetPainter = QtTarget(target).Painter();
    EndPainter();
    // A frame that was never ended leaves its painter to its owner.
    if (externalPainter_) {
        painter_ = nullptr;
        externalPainter_ = false;
    }
    // A target that cannot be painted on (its buffer could not be allocated, say) gets a frame
    // that draws nothing.
    if (!targetPainter.isActive()) {
        buffer_ = QImage();
        return;
    }
    if (!Buffered()) {
        painter_ = &targetPainter;
        externalPainter_ = true;
        targetPainter.save();
        ResetPainterState();
        return;
    }
    const qreal ratio = targetPainter.device()->devicePixelRatio() * BufferScale();
    const QSize size(static_cast<int>(std::ceil(bounds.Width() * ratio)),
                     static_cast<int>(std::ceil(bounds.Height() * ratio)));
    if (size.isEmpty()) {
        buffer_ = QImage();
        return;
    }
    if (buffer_.size() != size || buffer_.devicePixelRatio() != ratio) {
        buffer_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        // Too large a buffer is not allocated: the frame draws nothing.
        if (buffer_.isNull()) return;
        buffer_.setDevicePixelRatio(ratio);
        buffer_.fill(Qt::transparent);
    }
    BeginPainter(buffer_);
}

void TChartCanvas3D::DoEndFrame(TPaintTarget& target, const TRect& bounds) {
    if (externalPainter_) {
        painter_->restore();
        painter_ = nullptr;
        externalPainter_ = false;
        return;
    }
    EndPainter();
    if (Buffered() && !buffer_.isNull()) {
        CopyBuffer(QtTarget(target).Painter(), QPoint(bounds.Left, bounds.Top));
    }
}

bool TChartCanvas3D::DoCopyBuffer(TPaintTarget& target) {
    if (buffer_.isNull()) return false;
    EndPainter();
    CopyBuffer(QtTarget(target).Painter(), QPoint(0, 0));
    return true;
}

void TChartCanvas3D::CopyBuffer(QPainter& target, QPoint at) {
    if (!target.isActive()) return;
    target.save();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal targetRatio = target.device()->devicePixelRatio();
    if (buffer_.devicePixelRatio() == targetRatio) {
        target.drawImage(QPointF(at), buffer_);
    } else {
        // A finer buffer is averaged down to the target's pixels.
        const QSizeF logical = buffer_.deviceIndependentSize();
        QImage shrunk = buffer_.scaled((logical * targetRatio).toSize(), Qt::IgnoreAspectRatio,
                                       Qt::SmoothTransformation);
        shrunk.setDevicePixelRatio(targetRatio);
        target.drawImage(QPointF(at), shrunk);
    }
    target.restore();
}

}  // namespace twinscope
