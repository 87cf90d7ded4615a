#include "chart/panel/CustomChartPanel.h"

namespace twinscope {

TCustomChartPanel::TCustomChartPanel() {
    border_.SetOnChange([this] { Invalidate(); });
}

void TCustomChartPanel::Invalidate() {
    if (!repaintOnChange_)
        return;
    if (repaintRequest_)
        repaintRequest_();
}

void TCustomChartPanel::SetBounds(std::int32_t width, std::int32_t height) {
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    Invalidate();
}

std::int32_t TCustomChartPanel::BorderThickness() const {
    return twinscope::BorderThickness(borderWidth_, bevelInner_, bevelOuter_, bevelWidth_,
                                      border_.Visible(), border_.Width());
}

void TCustomChartPanel::CalcPlotRect(const TRect& paintBounds) {
    paintBounds_ = paintBounds;
    plotRect_ = twinscope::CalcPlotRect(PlotLayoutInput{
        paintBounds, margins_, marginUnits_, BorderThickness(), shadow_, emboss_, width_, height_});
}

void TCustomChartPanel::SetPlotRect(const TRect& plot) {
    plotRect_ = ClampPlotRect(plot, paintBounds_, width_, height_);
}

}  // namespace twinscope
