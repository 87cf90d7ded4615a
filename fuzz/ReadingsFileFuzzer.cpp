// Readings files of every format, compressed or not, read with any options. A file is either
// refused with ReadingsError and a reason, naming a line of the file when the reason is one
// line's, or gives series whose dates come in order and whose temperatures are finite °F, with
// at least one reading.
//
// An input is three bytes of options (the format, the unit, which of a few column names are
// asked for), then the file's bytes.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "app/InputText.h"
#include "app/ReadingsFile.h"

namespace {

using namespace twinscope;

// Names that the formats' columns and elements have, in either case.
const char* const kColumnNames[] = {"TMAX", "tmin", "tavg",      "temp",
                                    "high", "TOBS", "dew point", "dew_point_temperature"};

TReadingOptions Options(fuzz::FuzzInput& input) {
    TReadingOptions options;
    if (const int format = input.Byte() % 9; format > 0)
        options.Format = static_cast<TReadingsFormat>(format - 1);
    if (const int unit = input.Byte() % 4; unit > 0)
        options.Unit = static_cast<TTemperatureUnit>(unit - 1);
    const std::uint8_t columns = input.Byte();
    for (std::size_t i = 0; i < std::size(kColumnNames); ++i) {
        if (columns & (1u << i)) options.Columns.emplace_back(kColumnNames[i]);
    }
    return options;
}

void Check(const TReadingsFile& file) {
    std::size_t points = 0;
    for (const TReadings& r : file.Series) {
        if (r.Dates.size() != r.Temperatures.size()) __builtin_trap();
        if (!std::is_sorted(r.Dates.begin(), r.Dates.end())) __builtin_trap();
        for (std::size_t i = 0; i < r.Dates.size(); ++i) {
            if (!std::isfinite(r.Dates[i]) || !std::isfinite(r.Temperatures[i])) __builtin_trap();
        }
        points += r.Dates.size();
    }
    if (points == 0 || file.MissingValues < 0 || file.FlaggedValues < 0) __builtin_trap();
    if (file.Rows < 0 || ReadNote(file).empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const TReadingOptions options = Options(input);
    const std::string bytes = input.Rest();
    std::string text;
    try {
        text = DecompressedText(bytes);
        Check(ParseReadingsText(text, options, "fuzz"));
    } catch (const ReadingsError& e) {
        if (*e.what() == '\0' || e.Line() < 0) __builtin_trap();
        // A line past the end of the text (one more for a last line without its line feed).
        const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
        if (e.Line() > lines) __builtin_trap();
        if (e.Line() > 0 &&
            std::string_view(e.what()).substr(0, 5 + std::to_string(e.Line()).size() + 2) !=
                "line " + std::to_string(e.Line()) + ": ")
            __builtin_trap();
    }
    return 0;
}
