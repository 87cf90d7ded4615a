#pragma once

#include <optional>
#include <string>
#include <utility>

#include <QPainterPath>
#include <QPen>

#include "twinscope/chart/canvas/qt/QtCanvas.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The anti-aliased canvas with alpha. Integer coordinates name pixel centres, so a one-pixel
// line along a row covers exactly that row. Transparency is native: a section lowers the alpha
// every colour is drawn with. Lines and shapes in the XOR pen modes are drawn as GDI draws
// them, as on the aliased canvas. Text is placed by its top-left corner.
//
// Its fonts are shared across the process: the first canvas starts the shared state and the
// application's exit shuts it down.
class TWINSCOPE_EXPORT TGDIPlusCanvas final : public TQtCanvas {
public:
    TGDIPlusCanvas();

    std::string ClassName() const override { return "TGDIPlusCanvas"; }
    std::string Description() const override { return "GDI+"; }
    // Lines are written as pixels only on raster surfaces.
    bool VectorSafe() const override { return true; }

    // Strokes are smoothed while this is on (and the pen has a width).
    // Thin solid opaque pens; the anti-aliased edges of one line differ a little from those of
    // many overlapping ones.
    TColumnLines ColumnLines() const override;

    bool AntiAlias() const { return antiAlias_; }
    void SetAntiAlias(bool antiAlias) { antiAlias_ = antiAlias; }
    // Buffer pixels per target pixel: a scale above 1 draws finer and shrinks the frame into
    // the target.
    double Scale() const { return scale_; }
    void SetScale(double scale) { scale_ = scale > 0 ? scale : 1; }

    // A colour with the current alpha lowered by the colour's high byte; system colours are
    // converted to RGB first, and clNone is fully transparent.
    QColor PlusColor(TColor color) const;

    static bool SharedStarted();

protected:
    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoShape(const TCanvasShape& shape) override;
    void DoArc(const TRect& rect, TPoint start, TPoint end) override;
    void DoFillRect(const TRect& rect) override;
    void DoGradientFill(const TRect& rect, const TGradientData& gradient) override;
    void DoBrushAssigned() override;

    std::optional<QRect> CombineClip(QPainter& painter, const TCanvasShape& shape,
                                     bool exclude) override;
    QColor ColorOf(TColor color) const override { return PlusColor(color); }
    QColor ShadowColorOf(const TShadowData& shadow) const override;
    double TextTurn(double angle) const override { return 360 - angle; }
    QPointF TextTopLeft(qreal width, qreal height, qreal ascent) const override;
    std::optional<QBrush> TextBackground() const override;
    bool SmoothsText() const override { return antiAlias_; }
    QFont CreateFont(const TQtFontKey& key) const override;
    double BufferScale() const override { return scale_; }

private:
    bool XorMode() const { return Pen().Mode != pmCopy; }
    const QPen& PlusPen();
    QBrush PlusBrush(const TBrushData& brush) const;
    void FillPath(QPainter& painter, const QPainterPath& path);
    bool FillsWholePixels(const QPainter& painter) const;
    // Puts down the one-pixel outline of a rectangle pixel by pixel, where that draws the same.
    bool OutlinesByPixels(QPainter& painter, const TRect& r);

    bool antiAlias_ = true;
    double scale_ = 1;
    std::optional<std::pair<TPenData, std::int32_t>> penKey_;
    QPen pen_;
};

}  // namespace twinscope
