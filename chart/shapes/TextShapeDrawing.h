#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/shapes/TextShape.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// How titles, axis labels and the legend measure and draw their text shapes.
//
// A shape's text breaks into lines at carriage returns; line feeds are dropped, so a CR LF pair
// is one break. An empty text is drawn as one space.

// The lines a shape draws for text.
TWINSCOPE_EXPORT std::vector<std::string> TextShapeLines(std::string_view text);

// The size of a shape fitted to its text: the widest line by the sum of the line heights in the
// shape's font, which the canvas keeps selected. A shape that is not transparent adds its frame
// (the pen width + 1, when the frame is visible) and its margins.
TWINSCOPE_EXPORT TSize TextShapeSize(TChartCanvas& canvas, const TTextShape& shape,
                                     std::string_view text);

// The box of a shape: a transparent shape only clears the canvas brush; any other draws its
// shadow, its fill outlined with the frame pen in its shape style, and its bevel.
TWINSCOPE_EXPORT void DrawShapeBox(TChartCanvas& canvas, const TTextShape& shape, const TRect& box);

// The box drawn around a shape whose upright box is turned by `angle` degrees about its
// centre: the bounds of the turned corners.
TWINSCOPE_EXPORT TRect TurnedShapeBox(const TRect& box, std::int32_t angle);

// The box, then the text lines inside it, one under the other from the top margin down, each
// placed by the shape's alignment, in the shape's font over a transparent background. At an
// angle (degrees, counter-clockwise) the text is laid out upright in the box and turned about
// its centre, and the box drawn is the one that bounds the turned box.
TWINSCOPE_EXPORT void DrawTextShape(TChartCanvas& canvas, const TTextShape& shape, const TRect& box,
                                    std::string_view text, std::int32_t angle = 0);

}  // namespace twinscope
