#include "chart/panel/CustomAxisPanel.h"

#include <algorithm>

namespace twinscope {

TCustomAxisPanel::TCustomAxisPanel() : customAxes_(*this) {
    using Kind = TChartAxis::Kind;
    standard_[0] = std::make_unique<TChartAxis>(*this, Kind::Standard);
    standard_[1] = std::make_unique<TChartAxis>(*this, Kind::Standard);
    standard_[2] = std::make_unique<TChartAxis>(*this, Kind::Standard);
    standard_[3] = std::make_unique<TChartAxis>(*this, Kind::Standard);
    standard_[4] = std::make_unique<TChartDepthAxis>(*this);
    standard_[5] = std::make_unique<TChartDepthAxis>(*this);

    BottomAxis().SetHorizontal(true);
    TopAxis().SetHorizontal(true);
    TopAxis().SetOtherSide(true);
    TopAxis().SetZPosition(100);
    RightAxis().SetOtherSide(true);
    RightAxis().SetZPosition(100);
    DepthTopAxis().SetOtherSide(true);
}

TCustomAxisPanel::~TCustomAxisPanel() {
    // Custom axes go first: freeing one touches the standard axes and the axis list.
    customAxes_.Clear();
}

void TCustomAxisPanel::AxisCreated(TChartAxis& axis) {
    axes_.push_back(&axis);
}

void TCustomAxisPanel::AxisDestroyed(TChartAxis& axis) {
    axes_.erase(std::remove(axes_.begin(), axes_.end(), &axis), axes_.end());
}

void TCustomAxisPanel::AxisRangeChanged(TChartAxis&) {
    Invalidate();
}

double TCustomAxisPanel::MaxAxisValue(const TChartAxis&) const {
    return 0;
}
double TCustomAxisPanel::MinAxisValue(const TChartAxis&) const {
    return 0;
}

double TCustomAxisPanel::LabelStep(const TChartAxis&) const {
    return 0;
}

}  // namespace twinscope
