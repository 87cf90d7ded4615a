#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "twinscope/chart/axes/AxisHost.h"
#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/axes/BoundSeries.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/CustomAxes.h"
#include "twinscope/chart/panel/CustomChartPanel.h"
#include "twinscope/chart/series/SeriesHost.h"

namespace twinscope {

class TChartSeries;

// The chart level that holds axes and series: the six standard axes in their fixed order, the
// custom axes after them, the series list, the colour palette, and the axis pass of a paint.
class TCustomAxisPanel;

namespace detail {
// Appends to the chart's series list without the add handling, for a companion series that
// must join silently (a series joining later finds itself listed and skips the rest).
void AppendSeriesDirectly(TCustomAxisPanel& chart, TChartSeries& series);
// The axis pass of a paint on its own, without drawing: the axes learn what their series tell
// them, prepare their ranges and take their room from the chart's plot rectangle as it stands
// (measured in `measure`; without one they take none), and the chart keeps the plot they leave.
void FitAxesIntoPlot(TCustomAxisPanel& chart, TCanvas3D* measure = nullptr);
// Single steps of that pass, for one axis: what its series tell it and the range it prepares,
// over the pixels it spanned in the last paint; its range mapped onto the edge of a plot
// rectangle; its end offsets once the plot is final.
void PrepareAxisRange(TCustomAxisPanel& chart, TChartAxis& axis);
void MapAxis(TCustomAxisPanel& chart, const TChartAxis& axis, const TRect& plot);
void ApplyAxisOffsets(TCustomAxisPanel& chart, TChartAxis& axis);
}  // namespace detail

class TCustomAxisPanel : public TCustomChartPanel, public TAxisHost, public TSeriesHost {
public:
    using SeriesListener = std::function<void(TChartSeriesEvent, TChartSeries&)>;
    using SeriesHandler = std::function<void(TChartSeries&)>;

    TCustomAxisPanel();
    ~TCustomAxisPanel() override;
    bool Destroying() const override { return destroying_; }

    // The panel's own, as its axes and series reach them.
    void Invalidate() override { TCustomChartPanel::Invalidate(); }
    bool Loading() const override { return TCustomChartPanel::Loading(); }
    const TRect& PlotRect() const override { return TCustomChartPanel::PlotRect(); }
    std::int32_t Width() const override { return TCustomChartPanel::Width(); }
    bool View3D() const override { return TCustomChartPanel::View3D(); }

    // Axes.
    TChartAxis& BottomAxis() const override { return *standard_[0]; }
    TChartAxis& TopAxis() const override { return *standard_[1]; }
    TChartAxis& LeftAxis() const override { return *standard_[2]; }
    TChartAxis& RightAxis() const override { return *standard_[3]; }
    TChartAxis& DepthAxis() const { return *standard_[4]; }
    TChartAxis& DepthTopAxis() const { return *standard_[5]; }
    // Every axis in layout and drawing order: the standard axes, then the custom axes in
    // creation order. The list does not own them.
    const std::vector<TChartAxis*>& Axes() const { return axes_; }
    TChartCustomAxes& CustomAxes() { return customAxes_; }
    const TChartCustomAxes& CustomAxes() const { return customAxes_; }
    TChartAxis& CustomAxis(std::ptrdiff_t index) const override {
        return customAxes_.Items(index);
    }
    std::ptrdiff_t CustomAxisIndex(const TChartAxis& axis) const override {
        return customAxes_.IndexOf(axis);
    }
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool b) { Set(axisVisible_, b); }
    // Axes drawn before the series (under them) rather than after.
    bool AxisBehind() const { return axisBehind_; }
    void SetAxisBehind(bool b) { Set(axisBehind_, b); }
    // Series drawn clipped to the plot rectangle.
    bool ClipPoints() const override { return clipPoints_; }
    void SetClipPoints(bool b) { Set(clipPoints_, b); }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool b) { Set(view3DWalls_, b); }

    // What the active series bound to an axis tell it: the extremes an automatic axis takes
    // (from those with points), the date-time flag, the labels style and the indexed points.
    TBoundSeries BoundSeriesOf(const TChartAxis& axis) const;
    // Tells every axis what its series tell it for this paint: once per paint, before anything
    // writes values as an axis writes its labels (the legend does, before the axes are laid out).
    void GatherBoundSeries();
    // Replaces the range an axis shows in this paint (a scale that follows its master live takes
    // the master's), over the same pixels; automatic ends are rounded again as the preparation
    // rounds them, and the axis's OnCurrentRangeChanged hears of it.
    void SetShownRange(TChartAxis& axis, TScaleRange range);
    // What the last paint computed for an axis: whether it showed, its series, its scale map and
    // where it stood; the empty value for an axis never painted.
    const TAxisPaint& AxisPaintOf(const TChartAxis& axis) const;
    const TScaleMap& ScaleMapOf(const TChartAxis& axis) const override {
        return AxisPaintOf(axis).Map;
    }

    // Series the chart owns (as their owner component). Owning does not list a series: it joins
    // the series list when its ParentChart is set.
    template <typename SeriesClass, typename... Args>
    SeriesClass& CreateSeries(Args&&... args) {
        auto series = std::make_unique<SeriesClass>(std::forward<Args>(args)...);
        SeriesClass& result = *series;
        ownedSeries_.push_back(std::move(series));
        return result;
    }
    // A series the chart owns and shows: created, then joined to the chart (ParentChart).
    template <typename SeriesClass, typename... Args>
    SeriesClass& AddNewSeries(Args&&... args) {
        SeriesClass& series = CreateSeries<SeriesClass>(std::forward<Args>(args)...);
        series.SetParentChart(this);
        return series;
    }
    // Destroys a series the chart owns; it leaves the series list first.
    void FreeSeries(TChartSeries& series);

    // The series list, in drawing order.
    const std::vector<TChartSeries*>& SeriesList() const { return seriesList_; }
    std::size_t SeriesCount() const { return seriesList_.size(); }
    TChartSeries& Series(std::size_t index) const { return *seriesList_[index]; }
    std::ptrdiff_t SeriesIndexOf(const TChartSeries& series) const override;
    bool HasActiveSeries() const;

    // Events.
    SeriesHandler OnAddSeries;
    SeriesHandler OnRemoveSeries;
    void AddSeriesListener(SeriesListener listener) { listeners_.push_back(std::move(listener)); }

    // Colour palette.
    std::int32_t ColorPaletteIndex() const { return colorPaletteIndex_; }
    // Copies the palette's colours and gives every series without its own colour a free one.
    void SetColorPaletteIndex(std::int32_t index);
    const std::vector<TColor>& ColorPalette() const { return palette_; }
    TColor PaletteColor(std::int32_t index) const override;
    // The next palette colour that no series other than `except` uses.
    TColor FreeSeriesColor(const TChartSeries* except) const override;
    // The back wall's colour, which series never take from the palette.
    virtual TColor BackWallColor() const = 0;

    // Whether an axis is shown in this paint: visible, and used by an active series (or no
    // series is active at all). Depth axes only show in 3D.
    bool IsAxisShown(const TChartAxis& axis) const;

protected:
    // Decides which axes show, prepares their ranges, lets each shown axis take its room from
    // the plot rectangle in list order (measured in `measure`; without one none takes any;
    // custom axes only place themselves beside the plot) and maps every axis onto what they
    // leave, which it returns. The axes must have been told what their series tell them in this
    // paint (GatherBoundSeries).
    TRect PlaceAxes(TCanvas3D* measure, const TRect& plot);
    // Once the plot is final: each axis widens its range by its end offsets, and each shown
    // axis's line stands on the plot's edge (where the mouse finds it too). An axis aligned to
    // a master takes the master's final labels, measured in `measure`.
    void FinishAxes(TCanvas3D& measure, const TRect& plot);
    // Custom axes on one side of the plot stand side by side: one that would reach into the
    // room of a custom axis before it on its side moves outwards past it. Answers how far they
    // reach past `room` on each side (left, top, right, bottom; 0 where they fit), the room the
    // plot must give up for them: the moved ones past any side, the others past a side where
    // `room` lies inside the paint bounds (a title or the legend stands there).
    TRect StackCustomAxes(TCanvas3D& measure, const TRect& room);

private:
    friend void detail::AppendSeriesDirectly(TCustomAxisPanel& chart, TChartSeries& series);
    friend void detail::FitAxesIntoPlot(TCustomAxisPanel& chart, TCanvas3D* measure);
    friend void detail::PrepareAxisRange(TCustomAxisPanel& chart, TChartAxis& axis);
    friend void detail::MapAxis(TCustomAxisPanel& chart, const TChartAxis& axis, const TRect& plot);
    friend void detail::ApplyAxisOffsets(TCustomAxisPanel& chart, TChartAxis& axis);
    // The chart's side of a series joining and leaving (a series' ParentChart setter).
    void AddSeries(TChartSeries& series) override;
    void RemoveSeries(TChartSeries& series) override;
    void BroadcastSeriesEvent(TChartSeriesEvent event, TChartSeries& series) override;
    // A range setter of an axis changed its range. No series class of this system reacts to
    // range changes, so what remains is the repaint.
    void AxisRangeChanged(TChartAxis& axis) override;
    void AxisCreated(TChartAxis& axis) override;
    void AxisDestroyed(TChartAxis& axis) override;
    // Maps the range an axis shows onto the edge of the given plot rectangle, as every paint
    // does once before and once after the axes take their room.
    void MapAxis(const TChartAxis& axis, const TRect& plot);
    void MapAxesOntoPlot(const TRect& plot);
    // Widens the range an axis shows by its end offsets once the plot is final, and moves its
    // title out past its labels when they are shown.
    void ApplyAxisOffsets(TChartAxis& axis);
    void ShowRange(TChartAxis& axis, TAxisPaint& paint, TScaleRange range);
    // Gives an axis aligned to a master the master's labels of this paint, as far as the
    // master's range and map are known; they are measured in `canvas` (none leaves no labels).
    void AlignTicks(const TChartAxis& axis, TAxisPaint& paint, TChartCanvas* canvas) const;

    bool destroying_ = false;
    bool axisVisible_ = true;
    bool axisBehind_ = true;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    std::vector<TChartAxis*> axes_;
    // Node-based: a paint value stays where it is while others join.
    std::unordered_map<const TChartAxis*, TAxisPaint> paints_;
    std::array<std::unique_ptr<TChartAxis>, 6> standard_;
    TChartCustomAxes customAxes_;
    std::vector<std::unique_ptr<TChartSeries>> ownedSeries_;
    std::vector<TChartSeries*> seriesList_;
    std::vector<SeriesListener> listeners_;
    std::int32_t colorPaletteIndex_;
    std::vector<TColor> palette_;
};

}  // namespace twinscope
