#include "twinscope/chart/shapes/TextShapeDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/shapes/Bevel.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

// A turned shape is laid out as if upright in its box, then turned about the box's centre,
// counter-clockwise on the screen, where y grows downwards.
class TTurn {
public:
    TTurn(const TRect& box, std::int32_t angle)
        : degrees_(((angle % 360) + 360) % 360),
          cosine_(std::cos(degrees_ * std::numbers::pi / 180)),
          sine_(std::sin(degrees_ * std::numbers::pi / 180)),
          cx_((static_cast<double>(box.Left) + box.Right) / 2),
          cy_((static_cast<double>(box.Top) + box.Bottom) / 2) {}

    std::int32_t Degrees() const { return degrees_; }
    bool Upright() const { return degrees_ == 0; }
    TPoint operator()(double x, double y) const {
        return TPoint{SaturatedPixel(Round(cx_ + (x - cx_) * cosine_ + (y - cy_) * sine_)),
                      SaturatedPixel(Round(cy_ - (x - cx_) * sine_ + (y - cy_) * cosine_))};
    }

private:
    std::int32_t degrees_;
    double cosine_;
    double sine_;
    double cx_;
    double cy_;
};

bool FrameShows(const TTextShape& shape) {
    return !shape.Transparent() && shape.Frame().Visible();
}

// The room the frame takes inside the box, on each side, before the text starts.
std::int32_t FrameInset(const TTextShape& shape) {
    return FrameShows(shape) ? shape.Frame().Width() / 2 + 1 : 0;
}

void DrawOutline(TChartCanvas& canvas, const TTextShape& shape, const TRect& rect) {
    switch (shape.ShapeStyle()) {
        case fosRectangle:
            canvas.Rectangle(rect);
            break;
        case fosRoundRectangle:
            canvas.RoundRect(rect, shape.RoundSize(), shape.RoundSize());
            break;
        case fosEllipse:
            canvas.Ellipse(rect);
            break;
    }
}

void DrawShadow(TChartCanvas& canvas, const TTextShape& shape, const TRect& box) {
    const TShadowData& shadow = shape.Shadow();
    if (!shadow.Visible || (shadow.HorizSize == 0 && shadow.VertSize == 0)) return;
    const TRect rect{box.Left + shadow.HorizSize, box.Top + shadow.VertSize,
                     box.Right + shadow.HorizSize, box.Bottom + shadow.VertSize};
    canvas.SetPenStyle(psClear);
    canvas.SetBrush(TBrushData{.Color = shadow.Color});
    if (shadow.Transparency == 0) {
        DrawOutline(canvas, shape, rect);
        return;
    }
    TTransparencyGuard blend(canvas, rect, shadow.Transparency);
    DrawOutline(canvas, shape, rect);
}

}  // namespace

std::vector<std::string> TextShapeLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') continue;
        if (c == '\r') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    if (lines.size() == 1 && lines.front().empty()) lines.front() = " ";
    return lines;
}

TSize TextShapeSize(TChartCanvas& canvas, const TTextShape& shape, std::string_view text) {
    canvas.SetFont(shape.Font());
    TSize size;
    for (const std::string& line : TextShapeLines(text)) {
        const TSize extent = canvas.TextExtent(line);
        size.Width = std::max(size.Width, extent.Width);
        size.Height += extent.Height;
    }
    if (shape.Transparent()) return size;
    if (shape.Frame().Visible()) {
        size.Width += shape.Frame().Width() + 1;
        size.Height += shape.Frame().Width() + 1;
    }
    const TShapeMargins& margins = shape.Margins();
    size.Width += margins.Left() + margins.Right();
    size.Height += margins.Top() + margins.Bottom();
    return size;
}

void DrawShapeBox(TChartCanvas& canvas, const TTextShape& shape, const TRect& box) {
    if (shape.Transparent()) {
        canvas.SetBrushStyle(bsClear);
        return;
    }
    DrawShadow(canvas, shape, box);
    canvas.AssignBrush(shape.Brush(), shape.Color());
    canvas.SetPenFrom(shape.Frame(), shape.Frame().Color());
    DrawOutline(canvas, shape, box);
    DrawBevel(canvas, box, shape.Bevel(), shape.BevelWidth());
}

namespace {
TRect TurnedBox(const TRect& box, const TTurn& turned) {
    if (turned.Upright()) return box;
    const TPoint corners[] = {turned(box.Left, box.Top), turned(box.Right, box.Top),
                              turned(box.Left, box.Bottom), turned(box.Right, box.Bottom)};
    TRect bounds{corners[0].X, corners[0].Y, corners[0].X, corners[0].Y};
    for (const TPoint& p : corners) {
        bounds = {std::min(bounds.Left, p.X), std::min(bounds.Top, p.Y),
                  std::max(bounds.Right, p.X), std::max(bounds.Bottom, p.Y)};
    }
    return bounds;
}
}  // namespace

TRect TurnedShapeBox(const TRect& box, std::int32_t angle) {
    return TurnedBox(box, TTurn(box, angle));
}

void DrawTextShape(TChartCanvas& canvas, const TTextShape& shape, const TRect& box,
                   std::string_view text, std::int32_t angle) {
    const TTurn turned(box, angle);
    DrawShapeBox(canvas, shape, TurnedBox(box, turned));
    canvas.SetFont(shape.Font());
    canvas.SetBackMode(cbmTransparent);

    const std::int32_t inset = FrameInset(shape);
    const bool withMargins = !shape.Transparent();
    const std::int32_t left = box.Left + inset + (withMargins ? shape.Margins().Left() : 0);
    const std::int32_t right = box.Right - inset - (withMargins ? shape.Margins().Right() : 0);
    std::int32_t x = left;
    TTextAlign horizontal = TA_LEFT;
    switch (shape.TextAlignment()) {
        case taLeftJustify:
            break;
        case taRightJustify:
            x = right;
            horizontal = TA_RIGHT;
            break;
        case taCenter:
            x = (left + right) / 2;
            horizontal = TA_CENTER;
            break;
    }
    canvas.SetTextAlign(horizontal | TA_TOP);

    std::int32_t y = box.Top + inset + (withMargins ? shape.Margins().Top() : 0);
    for (const std::string& line : TextShapeLines(text)) {
        if (turned.Upright()) {
            canvas.TextOut(x, y, line);
        } else {
            const TPoint at = turned(x, y);
            canvas.TextOut(at.X, at.Y, line, turned.Degrees());
        }
        y += canvas.TextHeight(line);
    }
}

}  // namespace twinscope
