#pragma once

#include <string>
#include <vector>

#include "twinscope/chart/canvas/PaintTarget.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/scales/ScaleManager.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope::testing {

// The shown axes of the window's chart, in the order they are laid out and drawn.
enum class TWindowAxis { Bottom, Left, Celsius, DayOfYear };

// The window's chart after its first plot: 965 x 518, flat, the left axis 0..100 °F (red,
// LabelsSize 8, PositionPercent -2, title "°F") with the Celsius scale beside it, the bottom
// axis from 1 August 2024 14:31 to 30 September 2024 14:31 (increment 10, ExactDateTime false)
// with the day-of-year scale below it. The scales widen the margins to 15/4/0/15 percent, which
// leaves the plot (145, 21, 964, 440) before the axes take their space.
class WindowChartFixture : public ChartFixture {
protected:
    WindowChartFixture() {
        chart.SetBounds(965, 518);
        chart.SetView3D(false);
        chart.SetMarginLeft(13);
        chart.SetMarginRight(0);
        chart.SetMarginBottom(9);
        auto& data = chart.CreateSeries<TLineSeries>();
        data.XValues().SetDateTime(true);
        data.SetParentChart(&chart);

        TChartAxis& left = chart.LeftAxis();
        left.SetAutomatic(false);
        left.SetMinMax(40, 80);
        left.SetLabelsSize(8);
        left.SetPositionPercent(-2);
        left.Grid().SetWidth(2);
        TChartAxis& bottom = chart.BottomAxis();
        bottom.SetAutomatic(false);
        bottom.SetExactDateTime(false);
        bottom.SetMinMax(45493, 45517);

        celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
        left.SetMinMax(0, 100);
        SetNiceIncrement(left);
        celsius->FollowMaster();
        bottom.SetMinMax(45505.60522789352, 45565.60543462963);
        bottom.SetIncrement(10);
        days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
        days->FollowMaster();
    }

    TChartAxis& AxisOf(TWindowAxis axis) {
        switch (axis) {
            case TWindowAxis::Bottom:
                return chart.BottomAxis();
            case TWindowAxis::Left:
                return chart.LeftAxis();
            case TWindowAxis::Celsius:
                return *celsius.Get();
            case TWindowAxis::DayOfYear:
                return *days.Get();
        }
        return chart.LeftAxis();
    }

    void Render() {
        canvas.ClearCalls();
        chart.RenderChart(canvas, target, {0, 0, 965, 518});
    }


    TRecordingCanvas canvas;
    TNoTarget target;
    TCustomAxisOwner<tLeftCelsiusScale> celsius;
    TCustomAxisOwner<tBottomDayOfTheYearScale> days;
};

}  // namespace twinscope::testing
