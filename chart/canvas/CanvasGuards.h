#pragma once

#include <cstdint>
#include <string>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Clips a canvas to a rectangle for the guard's lifetime.
class TWINSCOPE_EXPORT TClipGuard {
public:
    TClipGuard(TChartCanvas& canvas, const TRect& rect) : canvas_(canvas) {
        canvas_.ClipRectangle(rect);
    }
    // Clips to a box of the plot, as TCanvas3D::ClipCube does.
    TClipGuard(TCanvas3D& canvas, const TRect& rect, std::int32_t z0, std::int32_t z1)
        : canvas_(canvas) {
        canvas.ClipCube(rect, z0, z1);
    }
    ~TClipGuard() { canvas_.Unclip(); }
    TClipGuard(const TClipGuard&) = delete;
    TClipGuard& operator=(const TClipGuard&) = delete;

private:
    TChartCanvas& canvas_;
};

// A named canvas group open for the guard's lifetime, so that what throws while a chart part
// draws (an event handler, a series) leaves the group stack as it found it.
class TWINSCOPE_EXPORT TGroupGuard {
public:
    TGroupGuard(TCanvas3D& canvas, const std::string& name) : canvas_(canvas) {
        canvas_.BeginGroup(name);
    }
    ~TGroupGuard() { canvas_.EndGroup(); }
    TGroupGuard(const TGroupGuard&) = delete;
    TGroupGuard& operator=(const TGroupGuard&) = delete;

private:
    TCanvas3D& canvas_;
};

// A transparency section open for the guard's lifetime.
class TWINSCOPE_EXPORT TTransparencyGuard {
public:
    TTransparencyGuard(TChartCanvas& canvas, const TRect& rect, std::int32_t percent)
        : canvas_(canvas), handle_(canvas.BeginTransparency(rect, percent)) {}
    ~TTransparencyGuard() { canvas_.EndTransparency(std::move(handle_)); }
    TTransparencyGuard(const TTransparencyGuard&) = delete;
    TTransparencyGuard& operator=(const TTransparencyGuard&) = delete;

private:
    TChartCanvas& canvas_;
    TTransparencyHandle handle_;
};

}  // namespace twinscope
