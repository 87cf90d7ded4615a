#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TCustomAxisPanel;

// The side of the plot a scale stands on. Left and right scales follow the chart's left axis,
// bottom and top scales its bottom axis.
enum class tScaleSide : std::uint8_t { ssBottom = 0, ssLeft = 1, ssRight = 2, ssTop = 3 };
using enum tScaleSide;

// Maps a master axis value to a scale value.
using tConversion = std::function<double(double)>;

// A secondary scale: a custom axis beside a master axis (the chart's bottom or left axis)
// that shows the master's range in another unit, through a conversion. It carries one empty,
// invisible companion series so that the chart shows it, and it widens the chart margin on its
// side to make room. Scales are made through the chart's CustomAxes collection (see
// CreateOwnedAxis), which owns them; the companion series stays when a scale is freed.
//
// Given only the forward conversion, the scale spans the two converted ends of its master's
// range linearly, which is right for an affine conversion (°F to °C) and needs one that does
// not decrease. Given its inverse too, the scale labels values of its own unit (the 1-2-5 ladder
// for its own range, or powers of the base when the scale is logarithmic) each at the master's
// pixel of its inverse, so any monotonic conversion is labelled where its values lie; a
// decreasing one reads reversed, and values where the conversion is not finite are left out.
//
// A right or top scale stands on the far side of the plot from its master, next to the plot,
// with the margin on its side widened; one made beside a given axis stands beside it.
class TWINSCOPE_EXPORT tScale : public TChartAxis {
public:
    tScale(TCustomAxisPanel& chart, tScaleSide side, const std::string& title,
           tConversion conversion, const std::string& gridToScaleCaption,
           const std::string& gridToMasterCaption, TColor colour);
    tScale(TCustomAxisPanel& chart, tScaleSide side, const std::string& title, tConversion forward,
           tConversion inverse, const std::string& gridToScaleCaption,
           const std::string& gridToMasterCaption, TColor colour);
    // A scale beside any of the chart's four standard axes, on that axis's side, following it:
    // a right axis of another quantity (mm of rain beside °F) gets a scale in another unit.
    // Raises RuntimeError "A scale follows one of the chart's standard axes" for another axis.
    tScale(TCustomAxisPanel& chart, TChartAxis& master, const std::string& title,
           tConversion forward, tConversion inverse, const std::string& gridToScaleCaption,
           const std::string& gridToMasterCaption, TColor colour);
    ~tScale() override;

    // Recomputes the range from the master's stored range and picks the increment. Without an
    // inverse a range that the conversion turns around raises AxisException "Axis Maximum Value
    // must be >= Minimum"; with one the range is put in order, and a master range with no finite
    // converted value leaves the scale as it was.
    void FollowMaster();
    // Off by default: the scale follows when told (FollowMaster). While on, every paint gives
    // the scale the range its master shows (after zoom, undo zoom, scroll and automatic
    // ranges) through the conversion, and a new increment: the layout pulls it from the
    // master's shown range, and the scale's Minimum, Maximum and Increment read what the last
    // paint showed. Any number of scales may follow one master live.
    bool FollowsLive() const { return followsLive_; }
    void SetFollowsLive(bool on);
    // Off by default: the scale labels its own nice values. On, its ticks stand at its
    // master's labels of each paint, each reading the master's value converted, with
    // AlignedDecimals decimals (0 to 15, else AxisException "Aligned tick decimals must be 0 to
    // 15"), so that a grid on either lies on both.
    bool AlignedToMaster() const { return AlignsTicks(); }
    void SetAlignedToMaster(bool on);
    std::int32_t AlignedDecimals() const { return alignedDecimals_; }
    void SetAlignedDecimals(std::int32_t decimals);
    // Moves the grid between the scale and its master and swaps their positions; returns the
    // caption for the command that did it.
    std::string ToggleGrid();

    bool GridOnScale() const { return gridOnScale_; }
    TChartAxis& MasterAxis() const { return *masterAxis_; }
    double NearPositionPercent() const { return nearPositionPercent_; }
    double FarPositionPercent() const { return farPositionPercent_; }
    const tConversion& Conversion() const { return conversion_; }
    // Empty for a scale given no inverse.
    const tConversion& Inverse() const { return inverse_; }
    tScaleSide Side() const { return side_; }
    const std::string& GridToScaleCaption() const { return gridToScaleCaption_; }
    const std::string& GridToMasterCaption() const { return gridToMasterCaption_; }

private:
    struct Placement {
        TChartAxis* master;
        double nearPositionPercent;
        double farPositionPercent;
        tScaleSide side;
        bool besideMaster;
    };
    static Placement PlaceOnSide(TCustomAxisPanel& chart, tScaleSide side);
    static Placement PlaceBeside(TCustomAxisPanel& chart, TChartAxis& master);

    tScale(const Placement& placement, TCustomAxisPanel& chart, const std::string& title,
           tConversion forward, tConversion inverse, const std::string& gridToScaleCaption,
           const std::string& gridToMasterCaption, TColor colour);
    void SetUpAxis(const std::string& title, tConversion forward, tConversion inverse,
                   const std::string& gridToScaleCaption, const std::string& gridToMasterCaption,
                   TColor colour);
    // Whether the scale stands on its master's side of the plot, where the two trade places.
    bool BesideMaster() const { return besideMaster_; }
    void AddCompanionSeries(TCustomAxisPanel& chart);

    void AlignTo(bool on, std::int32_t decimals);

    std::int32_t alignedDecimals_ = 0;
    bool gridOnScale_ = false;
    bool followsLive_ = false;
    TChartAxis* masterAxis_;
    double nearPositionPercent_;
    double farPositionPercent_;
    tScaleSide side_;
    bool besideMaster_;
    tConversion conversion_;
    tConversion inverse_;
    std::string gridToScaleCaption_;
    std::string gridToMasterCaption_;
};

}  // namespace twinscope
