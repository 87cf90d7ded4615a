#include "twinscope/platform/ReadoutOverlay.h"

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"

namespace twinscope {

TReadoutOverlay::TReadoutOverlay() = default;
TReadoutOverlay::~TReadoutOverlay() = default;

void TReadoutOverlay::Draw(QPainter& painter, const TCustomAxisPanel& chart,
                           std::span<const TReadout> readouts, const TReadoutStyle& style,
                           const std::string& canvasClass) {
    const TCanvas3D* chartCanvas = chart.Canvas();
    const std::string name =
        canvasClass.empty() && chartCanvas ? chartCanvas->ClassName() : canvasClass;
    if (name.empty() || readouts.empty()) return;
    if (!canvas_ || canvas_->ClassName() != name) {
        canvas_ = SelectCanvas(name, nullptr);
        canvas_->SetBuffered(false);
    }
    TQtPaintTarget target(painter);
    const TRect bounds = chart.PaintBounds();
    canvas_->BeginFrame(target, bounds);
    for (const TReadout& readout : readouts)
        DrawReadout(*canvas_, chart, readout, style);
    canvas_->EndFrame(target, bounds);
}

}  // namespace twinscope
