#pragma once

#include <functional>
#include <memory>
#include <string>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

using TCanvasFactory = std::function<std::unique_ptr<TCanvas3D>()>;

// The canvas class a chart falls back to when the class it asks for is not registered.
inline constexpr const char* kFallbackCanvasClass = "TChartCanvas3D";

// The process-wide list of canvas classes a chart can select by name. Registering a name again
// replaces its factory.
TWINSCOPE_EXPORT void RegisterCanvasClass(const std::string& className, TCanvasFactory factory);
TWINSCOPE_EXPORT void UnregisterCanvasClass(const std::string& className);
TWINSCOPE_EXPORT bool IsCanvasClassRegistered(const std::string& className);

// Selects the canvas class named exactly (case-sensitive) by className; no name or no match
// selects TChartCanvas3D. Returns current unchanged when it already is of the selected class,
// and also when not even TChartCanvas3D is registered and there is a current canvas to keep.
// Raises RuntimeError when no canvas can be had at all.
TWINSCOPE_EXPORT std::unique_ptr<TCanvas3D> SelectCanvas(const std::string& className,
                                                         std::unique_ptr<TCanvas3D> current);

// A canvas for vector output: of the class named preferred when that class is registered and
// vector-safe, otherwise of the first registered class that is; null when none is.
TWINSCOPE_EXPORT std::unique_ptr<TCanvas3D> SelectVectorSafeCanvas(const std::string& preferred);

}  // namespace twinscope
