#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/chart/canvas/ChartBrush.h"
#include "twinscope/chart/canvas/ChartFont.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/chart/canvas/DrawnArea.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// Text alignment flags, one horizontal value combined with one vertical value.
using TTextAlign = std::uint32_t;
inline constexpr TTextAlign TA_LEFT = 0;
inline constexpr TTextAlign TA_RIGHT = 2;
inline constexpr TTextAlign TA_CENTER = 6;
inline constexpr TTextAlign TA_TOP = 0;
inline constexpr TTextAlign TA_BOTTOM = 8;
inline constexpr TTextAlign TA_BASELINE = 24;
inline constexpr TTextAlign TA_HORIZONTAL = 6;
inline constexpr TTextAlign TA_VERTICAL = 24;

// Whether hatches and text fill their background with the back colour.
enum class TCanvasBackMode : std::uint8_t { cbmTransparent, cbmOpaque };
using enum TCanvasBackMode;

struct TWINSCOPE_EXPORT TSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TWINSCOPE_EXPORT TMultiLineWidth {
    std::int32_t Width = 0;
    std::int32_t Lines = 0;
    friend bool operator==(const TMultiLineWidth&, const TMultiLineWidth&) = default;
};

enum class TShapeKind : std::uint8_t { skRectangle, skRoundRect, skEllipse, skPolygon };
using enum TShapeKind;

// A closed shape, drawn (filled with the brush, outlined with the pen) or clipped to. Bounds
// exclude their right and bottom edge; Corner is the width and height of a round rectangle's
// corner ellipse; Points are a polygon's vertices.
struct TWINSCOPE_EXPORT TCanvasShape {
    TShapeKind Kind = skRectangle;
    TRect Bounds;
    TSize Corner;
    std::vector<TPoint> Points;
    friend bool operator==(const TCanvasShape&, const TCanvasShape&) = default;
};

// The lines of a text: line feeds, carriage returns and CR LF pairs separate them. An empty
// text is one empty line.
TWINSCOPE_EXPORT std::vector<std::string_view> SplitTextLines(std::string_view text);

// A colour ready for drawing: system colours (high byte 0xFF) become their fixed RGB values,
// other colours pass unchanged.
TWINSCOPE_EXPORT TColor ColorToRGB(TColor color);

// What a backend keeps between BeginTransparency and EndTransparency.
class TWINSCOPE_EXPORT TCanvasBlend {
public:
    virtual ~TCanvasBlend() = default;
};

// The open section of a BeginTransparency; EndTransparency takes it back.
class TWINSCOPE_EXPORT TTransparencyHandle {
public:
    TTransparencyHandle() = default;

private:
    friend class TChartCanvas;
    std::unique_ptr<TCanvasBlend> blend_;
    std::int32_t previousLevel_ = 0;
    std::int32_t percent_ = 0;
    bool open_ = false;
};

// The drawing surface of a chart. Public operations are plain functions over a few protected
// primitives that each backend implements; all coordinates are integer pixels.
class TWINSCOPE_EXPORT TChartCanvas {
public:
    TChartCanvas() = default;
    virtual ~TChartCanvas() = default;
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;

    // Pen, brush and font in force.
    const TPenData& Pen() const { return pen_; }
    void SetPen(const TPenData& pen) { pen_ = pen; }
    void SetPenColor(TColor color) { pen_.Color = color; }
    void SetPenWidth(std::int32_t width) { pen_.Width = width; }
    void SetPenStyle(TPenStyle style) { pen_.Style = style; }
    void SetPenMode(TPenMode mode) { pen_.Mode = mode; }
    // Takes the pen's settings; a hidden pen strokes nothing.
    void AssignPen(const TChartPen& pen);
    // Takes a visible pen's settings in the given colour (black when monochrome), its width
    // scaled by the pen zoom; a hidden pen only makes the canvas pen stroke nothing.
    void SetPenFrom(const TChartPen& pen, TColor color);

    const TBrushData& Brush() const { return brush_; }
    void SetBrush(const TBrushData& brush) { brush_ = brush; }
    void SetBrushColor(TColor color) { brush_.Color = color; }
    void SetBrushStyle(TBrushStyle style) { brush_.Style = style; }
    // Takes the brush's settings in the given colour.
    void AssignBrush(const TChartBrush& brush, TColor color);

    const TFontData& Font() const { return font_; }
    void SetFont(const TFontData& font) { font_ = font; }
    void SetFont(const TChartFont& font) { font_ = font.Data(); }
    // The size text is drawn and measured in: the font size, scaled by the font zoom when text
    // zooming is on.
    double FontSizeInUse() const;

    TCanvasBackMode BackMode() const { return backMode_; }
    void SetBackMode(TCanvasBackMode mode) { backMode_ = mode; }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color) { backColor_ = color; }
    TTextAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TTextAlign align) { textAlign_ = align; }

    // How a line series may draw many points that share a pixel column in the current pen: as
    // one vertical line over the pixels they reach instead of a segment per point. `Exact`: lines
    // stop before their last pixel and are written pixel by pixel in one opaque colour, so the
    // picture stays the same; `Approximate`: the picture changes a little (anti-aliasing).
    enum class TColumnLines : std::uint8_t { None, Exact, Approximate };
    virtual TColumnLines ColumnLines() const { return TColumnLines::None; }

    bool IsMonochrome() const { return monochrome_; }
    void SetMonochrome(bool monochrome);
    bool Buffered() const { return buffered_; }
    void SetBuffered(bool buffered);
    bool ZoomPens() const { return zoomPens_; }
    void SetZoomPens(bool zoom) { zoomPens_ = zoom; }
    bool ZoomText() const { return zoomText_; }
    void SetZoomText(bool zoom) { zoomText_ = zoom; }
    std::int32_t PenZoom() const { return penZoom_; }
    std::int32_t FontZoom() const { return fontZoom_; }
    std::int32_t CheckBoxZoom() const { return checkBoxZoom_; }
    // 12 pixels at the check-box zoom.
    std::int32_t CheckBoxSize() const;

    // The rectangle of the current painting frame.
    const TRect& Bounds() const { return bounds_; }
    TPoint PenPos() const { return penPos_; }

    // Lines: a line covers its first point and stops before its last, as on GDI.
    void MoveTo(std::int32_t x, std::int32_t y) { penPos_ = {x, y}; }
    void LineTo(std::int32_t x, std::int32_t y);
    void Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
    void HorizLine(std::int32_t x0, std::int32_t x1, std::int32_t y) { Line(x0, y, x1, y); }
    void VertLine(std::int32_t x, std::int32_t y0, std::int32_t y1) { Line(x, y0, x, y1); }
    void Polyline(std::span<const TPoint> points);

    // Shapes are filled with the brush (unless clear) and outlined with the pen (unless clear).
    void Polygon(std::span<const TPoint> points);
    void Rectangle(const TRect& rect);
    void RoundRect(const TRect& rect, std::int32_t cornerWidth, std::int32_t cornerHeight);
    void Ellipse(const TRect& rect);
    // The arc of the ellipse inscribed in rect, counter-clockwise from the ray through start to
    // the ray through end.
    void Arc(const TRect& rect, TPoint start, TPoint end);
    // Fills with the brush only; nothing for a clear brush.
    void FillRect(const TRect& rect);
    // Fills with a two-colour gradient; nothing when the gradient is hidden.
    void GradientFill(const TRect& rect, const TGradientData& gradient);

    // Draws text at (x, y) under the text alignment, turned counter-clockwise by angle degrees.
    void TextOut(std::int32_t x, std::int32_t y, const std::string& text, double angle = 0);
    // Measures text in the current font: the widest line by the sum of the line heights, plus
    // the offsets of the font's visible shadow and emboss.
    TSize TextExtent(const std::string& text);
    std::int32_t TextWidth(const std::string& text) { return TextExtent(text).Width; }
    std::int32_t TextHeight(const std::string& text) { return TextExtent(text).Height; }
    std::int32_t FontHeight() { return TextHeight("W"); }
    TMultiLineWidth MultiLineTextWidth(const std::string& text);

    // Clipping. Every clip call saves the clip in force; Unclip restores the one saved by the
    // matching call, or removes clipping when nothing is saved.
    void ClipRectangle(const TRect& rect);
    void ClipRoundRectangle(const TRect& rect, std::int32_t cornerWidth, std::int32_t cornerHeight,
                            bool exclude = false);
    void ClipEllipse(const TRect& rect, bool exclude = false);
    void ClipPolygon(std::span<const TPoint> points, bool exclude = false);
    void Unclip();

    // Everything drawn until the matching EndTransparency shows `percent` % of what lies
    // beneath. Sections nest.
    [[nodiscard]] TTransparencyHandle BeginTransparency(const TRect& rect, std::int32_t percent);
    void EndTransparency(TTransparencyHandle handle);
    // The transparency in force: a percent (0 opaque) on a blending canvas, the alpha
    // (255 opaque) on a canvas with native transparency.
    std::int32_t TransparencyLevel() const { return transparencyLevel_; }
    bool NativeTransparency() const { return nativeTransparency_; }

protected:
    // Backends with alpha drawing call this at construction.
    void UseNativeTransparency();
    void SetBounds(const TRect& bounds) { bounds_ = bounds; }
    void SetZooms(std::int32_t pen, std::int32_t font, std::int32_t checkBox);
    void ResetPenPos() { penPos_ = {}; }
    bool BufferStale() const { return bufferStale_; }
    void SetBufferStale(bool stale) { bufferStale_ = stale; }
    // While the canvas follows its drawing, each drawing operation adds to Drawn() a rectangle
    // that holds every pixel it may write in the frame: a shape's bounds widened by the pen, a
    // text's extent turned any way around its anchor. Following anew starts from nothing.
    void FollowDrawing(bool follow) {
        following_ = follow;
        drawn_.Clear(follow ? bounds_ : TRect{});
    }
    const TDrawnArea& Drawn() const { return drawn_; }
    // Adds an area drawn by other means than the operations above.
    void NoteDrawn(const TRect& area) {
        if (following_) drawn_.Add(area);
    }

    virtual void DoLine(TPoint from, TPoint to) = 0;
    virtual void DoPolyline(std::span<const TPoint> points) = 0;
    virtual void DoShape(const TCanvasShape& shape) = 0;
    virtual void DoArc(const TRect& rect, TPoint start, TPoint end) = 0;
    virtual void DoFillRect(const TRect& rect) = 0;
    virtual void DoGradientFill(const TRect& rect, const TGradientData& gradient) = 0;
    // Angle is already within 0..360.
    virtual void DoTextOut(std::int32_t x, std::int32_t y, const std::string& text,
                           double angle) = 0;
    // The extent of one line without shadow or emboss.
    virtual TSize DoTextExtent(std::string_view line) = 0;
    virtual void DoClip(const TCanvasShape& shape, bool exclude) = 0;
    virtual void DoUnclip() = 0;
    // A blending backend saves what lies under rect and lays it back at percent %; the default
    // does nothing.
    virtual std::unique_ptr<TCanvasBlend> DoBeginBlend(const TRect& rect, std::int32_t percent);
    virtual void DoEndBlend(TCanvasBlend& blend, std::int32_t percent);
    // Called after AssignBrush, for backends whose back mode follows the brush.
    virtual void DoBrushAssigned() {}

private:
    // Where a stroke over `bounds` may write, with the pen's width, joins and smoothed edges.
    void NoteStroked(const TRect& bounds);
    void NoteText(std::int32_t x, std::int32_t y, const std::string& text);

    TDrawnArea drawn_;
    bool following_ = false;
    TPenData pen_;
    TBrushData brush_;
    TFontData font_;
    TCanvasBackMode backMode_ = cbmOpaque;
    TColor backColor_ = clWhite;
    TTextAlign textAlign_ = TA_LEFT | TA_TOP;
    TPoint penPos_;
    TRect bounds_;
    bool monochrome_ = false;
    bool buffered_ = true;
    bool bufferStale_ = true;
    bool zoomPens_ = true;
    bool zoomText_ = true;
    bool nativeTransparency_ = false;
    std::int32_t penZoom_ = 100;
    std::int32_t fontZoom_ = 100;
    std::int32_t checkBoxZoom_ = 100;
    std::int32_t transparencyLevel_ = 0;
};

}  // namespace twinscope
