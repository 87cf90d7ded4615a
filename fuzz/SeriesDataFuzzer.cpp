#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"
#include "twinscope/runtime/Exceptions.h"

namespace {

using namespace twinscope;

// A series with a third value list, so records carry a further value each.
class ThreeListSeries : public TLineSeries {
private:
    TChartValueList z_{this, "Z"};
};

// Reads the input into a fresh series. A refused payload must leave the batch closed; an
// accepted one must write a payload that reads back and writes the same bytes again.
template <typename Series>
void Check(std::span<const std::uint8_t> payload) {
    Series series;
    try {
        ReadSeriesData(series, payload);
    } catch (const RuntimeError&) {
        if (series.BatchDepth() != 0 || series.LoadedFromStream()) __builtin_trap();
        return;
    }
    const std::vector<std::uint8_t> written = WriteSeriesData(series);
    Series again;
    ReadSeriesData(again, written);
    if (again.PointCount() != series.PointCount() || WriteSeriesData(again) != written)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> payload(data, size);
    Check<TLineSeries>(payload);
    Check<ThreeListSeries>(payload);
    return 0;
}
