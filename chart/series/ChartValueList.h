#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "twinscope/chart/series/ValueStorage.h"

namespace twinscope {

class TChartSeries;

enum class TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };
using enum TChartListOrder;

// One list of doubles of a series (its X values, its Y values, ...). All lists of a series
// hold the same number of values; index i of every list belongs to point i.
class TChartValueList {
public:
    // Storage grows by this many values at a time, not geometrically.
    static constexpr std::int32_t GrowthStep = 1000;

    // Joins the owner's value lists (when there is an owner) and starts empty.
    TChartValueList(TChartSeries* owner, std::string name);
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    TChartSeries* OwnerSeries() const { return owner_; }
    std::int32_t Count() const { return valueCount_; }
    std::size_t Capacity() const { return values_.Capacity(); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder order) { order_ = order; }
    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool b);
    bool DefaultDateTime() const { return defaultDateTime_; }
    void SetDefaultDateTime(bool b) { defaultDateTime_ = b; }
    // DateTime is stored only when it differs from the class default.
    bool IsDateTimeStored() const { return dateTime_ != defaultDateTime_; }
    const std::string& ValueSource() const { return valueSource_; }
    void SetValueSource(const std::string& source);
    // Copies Order, DateTime and ValueSource; not the name, not the values.
    void Assign(const TChartValueList& other);

    // Plain reads and writes; indexes are not checked (callers stay below Count()).
    double Value(std::int32_t index) const { return values_[static_cast<std::size_t>(index)]; }
    double operator[](std::int32_t index) const { return Value(index); }
    double First() const { return Value(0); }
    double Last() const { return Value(valueCount_ - 1); }
    std::span<const double> Values() const {
        return {values_.Data(), static_cast<std::size_t>(valueCount_)};
    }
    // Overwrites a value and tells the owner the value at index changed.
    void SetValueAt(std::int32_t index, double value);

    // The value an ordered insert will place.
    double StagedValue() const { return staged_; }
    void SetStagedValue(double v) { staged_ = v; }
    // Inserts the staged value where Order puts it; equal values go after existing ones.
    std::int32_t InsertOrdered();
    void InsertAt(std::int32_t index, double value);
    void RemoveRange(std::int32_t start, std::int32_t count);
    void Delete(std::int32_t index) { RemoveRange(index, 1); }
    // Empties the list and releases its storage.
    void ClearAll();

    // Bulk path: makes room for at least `capacity` values at once, then appends in one step.
    void Reserve(std::size_t capacity);
    void Append(std::span<const double> values);

    // First index in [first, last] holding exactly `value`, or -1. last < 0 means the end.
    std::int32_t FindEqual(double value, std::int32_t first = 0, std::int32_t last = -1) const;

    // Statistics, recomputed lazily after any change. An empty list reports 0 for each.
    double Highest();
    double Lowest();
    double Total();
    double AbsTotal();
    double Spread() { return Highest() - Lowest(); }
    bool StatsStale() const { return statsStale_; }
    // Counts the changes of the values, so that caches kept elsewhere know when to refresh.
    std::uint64_t Changes() const { return changes_; }

    void FillWithIndexes();
    void Exchange(std::int32_t a, std::int32_t b);
    // Moves the first value to the end and the others one place down.
    void Rotate();
    // Sorts every point of the owner by this list, when it has an order.
    void SortValues();
    // Marks the statistics stale; the first time, the owner hears that values changed.
    void MarkChanged();

private:
    friend class TChartSeries;
    void Grow();
    void RefreshStats();
    void Touch() {
        statsStale_ = true;
        ++changes_;
    }

    std::int32_t valueCount_ = 0;
    bool dateTime_ = false;
    double cachedMax_ = 0;
    double cachedMin_ = 0;
    std::string name_;
    TChartListOrder order_ = loNone;
    TChartSeries* owner_ = nullptr;
    double staged_ = 0;
    double cachedSum_ = 0;
    double cachedAbsSum_ = 0;
    std::string valueSource_;
    bool statsStale_ = true;
    bool defaultDateTime_ = false;
    std::uint64_t changes_ = 0;
    ValueStorage values_;
};

}  // namespace twinscope
