#include "twinscope/chart/panel/ChartDescription.h"

#include <cmath>
#include <string>
#include <vector>

#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/ChartTitle.h"
#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/chart/panel/ReadoutDrawing.h"
#include "twinscope/chart/series/ChartSeries.h"

namespace twinscope {

namespace {
const char* SideOf(const TChartAxis& axis) {
    if (axis.Horizontal()) return axis.OtherSide() ? "top" : "bottom";
    return axis.OtherSide() ? "right" : "left";
}

std::string TitleOf(const TChartAxis& axis) {
    const TChartAxisTitle* title = axis.CreatedTitle();
    return title ? title->Caption() : std::string();
}

// An axis that reads its values through another one's is a scale beside it.
bool IsScale(const TChartAxis& axis) {
    return axis.MasterReading().Master || axis.ConvertedFrom().Master;
}

std::string RangeText(const TCustomChart& chart, const TChartAxis& axis, double lo, double hi) {
    const TAxisPaint& paint = chart.AxisPaintOf(axis);
    return LabelLine(axis, paint, lo) + " to " + LabelLine(axis, paint, hi);
}

void Append(std::string& text, const std::string& part, const char* separator) {
    if (part.empty()) return;
    if (!text.empty()) text += separator;
    text += part;
}
}  // namespace

std::string ChartName(const TCustomChart& chart) {
    std::string name;
    for (const std::string& line : chart.Title().Text())
        Append(name, line, " ");
    return name;
}

std::string AxesDescription(const TCustomChart& chart) {
    std::string description;
    for (const TChartAxis* axis : chart.Axes()) {
        if (axis->IsDepthAxis() || !chart.AxisPaintOf(*axis).Shown) continue;
        std::string part = std::string(SideOf(*axis)) + (IsScale(*axis) ? " scale" : " axis");
        if (std::string title = TitleOf(*axis); !title.empty()) part += " " + title;
        const TScaleMap& map = chart.AxisPaintOf(*axis).Map;
        part += ": " + RangeText(chart, *axis, map.Minimum(), map.Maximum());
        Append(description, part, "; ");
    }
    return description;
}

std::string SeriesDescription(const TCustomChart& chart, TChartSeries& series) {
    const std::int32_t n = series.PointCount();
    if (n == 0) return "no points";
    std::string description = n == 1 ? std::string("1 point") : std::to_string(n) + " points";
    const auto describe = [&](const TChartAxis* axis, double lo, double hi) {
        if (!axis || !std::isfinite(lo) || !std::isfinite(hi)) return;
        std::string part = TitleOf(*axis);
        Append(part, RangeText(chart, *axis, lo, hi), " ");
        Append(description, part, "; ");
    };
    describe(series.ResolvedVertAxis(), series.MinYValue(), series.MaxYValue());
    describe(series.ResolvedHorizAxis(), series.MinXValue(), series.MaxXValue());
    return description;
}

std::string ReadoutSentence(const TReadout& readout) {
    std::string sentence;
    if (!readout.Shown) return sentence;
    for (const TReadoutLine& line : ReadoutLines(readout))
        Append(sentence, line.Text, ", ");
    return sentence;
}

}  // namespace twinscope
