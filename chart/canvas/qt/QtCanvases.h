#pragma once

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Registers TChartCanvas3D and TGDIPlusCanvas with the canvas registry. A chart widget and the
// image export call it themselves; a program that paints charts otherwise calls it before its
// first chart selects a canvas. Calling it again changes nothing.
TWINSCOPE_EXPORT void RegisterQtCanvases();

}  // namespace twinscope
