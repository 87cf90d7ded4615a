#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TCustomAxisPanel;

// The side of the plot a scale stands on. Only bottom and left scales exist.
enum class tScaleSide : std::uint8_t { ssBottom = 0, ssLeft = 1, ssRight = 2, ssTop = 3 };
using enum tScaleSide;

// Maps a master axis value to a scale value.
using tConversion = std::function<double(double)>;

// A secondary scale: a custom axis beside a master axis (the chart's bottom or left axis)
// that shows the master's range in another unit, through a conversion. It carries one empty,
// invisible companion series so that the chart shows it, and it widens the chart margin on its
// side to make room. Scales are made through the chart's CustomAxes collection (see
// CreateOwnedAxis), which owns them; the companion series stays when a scale is freed.
class TWINSCOPE_EXPORT tScale : public TChartAxis {
public:
    // A right or top side shows "Right- & top-side scales not yet implemented" and raises the
    // silent abort before anything of the scale exists.
    tScale(TCustomAxisPanel& chart, tScaleSide side, const std::string& title,
           tConversion conversion, const std::string& gridToScaleCaption,
           const std::string& gridToMasterCaption, TColor colour);
    ~tScale() override;

    // Recomputes the range from the master's stored range and picks the increment.
    void FollowMaster();
    // Off by default: the scale follows when told (FollowMaster). While on, every paint gives
    // the scale the range its master shows (after zoom, undo zoom, scroll and automatic
    // ranges) through the conversion, and a new increment. The scale takes the master's
    // OnCurrentRangeChanged event for this: turning it on raises RuntimeError "The master axis
    // already has a handler of its shown range" when another scale or the program holds it.
    bool FollowsLive() const { return followsLive_; }
    void SetFollowsLive(bool on);
    // Moves the grid between the scale and its master and swaps their positions; returns the
    // caption for the command that did it.
    std::string ToggleGrid();

    bool GridOnScale() const { return gridOnScale_; }
    TChartAxis& MasterAxis() const { return *masterAxis_; }
    double NearPositionPercent() const { return nearPositionPercent_; }
    double FarPositionPercent() const { return farPositionPercent_; }
    const tConversion& Conversion() const { return conversion_; }
    const std::string& GridToScaleCaption() const { return gridToScaleCaption_; }
    const std::string& GridToMasterCaption() const { return gridToMasterCaption_; }

private:
    struct Placement {
        TChartAxis* master;
        double nearPositionPercent;
        double farPositionPercent;
    };
    static Placement PlaceOnSide(TCustomAxisPanel& chart, tScaleSide side);

    tScale(const Placement& placement, TCustomAxisPanel& chart, const std::string& title,
           tConversion conversion, const std::string& gridToScaleCaption,
           const std::string& gridToMasterCaption, TColor colour);
    void SetUpAxis(const std::string& title, tConversion conversion,
                   const std::string& gridToScaleCaption, const std::string& gridToMasterCaption,
                   TColor colour);
    void AddCompanionSeries(TCustomAxisPanel& chart);
    void FollowShownRange(const TScaleRange& shown);
    void ReleaseMaster();

    TCustomAxisPanel& panel_;
    bool gridOnScale_ = false;
    bool followsLive_ = false;
    std::weak_ptr<const void> masterLifetime_;
    TChartAxis* masterAxis_;
    double nearPositionPercent_;
    double farPositionPercent_;
    tConversion conversion_;
    std::string gridToScaleCaption_;
    std::string gridToMasterCaption_;
};

}  // namespace twinscope
