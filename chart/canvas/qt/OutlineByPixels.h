#pragma once

#include <optional>

#include <QColor>
#include <QPainter>

#include "twinscope/chart/canvas/qt/GdiDrawing.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// A smoothed one-pixel outline of a rectangle through the centres of its edge pixels covers
// those pixels whole, and each corner twice in part, once by each edge that meets there: it can
// be put down pixel by pixel, without the stroker, at a fraction of the cost (a readout draws
// several such boxes each move). Whether that comes out the same is found once for each join,
// by drawing a few outlines both ways over a background of many colours. The answer is the
// coverage (0 to 255) each edge gives a corner when it does, and nothing when it does not.
TWINSCOPE_EXPORT std::optional<int> OutlineCornerHalf(Qt::PenJoinStyle join);

// The outline of r (right and bottom edges excluded, at least 3 pixels each way) in an opaque
// colour: the edges as whole pixels, each corner twice at `cornerHalf`, through the painter.
TWINSCOPE_EXPORT void OutlineByPixels(QPainter& painter, TPixelWriter& pixels, const TRect& r,
                                      const QColor& color, int cornerHalf);

}  // namespace twinscope
