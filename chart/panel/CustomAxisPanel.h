#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "chart/axes/ChartAxis.h"
#include "chart/panel/CustomAxes.h"
#include "chart/panel/CustomChartPanel.h"

namespace twinscope {

// The chart level that holds axes (and series): the six standard axes in their fixed order,
// the custom axes after them, and the per-paint range preparation.
class TCustomAxisPanel : public TCustomChartPanel {
  public:
    TCustomAxisPanel();
    ~TCustomAxisPanel() override;

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

    // A range setter of an axis changed its range: the series hear of it, then a repaint.
    void AxisRangeChanged(TChartAxis& axis);

    // The extremes an automatic axis takes from the series bound to it; 0 without such series.
    double MaxAxisValue(const TChartAxis& axis) const;
    double MinAxisValue(const TChartAxis& axis) const;

    // The label step an axis rounds its automatic ends to. The label pass supplies it; until
    // an axis has a label pass the ends are not rounded.
    virtual double LabelStep(const TChartAxis& axis) const;

  private:
    friend class TChartAxis;
    void AxisCreated(TChartAxis& axis);
    void AxisDestroyed(TChartAxis& axis);

    bool axisVisible_ = true;
    std::vector<TChartAxis*> axes_;
    std::array<std::unique_ptr<TChartAxis>, 6> standard_;
    TChartCustomAxes customAxes_;
};

}  // namespace twinscope
