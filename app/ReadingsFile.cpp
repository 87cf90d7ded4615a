#include "app/ReadingsFile.h"

#include <array>
#include <filesystem>
#include <new>
#include <numeric>

#include "app/ColumnReadings.h"
#include "app/CsvRows.h"
#include "app/GhcnDailyCsv.h"
#include "app/InputText.h"
#include "app/MeteostatCsv.h"
#include "app/NamedColumnsCsv.h"

namespace twinscope {

namespace {

constexpr std::array<const char*, 4> FormatNames = {"readings", "ghcn", "meteostat", "csv"};

// Files with a unit of their own refuse another.
void CheckUnit(TReadingsFormat format, const TReadingOptions& options) {
    if (!options.Unit) return;
    if (format == TReadingsFormat::Ghcn) {
        throw ReadingsError(0,
                            "is a GHCN-Daily file, in tenths of °C: --unit applies only to "
                            "files without a unit of their own");
    }
    if (format == TReadingsFormat::Meteostat) {
        throw ReadingsError(0,
                            "is a Meteostat file, in °C: --unit applies only to files "
                            "without a unit of their own");
    }
}

std::string FirstRow(std::string_view text) {
    TCsvRows rows(text);
    const std::optional<std::string_view> first = rows.Next();
    return first ? std::string(*first) : std::string();
}

// "seattle-2015" for ".../seattle-2015.csv.gz".
std::string StemOf(const std::string& path) {
    if (path == "-") return InputName(path);
    std::filesystem::path name = std::filesystem::path(path).filename();
    if (name.extension() == ".gz") name = name.stem();
    if (name.extension() == ".csv") name = name.stem();
    return name.string();
}

std::string Counted(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::optional<TReadingsFormat> ReadingsFormatNamed(std::string_view name) {
    for (std::size_t i = 0; i < FormatNames.size(); ++i) {
        if (name == FormatNames[i]) return static_cast<TReadingsFormat>(i);
    }
    return std::nullopt;
}

const char* ReadingsFormatName(TReadingsFormat format) {
    return FormatNames[static_cast<std::size_t>(format)];
}

TReadingsFormat DetectReadingsFormat(std::string_view text, bool columnsAsked) {
    TCsvRows rows(text);
    const std::optional<std::string_view> first = rows.Next();
    if (!first) return TReadingsFormat::Readings;
    if (IsGhcnDailyRow(*first)) return TReadingsFormat::Ghcn;
    if (IsMeteostatRow(*first)) return TReadingsFormat::Meteostat;
    const std::vector<std::string_view> fields =
        SplitCsvRow(*first, CsvSeparatorOf(*first), rows.Line());
    const bool header = !HoldsDigit(fields[0]);
    if (header && (fields.size() > 2 || columnsAsked)) return TReadingsFormat::Csv;
    return TReadingsFormat::Readings;
}

TReadingsFile ParseReadingsText(std::string_view text, const TReadingOptions& options,
                                const std::string& fallbackName) {
    const TReadingsFormat format =
        options.Format.value_or(DetectReadingsFormat(text, !options.Columns.empty()));
    CheckUnit(format, options);
    const TTemperatureUnit unit = options.Unit.value_or(TTemperatureUnit::Fahrenheit);
    switch (format) {
        case TReadingsFormat::Ghcn:
            return ParseGhcnDailyCsv(text, options.Columns);
        case TReadingsFormat::Meteostat:
            return ParseNamedColumnsCsv(text, MeteostatLayout(FirstRow(text)), options.Columns);
        case TReadingsFormat::Csv:
            return ParseNamedColumnsCsv(text, TColumnLayout{.Unit = unit}, options.Columns);
        case TReadingsFormat::Readings:
            break;
    }
    if (!options.Columns.empty()) {
        throw ReadingsError(0,
                            "has no header naming its columns: --column applies only to "
                            "files whose first row names them");
    }
    TReadings readings = ParseReadingsCsv(text, unit);
    if (readings.Name.empty()) readings.Name = fallbackName;
    TReadingsFile file;
    file.Series.push_back(std::move(readings));
    return file;
}

TReadingsFile ReadReadingsFile(const std::string& path, const TReadingOptions& options) {
    if (IsColumnFile(path)) return ReadColumnFile(path, options);
    try {
        return ParseReadingsText(ReadInputText(path), options, StemOf(path));
    } catch (const std::bad_alloc&) {
        throw ReadingsError(0, "does not fit into memory");
    }
}

std::string LeftOutNote(const TReadingsFile& file) {
    std::string parts;
    if (file.MissingValues > 0) {
        parts = Counted(file.MissingValues, "missing value", "missing values");
    }
    if (file.FlaggedValues > 0) {
        parts += (parts.empty() ? "" : " and ") + Counted(file.FlaggedValues, "value", "values") +
                 " with a quality flag";
    }
    return parts.empty() ? parts : "left out " + parts;
}

std::int64_t PointCount(const TReadingsFile& file) {
    return std::accumulate(file.Series.begin(), file.Series.end(), std::int64_t{0},
                           [](std::int64_t n, const TReadings& r) {
                               return n + ReadingsCount(r);
                           });
}

}  // namespace twinscope
