#pragma once

#include <span>

#include <QColor>
#include <QPainter>
#include <QRect>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Writes whole pixels of one colour; a canvas writes straight into its own buffer where it can.
class TWINSCOPE_EXPORT TPixelWriter {
public:
    virtual void FillPixels(QPainter& painter, const QRect& rect, const QColor& color) = 0;
    // A rectangle holding every pixel the painter can write, a pixel wider on each side: a
    // line walks only its steps within it.
    virtual QRect WritableArea(const QPainter& painter);

protected:
    ~TPixelWriter() = default;
};

// The canvas state GDI drawing reads.
struct TWINSCOPE_EXPORT TGdiStyle {
    const TPenData& Pen;
    const TBrushData& Brush;
    TCanvasBackMode BackMode;
    TColor BackColor;
};

// Drawing as GDI does, onto a painter set for it (no smoothing, the pen mode's raster
// operation): rectangles and fills exclude their right and bottom edge, a one-pixel line stops
// before its last pixel and is written pixel by pixel, a shape without a pen is filled one
// pixel smaller, and XOR pen modes combine with what lies beneath. The aliased canvas draws
// everything so; the anti-aliased one its lines and shapes in the XOR pen modes.
namespace gdi {

// The painter composition that realises a pen mode.
TWINSCOPE_EXPORT QPainter::CompositionMode Composition(TPenMode mode);
// True for the pens whose lines are written as pixels: one pixel wide, solid.
TWINSCOPE_EXPORT bool WritesPixels(const TPenData& pen);

TWINSCOPE_EXPORT void Line(QPainter& painter, TPixelWriter& pixels, const TGdiStyle& style,
                           TPoint from, TPoint to);
TWINSCOPE_EXPORT void Polyline(QPainter& painter, TPixelWriter& pixels, const TGdiStyle& style,
                               std::span<const TPoint> points);
TWINSCOPE_EXPORT void Shape(QPainter& painter, const TGdiStyle& style, const TCanvasShape& shape);
TWINSCOPE_EXPORT void Arc(QPainter& painter, const TGdiStyle& style, const TRect& rect,
                          TPoint start, TPoint end);
TWINSCOPE_EXPORT void FillRect(QPainter& painter, const TGdiStyle& style, const TRect& rect);
TWINSCOPE_EXPORT void GradientFill(QPainter& painter, const TRect& rect,
                                   const TGradientData& gradient);

}  // namespace gdi

}  // namespace twinscope
