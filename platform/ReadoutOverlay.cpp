#include "twinscope/platform/ReadoutOverlay.h"

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/CustomChart.h"

namespace twinscope {

TReadoutOverlay::TReadoutOverlay() = default;
TReadoutOverlay::~TReadoutOverlay() = default;

void TReadoutOverlay::Draw(QPainter& painter, const TCustomChart& chart,
                           std::span<const TReadout> readouts, const TReadoutStyle& style) {
    const TCanvas3D* chartCanvas = chart.Canvas();
    if (!chartCanvas || readouts.empty()) return;
    if (!canvas_ || canvas_->ClassName() != chartCanvas->ClassName()) {
        canvas_ = SelectCanvas(chartCanvas->ClassName(), nullptr);
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
