#include "twinscope/chart/canvas/qt/QtCanvases.h"

#include <memory>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/ChartCanvas3D.h"
#include "twinscope/chart/canvas/qt/GDIPlusCanvas.h"

namespace twinscope {

void RegisterQtCanvases() {
    RegisterCanvasClass("TChartCanvas3D", [] { return std::make_unique<TChartCanvas3D>(); });
    RegisterCanvasClass("TGDIPlusCanvas", [] { return std::make_unique<TGDIPlusCanvas>(); });
}

}  // namespace twinscope
