#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/ChartFixture.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/SeriesLayer.h"

namespace twinscope::testing {

// A shape or line as its points, a transparency section with its box and percent.
inline std::string DescribeFilled(const TRecordedCall& c) {
    char text[96];
    if (c.Operation == "Polygon" || c.Operation == "Polyline") {
        std::string points = c.Operation;
        for (TPoint p : c.Points)
            points += " " + std::to_string(p.X) + "," + std::to_string(p.Y);
        return points;
    }
    if (c.Operation == "Rectangle" || c.Operation == "FillRect") {
        std::snprintf(text, sizeof text, "%s %d,%d,%d,%d %06X", c.Operation.c_str(), c.Rect.Left,
                      c.Rect.Top, c.Rect.Right, c.Rect.Bottom, c.Brush.Color);
        return text;
    }
    if (c.Operation == "BeginTransparency") {
        std::snprintf(text, sizeof text, "BeginTransparency %d,%d,%d,%d %d", c.Rect.Left,
                      c.Rect.Top, c.Rect.Right, c.Rect.Bottom, c.Percent);
        return text;
    }
    return c.Operation;
}

// The window's chart size with the plot at (145, 21, 964, 440): with the bottom axis at 0..819
// and the left axis at 0..419, point (x, y) lies at pixel (145 + x, 440 - y).
class FilledSeriesChart : public ChartFixture {
protected:
    FilledSeriesChart() {
        chart.SetBounds(965, 518);
        chart.SetView3D(false);
        chart.SetMarginLeft(15);
        chart.SetMarginTop(4);
        chart.SetMarginRight(0);
        chart.SetMarginBottom(15);
        chart.BottomAxis().SetMinMax(0, 819);
        chart.LeftAxis().SetMinMax(0, 419);
    }

    // What the series layer draws inside its group and clip.
    std::vector<std::string> Draw() {
        steps::StartLayout(chart, TRect{0, 0, 965, 518});
        steps::FitAxesIntoPlot(chart);
        canvas.ClearCalls();
        DrawSeriesLayer(chart, canvas);
        std::vector<std::string> script;
        for (const TRecordedCall& call : canvas.Calls()) {
            if (call.Operation != "BeginGroup" && call.Operation != "EndGroup" &&
                call.Operation != "ClipRectangle" && call.Operation != "Unclip") {
                script.push_back(DescribeFilled(call));
            }
        }
        return script;
    }

    TRecordingCanvas canvas;
};

}  // namespace twinscope::testing
