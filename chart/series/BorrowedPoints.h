#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "twinscope/chart/series/PointLender.h"
#include "twinscope/chart/series/ValueSpread.h"

namespace twinscope {

// Points that lie outside the series, as a mapped column file holds them: X values in
// ascending order, Y values, the levels of the Y values' index of block extremes, and maybe
// the first X of every XBlockValues values, shown read-only and without being copied. Lender
// keeps that memory while the series shows them and is asked before each paint whether it
// still holds them.
struct TBorrowedPoints {
    std::span<const double> Xs;
    std::span<const double> Ys;
    TValueSpread XExtremes;
    TValueSpread YExtremes;
    std::span<const std::span<const double>> YIndex;
    std::shared_ptr<TPointLender> Lender;
    std::span<const double> XBlockFirsts;
    std::size_t XBlockValues = 0;
};

}  // namespace twinscope
