#pragma once

#include <string>
#include <vector>

#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope::testing {

// 1 August 2024.
inline constexpr double August1 = 45505;

// The program's chart as the readout tests read it: °F from 0 to 100 with °C beside it, dates
// from two days before 1 August 2024 with the day of the year below them, and sixty daily
// readings from 40 °F up by half a degree a day. Answers the readings' series.
inline TLineSeries& FillReadoutChart(TCustomAxisPanel& chart) {
    chart.SetView3D(false);
    auto& series = chart.AddNewSeries<TLineSeries>();
    series.XValues().SetDateTime(true);
    for (int i = 0; i < 60; ++i)
        series.AddPoint(August1 + i, 40 + i * 0.5);
    chart.LeftAxis().SetMinMax(0, 100);
    chart.BottomAxis().SetMinMax(August1 - 2, August1 + 62);
    chart.CustomAxes().Add<tLeftCelsiusScale>();
    chart.CustomAxes().Add<tBottomDayOfTheYearScale>();
    return series;
}

// The captions of readout values, in order.
inline std::vector<std::string> Captions(const std::vector<TReadoutValue>& values) {
    std::vector<std::string> captions;
    for (const TReadoutValue& v : values)
        captions.push_back(v.Caption);
    return captions;
}

}  // namespace twinscope::testing
