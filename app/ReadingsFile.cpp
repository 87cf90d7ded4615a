#include "app/ReadingsFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>
#include <numeric>
#include <span>

#include "app/ColumnReadings.h"
#include "app/DatabaseReadings.h"
#include "app/GhcnDailyCsv.h"
#include "app/GhcnHourly.h"
#include "app/InputText.h"
#include "app/IsdLite.h"
#include "app/MeteostatCsv.h"
#include "app/NamedColumnsCsv.h"
#include "twinscope/platform/MappedColumnFile.h"
#include "twinscope/readings/CsvRows.h"
#include "twinscope/readings/NoaaStationCsv.h"
#include "twinscope/readings/ReadingDate.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

constexpr std::array<const char*, 8> FormatNames = {
    "readings", "ghcn", "meteostat", "csv", "cdo", "ghcn-access", "isd-lite", "ghcnh"};

// Files with a unit of their own refuse another.
void CheckUnit(TReadingsFormat format, const TReadingOptions& options) {
    if (!options.Unit) return;
    if (format == TReadingsFormat::Ghcn || format == TReadingsFormat::GhcnAccess) {
        throw ReadingsError(0,
                            "is a GHCN-Daily file, in tenths of °C: --unit applies only to "
                            "files without a unit of their own");
    }
    if (format == TReadingsFormat::IsdLite) {
        throw ReadingsError(0,
                            "is an ISD-Lite file, in tenths of °C: --unit applies only to files "
                            "without a unit of their own");
    }
    if (format == TReadingsFormat::GhcnHourly) {
        throw ReadingsError(0,
                            "is a GHCNh file, in °C: --unit applies only to files without a unit "
                            "of their own");
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

// A date and a value: a row of the program's own two columns, whatever its value holds.
bool IsTwoColumnRecord(std::string_view row) {
    try {
        const std::vector<std::string_view> f = SplitCsvRow(row, CsvSeparatorOf(row), 1);
        return f.size() == 2 && ParseIsoDateTime(f[0]).has_value();
    } catch (const ReadingsError&) {
        return true;
    }
}

// A header whose next row, the one refused at line, does not start with a date: the header
// names none of the layouts read, the named columns' included, whose first column holds dates.
bool IsHeaderOfNoLayout(std::string_view text, std::int32_t line) {
    TCsvRows rows(text);
    const std::optional<std::string_view> header = rows.Next();
    const std::optional<std::string_view> next = rows.Next();
    if (!header || !next || rows.Line() != line) return false;
    try {
        const char separator = CsvSeparatorOf(*header);
        const std::vector<std::string_view> names = SplitCsvRow(*header, separator, 1);
        const std::vector<std::string_view> f = SplitCsvRow(*next, separator, line);
        return !HoldsDigit(names[0]) && !f[0].empty() && !ParseIsoDateTime(f[0]);
    } catch (const ReadingsError&) {
        return false;
    }
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

std::string Joined(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::string UnitName(TTemperatureUnit unit) {
    switch (unit) {
        case TTemperatureUnit::Celsius:
            return "°C";
        case TTemperatureUnit::Kelvin:
            return "K";
        case TTemperatureUnit::Fahrenheit:
            break;
    }
    return "°F";
}

std::string IsoDay(TDateTime value) {
    const DateParts d = DecodeDate(value);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
    return text;
}

// What the note calls the layout; files that do not say their unit are read in the one asked
// for, and the note names it.
std::string LayoutName(TReadingsFormat format, const TReadingOptions& options) {
    const std::string unit = "in " + UnitName(options.Unit.value_or(TTemperatureUnit::Fahrenheit));
    switch (format) {
        case TReadingsFormat::Readings:
            return "dates and temperatures " + unit;
        case TReadingsFormat::Ghcn:
            return "GHCN-Daily by-station CSV";
        case TReadingsFormat::Meteostat:
            return "Meteostat CSV";
        case TReadingsFormat::Csv:
            return "CSV with named columns " + unit;
        case TReadingsFormat::Cdo:
            return "NOAA daily summaries " + unit +
                   (options.Unit ? "" : " (standard units; --unit C reads metric ones)");
        case TReadingsFormat::IsdLite:
            return "ISD-Lite hourly";
        case TReadingsFormat::GhcnHourly:
            return "GHCNh hourly";
        case TReadingsFormat::GhcnAccess:
            break;
    }
    return "GHCN-Daily station CSV";
}

TReadingsFile ParseInFormat(TReadingsFormat format, std::string_view text,
                            const TReadingOptions& options, const std::string& fallbackName) {
    const TTemperatureUnit unit = options.Unit.value_or(TTemperatureUnit::Fahrenheit);
    const bool amounts = format == TReadingsFormat::Ghcn || format == TReadingsFormat::Cdo ||
                         format == TReadingsFormat::GhcnAccess;
    if (!amounts && !options.Amounts.empty()) {
        throw ReadingsError(0, "holds no daily " + options.Amounts.front() +
                                   " amounts: --bars applies only to GHCN-Daily and NOAA daily "
                                   "files");
    }
    switch (format) {
        case TReadingsFormat::Ghcn:
            return ParseGhcnDailyCsv(text, options.Columns, options.Amounts);
        case TReadingsFormat::Meteostat:
            return ParseNamedColumnsCsv(text, MeteostatLayout(FirstRow(text)), options.Columns);
        case TReadingsFormat::Csv:
            return ParseNamedColumnsCsv(text, TColumnLayout{.Unit = unit}, options.Columns);
        case TReadingsFormat::Cdo:
            return ParseNoaaStationCsv(text, TNoaaLayout::CdoDaily, options.Columns, unit,
                                       options.Amounts);
        case TReadingsFormat::GhcnAccess:
            return ParseNoaaStationCsv(text, TNoaaLayout::GhcnAccess, options.Columns, unit,
                                       options.Amounts);
        case TReadingsFormat::IsdLite:
            return ParseIsdLite(text, options.Columns);
        case TReadingsFormat::GhcnHourly:
            return ParseGhcnHourly(text, options.Columns);
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
    file.Rows = static_cast<std::int64_t>(readings.Dates.size());
    file.Series.push_back(std::move(readings));
    return file;
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
    if (IsIsdLiteRow(*first)) return TReadingsFormat::IsdLite;
    if (IsGhcnHourlyHeader(*first)) return TReadingsFormat::GhcnHourly;
    if (IsGhcnDailyRow(*first)) return TReadingsFormat::Ghcn;
    if (const std::optional<TNoaaLayout> noaa = NoaaLayoutOf(*first)) {
        return *noaa == TNoaaLayout::CdoDaily ? TReadingsFormat::Cdo : TReadingsFormat::GhcnAccess;
    }
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
    try {
        TReadingsFile file = ParseInFormat(format, text, options, fallbackName);
        file.Layout = LayoutName(format, options);
        return file;
    } catch (const ReadingsError& e) {
        const bool guessed = !options.Format && (format == TReadingsFormat::Readings ||
                                                 format == TReadingsFormat::Csv);
        if (guessed && format == TReadingsFormat::Readings && e.Line() == 1 &&
            !IsTwoColumnRecord(FirstRow(text)))
            throw ReadingsError(1, e.Reason() + ": the first row is of none of the layouts read, " +
                                       "which are " + KnownLayouts());
        if (guessed && e.Line() > 1 && IsHeaderOfNoLayout(text, e.Line()))
            throw ReadingsError(e.Line(), e.Reason() + ": the header is of none of the layouts " +
                                              "read, which are " + KnownLayouts());
        throw;
    }
}

std::string KnownLayouts() {
    return "the program's own (an ISO 8601 date and a temperature per row), GHCN-Daily "
           "by-station CSV, NOAA Climate Data Online daily summaries, GHCN-Daily station CSV, "
           "Meteostat daily or hourly CSV, NOAA ISD-Lite hourly records, NOAA GHCNh hourly "
           "pipe-separated files, or any CSV whose first row names its columns and whose first "
           "column holds ISO 8601 dates";
}

TReadingsFile ReadReadingsFile(const std::string& path, const TReadingOptions& options,
                               const TReadProgress& progress) {
    if (IsDatabaseAddress(path)) return ReadDatabaseReadings(path, options);
    if (IsColumnFile(path)) return ReadColumnFile(path, options);
    try {
        TInputText input(path);
        const std::string_view text = input.Text();
        const TRowsWatch watch(text, [&](std::size_t read) {
            input.LetGoBefore(read);
            if (progress) progress(read, text.size());
        });
        TReadingsFile file = ParseReadingsText(text, options, StemOf(path));
        if (input.CutShort()) throw ReadingsError(0, "was cut short while it was read");
        return file;
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

std::string ReadNote(const TReadingsFile& file) {
    std::string note = file.Layout;
    if (!file.Stations.empty()) {
        note += (file.Stations.size() == 1 ? ", station " : ", stations ") + Joined(file.Stations);
    }
    std::vector<std::string> names;
    bool dated = false;
    double first = 0;
    double last = 0;
    for (const TReadings& r : file.Series) {
        // The lines of several stations name their elements once.
        std::string name = r.Name;
        if (!r.Station.empty() && name.starts_with(r.Station + " "))
            name.erase(0, r.Station.size() + 1);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        // A column file's dates stay on the disk; its first and last are read from there.
        TMappedColumnFile* columns = ColumnFileOf(r);
        const std::span<const double> dates =
            columns ? columns->Points().Xs : std::span<const double>(r.Dates);
        if (dates.empty()) continue;
        first = dated ? std::min(first, dates.front()) : dates.front();
        last = dated ? std::max(last, dates.back()) : dates.back();
        dated = true;
    }
    note += ": " + Joined(names);
    if (dated && IsCalendarValue(first) && IsCalendarValue(last))
        note += " from " + IsoDay(first) + " to " + IsoDay(last);
    note += ", " + Counted(file.Rows, "row", "rows") + " read";
    if (const std::string left = LeftOutNote(file); !left.empty()) note += "; " + left;
    return note;
}

std::vector<std::size_t> ElementsAsked(std::span<const std::string_view> known,
                                       const std::vector<std::string>& asked,
                                       const std::string& of) {
    std::vector<std::size_t> places;
    for (const std::string& name : asked) {
        const auto found = std::find_if(known.begin(), known.end(), [&](std::string_view e) {
            return SameColumnName(e, name);
        });
        if (found == known.end()) {
            std::string list(known.front());
            for (std::size_t i = 1; i < known.size(); ++i)
                list += (i + 1 == known.size() ? " or " : ", ") + std::string(known[i]);
            throw ReadingsError(0, "'" + name + "' is not an element of " + of + " (" + list + ")");
        }
        places.push_back(static_cast<std::size_t>(found - known.begin()));
    }
    if (asked.empty()) {
        for (std::size_t i = 0; i < known.size(); ++i)
            places.push_back(i);
    }
    return places;
}

void KeepSeriesWithReadings(TReadingsFile& file, std::vector<TReadings> series, bool asked) {
    for (TReadings& r : series) {
        if (r.Dates.empty()) {
            if (asked || r.Amount) throw ReadingsError(0, "holds no " + r.Name + " readings");
            continue;
        }
        SortReadingsByDate(r);
        file.Series.push_back(std::move(r));
    }
}

std::string ReadingsFormatList() {
    std::string list;
    for (const char* name : FormatNames)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

std::int64_t PointCount(const TReadingsFile& file) {
    return std::accumulate(file.Series.begin(), file.Series.end(), std::int64_t{0},
                           [](std::int64_t n, const TReadings& r) { return n + ReadingsCount(r); });
}

}  // namespace twinscope
