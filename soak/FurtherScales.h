#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {

// Scales the soak makes and frees on a chart besides the window's own, on every side and
// several on one side: through a conversion with its inverse (affine, a reciprocal with no value
// at zero that turns across it, a logarithm with none at or below zero) or without one, and the
// calendars below the dates that start again each year. A third of them align their ticks to
// their master's labels, and half follow it live.
class TFurtherScales {
public:
    static constexpr std::size_t Most = 4;
    // A whole number from the first to the second, both included.
    using TUniform = std::function<int(int, int)>;

    TFurtherScales(TChart& chart, TUniform uniform);

    // Makes a scale, or frees one (always when the chart holds the most). Answers what went
    // wrong, or nothing: a new scale may only be refused a range its conversion cannot give
    // (turned around, beyond the doubles), and live following only when the master already has
    // a live scale.
    std::string Change();
    // Every scale follows its master's range, as the window's own do at a plot, refused only
    // what Change may refuse.
    std::string FollowMasters();

private:
    TScaleConversion Conversion();

    TChart& chart_;
    TUniform uniform_;
    std::vector<TCustomAxisOwner<tScale>> scales_;
};

// The first label of a shown custom axis that stands off that axis, described; nothing when
// every label stands on its axis.
std::string LabelOffItsScale(const TChart& chart);

}  // namespace twinscope
