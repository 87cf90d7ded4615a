#include "twinscope/chart/canvas/ChartCanvas.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

// The system colours of a default desktop, by index, as 0x00BBGGRR.
constexpr std::array<TColor, 31> kSystemColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

TRect BoundsOf(std::span<const TPoint> points) {
    TRect r{points.front().X, points.front().Y, points.front().X, points.front().Y};
    for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X + 1);
        r.Bottom = std::max(r.Bottom, p.Y + 1);
    }
    return r;
}

// r widened by `by` on every side, saturated.
TRect Widened(const TRect& r, std::int64_t by) {
    return {SaturatedPixel(r.Left - by), SaturatedPixel(r.Top - by), SaturatedPixel(r.Right + by),
            SaturatedPixel(r.Bottom + by)};
}

TRect BoundsOf(TPoint a, TPoint b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y),
            SaturatedPixel(std::int64_t{std::max(a.X, b.X)} + 1),
            SaturatedPixel(std::int64_t{std::max(a.Y, b.Y)} + 1)};
}

std::int32_t ShadowExtra(const TShadowData& shadow, std::int32_t size) {
    return shadow.Visible ? std::abs(size) : 0;
}

}  // namespace

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color)) return color;
    std::uint32_t index = color & 0xFFFFFFu;
    return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
}

void TChartCanvas::AssignPen(const TChartPen& pen) {
    pen_ = pen.Data();
    if (!pen_.Visible) pen_.Style = psClear;
}

void TChartCanvas::SetPenFrom(const TChartPen& pen, TColor color) {
    if (!pen.Visible()) {
        pen_.Style = psClear;
        return;
    }
    pen_ = pen.Data();
    pen_.Color = monochrome_ ? clBlack : color;
    if (zoomPens_ && penZoom_ != 100) {
        pen_.Width = static_cast<std::int32_t>(Round(pen_.Width * penZoom_ / 100.0));
    }
}

void TChartCanvas::AssignBrush(const TChartBrush& brush, TColor color) {
    brush_ = brush.Data();
    brush_.Color = color;
    DoBrushAssigned();
}

double TChartCanvas::FontSizeInUse() const {
    if (zoomText_ && fontZoom_ != 100) return font_.SizeFloat * fontZoom_ / 100.0;
    return font_.SizeFloat;
}

void TChartCanvas::SetMonochrome(bool monochrome) {
    if (monochrome_ == monochrome) return;
    monochrome_ = monochrome;
    bufferStale_ = true;
}

void TChartCanvas::SetBuffered(bool buffered) {
    if (buffered_ == buffered) return;
    buffered_ = buffered;
    if (!buffered) bufferStale_ = true;
}

std::int32_t TChartCanvas::CheckBoxSize() const {
    return static_cast<std::int32_t>(Round(12 * checkBoxZoom_ / 100.0));
}

// A wide pen's square ends and mitred joins reach past the points by up to its width, smoothed
// edges by a pixel or two more; a rectangle given with its edges swapped is drawn as the one
// they span.
void TChartCanvas::NoteStroked(const TRect& bounds) {
    const TRect spanned{std::min(bounds.Left, bounds.Right), std::min(bounds.Top, bounds.Bottom),
                        std::max(bounds.Left, bounds.Right), std::max(bounds.Top, bounds.Bottom)};
    drawn_.Add(Widened(spanned, std::int64_t{std::max(pen_.Width, 1)} + 2));
}

// However the text is aligned and turned, its anchor lies on its box, so the box lies within
// its diagonal of the anchor; glyphs leaning out of the box (italics) within its height more.
void TChartCanvas::NoteText(std::int32_t x, std::int32_t y, const std::string& text) {
    const TSize extent = TextExtent(text);
    const std::int64_t reach = std::int64_t{extent.Width} + 2 * std::int64_t{extent.Height} + 2;
    drawn_.Add(Widened({x, y, x, y}, reach));
}

void TChartCanvas::LineTo(std::int32_t x, std::int32_t y) {
    if (following_) NoteStroked(BoundsOf(penPos_, {x, y}));
    DoLine(penPos_, {x, y});
    penPos_ = {x, y};
}

void TChartCanvas::Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    penPos_ = {x0, y0};
    LineTo(x1, y1);
}

void TChartCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    if (following_) NoteStroked(BoundsOf(points));
    DoPolyline(points);
}

void TChartCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    const TRect bounds = BoundsOf(points);
    if (following_) NoteStroked(bounds);
    DoShape({.Kind = skPolygon,
             .Bounds = bounds,
             .Points = std::vector<TPoint>(points.begin(), points.end())});
}

void TChartCanvas::Rectangle(const TRect& rect) {
    if (following_) NoteStroked(rect);
    DoShape({.Kind = skRectangle, .Bounds = rect});
}

void TChartCanvas::RoundRect(const TRect& rect, std::int32_t cornerWidth,
                             std::int32_t cornerHeight) {
    if (cornerWidth <= 0 && cornerHeight <= 0) {
        Rectangle(rect);
        return;
    }
    if (following_) NoteStroked(rect);
    DoShape({.Kind = skRoundRect, .Bounds = rect, .Corner = {cornerWidth, cornerHeight}});
}

void TChartCanvas::Ellipse(const TRect& rect) {
    if (following_) NoteStroked(rect);
    DoShape({.Kind = skEllipse, .Bounds = rect});
}

void TChartCanvas::Arc(const TRect& rect, TPoint start, TPoint end) {
    if (following_) NoteStroked(rect);
    DoArc(rect, start, end);
}

void TChartCanvas::FillRect(const TRect& rect) {
    if (brush_.Style == bsClear || rect.IsEmpty()) return;
    NoteDrawn(rect);
    DoFillRect(rect);
}

void TChartCanvas::GradientFill(const TRect& rect, const TGradientData& gradient) {
    if (!gradient.Visible || rect.IsEmpty()) return;
    NoteDrawn(rect);
    DoGradientFill(rect, gradient);
}

void TChartCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text, double angle) {
    while (angle > 360)
        angle -= 360;
    if (following_) NoteText(x, y, text);
    DoTextOut(x, y, text, angle);
}

TSize TChartCanvas::TextExtent(const std::string& text) {
    TSize extent;
    for (std::string_view line : SplitTextLines(text)) {
        TSize size = DoTextExtent(line);
        extent.Width = std::max(extent.Width, size.Width);
        extent.Height += size.Height;
    }
    extent.Width += ShadowExtra(font_.Shadow, font_.Shadow.HorizSize) +
                    ShadowExtra(font_.Emboss, font_.Emboss.HorizSize);
    extent.Height += ShadowExtra(font_.Shadow, font_.Shadow.VertSize) +
                     ShadowExtra(font_.Emboss, font_.Emboss.VertSize);
    return extent;
}

TMultiLineWidth TChartCanvas::MultiLineTextWidth(const std::string& text) {
    return {TextExtent(text).Width, static_cast<std::int32_t>(SplitTextLines(text).size())};
}

void TChartCanvas::ClipRectangle(const TRect& rect) {
    DoClip({.Kind = skRectangle, .Bounds = rect}, false);
}

void TChartCanvas::ClipRoundRectangle(const TRect& rect, std::int32_t cornerWidth,
                                      std::int32_t cornerHeight, bool exclude) {
    if (cornerWidth <= 0 && cornerHeight <= 0) {
        DoClip({.Kind = skRectangle, .Bounds = rect}, exclude);
        return;
    }
    DoClip({.Kind = skRoundRect, .Bounds = rect, .Corner = {cornerWidth, cornerHeight}}, exclude);
}

void TChartCanvas::ClipEllipse(const TRect& rect, bool exclude) {
    DoClip({.Kind = skEllipse, .Bounds = rect}, exclude);
}

void TChartCanvas::ClipPolygon(std::span<const TPoint> points, bool exclude) {
    if (points.empty()) return;
    DoClip({.Kind = skPolygon,
            .Bounds = BoundsOf(points),
            .Points = std::vector<TPoint>(points.begin(), points.end())},
           exclude);
}

void TChartCanvas::Unclip() {
    DoUnclip();
}

TTransparencyHandle TChartCanvas::BeginTransparency(const TRect& rect, std::int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    TTransparencyHandle handle;
    handle.previousLevel_ = transparencyLevel_;
    handle.percent_ = percent;
    handle.open_ = true;
    if (nativeTransparency_) {
        transparencyLevel_ =
            static_cast<std::int32_t>(Round(transparencyLevel_ * (100 - percent) / 100.0));
    } else {
        transparencyLevel_ = 100 - static_cast<std::int32_t>(
                                       Round((100 - transparencyLevel_) * (100 - percent) / 100.0));
        if (!rect.IsEmpty()) {
            NoteDrawn(rect);
            handle.blend_ = DoBeginBlend(rect, percent);
        }
    }
    return handle;
}

// Each section lays back its saved pixels at its own percent: the drawing of an inner section is
// then covered by the outer section's blend too, and shows at the compounded level.
void TChartCanvas::EndTransparency(TTransparencyHandle handle) {
    if (!handle.open_) return;
    if (handle.blend_) DoEndBlend(*handle.blend_, handle.percent_);
    transparencyLevel_ = handle.previousLevel_;
}

void TChartCanvas::UseNativeTransparency() {
    nativeTransparency_ = true;
    transparencyLevel_ = 255;
}

void TChartCanvas::SetZooms(std::int32_t pen, std::int32_t font, std::int32_t checkBox) {
    penZoom_ = pen;
    fontZoom_ = font;
    checkBoxZoom_ = checkBox;
}

std::unique_ptr<TCanvasBlend> TChartCanvas::DoBeginBlend(const TRect&, std::int32_t) {
    return nullptr;
}

void TChartCanvas::DoEndBlend(TCanvasBlend&, std::int32_t) {}

}  // namespace twinscope
