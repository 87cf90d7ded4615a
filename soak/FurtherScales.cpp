#include "soak/FurtherScales.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {
bool IsRefusedRange(const std::string& message) {
    return message == "Axis Maximum Value must be >= Minimum" ||
           message == "Axis Minimum Value must be a finite number" ||
           message == "Axis Maximum Value must be a finite number";
}
}  // namespace

TFurtherScales::TFurtherScales(TChart& chart, TUniform uniform)
    : chart_(chart), uniform_(std::move(uniform)) {}

TScaleConversion TFurtherScales::Conversion() {
    switch (uniform_(0, 2)) {
        case 0:
            return {[](double x) { return x / 7 - 100; }, [](double s) { return (s + 100) * 7; }};
        case 1:
            return {[](double x) { return 1000 / x; }, [](double s) { return 1000 / s; }};
        default:
            return {[](double x) { return std::log10(x); },
                    [](double s) { return std::pow(10, s); }};
    }
}

std::string TFurtherScales::Change() {
    if (scales_.size() == Most || (!scales_.empty() && uniform_(0, 2) == 0)) {
        scales_.erase(scales_.begin() + uniform_(0, static_cast<int>(scales_.size()) - 1));
        return {};
    }
    const auto side = static_cast<tScaleSide>(uniform_(0, 3));
    TChartCustomAxes& axes = chart_.CustomAxes();
    try {
        tScale* scale = nullptr;
        if (side == ssBottom && uniform_(0, 1) == 0) {
            scale = &axes.Add<tBottomCalendarScale>(static_cast<TCalendarLabels>(uniform_(1, 3)));
        } else if (uniform_(0, 3) == 0) {
            scale = &axes.Add<tScale>(
                side, "x", [](double x) { return 2 * x + 1; }, "", "", clGreen);
        } else {
            const TScaleConversion c = Conversion();
            scale = &axes.Add<tScale>(side, "x", c.Forward, c.Inverse, "", "", clGreen);
        }
        scales_.emplace_back(chart_, *scale);
        if (uniform_(0, 2) == 0) {
            scale->SetAlignedDecimals(uniform_(0, 3));
            scale->SetAlignedToMaster(true);
        }
        if (uniform_(0, 1) == 0) scale->SetFollowsLive(true);
    } catch (const AxisException& e) {
        if (!IsRefusedRange(e.what())) return std::string("a new scale raised: ") + e.what();
    } catch (const RuntimeError& e) {
        if (std::string(e.what()) != "The master axis already has a handler of its shown range")
            return std::string("a new scale raised: ") + e.what();
    }
    return {};
}

std::string TFurtherScales::FollowMasters() {
    for (const TCustomAxisOwner<tScale>& scale : scales_) {
        try {
            scale->FollowMaster();
        } catch (const AxisException& e) {
            if (!IsRefusedRange(e.what()))
                return std::string("a scale following its master raised: ") + e.what();
        }
    }
    return {};
}

std::string LabelOffItsScale(const TChart& chart) {
    for (std::size_t i = 0; i < chart.CustomAxes().Count(); ++i) {
        const TChartAxis& axis = chart.CustomAxes()[i];
        if (!chart.IsAxisShown(axis)) continue;
        const TScaleMap& map = chart.ScaleMapOf(axis);
        const std::int32_t low = std::min(map.StartPixel(), map.EndPixel());
        const std::int32_t high = std::max(map.StartPixel(), map.EndPixel());
        for (const TAxisItem& label : axis.Items()) {
            if (label.LabelPos < low || label.LabelPos > high) {
                return "the label " + label.Text + " stands at " + std::to_string(label.LabelPos) +
                       ", off its scale";
            }
        }
    }
    return {};
}

}  // namespace twinscope
