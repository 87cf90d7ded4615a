#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TCanvas3D;
class TChartCanvas;
class TCustomAxisPanel;

// One line of a readout's box, with the colour of the series it belongs to marked before it
// (clNone: no mark).
struct TWINSCOPE_EXPORT TReadoutLine {
    std::string Text;
    TColor Mark = clNone;
    friend bool operator==(const TReadoutLine&, const TReadoutLine&) = default;
};

// Two lines for each series read: its name as the legend lists it and its Y in every unit, marked
// in the series' colour ("Temperature: 72.5 °F · 22.5 °C"), then its X in every unit ("8/15/2024 ·
// day of the year 228"). Values without a caption are left out.
TWINSCOPE_EXPORT std::vector<TReadoutLine> ReadoutLines(const TReadout& readout);

// Where the box of a readout goes: its top-left corner BoxOffset pixels right of and below the
// cursor, or left of or above it where the box would leave the plot that way, and never
// beyond the plot's top-left corner.
inline constexpr std::int32_t BoxOffset = 12;
TWINSCOPE_EXPORT TRect ReadoutBox(TSize size, TPoint cursor, const TRect& plot);

// How a readout is drawn, beyond the colours of the series and axes it reads.
struct TWINSCOPE_EXPORT TReadoutStyle {
    TColor Crosshair = clGray;
    bool HorizontalLine = true;  // a line at the cursor's height, beside the one at its X
    TColor BoxColor = 0xE1FFFF;  // pale yellow
    TColor BoxFrame = clGray;
    bool Badges = true;  // each axis's value over its labels
};

// Draws a readout over the chart's last paint, from the layout it kept: the crosshair through
// the plot, a mark around each point read, the badges over the axes' labels in each axis's
// labels font, and the box of lines by the cursor. Nothing for a readout that is not shown.
TWINSCOPE_EXPORT void DrawReadout(TCanvas3D& canvas, const TCustomAxisPanel& chart,
                                  const TReadout& readout, const TReadoutStyle& style = {});

// Where DrawReadout draws, as rectangles that hold every pixel it may change: what a host that
// shows the readout over a kept picture repaints when it moves or goes.
TWINSCOPE_EXPORT std::vector<TRect> ReadoutArea(TCanvas3D& canvas, const TCustomAxisPanel& chart,
                                                const TReadout& readout,
                                                const TReadoutStyle& style = {});

}  // namespace twinscope
