#pragma once

#include <cstdint>
#include <span>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Keeps the memory of points that a series shows without holding them (a mapped column file),
// and is asked before each paint whether they are still there.
class TWINSCOPE_EXPORT TPointLender {
public:
    virtual ~TPointLender() = default;
    // False when the points can no longer be read (the file was shortened): the series then
    // draws nothing, and the lender says why to whoever watches it.
    virtual bool ReadyToDraw() = 0;
    // The points [first, last] are about to be drawn: what a pan reads next can be asked for
    // ahead.
    virtual void WillDraw(std::int32_t first, std::int32_t last) = 0;
    // The points [first, last] were drawn, by pixel columns starting at `columnStarts`
    // (ascending, the last drawn point's successor last; empty when every point was drawn):
    // what the next frames read can be asked for ahead, and what they will not let go.
    virtual void DidDraw(std::int32_t first, std::int32_t last,
                         std::span<const std::int32_t> columnStarts) {
        (void)first;
        (void)last;
        (void)columnStarts;
    }
};

}  // namespace twinscope
