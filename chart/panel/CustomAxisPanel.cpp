#include "twinscope/chart/panel/CustomAxisPanel.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <system_error>

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
}

void TCustomAxisPanel::AxisRangeChanged(TChartAxis&) {
    Invalidate();
}

namespace {
// Only active series with points that are bound to the axis decide an automatic range.
bool DecidesRange(const TChartSeries& s, const TChartAxis& axis) {
    if (!s.Active() || s.PointCount() == 0) return false;
    return axis.Horizontal() ? s.UsesHorizAxis(axis) : s.UsesVertAxis(axis);
}
}  // namespace

double TCustomAxisPanel::MaxAxisValue(const TChartAxis& axis) const {
    std::optional<double> result;
    for (TChartSeries* s : seriesList_) {
        if (!DecidesRange(*s, axis)) continue;
        const double v = axis.Horizontal() ? s->MaxXValue() : s->MaxYValue();
        result = result ? std::max(*result, v) : v;
    }
    return result.value_or(0);
}

double TCustomAxisPanel::MinAxisValue(const TChartAxis& axis) const {
    std::optional<double> result;
    for (TChartSeries* s : seriesList_) {
        if (!DecidesRange(*s, axis)) continue;
        const double v = axis.Horizontal() ? s->MinXValue() : s->MinYValue();
        result = result ? std::min(*result, v) : v;
    }
    return result.value_or(0);
}

double TCustomAxisPanel::LabelStep(const TChartAxis& axis) const {
    // Without a canvas no label can be measured, so the set increment stands unenlarged (0,
    // when none is set, leaves the ends unrounded).
    if (TCanvas3D* canvas = Canvas()) return ComputeLabelIncrement(axis, *canvas);
    return axis.Increment();
}

void TCustomAxisPanel::FreeSeries(TChartSeries& series) {
    auto it = std::find_if(ownedSeries_.begin(), ownedSeries_.end(),
                           [&](const auto& owned) { return owned.get() == &series; });
    if (it == ownedSeries_.end()) return;
    auto doomed = std::move(*it);
    ownedSeries_.erase(it);
}

std::ptrdiff_t TCustomAxisPanel::SeriesIndexOf(const TChartSeries& series) const {
    auto it = std::find(seriesList_.begin(), seriesList_.end(), &series);
    return it == seriesList_.end() ? -1 : it - seriesList_.begin();
}

void detail::AppendSeriesDirectly(TCustomAxisPanel& chart, TChartSeries& series) {
    chart.seriesList_.push_back(&series);
}

void TCustomAxisPanel::AddSeries(TChartSeries& series) {
    if (SeriesIndexOf(series) >= 0) return;
    seriesList_.push_back(&series);
    series.JoinedChart();
    BroadcastSeriesEvent(seAdd, series);
    if (OnAddSeries) OnAddSeries(series);
    Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries& series) {
    const std::ptrdiff_t index = SeriesIndexOf(series);
    if (index < 0) return;
    BroadcastSeriesEvent(seRemove, series);
    series.chart_ = nullptr;
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
            series->effectiveColor_ = FreeSeriesColor(series);
        }
    }
    Invalidate();
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

void TCustomAxisPanel::MapAxesOntoPlot() {
    for (TChartAxis* axis : axes_)
        axis->ComputePixelSpan(PlotRect());
}

void TCustomAxisPanel::FitAxesIntoPlot(const ReserveAxisSpaceFn& reserve) {
    for (TChartAxis* axis : axes_) {
        axis->SetAxisShown(IsAxisShown(*axis));
        axis->PrepareRange();
    }
    MapAxesOntoPlot();
    TRect r = PlotRect();
    for (TChartAxis* axis : axes_) {
        if (!axis->AxisShown()) continue;
        if (!axis->TakesPlotSpace()) {
            // A custom axis only records where it stands beside the plot; it takes nothing.
            reserve(*axis, r);
            continue;
        }
        const TRect t = Intersect(reserve(*axis, r), r);
        if (!t.IsEmpty()) r = t;
    }
    SetPlotRect(r);
    MapAxesOntoPlot();
}

}  // namespace twinscope
