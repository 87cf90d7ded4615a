#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "twinscope/chart/axes/AxisHost.h"
#include "twinscope/chart/axes/AxisLabels.h"
#include "twinscope/chart/axes/AxisTitle.h"
#include "twinscope/chart/axes/BoundSeries.h"
#include "twinscope/chart/axes/CalendarLabels.h"
#include "twinscope/chart/axes/MasterReading.h"
#include "twinscope/chart/axes/RangeFollowing.h"
#include "twinscope/chart/axes/ScaleConversion.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/axes/TickAlignment.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// How value labels are written unless the axis says otherwise.
inline constexpr const char* DefaultAxisValuesFormat = "#,##0.###";

class TChartAxis;

// The master an axis places its values through, and the conversion from the master's values to
// the axis's own; no master maps the axis on its own.
struct TWINSCOPE_EXPORT TConvertedFrom {
    const TChartAxis* Master = nullptr;
    std::shared_ptr<const TScaleConversion> Conversion;
    friend bool operator==(const TConvertedFrom&, const TConvertedFrom&) = default;
};

// One axis of a chart: its range, the step between its labels, its orientation and place, and
// the parts it owns (labels settings, title, pens). The six standard axes are made by the
// chart; every other axis is a custom axis living in the chart's CustomAxes collection.
class TWINSCOPE_EXPORT TChartAxis {
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
    // Stores both ends without the range check (mouse zoom and scroll, and their undo, whose
    // ranges are in order by construction); a change is still reported to the chart.
    void StoreRange(TScaleRange range);

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
    // A logarithmic axis gives each power of its base the same room. Its range must lie above
    // zero: outside loading, turning it on over a fixed end at or below zero raises AxisException
    // "Axis range must be > 0 for a logarithmic axis" and leaves the axis linear, and so do the
    // range setters for such an end. Its automatic ends pass over values at or below zero.
    bool Logarithmic() const { return logarithmic_; }
    void SetLogarithmic(bool b);
    double LogarithmicBase() const { return logarithmicBase_; }
    // Refuses bases at or below 1 (and NaN, infinities) with AxisException "Axis logarithmic
    // base must be > 1".
    void SetLogarithmicBase(double v);

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
    // Dates labelled by their number in a calendar that starts again each year (the day of the
    // year, the ISO week, the month) rather than by their values; calNone by default.
    TCalendarLabels CalendarLabels() const { return calendarLabels_; }
    void SetCalendarLabels(TCalendarLabels c) { Set(calendarLabels_, c); }
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

    // The range this axis shows in a paint, before the end offsets widen it: the stored range,
    // except that an automatic end takes the extreme the series bound to the axis tell (and is
    // written into the stored range, unchecked and unreported). PreparedRange (AxisEnds.h)
    // tells the same without writing.
    TScaleRange PrepareRange(const TBoundSeries& series);
    // Called by the chart once a paint has laid its axes out, with the range this axis shows
    // in it (its automatic ends rounded, widened by its offsets, or followed from a master);
    // empty by default. The chart itself never handles it.
    std::function<void(TChartAxis&, const TScaleRange&)> OnCurrentRangeChanged;

    // The range of each paint taken from a master's (see TRangeFollowing); none (the default)
    // shows the axis's own. The master must outlive the axis, or the chart forgets the
    // following when the master goes.
    void SetRangeFollowing(TRangeFollowing following);
    const TRangeFollowing& RangeFollowing() const { return following_; }

    // How the axis spreads its values: a transform of its own when it has one, else
    // logarithmically or linearly. The transform is asked by the scale map, the labels, the
    // minor ticks, the automatic ends and the series' domain checks and interpolation.
    TScaleKind ScaleKind() const {
        return transform_ ? skTransformed : logarithmic_ ? skLogarithmic : skLinear;
    }
    // The transform in use: the axis's own, else the logarithm to its base or the identity.
    std::shared_ptr<const TAxisTransform> Transform() const;
    // A transform of the axis's own (a symmetric log, or any monotonic increasing pair); none
    // (the default) spreads the values by Logarithmic. Its ranges are checked against nothing:
    // a range with an end outside the transform's domain is shown linearly.
    void SetTransform(std::shared_ptr<const TAxisTransform> transform);
    // The user's pair: `forward` takes a value to its position, `inverse` back, over `domain`.
    // Refuses a missing function with AxisException "Axis transform needs both functions".
    void SetTransform(std::function<double(double)> forward, std::function<double(double)> inverse,
                      TTransformDomain domain = {});
    TScaleDirection Direction() const { return {horizontal_, inverted_}; }

    // An axis may place its values where a master axis places theirs: each value at the
    // master's pixel of the conversion's inverse, on the master's kind and direction. Its own
    // range, kind and base still choose its labels. The master must outlive the axis; none (the
    // default) maps the axis on its own.
    void SetConvertedFrom(TConvertedFrom from);
    const TConvertedFrom& ConvertedFrom() const { return convertedFrom_; }

    // The master this axis reads its values from, for readouts (see TMasterReading); none (the
    // default) for an axis of its own. Only readouts use it, so setting it requests no repaint.
    // The master must outlive the axis, or the chart forgets the reading when the master goes.
    void SetMasterReading(TMasterReading reading) { reading_ = std::move(reading); }
    const TMasterReading& MasterReading() const { return reading_; }

    // Ticks at the master's labels (see TTickAlignment); no master (the default) turns it off.
    // Refuses decimals outside 0 to 15, and a master without a conversion, with AxisException.
    void SetTickAlignment(TTickAlignment alignment);
    const TTickAlignment& TickAlignment() const { return tickAlignment_; }
    bool AlignsTicks() const { return tickAlignment_.Master != nullptr; }

    // Counts the changes of the axis's settings and of its parts.
    std::uint64_t SettingsRevision() const { return settingsRevision_; }

    // Whether this is one of the chart's depth axes (never shown in a 2D chart).
    virtual bool IsDepthAxis() const { return false; }

    // Expires when the axis is destroyed, so that owners outside the chart can tell.
    std::weak_ptr<const void> LifetimeToken() const { return lifetime_; }

protected:
    void Invalidate() const;
    template <typename T, typename U>
    void Set(T& field, U&& value) {
        if (StoreIfChanged(field, std::forward<U>(value))) Invalidate();
    }

private:
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
    std::shared_ptr<const TAxisTransform> transform_;
    // The logarithm to the base, made when first asked for.
    mutable std::shared_ptr<const TLogTransform> logTransform_;
    std::string axisValuesFormat_ = DefaultAxisValuesFormat;
    std::string dateTimeFormat_;
    bool exactDateTime_ = true;
    bool tickOnLabelsOnly_ = true;
    bool usePartnerAxis_ = false;
    TCalendarLabels calendarLabels_ = calNone;
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

    TConvertedFrom convertedFrom_;
    TTickAlignment tickAlignment_;
    TRangeFollowing following_;
    TMasterReading reading_;

    mutable std::uint64_t settingsRevision_ = 0;
    std::shared_ptr<const void> lifetime_ = std::make_shared<char>();
};

// The chart's two depth axes: hidden, shown only in 3D charts.
class TWINSCOPE_EXPORT TChartDepthAxis : public TChartAxis {
public:
    explicit TChartDepthAxis(TAxisHost& chart);
    bool IsDepthAxis() const override { return true; }
};

}  // namespace twinscope
