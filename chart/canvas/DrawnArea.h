#pragma once

#include <cstdint>
#include <vector>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// Where a frame drew since the area was cleared, as the rows each pixel column of the frame was
// drawn on between: a line series over a wide plot touches only a band of each column. Drawing
// outside the frame is left out, as it is on the frame's pixels.
class TWINSCOPE_EXPORT TDrawnArea {
public:
    // The columns of this many pixels side by side are answered as one rectangle.
    static constexpr std::int32_t TileWidth = 16;

    // Starts from nothing over a frame.
    void Clear(const TRect& frame);
    void Add(const TRect& rect);
    bool Empty() const { return first_ >= last_; }
    // Rectangles that hold everything added: for each tile of columns, the rows from the
    // highest to the lowest drawn in any of them.
    std::vector<TRect> Rects() const;

private:
    TRect frame_;
    // Per column of the frame, the first row drawn and the row past the last.
    std::vector<std::int32_t> tops_;
    std::vector<std::int32_t> bottoms_;
    // The columns drawn on lie between these, from the frame's left edge.
    std::int32_t first_ = 0;
    std::int32_t last_ = 0;
};

}  // namespace twinscope
