#pragma once

#include <string>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartAxis;

// Gives an axis the scale look in one colour: axis line, grid, labels and a title in that
// colour; labels in 12 and a bold title in 14 on a vertical axis (turned upright when longer
// than three characters), labels and a plain title in 10 on a horizontal one.
TWINSCOPE_EXPORT void StyleAxis(TChartAxis& axis, const std::string& title, TColor colour);

}  // namespace twinscope
