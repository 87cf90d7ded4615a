#pragma once

#include <memory>
#include <span>
#include <string>

#include <QPainter>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/panel/ReadoutDrawing.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TCustomChart;

// Draws readouts over a picture of a chart's last paint that a painter already shows, through
// a canvas of the chart's own class drawing straight onto the painter: the overlay looks as the
// chart does (aliased or smoothed) and costs no paint of the chart.
class TWINSCOPE_EXPORT TReadoutOverlay {
public:
    TReadoutOverlay();
    ~TReadoutOverlay();
    TReadoutOverlay(const TReadoutOverlay&) = delete;
    TReadoutOverlay& operator=(const TReadoutOverlay&) = delete;

    // Nothing when the chart has no canvas to take the class from.
    void Draw(QPainter& painter, const TCustomChart& chart, std::span<const TReadout> readouts,
              const TReadoutStyle& style = {});

private:
    std::unique_ptr<TCanvas3D> canvas_;
};

}  // namespace twinscope
