#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/ChartBrush.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/chart/series/BorrowedPoints.h"
#include "twinscope/chart/series/ChartValueList.h"
#include "twinscope/chart/series/SeriesHost.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TCanvas3D;
class TChartAxis;

enum class THorizAxis : std::uint8_t { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
using enum THorizAxis;
enum class TVertAxis : std::uint8_t { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
using enum TVertAxis;

// How points coloured clNone (gaps) are drawn and counted.
enum class TTreatNullsStyle : std::uint8_t { tnDontPaint, tnSkip, tnIgnore };
using enum TTreatNullsStyle;

// What a series tells the series that depend on it.
enum TNotifyCode : std::int32_t {
    NotifyCleared = 0,
    NotifyAdded = 1,
    NotifyRemoved = 2,
    NotifyRefreshed = 3,
    NotifyValueChanged = 4,
};

// A component a series takes its data from: another series, or a source known only by its
// name. This system names data sources but fetches nothing from them.
struct TWINSCOPE_EXPORT TSeriesDataSource {
    std::string Name;
    bool IsSeries = false;
    friend bool operator==(const TSeriesDataSource&, const TSeriesDataSource&) = default;
};

// The legend entry of a series: whether it is listed, and an optional own text.
struct TWINSCOPE_EXPORT TSeriesLegend {
    bool Visible = true;
    std::string Text;
};

// A chart element that the chart draws: active flag, pen, brush and its chart.
class TWINSCOPE_EXPORT TCustomChartElement {
public:
    TCustomChartElement();
    virtual ~TCustomChartElement() = default;
    TCustomChartElement(const TCustomChartElement&) = delete;
    TCustomChartElement& operator=(const TCustomChartElement&) = delete;

    bool Active() const { return active_; }
    void SetActive(bool b);
    TChartPen& Pen() { return pen_; }
    const TChartPen& Pen() const { return pen_; }
    TChartBrush& Brush() { return brush_; }
    const TChartBrush& Brush() const { return brush_; }
    bool ShowInEditor() const { return showInEditor_; }
    void SetShowInEditor(bool b) { showInEditor_ = b; }
    TSeriesHost* ParentChart() const { return chart_; }

    // Asks the chart, if any, to repaint.
    void Repaint() const;
    // Counts the repaints the element asked for, with a chart or without one: every change of
    // a setting that can change a picture, and the changes of points that ask for a repaint.
    std::uint64_t SettingsRevision() const { return settingsRevision_; }

protected:
    virtual void ActiveChanged() {}
    // A change that a picture shows but that asks for no repaint.
    void CountChange() const { ++settingsRevision_; }
    TSeriesHost* chart_ = nullptr;

private:
    bool active_ = true;
    bool showInEditor_ = true;
    mutable std::uint64_t settingsRevision_ = 0;
    TChartPen pen_;
    TChartBrush brush_;
};

// A series with a legend entry and an identifier.
class TWINSCOPE_EXPORT TCustomChartSeries : public TCustomChartElement {
public:
    const std::string& Identifier() const { return identifier_; }
    void SetIdentifier(const std::string& id) { identifier_ = id; }
    // Style flags of the series; only the low six bits are kept.
    std::int32_t Style() const { return style_; }
    void SetStyle(std::int32_t flags) { style_ = flags & 0x3F; }

    // Listed in the legend unless its legend entry is hidden.
    bool ShowInLegend() const { return !legend_ || legend_->Visible; }
    void SetShowInLegend(bool b);
    std::string LegendTitle() const { return legend_ ? legend_->Text : std::string(); }
    void SetLegendTitle(const std::string& text);

private:
    TSeriesLegend& Legend();
    std::string identifier_;
    std::int32_t style_ = 0;
    std::unique_ptr<TSeriesLegend> legend_;
};

// A series of points: value lists kept in step, per-point colours and labels, binding to the
// chart's axes, colour, transparency and the notifications that make the chart repaint.
class TWINSCOPE_EXPORT TChartSeries : public TCustomChartSeries {
public:
    using BeforeAddHandler = std::function<bool(TChartSeries&)>;
    using AfterAddHandler = std::function<void(TChartSeries&, std::int32_t index)>;
    using ClearValuesHandler = std::function<void(TChartSeries&)>;
    using DependentNotice = std::function<void(TChartSeries&, TNotifyCode, std::int32_t)>;

    TChartSeries();
    // Clears the points and leaves the chart.
    ~TChartSeries() override;

    // Value lists: index 0 is XValues, index 1 is YValues.
    const std::vector<TChartValueList*>& ValueLists() const { return valueLists_; }
    TChartValueList& XValues() { return xValues_; }
    const TChartValueList& XValues() const { return xValues_; }
    TChartValueList& YValues() { return yValues_; }
    const TChartValueList& YValues() const { return yValues_; }
    TChartValueList& OrderList() { return xValues_; }
    const TChartValueList& OrderList() const { return xValues_; }
    TChartValueList& PrimaryList() { return yValues_; }
    const TChartValueList& PrimaryList() const { return yValues_; }
    bool YPrimary() const { return true; }

    // Points.
    std::int32_t PointCount() const { return xValues_.Count(); }
    std::int32_t AddPoint(double x, double y, const std::string& label = {},
                          TColor colour = clDefault);
    std::int32_t AddValue(double value, const std::string& label = {}, TColor colour = clDefault);
    std::int32_t AddGap(const std::string& label = {});
    std::int32_t AddGapPoint(double x, double y, const std::string& label = {});
    // Raises RuntimeError "Series Delete: ValueIndex %d out of bounds (0 to %d)." for an
    // index outside the points.
    virtual void RemovePoint(std::int32_t index);
    virtual void ClearPoints();
    // Appends many points in one batch; X values must not break XValues' order (checked).
    // Costs linear time: storage is reserved once and no per-point notice runs.
    void AppendPoints(std::span<const double> xs, std::span<const double> ys);
    void ReservePoints(std::size_t count);
    // Shows points that lie elsewhere in place of the series' own, without copying them; a
    // change of a point copies them in. Raises RuntimeError when X and Y differ in length.
    void ShowBorrowedPoints(const TBorrowedPoints& points);
    // A bounded window: with a count above 0 the series keeps only that many of its points,
    // the oldest (first in X order) going as new ones come, at a constant cost per point in
    // the long run. 0 keeps every point.
    std::int32_t KeepLast() const { return keepLast_; }
    void SetKeepLast(std::int32_t count);

    void BeginBatch() { ++batchDepth_; }
    void EndBatch();
    std::int32_t BatchDepth() const { return batchDepth_; }

    // Per-point colours and labels.
    bool HasPointColors() const { return pointColors_.has_value(); }
    TColor StoredColor(std::int32_t index) const;
    TColor PointColor(std::int32_t index) const;
    // A gap: coloured clNone, or without a value on the axes.
    bool IsGap(std::int32_t index) const { return PointColor(index) == clNone || !HasValue(index); }
    // Whether X and Y of the point have a place on the axes in the paint in progress: a value
    // that is not a number has none, nor has one outside the axis's domain (at or below zero on
    // a logarithmic axis).
    bool HasValue(std::int32_t index) const;
    const std::vector<std::string>& Labels() const { return labels_; }
    std::string Label(std::int32_t index) const;

    // Colour and appearance.
    TColor SeriesColor() const {
        return seriesColor_ == clDefault ? effectiveColor_ : seriesColor_;
    }
    TColor StoredSeriesColor() const { return seriesColor_; }
    // Counts every change of the series a picture can show: its settings, its colour and its
    // points, also those made straight in its value lists.
    std::uint64_t ContentRevision() const;
    virtual void SetSeriesColor(TColor c);
    bool ColorEachPoint() const { return colorEachPoint_; }
    void SetColorEachPoint(bool b);
    std::int32_t Transparency() const { return transparency_; }
    virtual void SetTransparency(std::int32_t percent);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // The name, or "Series" and the 1-based place in the chart's list when unnamed.
    std::string DisplayName() const;
    // The name the legend lists: its legend title, else its title, else its display name.
    std::string ListedName() const;
    const std::string& ValueFormat() const { return Seldom().ValueFormat; }
    void SetValueFormat(const std::string& f) { SeldomToWrite().ValueFormat = f; }
    const std::string& PercentFormat() const { return Seldom().PercentFormat; }
    void SetPercentFormat(const std::string& f) { SeldomToWrite().PercentFormat = f; }
    // How a readout reads a point's X where the series draws it at another X than the one it
    // stands for: a year laid over others draws each day at its slot of a shared calendar. The
    // readout's scales beside the horizontal axis read the X it stands for, and the axis
    // itself shows Text (empty: that X as the axis labels it). None (the default): the point
    // reads its own X. Only readouts use it, so setting it requests no repaint.
    struct TXReadout {
        double X = 0;
        std::string Text;
    };
    using TXReadoutOf = std::function<TXReadout(double x)>;
    const TXReadoutOf& XReadout() const { return Seldom().XReadout; }
    void SetXReadout(TXReadoutOf readout) { SeldomToWrite().XReadout = std::move(readout); }
    // The low end of the range a point spans, for series whose points are ranges (a band's
    // low value; its Y value is the high end); none for series of single values, and for
    // points out of range.
    virtual std::optional<double> RangeLow(std::int32_t) const { return std::nullopt; }
    std::int32_t Depth() const { return depth_; }
    void SetDepth(std::int32_t d) { depth_ = d; }
    TTreatNullsStyle TreatNulls() const { return treatNulls_; }
    void SetTreatNulls(TTreatNullsStyle t);

    // Chart and axes.
    virtual void SetParentChart(TSeriesHost* chart);
    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis a);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis a);
    // The bound custom axes; nullptr once freed.
    TChartAxis* CustomHorizAxis() const {
        return customHorizAlive_.expired() ? nullptr : customHorizAxis_;
    }
    TChartAxis* CustomVertAxis() const {
        return customVertAlive_.expired() ? nullptr : customVertAxis_;
    }
    void BindCustomHorizAxis(TChartAxis* axis);
    void BindCustomVertAxis(TChartAxis* axis);
    TChartAxis* ResolvedHorizAxis() const { return resolvedHorizAxis_; }
    TChartAxis* ResolvedVertAxis() const { return resolvedVertAxis_; }
    void ResolveAxes();
    // A series that uses no axes at all hides every axis while it is active.
    virtual bool UseAxis() const { return true; }
    bool UsesHorizAxis(const TChartAxis& axis) const;
    bool UsesVertAxis(const TChartAxis& axis) const;
    // While the stored form is read, a standard axis setting keeps a custom binding.
    bool LoadingFromStream() const { return loadingFromStream_; }
    void SetLoadingFromStream(bool b) { loadingFromStream_ = b; }
    bool LoadedFromStream() const { return loadedFromStream_; }
    void SetLoadedFromStream(bool b) { loadedFromStream_ = b; }
    bool StoreXValues() const { return storeXValues_; }
    void SetStoreXValues(bool b) { storeXValues_ = b; }
    // Switches deciding whether the points are stored with the window.
    bool ForceStoreData() const { return forceStoreData_; }
    void SetForceStoreData(bool b) { forceStoreData_ = b; }
    bool NeverStoreData() const { return neverStoreData_; }
    void SetNeverStoreData(bool b) { neverStoreData_ = b; }

    const std::vector<TSeriesDataSource>& DataSources() const { return Seldom().DataSources; }
    void AddDataSource(const TSeriesDataSource& source) {
        SeldomToWrite().DataSources.push_back(source);
    }

    // Extremes that automatic axes take.
    virtual double MaxXValue();
    virtual double MinXValue();
    virtual double MaxYValue();
    virtual double MinYValue();

    // Pixel mapping through the scale maps of the resolved axes in the paint in progress: the
    // series takes them from its chart when it computes its shown range, so every point of a
    // paint maps through the same maps, and the mouse finds the points where that paint drew
    // them. Without an axis or a chart everything maps to 0.
    const TScaleMap& XMap() const { return xMap_; }
    const TScaleMap& YMap() const { return yMap_; }
    std::int32_t XPixel(std::int32_t index) const;
    std::int32_t YPixel(std::int32_t index) const;
    std::int32_t XPixelOfValue(double v) const;
    std::int32_t YPixelOfValue(double v) const;
    double XValueOfPixel(std::int32_t p) const;
    double YValueOfPixel(std::int32_t p) const;

    // Takes the scale maps of the resolved axes for the paint in progress, then the range of
    // point indexes that drawing visits, from the chart's plot rectangle.
    virtual void ComputeShownRange();
    std::int32_t FirstShownIndex() const { return firstShown_; }
    // The first index from `from` on whose X value is at or beyond `value` (PointCount() when
    // none is): ascending X values are searched by halves, other orders walked as they lie.
    std::int32_t FirstXNotBelow(double value, std::int32_t from = 0) const;
    // Whether the points lie elsewhere, as ShowBorrowedPoints put them, and none was changed.
    bool BorrowedPointsShown() const { return lender_ && xValues_.Borrowed() && yValues_.Borrowed(); }
    std::int32_t LastShownIndex() const { return lastShown_; }
    bool RestrictToVisiblePoints() const { return restrictToVisible_; }
    void SetRestrictToVisiblePoints(bool b) { restrictToVisible_ = b; }

    // Drawing, run by the chart after ComputeShownRange: every point of the shown range is
    // visited once, in the order DrawForward gives.
    virtual void DrawAllPoints(TCanvas3D& canvas);
    // Draws point index and what ends at it. A plain series has nothing to draw.
    virtual void DrawPoint(TCanvas3D&, std::int32_t) {}
    // Upwards through the indexes, unless the horizontal axis runs right to left.
    virtual bool DrawForward() const;
    // Run by the chart once the series has drawn: the lender of borrowed points hears what
    // was read.
    void DrawingDone();

    // Events and dependents.
    BeforeAddHandler OnBeforeAdd;
    AfterAddHandler OnAfterAdd;
    ClearValuesHandler OnClearValues;
    void AddDependent(DependentNotice notice) { dependents_.push_back(std::move(notice)); }
    void NotifyDependents(TNotifyCode code, std::int32_t index);

private:
    // The shown range from the plot rectangle.
    void FindShownRange();
    bool BorrowedPointsReady();
    std::shared_ptr<TPointLender> lender_;
    std::vector<std::int32_t> drawnColumns_;
    // The first X of every xBlockValues_ borrowed points, when they came with them.
    std::span<const double> xBlockFirsts_;
    std::size_t xBlockValues_ = 0;

protected:
    // The joined-chart step: the series has just been appended to a chart's list.
    virtual void JoinedChart();
    // Keeps a shown range wider where a subclass draws beyond the points (line series).
    virtual void WidenShownRange() {}
    // AppendPoints with the values of the further value lists (index 2 on), in their order,
    // each as long as xs; lists not given get values that are not numbers. Lengths are the
    // caller's to check.
    void AppendPointsWith(std::span<const double> xs, std::span<const double> ys,
                          std::span<const std::span<const double>> further);
    void SetShownRange(std::int32_t first, std::int32_t last) {
        firstShown_ = first;
        lastShown_ = last;
    }
    // A pixel column drawn from its first point on: the lender of borrowed points hears the
    // columns of a frame, from which it asks ahead for those a pan brings in next.
    void NoteDrawnColumn(std::int32_t first) {
        if (lender_) drawnColumns_.push_back(first);
    }

private:
    friend class TChartValueList;
    friend class TSeriesHost;
    void SortPointsBy(const TChartValueList& list);
    void SendEvent(TChartSeriesEvent event);
    void AfterAdd(std::int32_t index);
    // Lets the oldest points go beyond KeepLast; returns how many went.
    std::int32_t DropOverflow();

    // The extremes of the Y values of the points that are drawn, kept until the Y values, the
    // point colours or the series colour change.
    struct DrawnExtremes {
        bool valid = false;
        std::uint64_t yChanges = 0;
        std::uint64_t colourChanges = 0;
        TColor seriesColor = clDefault;
        double max = 0;
        double min = 0;
    };
    const DrawnExtremes& DrawnYExtremes();
    // Whether the extremes take every point: no point is a gap, or gaps count as points.
    bool EveryPointDrawn() const;
    // The colour a series without its own takes from its chart.
    void SetEffectiveColor(TColor color);
    // A custom axis freed while the series was away from its chart is let go.
    void DropFreedCustomAxes();

    // Settings few series change from their defaults, kept apart from the series until one is
    // written, so that the many series that never hold a point (the companions of scales) stay
    // small.
    struct TSeldomSettings {
        std::string ValueFormat = "#,##0.###";
        std::string PercentFormat = "##0.## %";
        std::vector<TSeriesDataSource> DataSources;
        TXReadoutOf XReadout;
    };
    const TSeldomSettings& Seldom() const;
    TSeldomSettings& SeldomToWrite();

    std::vector<TChartValueList*> valueLists_;
    TChartValueList xValues_;
    TChartValueList yValues_;
    std::vector<std::string> labels_;
    std::optional<std::vector<TColor>> pointColors_;
    std::uint64_t colourChanges_ = 0;
    DrawnExtremes drawnYExtremes_;
    TColor seriesColor_ = clDefault;
    TColor effectiveColor_ = clDefault;
    std::int32_t transparency_ = 0;
    std::string title_;
    std::string name_;
    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    TChartAxis* customHorizAxis_ = nullptr;
    TChartAxis* customVertAxis_ = nullptr;
    // Expire with the custom axes, which a chart frees also while the series is not in it.
    std::weak_ptr<const void> customHorizAlive_;
    std::weak_ptr<const void> customVertAlive_;
    TChartAxis* resolvedHorizAxis_ = nullptr;
    TChartAxis* resolvedVertAxis_ = nullptr;
    TScaleMap xMap_;
    TScaleMap yMap_;
    bool colorEachPoint_ = false;
    std::unique_ptr<TSeldomSettings> seldom_;
    std::int32_t depth_ = -1;
    std::int32_t batchDepth_ = 0;
    std::int32_t keepLast_ = 0;
    std::int32_t firstShown_ = -1;
    std::int32_t lastShown_ = -1;
    bool restrictToVisible_ = true;
    bool loadingFromStream_ = false;
    bool loadedFromStream_ = false;
    bool storeXValues_ = true;
    bool forceStoreData_ = false;
    bool neverStoreData_ = false;
    TTreatNullsStyle treatNulls_ = tnDontPaint;
    std::vector<DependentNotice> dependents_;
};

}  // namespace twinscope
