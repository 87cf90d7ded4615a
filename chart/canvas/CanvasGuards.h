#pragma once

#include <cstdint>

#include "twinscope/chart/canvas/ChartCanvas.h"

namespace twinscope {

// Clips a canvas to a rectangle for the guard's lifetime.
class TClipGuard {
public:
    TClipGuard(TChartCanvas& canvas, const TRect& rect) : canvas_(canvas) {
        canvas_.ClipRectangle(rect);
    }
    ~TClipGuard() { canvas_.Unclip(); }
    TClipGuard(const TClipGuard&) = delete;
    TClipGuard& operator=(const TClipGuard&) = delete;

private:
    TChartCanvas& canvas_;
};

// A transparency section open for the guard's lifetime.
class TTransparencyGuard {
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
