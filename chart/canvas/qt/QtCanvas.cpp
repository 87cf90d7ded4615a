#include "twinscope/chart/canvas/qt/QtCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QPaintEngine>
#include <QRegion>

#include "twinscope/chart/canvas/qt/QtPaintTarget.h"

namespace twinscope {

namespace {

// Every coordinate a chart can produce lies inside.
QRect Everything() {
    return QRect(-65536, -65536, 131072, 131072);
}

}  // namespace

TQtCanvas::~TQtCanvas() {
    EndPainter();
}

QPainter* TQtCanvas::Painter() {
    if (!painter_ && !InFrame() && !buffer_.isNull()) {
        BeginPainter(buffer_);
        bufferTouched_ = true;
    }
    return painter_;
}

void TQtCanvas::BeginPainter(QImage& image) {
    bufferPainter_.begin(&image);
    painter_ = &bufferPainter_;
    ResetPainterState();
}

void TQtCanvas::EndPainter() {
    if (painter_ != &bufferPainter_) return;
    bufferPainter_.end();
    painter_ = nullptr;
}

void TQtCanvas::ResetPainterState() {
    smoothing_.reset();
    composition_.reset();
    clipStack_.clear();
    clipRect_ = painter_ && painter_->hasClipping() ? std::nullopt : std::optional(Everything());
}

void TQtCanvas::UseSmoothing(QPainter& painter, bool smooth) {
    if (smoothing_ == smooth) return;
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    smoothing_ = smooth;
}

void TQtCanvas::UseComposition(QPainter& painter, QPainter::CompositionMode mode) {
    if (composition_ == mode) return;
    painter.setCompositionMode(mode);
    composition_ = mode;
}

bool TQtCanvas::PenStrokes() const {
    return Pen().Visible && Pen().Style != psClear;
}

QPainter* TQtCanvas::PreparePainter() {
    QPainter* painter = Painter();
    if (painter) UseComposition(*painter, QPainter::CompositionMode_SourceOver);
    return painter;
}

QPainter* TQtCanvas::PrepareGdi(bool rasterOp) {
    QPainter* painter = Painter();
    if (!painter) return nullptr;
    UseSmoothing(*painter, false);
    UseComposition(*painter,
                   rasterOp ? gdi::Composition(Pen().Mode) : QPainter::CompositionMode_SourceOver);
    return painter;
}

const QFont& TQtCanvas::RealisedFont() {
    const double points = FontSizeInUse();
    TQtFontKey key{Font().Name, points, Font().Style, Font().InterCharSize,
                   TextRenderingFor(Font().Quality, textQuality_, points)};
    if (fontKey_ != key) {
        font_ = CreateFont(key);
        metrics_.emplace(font_);
        if (fontNumbers_.size() >= MaxMeasuredFonts && !fontNumbers_.contains(key))
            fontNumbers_.clear();
        const auto [number, added] = fontNumbers_.try_emplace(key, nextFontNumber_);
        if (added) ++nextFontNumber_;
        fontInUse_ = number->second;
        fontKey_ = std::move(key);
    }
    return font_;
}

// A chart measures each of its texts several times a paint, and its texts seldom change from
// one paint to the next, so the widths are kept per font, the ones measured longest ago
// giving way to new ones.
int TQtCanvas::TextAdvance(std::string_view line) {
    const QFontMetrics& metrics = RealisedMetrics();
    if (const int* found = widths_.Find(TMeasuredView{fontInUse_, line})) return *found;
    const int advance = metrics.horizontalAdvance(ToQString(line));
    TMeasured key{fontInUse_, std::string(line)};
    const std::size_t textBytes =
        key.Text.capacity() > std::string().capacity() ? key.Text.capacity() + 1 : 0;
    widths_.Add(std::move(key), advance, sizeof(TMeasured) + sizeof(int) + textBytes);
    return advance;
}

const QFontMetrics& TQtCanvas::RealisedMetrics() {
    RealisedFont();
    return *metrics_;
}

// The leaf decides the colours, the turn and the placement; the composition is the same.
void TQtCanvas::DoTextOut(std::int32_t x, std::int32_t y, const std::string& text, double angle) {
    QPainter* painter = PreparePainter();
    if (!painter) return;
    UseSmoothing(*painter, SmoothsText());
    const QFontMetrics& metrics = RealisedMetrics();
    const TFontData& font = Font();
    TQtText drawn;
    drawn.Text = ToQString(text);
    drawn.Font = RealisedFont();
    drawn.Anchor = QPointF(x, y);
    drawn.Rotation = (angle != 0 && angle != 360) ? TextTurn(angle) : 0;
    drawn.Box = QSizeF(TextAdvance(text), metrics.height());
    drawn.Ascent = metrics.ascent();
    drawn.TopLeft = TextTopLeft(drawn.Box.width(), drawn.Box.height(), drawn.Ascent);
    drawn.Color = ColorOf(font.Color);
    drawn.Background = TextBackground();
    if (font.Shadow.Visible) {
        drawn.ShadowColor = ShadowColorOf(font.Shadow);
        drawn.ShadowOffset = QPointF(font.Shadow.HorizSize, font.Shadow.VertSize);
    }
    if (font.Emboss.Visible) {
        drawn.EmbossColor = ShadowColorOf(font.Emboss);
        drawn.EmbossOffset = QPointF(font.Emboss.HorizSize, font.Emboss.VertSize);
    }
    if (font.OutLine.Visible && font.OutLine.Style != psClear) {
        drawn.OutLine = QPen(ColorOf(font.OutLine.Color), font.OutLine.Width);
    }
    DrawQtText(*painter, drawn, &shapedTexts_);
}

TSize TQtCanvas::DoTextExtent(std::string_view line) {
    const QFontMetrics& metrics = RealisedMetrics();
    return {TextAdvance(line), metrics.height()};
}

void TQtCanvas::DoClip(const TCanvasShape& shape, bool exclude) {
    QPainter* painter = Painter();
    if (!painter) return;
    clipStack_.push_back(
        {painter->hasClipping() ? std::optional(painter->clipPath()) : std::nullopt, clipRect_});
    const std::optional<QRect> rect = CombineClip(*painter, shape, exclude);
    clipRect_ = clipRect_ && rect ? std::optional(*clipRect_ & *rect) : std::nullopt;
}

// Clipping is removed with NoClip: after setClipping(false) Qt ignores the next clip set.
void TQtCanvas::DoUnclip() {
    QPainter* painter = Painter();
    if (!painter) return;
    TSavedClip saved{std::nullopt, Everything()};
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
void TQtCanvas::FillPixels(QPainter& painter, const QRect& rect, const QColor& color) {
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

QRect TQtCanvas::WritableArea(const QPainter& painter) {
    if (&painter != &bufferPainter_ || !clipRect_ ||
        painter.deviceTransform().type() != QTransform::TxNone) {
        return TPixelWriter::WritableArea(painter);
    }
    const QRect area = *clipRect_ & buffer_.rect();
    return area.isEmpty() ? QRect() : area.adjusted(-1, -1, 1, 1);
}

// Blending needs the pixels: it works on image surfaces (every buffered frame) and does
void TQtCanvas::DoBeginFrame(TPaintTarget& target, const TRect& bounds) {
    QPainter& targetPainter = QtPainter(target);
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
        bufferTouched_ = true;
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
        bufferTouched_ = true;
        return;
    }
    if (buffer_.size() != size || buffer_.devicePixelRatio() != ratio) {
        bufferTouched_ = true;
        buffer_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        // Too large a buffer is not allocated: the frame draws nothing.
        if (buffer_.isNull()) return;
        buffer_.setDevicePixelRatio(ratio);
        buffer_.fill(Qt::transparent);
    }
    BeginPainter(buffer_);
}

void TQtCanvas::DoEndFrame(TPaintTarget& target, const TRect& bounds) {
    if (externalPainter_) {
        painter_->restore();
        painter_ = nullptr;
        externalPainter_ = false;
        return;
    }
    EndPainter();
    if (Buffered() && !buffer_.isNull()) {
        CopyBuffer(QtTarget(target), QPoint(bounds.Left, bounds.Top));
    }
}

bool TQtCanvas::DoCopyBuffer(TPaintTarget& target) {
    if (buffer_.isNull()) return false;
    EndPainter();
    CopyBuffer(QtTarget(target), QPoint(0, 0));
    return true;
}

void TQtCanvas::CopyBuffer(const TQtPaintTarget& surface, QPoint at) {
    QPainter& target = surface.Painter();
    if (!target.isActive()) return;
    target.save();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal targetRatio = target.device()->devicePixelRatio();
    if (target.paintEngine()->type() == QPaintEngine::Raster && targetRatio == 1 &&
        buffer_.devicePixelRatio() == 1) {
        // Onto pixels, rectangle by rectangle of the exposed part: Qt copies a whole image
        // under a clip of many rectangles. And in bands of few rows: Qt hands a copy of more
        // rows to its pool of threads, whose waking costs more than a narrow copy.
        constexpr int BandRows = 64;
        const QRect frame(at, buffer_.size());
        const QRegion exposed =
            surface.Exposed().isEmpty() ? QRegion(frame) : surface.Exposed() & frame;
        for (const QRect& r : exposed) {
            for (int top = r.top(); top <= r.bottom(); top += BandRows) {
                const QRect band(r.left(), top, r.width(),
                                 std::min(BandRows, r.bottom() + 1 - top));
                target.drawImage(band.topLeft(), buffer_, band.translated(-at));
            }
        }
    } else if (buffer_.devicePixelRatio() == targetRatio) {
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

bool TQtCanvas::LayerFitsBuffer() const {
    return painter_ == &bufferPainter_ && clipStack_.empty() && !bufferPainter_.hasClipping() &&
           buffer_.format() == QImage::Format_ARGB32_Premultiplied;
}

// The pixels are copied byte for byte, under the painter and around it: laid back they are the
// very pixels drawn, and the painter's state stays what the canvas knows it to be.
bool TQtCanvas::DoKeepLayer() {
    if (!LayerFitsBuffer()) return false;
    if (layer_.Pixels.size() != buffer_.size() || layer_.Pixels.format() != buffer_.format() ||
        layer_.Pixels.bytesPerLine() != buffer_.bytesPerLine()) {
        layer_.Pixels = QImage(buffer_.size(), buffer_.format());
        if (layer_.Pixels.isNull()) return false;
    }
    std::memcpy(layer_.Pixels.bits(), buffer_.constBits(), buffer_.sizeInBytes());
    layer_.Pixels.setDevicePixelRatio(buffer_.devicePixelRatio());
    layer_.TextQuality = textQuality_;
    layer_.SmoothText = SmoothsText();
    layer_.Scale = BufferScale();
    return true;
}

TQtCanvas::TPixelSettings TQtCanvas::CurrentPixelSettings() const {
    return {textQuality_, SmoothsText(), BufferScale(), buffer_.devicePixelRatio(), buffer_.size()};
}

QRect TQtCanvas::BufferArea(const TRect& area) const {
    const double ratio = buffer_.devicePixelRatio();
    // Smoothed edges and wide pens reach a little past the shapes' rectangles.
    const int reach = static_cast<int>(std::ceil(2 * ratio));
    const QPoint topLeft(static_cast<int>(std::floor(area.Left * ratio)) - reach,
                         static_cast<int>(std::floor(area.Top * ratio)) - reach);
    const QPoint bottomRight(static_cast<int>(std::ceil(area.Right * ratio)) + reach,
                             static_cast<int>(std::ceil(area.Bottom * ratio)) + reach);
    return QRect(topLeft, bottomRight) & buffer_.rect();
}

namespace {

// Copies the rows of an area from one image to another of the same geometry. The rows are
// found from the first: asking the target for each row would check each time that it is not
// shared.
void CopyArea(const QImage& from, QImage& to, const QRect& area) {
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    const auto stride = static_cast<std::ptrdiff_t>(to.bytesPerLine());
    const std::ptrdiff_t start = area.top() * stride + area.left() * std::ptrdiff_t{sizeof(QRgb)};
    uchar* target = to.bits() + start;
    const uchar* source = from.constBits() + start;
    for (int y = area.top(); y <= area.bottom(); ++y, target += stride, source += stride)
        std::memcpy(target, source, bytes);
}

// The pixels of an area of an image, row after row.
std::vector<QRgb> PixelsOf(const QImage& image, const QRect& area) {
    std::vector<QRgb> pixels;
    pixels.reserve(static_cast<std::size_t>(area.width()) *
                   static_cast<std::size_t>(area.height()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y)) + area.left();
        pixels.insert(pixels.end(), row, row + area.width());
    }
    return pixels;
}

bool SamePixels(const QImage& image, const QRect& area, const std::vector<QRgb>& pixels) {
    const QRgb* kept = pixels.data();
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y, kept += area.width()) {
        if (std::memcmp(image.constScanLine(y) + area.left() * sizeof(QRgb), kept, bytes) != 0)
            return false;
    }
    return true;
}

void WritePixels(QImage& image, const QRect& area, const std::vector<QRgb>& pixels) {
    const QRgb* kept = pixels.data();
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y, kept += area.width())
        std::memcpy(image.scanLine(y) + area.left() * sizeof(QRgb), kept, bytes);
}

}  // namespace

bool TQtCanvas::DoRestoreLayer(bool whole, std::span<const TRect> within) {
    if (!LayerFitsBuffer() || layer_.Pixels.size() != buffer_.size() ||
        layer_.Pixels.bytesPerLine() != buffer_.bytesPerLine() ||
        layer_.Pixels.devicePixelRatio() != buffer_.devicePixelRatio() ||
        layer_.TextQuality != textQuality_ || layer_.SmoothText != SmoothsText() ||
        layer_.Scale != BufferScale()) {
        return false;
    }
    if (whole) {
        std::memcpy(buffer_.bits(), layer_.Pixels.constBits(), buffer_.sizeInBytes());
        return true;
    }
    // Where rectangles overlap their pixels are copied twice, the same each time: cheaper than
    // the union of a few dozen of them.
    for (const TRect& rect : within) {
        const QRect area = BufferArea(rect);
        if (!area.isEmpty()) CopyArea(layer_.Pixels, buffer_, area);
    }
    return true;
}

bool TQtCanvas::DoBeginPiece(const TRect& area) {
    if (!LayerFitsBuffer()) return false;
    piece_.Area = BufferArea(area);
    piece_.Settings = CurrentPixelSettings();
    piece_.Before = PixelsOf(buffer_, piece_.Area);
    piece_.After.clear();
    return true;
}

bool TQtCanvas::DoEndPiece() {
    if (!LayerFitsBuffer() || piece_.Settings != CurrentPixelSettings()) return false;
    piece_.After = PixelsOf(buffer_, piece_.Area);
    return true;
}

bool TQtCanvas::DoLayPieceBack() {
    if (!LayerFitsBuffer() || piece_.Settings != CurrentPixelSettings() ||
        piece_.After.size() != piece_.Before.size() ||
        !SamePixels(buffer_, piece_.Area, piece_.Before)) {
        return false;
    }
    WritePixels(buffer_, piece_.Area, piece_.After);
    return true;
}

}  // namespace twinscope
