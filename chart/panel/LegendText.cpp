#include "twinscope/chart/panel/LegendText.h"

#include <algorithm>

#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/DateTimeFormat.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/FormatFloat.h"

namespace twinscope {

namespace {

std::string ValueText(const TChartSeries& series, double value) {
    if (series.PrimaryList().DateTime()) {
        // A value beyond the calendar would otherwise stop every paint of the chart.
        try {
            return DateTimeToString("", value);
        } catch (const ConversionError&) {
        }
    }
    return FormatFloat(series.ValueFormat(), value);
}

std::string PercentText(TChartSeries& series, double value) {
    double total = series.PrimaryList().Total();
    if (total == 0) total = 100;
    return FormatFloat(series.PercentFormat(), value * 100 / total);
}

// Two texts side by side, in two columns.
std::string Joined(const std::string& first, const std::string& second) {
    return first + LegendColumnSeparator + second;
}

}  // namespace

std::string LegendPointText(TChartSeries& series, std::int32_t index, TLegendTextStyle style,
                            const TChartAxis& horizAxis, const TAxisPaint& horizPaint) {
    const std::string label = series.Label(index);
    const double value = series.PrimaryList().Value(index);
    auto v = [&] { return ValueText(series, value); };
    auto p = [&] { return PercentText(series, value); };
    auto x = [&] { return LabelText(horizAxis, horizPaint, series.XValues().Value(index)); };
    switch (style) {
        case ltsPlain:
            return label;
        case ltsLeftValue:
            return label.empty() ? v() : Joined(v(), label);
        case ltsRightValue:
            return label.empty() ? v() : Joined(label, v());
        case ltsLeftPercent:
            return label.empty() ? p() : Joined(p(), label);
        case ltsRightPercent:
            return label.empty() ? p() : Joined(label, p());
        case ltsXValue:
            return x();
        case ltsValue:
            return v();
        case ltsPercent:
            return p();
        case ltsXAndValue:
            return Joined(x(), v());
        case ltsXAndPercent:
            return Joined(x(), p());
        case ltsXAndText:
            return Joined(x(), label);
        case ltsXAndValueAndText:
            return Joined(Joined(x(), v()), label);
    }
    return label;
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), LegendLineSeparator, ' ');
    return text;
}

TLegendColumns SplitLegendColumns(std::string_view text) {
    TLegendColumns columns;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::size_t end =
            c + 1 < columns.size() ? text.find(LegendColumnSeparator) : std::string_view::npos;
        columns[c] = std::string(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return columns;
}

bool LegendColumnRightAligned(TLegendTextStyle style, int column) {
    switch (column) {
        case 0:
            return style == ltsLeftValue || style == ltsLeftPercent || style == ltsXValue ||
                   style == ltsValue || style == ltsPercent || style == ltsXAndValue ||
                   style == ltsXAndPercent;
        default:
            return style == ltsRightValue || style == ltsRightPercent || style == ltsXAndValue ||
                   style == ltsXAndPercent;
    }
}

}  // namespace twinscope
