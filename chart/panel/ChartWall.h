#pragma once

#include <cstdint>
#include <functional>

#include "twinscope/chart/canvas/ChartBrush.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// A wall of the chart. In a 2D chart only the back wall shows: a frame around the plot area,
// filled in its colour unless transparent.
class TChartWall : public TChangeNotifier {
public:
    TChartWall(std::function<void()> onChange, TColor color, bool transparent);

    bool Visible() const { return visible_; }
    void SetVisible(bool b) { Set(visible_, b); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool b) { Set(transparent_, b); }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { Set(color_, c); }
    std::int32_t Size() const { return size_; }
    void SetSize(std::int32_t s) { Set(size_, s); }
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double p) { Set(startPosition_, p); }
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double p) { Set(endPosition_, p); }
    TChartPen& Pen() { return pen_; }
    const TChartPen& Pen() const { return pen_; }
    TChartBrush& Brush() { return brush_; }
    const TChartBrush& Brush() const { return brush_; }

private:
    bool visible_ = true;
    bool transparent_;
    TColor color_;
    std::int32_t size_ = 0;
    double startPosition_ = 0;
    double endPosition_ = 100;
    TChartPen pen_;
    TChartBrush brush_;
};

}  // namespace twinscope
