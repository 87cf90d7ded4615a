#include "twinscope/scales/Scale.h"

#include <algorithm>
#include <utility>

#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/chart/panel/PlotLayout.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/chart/axes/ConvertedRange.h"
#include "twinscope/scales/NiceIncrement.h"
#include "twinscope/scales/StyleAxis.h"

namespace twinscope {

namespace {
// The margin a scale's side gets, in percent, to make room for it outside the plot.
constexpr std::int32_t ScaleMarginPercent = 15;
// Wide enough for every value the conversions of this system produce.
constexpr double WideMinimum = -8.5e307;
constexpr double WideMaximum = 1.7e308;
}  // namespace

tScale::tScale(TCustomAxisPanel& chart, tScaleSide side, const std::string& title,
               tConversion conversion, const std::string& gridToScaleCaption,
               const std::string& gridToMasterCaption, TColor colour)
    : tScale(chart, side, title, std::move(conversion), {}, gridToScaleCaption, gridToMasterCaption,
             colour) {}

tScale::tScale(TCustomAxisPanel& chart, tScaleSide side, const std::string& title,
               tConversion forward, tConversion inverse, const std::string& gridToScaleCaption,
               const std::string& gridToMasterCaption, TColor colour)
    : tScale(PlaceOnSide(chart, side), chart, title, std::move(forward), std::move(inverse),
             gridToScaleCaption, gridToMasterCaption, colour) {}

tScale::tScale(TCustomAxisPanel& chart, TChartAxis& master, const std::string& title,
               tConversion forward, tConversion inverse, const std::string& gridToScaleCaption,
               const std::string& gridToMasterCaption, TColor colour)
    : tScale(PlaceBeside(chart, master), chart, title, std::move(forward), std::move(inverse),
             gridToScaleCaption, gridToMasterCaption, colour) {}

tScale::tScale(const Placement& placement, TCustomAxisPanel& chart, const std::string& title,
               tConversion forward, tConversion inverse, const std::string& gridToScaleCaption,
               const std::string& gridToMasterCaption, TColor colour)
    : TChartAxis(chart, Kind::Custom),
      masterAxis_(placement.master),
      nearPositionPercent_(placement.nearPositionPercent),
      farPositionPercent_(placement.farPositionPercent),
      side_(placement.side),
      besideMaster_(placement.besideMaster) {
    SetUpAxis(title, std::move(forward), std::move(inverse), gridToScaleCaption,
              gridToMasterCaption, colour);
    AddCompanionSeries(chart);
}

tScale::~tScale() = default;

tScale::Placement tScale::PlaceOnSide(TCustomAxisPanel& chart, tScaleSide side) {
    // The units change before the side is examined, so a refused side leaves them changed.
    chart.SetMarginUnits(muPercent);
    switch (side) {
        case ssBottom:
            chart.SetMargin(MarginBottomIndex, ScaleMarginPercent);
            return {&chart.BottomAxis(), -1.0, -12.0, side, true};
        case ssLeft:
            chart.SetMargin(MarginLeftIndex, ScaleMarginPercent);
            return {&chart.LeftAxis(), -1.0, -13.0, side, true};
        case ssRight:
            chart.SetMargin(MarginRightIndex, ScaleMarginPercent);
            return {&chart.LeftAxis(), -1.0, -13.0, side, false};
        case ssTop:
            chart.SetMargin(MarginTopIndex, ScaleMarginPercent);
            return {&chart.BottomAxis(), -1.0, -12.0, side, false};
    }
    throw RuntimeError("Unknown scale side");
}

tScale::Placement tScale::PlaceBeside(TCustomAxisPanel& chart, TChartAxis& master) {
    const std::pair<const TChartAxis*, tScaleSide> sides[] = {{&chart.BottomAxis(), ssBottom},
                                                              {&chart.LeftAxis(), ssLeft},
                                                              {&chart.RightAxis(), ssRight},
                                                              {&chart.TopAxis(), ssTop}};
    for (const auto& [axis, side] : sides) {
        if (axis != &master) continue;
        Placement placement = PlaceOnSide(chart, side);
        placement.master = &master;
        placement.besideMaster = true;
        return placement;
    }
    throw RuntimeError("A scale follows one of the chart's standard axes");
}

void tScale::SetUpAxis(const std::string& title, tConversion forward, tConversion inverse,
                       const std::string& gridToScaleCaption,
                       const std::string& gridToMasterCaption, TColor colour) {
    SetAutomatic(false);
    SetAutomaticMaximum(false);
    SetAutomaticMinimum(false);
    Grid().SetVisible(false);
    SetHorizontal(masterAxis_->Horizontal());
    SetOtherSide(side_ == ssRight || side_ == ssTop);
    SetPositionUnits(muPercent);
    // Across the plot from its master nothing stands between the scale and the plot.
    SetPositionPercent(BesideMaster() ? farPositionPercent_ : nearPositionPercent_);
    SetVisible(true);
    StyleAxis(*this, title, colour);
    gridOnScale_ = false;
    gridToScaleCaption_ = gridToScaleCaption;
    conversion_ = std::move(forward);
    inverse_ = std::move(inverse);
    gridToMasterCaption_ = gridToMasterCaption;
    SetMasterReading({.Master = masterAxis_, .Forward = conversion_});
    if (inverse_) {
        SetConvertedFrom({masterAxis_, std::make_shared<const TScaleConversion>(TScaleConversion{
                                           .Forward = conversion_, .Inverse = inverse_})});
    }
    FollowMaster();
}

void tScale::AddCompanionSeries(TCustomAxisPanel& chart) {
    auto& series = chart.CreateSeries<TLineSeries>();
    // Listed before it joins, the series joins silently: no palette colour, no events, no
    // repaint; the binding below resolves its axes.
    chart.ListSilently(series);
    series.SetParentChart(&chart);
    if (Horizontal()) {
        series.BindCustomHorizAxis(this);
        SetLabelsSize(2 * LabelsSize());
    } else {
        series.BindCustomVertAxis(this);
    }
    series.SetSeriesColor(chart.Color());
    series.SetTransparency(100);
    series.SetShowInLegend(false);
}

void tScale::FollowMaster() {
    if (inverse_) {
        const std::optional<TScaleRange> range =
            ConvertedRange(*ConvertedFrom().Conversion, {masterAxis_->Minimum(), masterAxis_->Maximum()});
        if (!range) return;
        // In this order neither write can fail on a range in order, nor leave zero on a
        // logarithmic scale.
        if (range->Maximum >= Minimum()) {
            SetMaximum(range->Maximum);
            SetMinimum(range->Minimum);
        } else {
            SetMinimum(range->Minimum);
            SetMaximum(range->Maximum);
        }
        SetNiceIncrement(*this);
        return;
    }
    // Widen first so that neither write of the new range can fail. A range lying wholly below
    // the usual wide minimum (from an extreme master) widens down to its own maximum.
    SetMinimum(std::min(WideMinimum, Maximum()));
    SetMaximum(WideMaximum);
    SetMinimum(conversion_(masterAxis_->Minimum()));
    SetMaximum(conversion_(masterAxis_->Maximum()));
    SetNiceIncrement(*this);
}

void tScale::SetFollowsLive(bool on) {
    if (on == followsLive_) return;
    followsLive_ = on;
    if (!on) {
        SetRangeFollowing({});
    } else if (inverse_) {
        SetRangeFollowing(ConvertedFollowing(masterAxis_, ConvertedFrom().Conversion));
    } else {
        SetRangeFollowing(ConvertedFollowing(masterAxis_, conversion_));
    }
}

void tScale::SetAlignedToMaster(bool on) {
    AlignTo(on, alignedDecimals_);
}

void tScale::SetAlignedDecimals(std::int32_t decimals) {
    AlignTo(AlignedToMaster(), decimals);
}

void tScale::AlignTo(bool on, std::int32_t decimals) {
    // Checked while off too, since the scale keeps them for later.
    CheckAlignedDecimals(decimals);
    alignedDecimals_ = decimals;
    SetTickAlignment(on ? TTickAlignment{masterAxis_, conversion_, decimals} : TTickAlignment{});
}

std::string tScale::ToggleGrid() {
    gridOnScale_ = !gridOnScale_;
    TChartAxis& master = *masterAxis_;
    // Only a scale on its master's side trades places with it; across the plot both stay.
    const bool swap = BesideMaster();
    if (gridOnScale_) {
        Grid().SetVisible(true);
        master.Grid().SetVisible(false);
        if (swap) {
            SetPositionPercent(nearPositionPercent_);
            master.SetPositionPercent(farPositionPercent_);
        }
        return gridToScaleCaption_;
    }
    master.Grid().SetVisible(true);
    Grid().SetVisible(false);
    if (swap) {
        master.SetPositionPercent(nearPositionPercent_);
        SetPositionPercent(farPositionPercent_);
    }
    return gridToMasterCaption_;
}

}  // namespace twinscope
