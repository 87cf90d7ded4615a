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
    // What the last paint computed for an axis: whether it showed, its series, its scale map,
    // where it stood and its scale division; the empty value for an axis never painted.
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
    // Lists a series without the add handling: no events, no palette colour, no repaint, for a
    // companion series that must join silently (setting its ParentChart afterwards finds it
    // listed and skips the rest).
    void ListSilently(TChartSeries& series) { seriesList_.push_back(&series); }
    // Destroys a series the chart owns; it leaves the series list first.
    void FreeSeries(TChartSeries& series);

    // Moves a listed series to a place in the list: the first draws beneath the others.
    void MoveSeriesTo(TChartSeries& series, std::size_t index);
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
    // What a paint's layout asks of the chart's own state once it is decided, before anything
    // is drawn: every axis stores the automatic ends it showed and a follower its master's
    // range and increment, the shown axes' automatic items are filled from their divisions,
    // and the layout is kept. Then every axis's OnCurrentRangeChanged hears of its range.
    void KeepAxesLayout(TChartLayout layout);

private:
    // The chart's side of a series joining and leaving (a series' ParentChart setter).
    void AddSeries(TChartSeries& series) override;
    void RemoveSeries(TChartSeries& series) override;
    void BroadcastSeriesEvent(TChartSeriesEvent event, TChartSeries& series) override;
    // A range setter of an axis changed its range. No series class of this system reacts to
    // range changes, so what remains is the repaint.
    void AxisRangeChanged(TChartAxis& axis) override;
    void AxisCreated(TChartAxis& axis) override;
    void AxisDestroyed(TChartAxis& axis) override;
    bool destroying_ = false;
    bool axisVisible_ = true;
    bool axisBehind_ = true;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    std::vector<TChartAxis*> axes_;
    std::array<std::unique_ptr<TChartAxis>, 6> standard_;
    TChartCustomAxes customAxes_;
    std::vector<std::unique_ptr<TChartSeries>> ownedSeries_;
    std::vector<TChartSeries*> seriesList_;
    std::vector<SeriesListener> listeners_;
    std::int32_t colorPaletteIndex_;
    std::vector<TColor> palette_;
};

}  // namespace twinscope
