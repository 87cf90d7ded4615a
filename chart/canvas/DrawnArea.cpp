#include "twinscope/chart/canvas/DrawnArea.h"

#include <algorithm>
#include <limits>

namespace twinscope {

void TDrawnArea::Clear(const TRect& frame) {
    frame_ = frame;
    const auto width = static_cast<std::size_t>(std::max(frame.Width(), 0));
    tops_.assign(width, std::numeric_limits<std::int32_t>::max());
    bottoms_.assign(width, std::numeric_limits<std::int32_t>::min());
    first_ = static_cast<std::int32_t>(width);
    last_ = 0;
}

void TDrawnArea::Add(const TRect& rect) {
    const TRect within = Intersect(rect, frame_);
    if (within.IsEmpty()) return;
    const std::int32_t from = within.Left - frame_.Left;
    const std::int32_t to = within.Right - frame_.Left;
    for (std::int32_t x = from; x < to; ++x) {
        tops_[x] = std::min(tops_[x], within.Top);
        bottoms_[x] = std::max(bottoms_[x], within.Bottom);
    }
    first_ = std::min(first_, from);
    last_ = std::max(last_, to);
}

std::vector<TRect> TDrawnArea::Rects() const {
    std::vector<TRect> rects;
    for (std::int32_t tile = first_ / TileWidth * TileWidth; tile < last_; tile += TileWidth) {
        const std::int32_t end = std::min(tile + TileWidth, last_);
        std::int32_t top = std::numeric_limits<std::int32_t>::max();
        std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
        std::int32_t left = end;
        std::int32_t right = tile;
        for (std::int32_t x = std::max(tile, first_); x < end; ++x) {
            if (tops_[x] >= bottoms_[x]) continue;
            top = std::min(top, tops_[x]);
            bottom = std::max(bottom, bottoms_[x]);
            left = std::min(left, x);
            right = x + 1;
        }
        if (left < right) rects.push_back({frame_.Left + left, top, frame_.Left + right, bottom});
    }
    return rects;
}

}  // namespace twinscope
