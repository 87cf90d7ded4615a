#include "twinscope/chart/series/ChartValueList.h"

#include <cmath>
#include <cstring>

#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/ChangeNotifier.h"

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

void TChartValueList::SetValueAt(std::int32_t index, double value) {
    values_[static_cast<std::size_t>(index)] = value;
    Touch();
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, index);
}

void TChartValueList::Grow() {
    if (static_cast<std::size_t>(valueCount_) >= values_.Capacity()) {
        values_.SetCapacity(values_.Capacity() + GrowthStep);
    }
}

std::int32_t TChartValueList::InsertOrdered() {
    Grow();
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
    InsertAt(index, v);
    return index;
}

void TChartValueList::InsertAt(std::int32_t index, double value) {
    Grow();
    double* data = values_.Data();
    std::memmove(data + index + 1, data + index,
                 static_cast<std::size_t>(valueCount_ - index) * sizeof(double));
    data[index] = value;
    ++valueCount_;
    Touch();
}

void TChartValueList::RemoveRange(std::int32_t start, std::int32_t count) {
    double* data = values_.Data();
    std::memmove(data + start, data + start + count,
                 static_cast<std::size_t>(valueCount_ - start - count) * sizeof(double));
    valueCount_ -= count;
    MarkChanged();
}

void TChartValueList::ClearAll() {
    valueCount_ = 0;
    values_.Release();
    Touch();
}

void TChartValueList::Reserve(std::size_t capacity) {
    if (capacity > values_.Capacity()) values_.SetCapacity(capacity);
}

void TChartValueList::Append(std::span<const double> values) {
    Reserve(static_cast<std::size_t>(valueCount_) + values.size());
    if (!values.empty()) {
        std::memcpy(values_.Data() + valueCount_, values.data(), values.size() * sizeof(double));
    }
    valueCount_ += static_cast<std::int32_t>(values.size());
    Touch();
}

std::int32_t TChartValueList::FindEqual(double value, std::int32_t first, std::int32_t last) const {
    if (last < 0 || last >= valueCount_) last = valueCount_ - 1;
    for (std::int32_t i = first < 0 ? 0 : first; i <= last; ++i) {
        if (Value(i) == value) return i;
    }
    return -1;
}

void TChartValueList::RefreshStats() {
    // A value that is not a number has no place between the extremes: they pass over it, and
    // a list of nothing else has the extremes of an empty one.
    double max = 0;
    double min = 0;
    bool found = false;
    double sum = 0;
    double absSum = 0;
    for (std::int32_t i = 0; i < valueCount_; ++i) {
        const double x = Value(i);
        if (!std::isnan(x)) {
            if (!found || x < min) min = x;
            if (!found || x > max) max = x;
            found = true;
        }
        sum += x;
        absSum += std::fabs(x);
    }
    cachedMax_ = max;
    cachedMin_ = min;
    cachedSum_ = sum;
    cachedAbsSum_ = absSum;
    statsStale_ = false;
}

double TChartValueList::Highest() {
    if (statsStale_) RefreshStats();
    return cachedMax_;
}

double TChartValueList::Lowest() {
    if (statsStale_) RefreshStats();
    return cachedMin_;
}

double TChartValueList::Total() {
    if (statsStale_) RefreshStats();
    return cachedSum_;
}

double TChartValueList::AbsTotal() {
    if (statsStale_) RefreshStats();
    return cachedAbsSum_;
}

void TChartValueList::FillWithIndexes() {
    for (std::int32_t i = 0; i < valueCount_; ++i)
        values_[static_cast<std::size_t>(i)] = i;
    Touch();
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, 0);
}

void TChartValueList::Exchange(std::int32_t a, std::int32_t b) {
    std::swap(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
    Touch();
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, a);
}

void TChartValueList::Rotate() {
    if (valueCount_ < 2) return;
    double* data = values_.Data();
    const double first = data[0];
    std::memmove(data, data + 1, static_cast<std::size_t>(valueCount_ - 1) * sizeof(double));
    data[valueCount_ - 1] = first;
    Touch();
}

void TChartValueList::SortValues() {
    if (order_ != loNone && owner_) owner_->SortPointsBy(*this);
}

void TChartValueList::MarkChanged() {
    ++changes_;
    if (statsStale_) return;
    statsStale_ = true;
    if (owner_) owner_->NotifyDependents(NotifyValueChanged, -1);
}

}  // namespace twinscope
