#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"

namespace twinscope {

// The aliased canvas, drawing as GDI does: rectangles and fills exclude their right and bottom
// edge, a one-pixel line stops before its last pixel, a shape without a pen is filled one pixel
// smaller, XOR pen modes combine with what lies beneath, and transparency saves the pixels
// under a rectangle and lays them back over the drawing.
//
// A buffered frame draws into an off-screen image of the frame's size at the target's
// device-pixel ratio (layout stays in logical pixels); an unbuffered one draws on the target's
// painter. Between frames, drawing goes to the buffer, which the next BufferStillValid shows.
class TChartCanvas3D : public TCanvas3D {
public:
    TChartCanvas3D();
    ~TChartCanvas3D() override;

    std::string ClassName() const override { return "TChartCanvas3D"; }
    std::string Description() const override { return "GDI"; }

    // One-pixel solid opaque pens go through the canvas's own pixel writer.
    TColumnLines ColumnLines() const override;

    // The quality of text whose font leaves it to the canvas.
    TFontQuality TextQuality() const { return textQuality_; }
    void SetTextQuality(TFontQuality quality) { textQuality_ = quality; }

    // The off-screen buffer in device pixels; null before the first buffered frame.
    const QImage& Buffer() const { return buffer_; }

protected:
    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoShape(const TCanvasShape& shape) override;
    void DoArc(const TRect& rect, TPoint start, TPoint end) override;
    void DoFillRect(const TRect& rect) override;
    void DoGradientFill(const TRect& rect, const TGradientData& gradient) override;
    void DoTextOut(std::int32_t x, std::int32_t y, const std::string& text, double angle) override;
    TSize DoTextExtent(std::string_view line) override;
    void DoClip(const TCanvasShape& shape, bool exclude) override;
    void DoUnclip() override;
    std::unique_ptr<TCanvasBlend> DoBeginBlend(const TRect& rect, std::int32_t percent) override;
    void DoEndBlend(TCanvasBlend& blend, std::int32_t percent) override;
    void DoBeginFrame(TPaintTarget& target, const TRect& bounds) override;
    void DoEndFrame(TPaintTarget& target, const TRect& bounds) override;
    bool DoCopyBuffer(TPaintTarget& target) override;

    // The painter of the surface drawn on, or null when there is none.
    QPainter* Painter();
    // How many buffer pixels a device pixel of the target gets.
    virtual double BufferScale() const { return 1; }
    // Anti-aliasing and composition are set on the painter only when they change.
    void UseSmoothing(QPainter& painter, bool smooth);
    void UseComposition(QPainter& painter, QPainter::CompositionMode mode);
    // True when the pen draws something.
    bool PenStrokes() const;
    // Combines the painter's clip with a shape (the clip in force is already saved). Returns
    // the whole-pixel rectangle it clipped to, when the shape clips as one.
    virtual std::optional<QRect> CombineClip(QPainter& painter, const TCanvasShape& shape,
                                             bool exclude);
    // Fills whole pixels with a colour, as the painter's fillRect does.
    void FillPixels(QPainter& painter, const QRect& rect, const QColor& color);

    // The current font, realised for the current size and text quality, and its metrics.
    const QFont& RealisedFont();
    const QFontMetrics& RealisedMetrics();
    // How far a line of text advances in the realised font.
    int TextAdvance(std::string_view line);
    // Realises a font; the anti-aliased canvas shares its fonts across the process.
    virtual QFont CreateFont(const TQtFontKey& key) const { return MakeQtFont(key); }
    // Where text drawn at (x, y) under the text alignment has its top-left corner, relative to
    // (x, y) in the text's own direction.
    QPointF GdiTextOffset(qreal width, qreal height, qreal ascent) const;

private:
    void BeginPainter(QImage& image);
    void EndPainter();
    void ResetPainterState();
    QPainter* PrepareGdi(bool rasterOp);
    void WriteLine(QPainter& painter, TPoint a, TPoint b, const QColor& color);
    QPen GdiPen() const;
    QBrush GdiBrush() const;
    void UseBackground(QPainter& painter);
    void CopyBuffer(QPainter& target, QPoint at);

    QImage buffer_;
    QPainter bufferPainter_;
    QPainter* painter_ = nullptr;
    bool externalPainter_ = false;
    std::optional<bool> smoothing_;
    std::optional<QPainter::CompositionMode> composition_;
    struct TSavedClip {
        std::optional<QPainterPath> Path;
        std::optional<QRect> Rect;
    };
    std::vector<TSavedClip> clipStack_;
    // The clip as one rectangle (the whole surface when there is none), while it is one.
    std::optional<QRect> clipRect_;
    TFontQuality textQuality_ = fqBest;
    std::optional<TQtFontKey> fontKey_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    struct TTextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    using TAdvances = std::unordered_map<std::string, int, TTextHash, std::equal_to<>>;
    static constexpr std::size_t MaxMeasuredFonts = 16;
    static constexpr std::size_t MaxMeasuredTexts = 1024;
    std::map<TQtFontKey, TAdvances> advances_;
    TAdvances* advancesInUse_ = nullptr;
};

}  // namespace twinscope
