#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "twinscope/chart/canvas/qt/QtCanvas.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The aliased canvas, drawing as GDI does: rectangles and fills exclude their right and bottom
// edge, a one-pixel line stops before its last pixel, a shape without a pen is filled one pixel
// smaller, XOR pen modes combine with what lies beneath, and transparency saves the pixels
// under a rectangle and lays them back over the drawing. Colours are opaque; text is placed by
// the alignment flags, the baseline flag included.
class TWINSCOPE_EXPORT TChartCanvas3D final : public TQtCanvas {
public:
    TChartCanvas3D() : TQtCanvas(fqBest) {}

    std::string ClassName() const override { return "TChartCanvas3D"; }
    std::string Description() const override { return "GDI"; }

    // One-pixel solid opaque pens go through the canvas's own pixel writer.
    TColumnLines ColumnLines() const override;

protected:
    void DoLine(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoShape(const TCanvasShape& shape) override;
    void DoArc(const TRect& rect, TPoint start, TPoint end) override;
    void DoFillRect(const TRect& rect) override;
    void DoGradientFill(const TRect& rect, const TGradientData& gradient) override;
    std::unique_ptr<TCanvasBlend> DoBeginBlend(const TRect& rect, std::int32_t percent) override;
    void DoEndBlend(TCanvasBlend& blend, std::int32_t percent) override;

    std::optional<QRect> CombineClip(QPainter& painter, const TCanvasShape& shape,
                                     bool exclude) override;
    QColor ColorOf(TColor color) const override { return OpaqueColor(color); }
    double TextTurn(double angle) const override { return -angle; }
    QPointF TextTopLeft(qreal width, qreal height, qreal ascent) const override;
    std::optional<QBrush> TextBackground() const override;
    bool SmoothsText() const override { return false; }
};

}  // namespace twinscope
