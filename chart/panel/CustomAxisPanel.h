#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/CustomAxes.h"
#include "twinscope/chart/panel/CustomChartPanel.h"

namespace twinscope {

class TChartSeries;

// What the chart tells its listeners about a series.
enum class TChartSeriesEvent : std::int32_t {
    seAdd = 0,
    seRemove = 1,
    seChangeTitle = 2,
    seChangeColor = 3,
    seChangeActive = 5,
    seDataChanged = 6,
    seRemoved = 7,
};
using enum TChartSeriesEvent;

// The chart level that holds axes and series: the six standard axes in their fixed order, the
// custom axes after them, the series list, the colour palette, and the axis pass of a paint.
class TCustomAxisPanel;

namespace detail {
// Appends to the chart's series list without the add handling, for a companion series that
// must join silently (a series joining later finds itself listed and skips the rest).
void AppendSeriesDirectly(TCustomAxisPanel& chart, TChartSeries& series);
}  // namespace detail

class TCustomAxisPanel : public TCustomChartPanel {
public:
    using SeriesListener = std::function<void(TChartSeriesEvent, TChartSeries&)>;
    using SeriesHandler = std::function<void(TChartSeries&)>;

    TCustomAxisPanel();
    ~TCustomAxisPanel() override;
    bool Destroying() const { return destroying_; }

    // Axes.
    TChartAxis& BottomAxis() const { return *standard_[0]; }
    TChartAxis& TopAxis() const { return *standard_[1]; }
    TChartAxis& LeftAxis() const { return *standard_[2]; }
    TChartAxis& RightAxis() const { return *standard_[3]; }
    TChartAxis& DepthAxis() const { return *standard_[4]; }
    TChartAxis& DepthTopAxis() const { return *standard_[5]; }
    // Every axis in layout and drawing order: the standard axes, then the custom axes in
    // creation order. The list does not own them.
    const std::vector<TChartAxis*>& Axes() const { return axes_; }
    TChartCustomAxes& CustomAxes() { return customAxes_; }
    const TChartCustomAxes& CustomAxes() const { return customAxes_; }
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool b) { Set(axisVisible_, b); }
    // Axes drawn before the series (under them) rather than after.
    bool AxisBehind() const { return axisBehind_; }
    void SetAxisBehind(bool b) { Set(axisBehind_, b); }
    // Series drawn clipped to the plot rectangle.
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool b) { Set(clipPoints_, b); }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool b) { Set(view3DWalls_, b); }

    // A range setter of an axis changed its range. No series class of this system reacts to
    // range changes, so what remains is the repaint.
    void AxisRangeChanged(TChartAxis& axis);
    // The extremes an automatic axis takes from the active series bound to it (those with
    // points); 0 without such series.
    double MaxAxisValue(const TChartAxis& axis) const;
    double MinAxisValue(const TChartAxis& axis) const;
    // The label step an automatic axis rounds its ends to: the increment of its label pass,
    // measured on the chart's canvas; 0 leaves them unrounded.
    virtual double LabelStep(const TChartAxis& axis) const;

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
    std::ptrdiff_t SeriesIndexOf(const TChartSeries& series) const;
    // The chart's side of a series joining and leaving (a series' ParentChart setter).
    void AddSeries(TChartSeries& series);
    void RemoveSeries(TChartSeries& series);
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
    TColor PaletteColor(std::int32_t index) const;
    // The next palette colour that no series other than `except` uses.
    TColor FreeSeriesColor(const TChartSeries* except) const;
    // The back wall's colour, which series never take from the palette.
    virtual TColor BackWallColor() const = 0;

    // Whether an axis is shown in this paint: visible, and used by an active series (or no
    // series is active at all). Depth axes only show in 3D.
    bool IsAxisShown(const TChartAxis& axis) const;
    // The axis pass of a paint: decides which axes show, prepares their ranges, lets each shown
    // axis take its space from the plot rectangle through `reserve` (given the axis and the
    // working rectangle, it returns what the axis leaves; custom axes are asked too, so they
    // can place themselves, but take nothing) and maps every axis onto the result.
    using ReserveAxisSpaceFn = std::function<TRect(TChartAxis&, const TRect&)>;
    void FitAxesIntoPlot(const ReserveAxisSpaceFn& reserve);

private:
    friend class TChartAxis;
    // A series reports its events to the chart's listeners.
    friend class TChartSeries;
    friend void detail::AppendSeriesDirectly(TCustomAxisPanel& chart, TChartSeries& series);
    void BroadcastSeriesEvent(TChartSeriesEvent event, TChartSeries& series);
    void AxisCreated(TChartAxis& axis);
    void AxisDestroyed(TChartAxis& axis);
    void MapAxesOntoPlot();

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
