#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "twinscope/chart/series/MinMaxIndex.h"
#include "twinscope/chart/series/ValueChunks.h"
#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/chart/series/ValueStorage.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartSeries;

enum class TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };
using enum TChartListOrder;

// One list of doubles of a series (its X values, its Y values, ...). All lists of a series
// hold the same number of values; index i of every list belongs to point i.
class TWINSCOPE_EXPORT TChartValueList {
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
    // The values side by side. Those of a list kept in chunks that lie in more than one are
    // copied side by side first, once after each change: readers of long lists that let values
    // go take View() instead.
    std::span<const double> Values() const;
    // Where the values lie: View()[i] is Value(i).
    ValueView View() const { return values_.View(); }
    // Overwrites a value and tells the owner the value at index changed.
    void SetValueAt(std::int32_t index, double value);

    // The value an ordered insert will place.
    double StagedValue() const { return staged_; }
    void SetStagedValue(double v) { staged_ = v; }
    // Where Order puts the staged value; equal values go after existing ones.
    std::int32_t OrderedPlace() const;
    // Inserts the staged value where Order puts it.
    std::int32_t InsertOrdered();
    void InsertAt(std::int32_t index, double value);
    // Makes room for one more value, GrowthStep values at a time.
    void Grow();
    void RemoveRange(std::int32_t start, std::int32_t count);
    void Delete(std::int32_t index) { RemoveRange(index, 1); }
    // Empties the list and releases its storage.
    void ClearAll();

    // Bulk path: makes room for at least `capacity` values at once, then appends in one step.
    // Running out of memory raises OutOfMemoryError and leaves the values as they were.
    void Reserve(std::size_t capacity);
    void Append(std::span<const double> values);
    // Lets the first `count` values go; the others are then at index 0 on. The values are kept
    // in chunks from then on (laid there once, the first time), so that letting them go moves
    // none of those that stay and costs a constant per value.
    void DropFront(std::int32_t count);
    // Whether the values lie in chunks, as those of a list that lets values go from its front,
    // or side by side in one block. Laying them the other way copies them once.
    bool Chunked() const { return values_.Chunked(); }
    void SetChunked(bool chunked);

    // The spread of the values [from, to). Long runs are answered from an index of the
    // extremes of blocks of values, built on first need and kept up to date as values change;
    // where memory for it is lacking the values are read directly.
    TValueSpread Spread(std::int32_t from, std::int32_t to);
    // Brings into the cache what spreads of long runs beginning or ending near `index` read
    // (the values around it and the index's blocks there), so that a reader that knows where
    // its next runs end waits for memory while it still works on this one.
    void PrefetchSpread(std::int32_t index) const;
    // The bytes the index of extremes takes.
    std::size_t IndexBytes() const { return extremesIndex_.Bytes(); }
    // The bytes the list holds for its values (room to grow and a chunk kept for reuse
    // included) and their index.
    std::size_t Bytes() const { return values_.Allocated() * sizeof(double) + IndexBytes(); }
    // On by default; off, the index is released and every spread reads the values, for lists
    // that must not take the index's memory (at most 6.9 % of an X and a Y list).
    bool IndexExtremes() const { return indexExtremes_; }
    void SetIndexExtremes(bool b);

    // Shows values that lie elsewhere (a mapped file) in place of the list's own, read-only and
    // without copying or indexing them: `extremes` are their lowest and highest, `index` the
    // levels of their index of block extremes (may be empty), `lender` keeps both while they
    // are shown. Changing a value copies them in first (raising OutOfMemoryError where they do
    // not fit); ClearAll lets them go.
    void Borrow(std::span<const double> values, const TValueSpread& extremes,
                std::span<const std::span<const double>> index,
                std::shared_ptr<const void> lender);
    bool Borrowed() const { return values_.Borrowed(); }

    // First index in [first, last] holding exactly `value`, or -1. last < 0 means the end.
    std::int32_t FindEqual(double value, std::int32_t first = 0, std::int32_t last = -1) const;

    // Statistics, recomputed lazily after any change. An empty list reports 0 for each.
    double Highest();
    double Lowest();
    double Total();
    double AbsTotal();
    double Spread() { return Highest() - Lowest(); }
    bool StatsStale() const { return extremesStale_ || sumsStale_; }
    // Counts the changes of the values, so that caches kept elsewhere know when to refresh.
    std::uint64_t Changes() const { return changes_; }

    void FillWithIndexes();
    void Exchange(std::int32_t a, std::int32_t b);
    // Moves the first value to the end and the others one place down.
    void Rotate();
    // Sorts every point of the owner by this list, when it has an order.
    void SortValues();
    // Marks the statistics stale, the values from index `from` on changed; the first time, the
    // owner hears that values changed.
    void MarkChanged(std::int32_t from = 0);

private:
    friend class TChartSeries;
    // Runs shorter than this are read directly rather than through the index.
    static constexpr std::int32_t IndexedRun = 256;
    void RefreshExtremes();
    void RefreshSums();
    // Borrowed values are copied in before any is written; the index laid elsewhere goes.
    void OwnValues();
    // Hands `take` the values in runs that lie side by side, in order.
    template <typename Take>
    void TakeRuns(Take take) const {
        const ValueView view = values_.View();
        const std::size_t end = values_.Begin() + static_cast<std::size_t>(valueCount_);
        for (std::size_t at = values_.Begin(); at < end;) {
            const std::span<const double> run = view.Run(at, end);
            take(run);
            at += run.size();
        }
    }
    // Extend the extremes and the sums over more values.
    void TakeExtremes(std::span<const double> values);
    void TakeSums(std::span<const double> values);
    // The values from index `from` on changed.
    void Touch(std::int32_t from) {
        extremesStale_ = sumsStale_ = true;
        ++changes_;
        extremesIndex_.ForgetFrom(values_.Begin() + static_cast<std::size_t>(from));
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
    bool extremesStale_ = true;
    bool sumsStale_ = true;
    // Whether the extremes met a value that is a number.
    bool extremesFound_ = false;
    // Values were let go from the front: the extremes are then refreshed through the index.
    bool droppedFront_ = false;
    bool indexExtremes_ = true;
    bool defaultDateTime_ = false;
    std::uint64_t changes_ = 0;
    ValueChunks values_;
    // Laid over the values' positions, so that letting values go from the front leaves it whole.
    TMinMaxIndex extremesIndex_;
    // Values() of values that lie in more than one chunk, as of the change counted.
    mutable std::vector<double> sideBySide_;
    mutable std::uint64_t sideBySideChanges_ = ~std::uint64_t{0};
};

}  // namespace twinscope
