#include "twinscope/chart/series/ChartValueList.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/series/PrefetchLine.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

TChartValueList::TChartValueList(TChartSeries* owner, std::string name)
    : name_(std::move(name)), owner_(owner) {
    if (owner_) owner_->valueLists_.push_back(this);
    ClearAll();
}

void TChartValueList::SetDateTime(bool b) {
    if (StoreIfChanged(dateTime_, b) && owner_) owner_->Repaint();
}

void TChartValueList::SetValueSource(const std::string& source) {
    // Data sources are only named in this system: there is nothing to fetch from them.
    valueSource_ = source;
}

void TChartValueList::Assign(const TChartValueList& other) {
    order_ = other.order_;
    SetDateTime(other.dateTime_);
    valueSource_ = other.valueSource_;
}

void TChartValueList::OwnValues() {
    if (!values_.Borrowed()) return;
    try {
        values_.Own();
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(static_cast<std::size_t>(valueCount_));
    }
    extremesIndex_.Clear(false);
}

void TChartValueList::Borrow(std::span<const double> values, const TValueSpread& extremes,
                             std::span<const std::span<const double>> index,
                             std::shared_ptr<const void> lender) {
    ClearAll();
    values_.Borrow(values, lender);
    if (!index.empty()) extremesIndex_.Borrow(index, std::move(lender));
    valueCount_ = static_cast<std::int32_t>(values.size());
    sumsStale_ = true;
    ++changes_;
    // The extremes come with the values, so that no axis reads them all.
    extremesStale_ = false;
    extremesFound_ = !extremes.notANumber && !values.empty();
    cachedMin_ = extremesFound_ ? extremes.low : 0;
    cachedMax_ = extremesFound_ ? extremes.high : 0;
}

void TChartValueList::SetValueAt(std::int32_t index, double value) {
    OwnValues();
    values_[static_cast<std::size_t>(index)] = value;
    Touch(index);
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, index);
}

void TChartValueList::Grow() {
    if (static_cast<std::size_t>(valueCount_) >= values_.Capacity()) {
        Reserve(values_.Capacity() + GrowthStep);
    }
}

std::int32_t TChartValueList::InsertOrdered() {
    const std::int32_t index = OrderedPlace();
    InsertAt(index, staged_);
    return index;
}

std::int32_t TChartValueList::OrderedPlace() const {
    const std::int32_t n = valueCount_;
    const double v = staged_;
    std::int32_t index = n;
    if (order_ == loAscending && n > 0 && v < Value(n - 1)) {
        std::int32_t k = n - 1;
        while (k >= 0 && Value(k) > v)
            --k;
        index = k + 1;
    } else if (order_ == loDescending && n > 0 && v > Value(n - 1)) {
        std::int32_t k = n - 1;
        while (k >= 0 && Value(k) < v)
            --k;
        index = k + 1;
    }
    return index;
}

void TChartValueList::InsertAt(std::int32_t index, double value) {
    OwnValues();
    Grow();
    const auto at = static_cast<std::size_t>(index);
    values_.Move(at + 1, at, static_cast<std::size_t>(valueCount_ - index));
    values_[at] = value;
    ++valueCount_;
    Touch(index);
}

void TChartValueList::RemoveRange(std::int32_t start, std::int32_t count) {
    OwnValues();
    values_.Move(static_cast<std::size_t>(start), static_cast<std::size_t>(start + count),
                 static_cast<std::size_t>(valueCount_ - start - count));
    valueCount_ -= count;
    MarkChanged(start);
}

void TChartValueList::ClearAll() {
    valueCount_ = 0;
    values_.Release();
    extremesIndex_.Clear(values_.Chunked());
    std::vector<double>().swap(sideBySide_);
    droppedFront_ = false;
    Touch(0);
}

void TChartValueList::Reserve(std::size_t capacity) {
    if (capacity <= values_.Capacity()) return;
    OwnValues();
    try {
        values_.SetCapacity(capacity);
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(capacity);
    }
}

void TChartValueList::Append(std::span<const double> values) {
    Reserve(static_cast<std::size_t>(valueCount_) + values.size());
    const std::size_t end = values_.Begin() + static_cast<std::size_t>(valueCount_);
    for (std::size_t done = 0; done < values.size();) {
        const std::span<double> run = values_.Run(end + done, end + values.size());
        std::memcpy(run.data(), values.data() + done, run.size() * sizeof(double));
        done += run.size();
    }
    valueCount_ += static_cast<std::int32_t>(values.size());
    // The values before the appended ones stay: what was known of them is extended.
    if (!extremesStale_) TakeExtremes(values);
    if (!sumsStale_) TakeSums(values);
    ++changes_;
}

void TChartValueList::TakeExtremes(std::span<const double> values) {
    for (const double x : values) {
        if (std::isnan(x)) continue;
        if (!extremesFound_ || x < cachedMin_) cachedMin_ = x;
        if (!extremesFound_ || x > cachedMax_) cachedMax_ = x;
        extremesFound_ = true;
    }
}

void TChartValueList::TakeSums(std::span<const double> values) {
    for (const double x : values) {
        cachedSum_ += x;
        cachedAbsSum_ += std::fabs(x);
    }
}

void TChartValueList::DropFront(std::int32_t count) {
    if (count <= 0) return;
    OwnValues();
    SetChunked(true);
    values_.LetGoBefore(values_.Begin() + static_cast<std::size_t>(count));
    valueCount_ -= count;
    // The values that stay keep their positions, so the index stays.
    extremesStale_ = sumsStale_ = true;
    droppedFront_ = true;
    ++changes_;
}

void TChartValueList::SetChunked(bool chunked) {
    if (chunked == values_.Chunked()) return;
    OwnValues();
    try {
        values_.SetChunked(chunked, static_cast<std::size_t>(valueCount_));
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(static_cast<std::size_t>(valueCount_));
    }
    // The values are the same, at other positions.
    extremesIndex_.Clear(chunked);
    std::vector<double>().swap(sideBySide_);
    ++changes_;
}

std::span<const double> TChartValueList::Values() const {
    const std::size_t count = static_cast<std::size_t>(valueCount_);
    const std::span<const double> run = View().Run(values_.Begin(), values_.Begin() + count);
    if (run.size() == count) return run;
    if (sideBySideChanges_ != changes_) {
        try {
            sideBySide_.resize(count);
        } catch (const std::bad_alloc&) {
            throw OutOfMemoryError(count);
        }
        auto out = sideBySide_.begin();
        TakeRuns([&](std::span<const double> values) {
            out = std::copy(values.begin(), values.end(), out);
        });
        sideBySideChanges_ = changes_;
    }
    return sideBySide_;
}

void TChartValueList::SetIndexExtremes(bool b) {
    indexExtremes_ = b;
    if (!b) extremesIndex_.Clear(values_.Chunked());
}

TValueSpread TChartValueList::Spread(std::int32_t from, std::int32_t to) {
    const ValueView view = View();
    const std::size_t begin = values_.Begin();
    const std::size_t first = begin + static_cast<std::size_t>(from);
    const std::size_t end = begin + static_cast<std::size_t>(to);
    if (indexExtremes_ && to - from >= IndexedRun) {
        try {
            extremesIndex_.Cover(view, begin, begin + static_cast<std::size_t>(valueCount_));
            return extremesIndex_.Spread(view, first, end);
        } catch (const OutOfMemoryError&) {
            // The index is an aid: without it the values are read directly.
        }
    }
    return view.Spread(first, end);
}

void TChartValueList::PrefetchSpread(std::int32_t index) const {
    if (index < 0 || index >= valueCount_) return;
    // A run's end reads up to a block of 16 values directly on its side of the index.
    constexpr std::int32_t Reach = static_cast<std::int32_t>(TMinMaxIndex::BlockValues);
    constexpr std::int32_t LineValues = 8;
    const ValueView view = View();
    const std::int32_t last = std::min(index + Reach, valueCount_ - 1);
    for (std::int32_t i = std::max(index - Reach, 0); i <= last; i += LineValues)
        PrefetchLine(view.Address(view.begin + static_cast<std::size_t>(i)));
    if (indexExtremes_) extremesIndex_.Prefetch(view.begin + static_cast<std::size_t>(index));
}

std::int32_t TChartValueList::FindEqual(double value, std::int32_t first, std::int32_t last) const {
    if (last < 0 || last >= valueCount_) last = valueCount_ - 1;
    for (std::int32_t i = first < 0 ? 0 : first; i <= last; ++i) {
        if (Value(i) == value) return i;
    }
    return -1;
}

void TChartValueList::RefreshExtremes() {
    extremesStale_ = false;
    // A list that lets values go from its front is followed through the index, as is one
    // whose index is already laid: then only the values since the last refresh are read.
    if (indexExtremes_ && valueCount_ >= IndexedRun &&
        (droppedFront_ || extremesIndex_.Covered() > 0)) {
        const TValueSpread spread = Spread(0, valueCount_);
        if (!spread.notANumber) {
            cachedMin_ = spread.low;
            cachedMax_ = spread.high;
            extremesFound_ = true;
            return;
        }
    }
    // A value that is not a number has no place between the extremes: they pass over it, and
    // a list of nothing else has the extremes of an empty one.
    cachedMin_ = cachedMax_ = 0;
    extremesFound_ = false;
    TakeRuns([this](std::span<const double> values) { TakeExtremes(values); });
}

void TChartValueList::RefreshSums() {
    sumsStale_ = false;
    cachedSum_ = cachedAbsSum_ = 0;
    TakeRuns([this](std::span<const double> values) { TakeSums(values); });
}

double TChartValueList::Highest() {
    if (extremesStale_) RefreshExtremes();
    return cachedMax_;
}

double TChartValueList::Lowest() {
    if (extremesStale_) RefreshExtremes();
    return cachedMin_;
}

double TChartValueList::Total() {
    if (sumsStale_) RefreshSums();
    return cachedSum_;
}

double TChartValueList::AbsTotal() {
    if (sumsStale_) RefreshSums();
    return cachedAbsSum_;
}

void TChartValueList::FillWithIndexes() {
    OwnValues();
    for (std::int32_t i = 0; i < valueCount_; ++i)
        values_[static_cast<std::size_t>(i)] = i;
    Touch(0);
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, 0);
}

void TChartValueList::Exchange(std::int32_t a, std::int32_t b) {
    OwnValues();
    std::swap(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
    Touch(std::min(a, b));
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, a);
}

void TChartValueList::Rotate() {
    if (valueCount_ < 2) return;
    OwnValues();
    const double first = values_[0];
    values_.Move(0, 1, static_cast<std::size_t>(valueCount_ - 1));
    values_[static_cast<std::size_t>(valueCount_ - 1)] = first;
    Touch(0);
}

void TChartValueList::SortValues() {
    if (order_ != loNone && owner_) owner_->SortPointsBy(*this);
}

void TChartValueList::MarkChanged(std::int32_t from) {
    const bool fresh = !extremesStale_ || !sumsStale_;
    Touch(from);
    if (fresh && owner_) owner_->NotifyDependents(NotifyValueChanged, -1);
}

}  // namespace twinscope
