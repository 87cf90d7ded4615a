#include "twinscope/chart/panel/CustomAxisPanel.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <system_error>

#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/panel/ColorPalette.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/UserSettings.h"

namespace twinscope {

TCustomAxisPanel::TCustomAxisPanel()
    : customAxes_(*this),
      colorPaletteIndex_(DefaultColorPaletteIndex),
      palette_(PaletteColors(DefaultColorPaletteIndex)) {
    // The user's preferred palette, when the chart editor's settings hold one.
    if (auto stored = CurrentUserSettings().ReadString("DefaultPalette")) {
        std::int32_t index = 0;
        const char* end = stored->data() + stored->size();
        const auto [stop, error] = std::from_chars(stored->data(), end, index);
        if (error == std::errc{} && stop == end) {
            colorPaletteIndex_ = index;
            palette_ = PaletteColors(index);
        }
    }
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
    destroying_ = true;
    SetRepaintOnChange(false);
    OnAddSeries = nullptr;
    OnRemoveSeries = nullptr;
    // Custom axes first (freeing one re-binds series to the standard axes), then the series,
    // then the standard axes with the members.
    customAxes_.Clear();
    while (!ownedSeries_.empty())
        ownedSeries_.pop_back();
    for (TChartSeries* series : std::vector<TChartSeries*>(seriesList_)) {
        series->SetParentChart(nullptr);
    }
}

void TCustomAxisPanel::AxisCreated(TChartAxis& axis) {
    axes_.push_back(&axis);
}

void TCustomAxisPanel::AxisDestroyed(TChartAxis& axis) {
    for (TChartSeries* series : seriesList_) {
        if (series->CustomHorizAxis() == &axis) series->BindCustomHorizAxis(nullptr);
        if (series->CustomVertAxis() == &axis) series->BindCustomVertAxis(nullptr);
    }
    axes_.erase(std::remove(axes_.begin(), axes_.end(), &axis), axes_.end());
    KeptLayout().Axes.erase(&axis);
    for (TChartAxis* other : axes_) {
        if (other->TickAlignment().Master == &axis) other->SetTickAlignment({});
        if (other->RangeFollowing().Master == &axis) other->SetRangeFollowing({});
        if (other->MasterReading().Master == &axis) other->SetMasterReading({});
    }
}

const TAxisPaint& TCustomAxisPanel::AxisPaintOf(const TChartAxis& axis) const {
    return Layout().Axis(axis);
}

void TCustomAxisPanel::AxisRangeChanged(TChartAxis&) {
    Invalidate();
}

namespace {
bool BoundToAxis(const TChartSeries& s, const TChartAxis& axis) {
    return axis.Horizontal() ? s.UsesHorizAxis(axis) : s.UsesVertAxis(axis);
}

// The X values of every series here lie on its horizontal axis; point texts stand in for
// values on that axis.
TAxisLabelStyle SeriesLabelStyle(const TChartSeries& s, const TChartAxis& axis) {
    return axis.Horizontal() && !s.Labels().empty() ? talText : talValue;
}

// Read in place: a bounded window keeps its values in chunks.
bool XValuesAreIndexes(const TChartSeries& s) {
    const TChartValueList& values = s.XValues();
    for (std::int32_t i = 0; i < values.Count(); ++i) {
        if (values.Value(i) != static_cast<double>(i)) return false;
    }
    return true;
}

// The smallest (or largest) value the axis's transform can place, for an automatic end of an
// axis whose transform has a domain (above zero on a logarithmic one).
std::optional<double> ExtremeInDomain(const TChartValueList& values, const TTransformDomain& domain,
                                      bool largest) {
    std::optional<double> extreme;
    for (std::int32_t i = 0; i < values.Count(); ++i) {
        const double v = values.Value(i);
        if (domain.Contains(v) && (!extreme || (largest ? v > *extreme : v < *extreme))) {
            extreme = v;
        }
    }
    return extreme;
}

// The smaller of two counts where 0 means none.
std::int32_t FewerPoints(std::int32_t a, std::int32_t b) {
    return a == 0 ? b : std::min(a, b);
}
}  // namespace

TBoundSeries TCustomAxisPanel::BoundSeriesOf(const TChartAxis& axis) const {
    TBoundSeries bound;
    // Extremes are looked up only for the ends the axis takes from its series: a series with
    // colours of its own has to search its values for them.
    const bool maximumWanted = axis.Automatic() || axis.AutomaticMaximum();
    const bool minimumWanted = axis.Automatic() || axis.AutomaticMinimum();
    const bool horizontal = axis.Horizontal();
    // An axis whose transform has a domain passes over the values outside it, which it cannot
    // show (those at or below zero on a logarithmic axis).
    const TTransformDomain domain = axis.Transform()->Domain();
    const bool restricted = domain != TTransformDomain{};
    std::optional<double> minimum;
    std::optional<double> maximum;
    bool styleFound = false;
    for (TChartSeries* s : seriesList_) {
        if (!s->Active() || !BoundToAxis(*s, axis)) continue;
        if (horizontal ? s->XValues().DateTime() : s->YValues().DateTime()) bound.DateTime = true;
        if (!styleFound) {
            bound.LabelStyle = SeriesLabelStyle(*s, axis);
            styleFound = bound.LabelStyle != talValue;
        }
        // Only series with points decide an automatic range.
        if (s->PointCount() == 0) continue;
        const TChartValueList& values = horizontal ? s->XValues() : s->YValues();
        if (maximumWanted || restricted) {
            std::optional<double> highest = horizontal ? s->MaxXValue() : s->MaxYValue();
            if (restricted && !domain.Contains(*highest)) {
                highest = ExtremeInDomain(values, domain, true);
                if (!highest) continue;
            }
            if (maximumWanted) maximum = maximum ? std::max(*maximum, *highest) : *highest;
        }
        if (minimumWanted) {
            std::optional<double> v = horizontal ? s->MinXValue() : s->MinYValue();
            if (restricted && !domain.Contains(*v)) v = ExtremeInDomain(values, domain, false);
            if (v) minimum = minimum ? std::min(*minimum, *v) : *v;
        }
    }
    bound.Minimum = minimum.value_or(0);
    bound.Maximum = maximum.value_or(0);

    // Whole label steps matter only where the label pass chooses the steps of numbers.
    if (horizontal && !bound.DateTime && axis.Increment() <= 0) {
        for (TChartSeries* s : seriesList_) {
            if (s->Active() && s->PointCount() > 0 && BoundToAxis(*s, axis) &&
                XValuesAreIndexes(*s)) {
                bound.IndexedPoints = FewerPoints(bound.IndexedPoints, s->PointCount());
            }
        }
    }
    return bound;
}

void TCustomAxisPanel::KeepAxesLayout(TChartLayout layout) {
    for (TChartAxis* axis : axes_) {
        const TAxisPaint& paint = layout.Axis(*axis);
        // An automatic end is written into the stored range, unchecked and unreported.
        axis->PrepareRange(paint.Series);
        if (paint.FollowedIncrement) {
            axis->StoreRange(paint.Map.Range());
            axis->SetIncrement(*paint.FollowedIncrement);
        }
        if (paint.Shown && axisVisible_) FillAutomaticItems(*axis, paint.Division);
    }
    KeepLayout(std::move(layout));
    for (TChartAxis* axis : std::vector<TChartAxis*>(axes_)) {
        if (axis->OnCurrentRangeChanged) axis->OnCurrentRangeChanged(*axis, ScaleMapOf(*axis).Range());
    }
}

void TCustomAxisPanel::FreeSeries(TChartSeries& series) {
    auto it = std::find_if(ownedSeries_.begin(), ownedSeries_.end(),
                           [&](const auto& owned) { return owned.get() == &series; });
    if (it == ownedSeries_.end()) return;
    auto doomed = std::move(*it);
    ownedSeries_.erase(it);
}

void TCustomAxisPanel::MoveSeriesTo(TChartSeries& series, std::size_t index) {
    const auto it = std::find(seriesList_.begin(), seriesList_.end(), &series);
    if (it == seriesList_.end()) return;
    seriesList_.erase(it);
    seriesList_.insert(
        seriesList_.begin() + static_cast<std::ptrdiff_t>(std::min(index, seriesList_.size())),
        &series);
    Invalidate();
}

std::ptrdiff_t TCustomAxisPanel::SeriesIndexOf(const TChartSeries& series) const {
    auto it = std::find(seriesList_.begin(), seriesList_.end(), &series);
    return it == seriesList_.end() ? -1 : it - seriesList_.begin();
}

void TCustomAxisPanel::AddSeries(TChartSeries& series) {
    if (SeriesIndexOf(series) >= 0) return;
    seriesList_.push_back(&series);
    SeriesJoined(series);
    BroadcastSeriesEvent(seAdd, series);
    if (OnAddSeries) OnAddSeries(series);
    Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries& series) {
    const std::ptrdiff_t index = SeriesIndexOf(series);
    if (index < 0) return;
    BroadcastSeriesEvent(seRemove, series);
    SeriesLeft(series);
    seriesList_.erase(seriesList_.begin() + index);
    if (OnRemoveSeries) OnRemoveSeries(series);
    BroadcastSeriesEvent(seRemoved, series);
    Invalidate();
}

bool TCustomAxisPanel::HasActiveSeries() const {
    return std::any_of(seriesList_.begin(), seriesList_.end(),
                       [](const TChartSeries* s) { return s->Active(); });
}

void TCustomAxisPanel::BroadcastSeriesEvent(TChartSeriesEvent event, TChartSeries& series) {
    if (destroying_) return;
    for (const SeriesListener& listener : listeners_)
        listener(event, series);
}

void TCustomAxisPanel::SetColorPaletteIndex(std::int32_t index) {
    colorPaletteIndex_ = index;
    palette_ = PaletteColors(index);
    for (TChartSeries* series : seriesList_) {
        if (series->StoredSeriesColor() == clDefault) {
            GiveSeriesColor(*series, FreeSeriesColor(series));
        }
    }
    SettingsChanged();
}

TColor TCustomAxisPanel::PaletteColor(std::int32_t index) const {
    if (palette_.empty()) return clBlack;
    return palette_[static_cast<std::size_t>(index) % palette_.size()];
}

TColor TCustomAxisPanel::FreeSeriesColor(const TChartSeries* except) const {
    std::vector<TColor> used;
    for (const TChartSeries* s : seriesList_) {
        if (s != except) used.push_back(s->SeriesColor());
    }
    return NextFreeColor(palette_, used, Color(), BackWallColor(), seriesList_.size());
}

bool TCustomAxisPanel::IsAxisShown(const TChartAxis& axis) const {
    if (!axisVisible_ || !axis.Visible()) return false;
    if (axis.IsDepthAxis()) return View3D();
    if (!HasActiveSeries()) return true;
    for (const TChartSeries* s : seriesList_) {
        if (!s->Active()) continue;
        if (!s->UseAxis()) return false;
        if (axis.Horizontal() ? s->UsesHorizAxis(axis) : s->UsesVertAxis(axis)) return true;
    }
    return false;
}

}  // namespace twinscope
