#include "twinscope/platform/ReadoutOverlay.h"

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"

namespace twinscope {

TReadoutOverlay::TReadoutOverlay() = default;
TReadoutOverlay::~TReadoutOverlay() = default;

TCanvas3D* TReadoutOverlay::CanvasFor(const TCustomAxisPanel& chart,
                                      const std::string& canvasClass) {
    const TCanvas3D* chartCanvas = chart.Canvas();
    const std::string name =
        canvasClass.empty() && chartCanvas ? chartCanvas->ClassName() : canvasClass;
    if (name.empty()) return nullptr;
    if (!canvas_ || canvas_->ClassName() != name) {
        canvas_ = SelectCanvas(name, nullptr);
        canvas_->SetBuffered(false);
    }
    return canvas_.get();
}

void TReadoutOverlay::Draw(QPainter& painter, const TCustomAxisPanel& chart,
                           std::span<const TReadout> readouts, const TReadoutStyle& style,
                           const std::string& canvasClass) {
    TCanvas3D* canvas = readouts.empty() ? nullptr : CanvasFor(chart, canvasClass);
    if (!canvas) return;
    TQtPaintTarget target(painter);
    const TRect bounds = chart.PaintBounds();
    canvas->BeginFrame(target, bounds);
    for (const TReadout& readout : readouts)
        DrawReadout(*canvas, chart, readout, style);
    canvas->EndFrame(target, bounds);
}

std::vector<TRect> TReadoutOverlay::Area(const TCustomAxisPanel& chart,
                                         std::span<const TReadout> readouts,
                                         const TReadoutStyle& style,
                                         const std::string& canvasClass) {
    TCanvas3D* canvas = readouts.empty() ? nullptr : CanvasFor(chart, canvasClass);
    if (!canvas) return {};
    std::vector<TRect> area;
    for (const TReadout& readout : readouts) {
        const std::vector<TRect> own = ReadoutArea(*canvas, chart, readout, style);
        area.insert(area.end(), own.begin(), own.end());
    }
    return area;
}

}  // namespace twinscope
