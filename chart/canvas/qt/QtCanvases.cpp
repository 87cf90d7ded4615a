#include "chart/canvas/qt/QtCanvases.h"

#include <memory>

#include "chart/canvas/CanvasRegistry.h"
#include "chart/canvas/qt/ChartCanvas3D.h"
#include "chart/canvas/qt/GDIPlusCanvas.h"

namespace twinscope {

void RegisterQtCanvases() {
    RegisterCanvasClass("TChartCanvas3D", [] { return std::make_unique<TChartCanvas3D>(); });
    RegisterCanvasClass("TGDIPlusCanvas", [] { return std::make_unique<TGDIPlusCanvas>(); });
}

}  // namespace twinscope
