#include "chart/panel/CustomChartPanel.h"

#include "chart/canvas/CanvasRegistry.h"
#include "runtime/UserSettings.h"

namespace twinscope {

namespace {
constexpr const char* kStandardCanvasClass = "TGDIPlusCanvas";
}  // namespace

TCustomChartPanel::TCustomChartPanel()
    : defaultCanvas_(
          CurrentUserSettings().ReadString("DefaultCanvas").value_or(kStandardCanvasClass)) {
    border_.SetOnChange([this] { Invalidate(); });
    SelectCanvasClass();
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::Invalidate() {
    if (!repaintOnChange_) return;
    if (canvas_) canvas_->MarkBufferStale();
    if (repaintRequest_) repaintRequest_();
}

void TCustomChartPanel::EndLoading() {
    loading_ = false;
    if (canvasNameRead_) {
        canvasNameRead_ = false;
        SelectCanvasClass();
    }
}

void TCustomChartPanel::SetDefaultCanvas(const std::string& className) {
    defaultCanvas_ = className;
    if (loading_) {
        canvasNameRead_ = true;
    } else {
        SelectCanvasClass();
    }
}

void TCustomChartPanel::SelectCanvasClass() {
    // The engine's own tests run without any canvas class: such a chart has no canvas.
    if (!IsCanvasClassRegistered(defaultCanvas_) &&
        !IsCanvasClassRegistered(kDefaultCanvasClass)) {
        return;
    }
    const TCanvas3D* previous = canvas_.get();
    canvas_ = SelectCanvas(defaultCanvas_, std::move(canvas_));
    if (canvas_.get() != previous) Invalidate();
}

void TCustomChartPanel::SetBounds(std::int32_t width, std::int32_t height) {
    if (width == width_ && height == height_) return;
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
