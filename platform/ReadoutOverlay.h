#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include <QPainter>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/panel/ReadoutDrawing.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TCustomAxisPanel;

// Draws readouts over a picture of a chart's last paint that a painter already shows, through
// a canvas of the chart's own class drawing straight onto the painter: the overlay looks as the
// chart does (aliased or smoothed) and costs no paint of the chart.
class TWINSCOPE_EXPORT TReadoutOverlay {
public:
    TReadoutOverlay();
    ~TReadoutOverlay();
    TReadoutOverlay(const TReadoutOverlay&) = delete;
    TReadoutOverlay& operator=(const TReadoutOverlay&) = delete;

    // Through a canvas of the class named, or with none named of the chart's own class;
    // nothing when there is neither.
    void Draw(QPainter& painter, const TCustomAxisPanel& chart, std::span<const TReadout> readouts,
              const TReadoutStyle& style = {}, const std::string& canvasClass = {});
    // Where Draw draws the same readouts: every pixel it may change lies in one of these.
    std::vector<TRect> Area(const TCustomAxisPanel& chart, std::span<const TReadout> readouts,
                            const TReadoutStyle& style = {}, const std::string& canvasClass = {});

private:
    TCanvas3D* CanvasFor(const TCustomAxisPanel& chart, const std::string& canvasClass);

    std::unique_ptr<TCanvas3D> canvas_;
};

}  // namespace twinscope
