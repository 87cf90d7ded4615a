#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "twinscope/chart/axes/AxisHost.h"
#include "twinscope/chart/axes/AxisLabels.h"
#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/AxisTitle.h"
#include "twinscope/chart/axes/BoundSeries.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartCanvas;
struct TLabelIncrement;

// One axis of a chart: its range, the step between its labels, its orientation and place, and
// the parts it owns (labels settings, title, pens). The six standard axes are made by the
// chart; every other axis is a custom axis living in the chart's CustomAxes collection.
class TChartAxis {
public:
    enum class Kind : std::uint8_t { Standard, Custom };

    // Joins the chart's axis list (and, for a custom axis, takes no plot space). Custom axes are
    // made through the chart's CustomAxes collection, which owns them.
    TChartAxis(TAxisHost& chart, Kind kind);
    // Frees the owned parts, re-binds the chart's series that use this axis to the bottom or
    // left axis, and leaves the axis list.
    virtual ~TChartAxis();
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;

    TAxisHost& ParentChart() const { return chart_; }
    bool TakesPlotSpace() const { return kind_ == Kind::Standard; }

    // Range. Outside loading, the setters refuse an inverted range with AxisException; they
    // always refuse NaN and infinities.
    double Minimum() const { return minimum_; }
    void SetMinimum(double x);
    double Maximum() const { return maximum_; }
    void SetMaximum(double x);
    // Requested step between labels; 0 lets the label pass choose. Refuses negatives and NaN.
    double Increment() const { return increment_; }
    void SetIncrement(double x);
    // Sets both ends at once, widening first so that neither check can fail on a valid range.
    // The range given is the range shown: the three automatic flags go off.
    void SetMinMax(double minimum, double maximum);
    // Stores an end without the range check (mouse zoom and scroll, and their undo, whose ranges
    // are in order by construction); a change is still reported to the chart.
    void StoreMinimum(double x);
    void StoreMaximum(double x);

    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool b);
    bool AutomaticMinimum() const { return automaticMinimum_; }
    void SetAutomaticMinimum(bool b);
    bool AutomaticMaximum() const { return automaticMaximum_; }
    void SetAutomaticMaximum(bool b);
    // Clears the three automatic flags without a repaint request.
    void ClearAutomatic();
    bool MinimumRound() const { return minimumRound_; }
    void SetMinimumRound(bool b) { Set(minimumRound_, b); }
    bool MaximumRound() const { return maximumRound_; }
    void SetMaximumRound(bool b) { Set(maximumRound_, b); }
    std::int32_t MinimumOffset() const { return minimumOffset_; }
    void SetMinimumOffset(std::int32_t px) { Set(minimumOffset_, px); }
    std::int32_t MaximumOffset() const { return maximumOffset_; }
    void SetMaximumOffset(std::int32_t px) { Set(maximumOffset_, px); }

    // Orientation and place.
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool b);
    bool OtherSide() const { return otherSide_; }
    void SetOtherSide(bool b) { Set(otherSide_, b); }
    bool Inverted() const { return inverted_; }
    virtual void SetInverted(bool b) { Set(inverted_, b); }
    bool Visible() const { return visible_; }
    void SetVisible(bool b) { Set(visible_, b); }
    double PositionPercent() const { return positionPercent_; }
    void SetPositionPercent(double v) { Set(positionPercent_, v); }
    TChartUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TChartUnits u) { Set(positionUnits_, u); }
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double v) { Set(startPosition_, v); }
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double v) { Set(endPosition_, v); }
    double ZPosition() const { return zPosition_; }
    void SetZPosition(double v) { Set(zPosition_, v); }
    bool Logarithmic() const { return logarithmic_; }
    void SetLogarithmic(bool b);
    double LogarithmicBase() const { return logarithmicBase_; }
    void SetLogarithmicBase(double v) { Set(logarithmicBase_, v); }

    // Label texts.
    const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const std::string& f) { Set(axisValuesFormat_, f); }
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const std::string& f) { Set(dateTimeFormat_, f); }
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool b) { Set(exactDateTime_, b); }
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool b) { Set(tickOnLabelsOnly_, b); }
    bool GridCentered() const { return grid_.Centered(); }
    void SetGridCentered(bool b) { grid_.SetCentered(b); }
    bool UsePartnerAxis() const { return usePartnerAxis_; }
    void SetUsePartnerAxis(bool b) { Set(usePartnerAxis_, b); }

    // The labels object and the axis's republished views of it.
    TAxisLabels& Labels() { return labels_; }
    const TAxisLabels& Labels() const { return labels_; }
    TAxisItems& Items() { return items_; }
    const TAxisItems& Items() const { return items_; }
    TChartFont& LabelsFont() { return labels_.Font(); }
    const TChartFont& LabelsFont() const { return labels_.Font(); }
    std::int32_t LabelsSize() const { return labels_.Size(); }
    void SetLabelsSize(std::int32_t px) { labels_.SetSize(px); }

    // Created on first access; a new vertical title reads upwards (90) on the left axis or on
    // an axis of the near side, downwards (270) on the far side.
    TChartAxisTitle& Title();
    bool HasTitle() const { return title_ != nullptr; }
    // The title once created, else none; reading it never creates it.
    const TChartAxisTitle* CreatedTitle() const { return title_.get(); }
    std::int32_t TitleSize() const { return titleSize_; }
    void SetTitleSize(std::int32_t px) { Set(titleSize_, px); }

    // Pens and tick geometry.
    TChartAxisPen& Axis() { return axisPen_; }
    const TChartAxisPen& Axis() const { return axisPen_; }
    TAxisGridPen& Grid() { return grid_; }
    const TAxisGridPen& Grid() const { return grid_; }
    TChartHiddenPen& MinorGrid() { return minorGrid_; }
    const TChartHiddenPen& MinorGrid() const { return minorGrid_; }
    TTicks& Ticks() { return ticks_; }
    const TTicks& Ticks() const { return ticks_; }
    TTicks& TicksInner() { return ticksInner_; }
    const TTicks& TicksInner() const { return ticksInner_; }
    TTicks& MinorTicks() { return minorTicks_; }
    const TTicks& MinorTicks() const { return minorTicks_; }
    std::int32_t TickLength() const { return tickLength_; }
    void SetTickLength(std::int32_t v) { Set(tickLength_, v); }
    std::int32_t TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(std::int32_t v) { Set(tickInnerLength_, v); }
    std::int32_t MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(std::int32_t v) { Set(minorTickLength_, v); }
    std::int32_t MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(std::int32_t v) { Set(minorTickCount_, v); }

    // Per-paint range, written only by the range preparation.
    double CurrentMinimum() const { return currentMinimum_; }
    double CurrentMaximum() const { return currentMaximum_; }
    Extended RangeSpan() const { return rangeSpan_; }
    bool RangeIsZero() const { return rangeIsZero_; }
    // Turns the stored range into the range shown in this paint; an automatic end takes the
    // extreme of the series bound to the axis, as the chart told it for this paint.
    void PrepareRange();
    // Called after the range shown has been prepared for a paint and after every later change
    // of it in that paint; empty by default.
    std::function<void(TChartAxis&)> OnCurrentRangeChanged;

    // What the series bound to the axis tell it, as the chart gathered it for this paint.
    const TBoundSeries& BoundSeries() const { return boundSeries_; }
    // Whether an active series bound to the axis flags the values lying on it as date-time
    // values, as the chart gathered it for this paint.
    bool IsDateTimeAxis() const { return boundSeries_.DateTime; }

    // Per-paint geometry along the axis.
    bool AxisShown() const { return axisShown_; }
    std::int32_t StartPixel() const { return startPixel_; }
    std::int32_t EndPixel() const { return endPixel_; }
    std::int32_t AxisLength() const { return SaturatedPixel(std::int64_t{endPixel_} - startPixel_); }
    std::int32_t CenterPixel() const {
        return static_cast<std::int32_t>((std::int64_t{startPixel_} + endPixel_) / 2);
    }
    double PixelsPerUnit() const { return pixelsPerUnit_; }
    // Maps the axis onto the plot rectangle's edge along it, by StartPosition and EndPosition.
    void ComputePixelSpan(const TRect& plot);
    // Values grow to the right and upwards (against the direction when Inverted); the result is
    // clamped to -32767..32767. A zero range maps every value to the centre.
    std::int32_t ValueToPixel(double value) const { return valueToPixel_(*this, value); }
    double PixelToValue(std::int32_t pixel) const;

    // Whether this is one of the chart's depth axes (never shown in a 2D chart).
    virtual bool IsDepthAxis() const { return false; }

    // Expires when the axis is destroyed, so that owners outside the chart can tell.
    std::weak_ptr<const void> LifetimeToken() const { return lifetime_; }

protected:
    // Replaces the range shown in this paint (the end offsets widen it once the plot is final;
    // a scale that follows its master live takes the master's); automatic ends are rounded
    // again as PrepareRange rounds them.
    void SetCurrentRange(double minimum, double maximum);
    void Invalidate() const;
    template <typename T, typename U>
    void Set(T& field, U&& value) {
        if (StoreIfChanged(field, std::forward<U>(value))) Invalidate();
    }

private:
    // The per-paint state is written only by the chart's paint (through its host side) and, for
    // the end offsets, the axis layout.
    friend class TAxisHost;
    friend TAxisLayout WidenRangeForOffsets(TChartAxis& axis, TChartCanvas* canvas,
                                            const TAxisLayout& placed);
    // The label samples note the settings they were measured under.
    friend TLabelSample MeasureLabelSample(const TChartAxis& axis, TChartCanvas& canvas);
    friend TLabelIncrement LabelIncrementFrom(const TChartAxis& axis, TChartCanvas& canvas,
                                              const TLabelSample& measured);

    void SetAxisShown(bool b) { axisShown_ = b; }
    void SetBoundSeries(const TBoundSeries& series) { boundSeries_ = series; }
    // Counts the changes of the axis's settings and of its parts.
    std::uint64_t SettingsRevision() const { return settingsRevision_; }

    using ValueToPixelFn = std::int32_t (*)(const TChartAxis&, double);
    static std::int32_t HorizontalValueToPixel(const TChartAxis& axis, double value);
    static std::int32_t VerticalValueToPixel(const TChartAxis& axis, double value);
    std::int32_t ExtendedValueToPixel(double value) const;
    void SelectValueToPixel();
    void RefreshRangeSpan();
    void RoundAutomaticEnds();

    TAxisHost& chart_;
    Kind kind_;

    double minimum_ = 0;
    double maximum_ = 0;
    double increment_ = 0;
    bool automatic_ = true;
    bool automaticMinimum_ = true;
    bool automaticMaximum_ = true;
    bool minimumRound_ = false;
    bool maximumRound_ = false;
    std::int32_t minimumOffset_ = 0;
    std::int32_t maximumOffset_ = 0;
    bool horizontal_ = false;
    bool otherSide_ = false;
    bool inverted_ = false;
    bool visible_ = true;
    double positionPercent_ = 0;
    TChartUnits positionUnits_ = muPercent;
    double startPosition_ = 0;
    double endPosition_ = 100;
    double zPosition_ = 0;
    bool logarithmic_ = false;
    double logarithmicBase_ = 10;
    std::string axisValuesFormat_ = "#,##0.###";
    std::string dateTimeFormat_;
    bool exactDateTime_ = true;
    bool tickOnLabelsOnly_ = true;
    bool usePartnerAxis_ = false;
    std::int32_t titleSize_ = 0;
    std::int32_t tickLength_ = 4;
    std::int32_t tickInnerLength_ = 0;
    std::int32_t minorTickLength_ = 2;
    std::int32_t minorTickCount_ = 3;

    TAxisLabels labels_;
    TAxisItems items_;
    std::unique_ptr<TChartAxisTitle> title_;
    TChartAxisPen axisPen_;
    TAxisGridPen grid_;
    TChartHiddenPen minorGrid_;
    TTicks ticks_;
    TTicks ticksInner_;
    TTicks minorTicks_;

    double currentMinimum_ = 0;
    double currentMaximum_ = 0;
    Extended rangeSpan_ = 0;
    bool rangeIsZero_ = true;
    TBoundSeries boundSeries_;
    bool axisShown_ = false;
    std::int32_t startPixel_ = 0;
    std::int32_t endPixel_ = 0;
    double pixelsPerUnit_ = 0;
    ValueToPixelFn valueToPixel_ = nullptr;
    mutable std::uint64_t settingsRevision_ = 0;
    std::shared_ptr<const void> lifetime_ = std::make_shared<char>();
};

// The chart's two depth axes: hidden, shown only in 3D charts.
class TChartDepthAxis : public TChartAxis {
public:
    explicit TChartDepthAxis(TAxisHost& chart);
    bool IsDepthAxis() const override { return true; }
};

}  // namespace twinscope
