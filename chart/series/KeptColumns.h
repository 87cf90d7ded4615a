#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "twinscope/chart/series/ValueSpread.h"

namespace twinscope {

// The long pixel columns a line drew by in its last paint: where each column's points start
// and end, and the extremes of their values. Those follow from the values alone, so while the
// values stay the same the next paint takes a column from here wherever its points still make
// one column (in the same view, or one moved by whole pixels) instead of searching the X values
// and reading the index again; it only checks the column's ends against its own X map.
class TKeptColumns {
public:
    struct TColumn {
        std::int32_t Start;
        std::int32_t End;
        TValueSpread Spread;
    };
    // What the columns follow from: the values' changes, and whether the extremes come from
    // the index.
    struct TKey {
        std::uint64_t XChanges = 0;
        std::uint64_t YChanges = 0;
        bool Indexed = false;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    // A paint begins: the last paint's columns stay only when its values were the same.
    void Begin(const TKey& key) {
        if (key != key_) last_.clear();
        key_ = key;
        next_.clear();
        at_ = 0;
    }
    // The last paint's column that starts at point `start`, or null. Asked for ascending starts.
    const TColumn* StartingAt(std::int32_t start) {
        while (at_ < last_.size() && last_[at_].Start < start)
            ++at_;
        return at_ < last_.size() && last_[at_].Start == start ? &last_[at_] : nullptr;
    }
    // The column after the one StartingAt found last, or null.
    const TColumn* AfterFound() const { return at_ + 1 < last_.size() ? &last_[at_ + 1] : nullptr; }
    void Add(const TColumn& column) { next_.push_back(column); }
    // The paint's columns are the ones the next paint finds.
    void Finish() {
        last_.swap(next_);
        next_.clear();
    }

private:
    TKey key_;
    std::vector<TColumn> last_;
    std::vector<TColumn> next_;
    std::size_t at_ = 0;
};

}  // namespace twinscope
