#pragma once

#include <memory>
#include <span>

#include "twinscope/chart/series/PointLender.h"
#include "twinscope/chart/series/ValueSpread.h"

namespace twinscope {

// Points that lie outside the series, as a mapped column file holds them: X values in
// ascending order, Y values, and the levels of the Y values' index of block extremes, shown
// read-only and without being copied. Lender keeps that memory while the series shows them
// and is asked before each paint whether it still holds them.
struct TBorrowedPoints {
    std::span<const double> Xs;
    std::span<const double> Ys;
    TValueSpread XExtremes;
    TValueSpread YExtremes;
    std::span<const std::span<const double>> YIndex;
    std::shared_ptr<TPointLender> Lender;
};

}  // namespace twinscope
