#include "app/ColumnReadings.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/DatabaseReadings.h"
#include "twinscope/platform/ColumnFileWriter.h"
#include "twinscope/platform/MappedColumnFile.h"

namespace twinscope {

namespace {

// The writer takes the points in pieces of this many, as a reader that streams hands them on.
constexpr std::size_t PiecePoints = std::size_t{1} << 16;

}  // namespace

bool IsColumnFile(const std::string& path) {
    // Column files are mapped, so plain files; a look into a pipe would take its first bytes.
    std::error_code error;
    if (path == "-" || !std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    std::array<char, TColumnFileLayout::Magic.size()> start{};
    return in.read(start.data(), start.size()) && start == TColumnFileLayout::Magic;
}

TReadingsFile ReadColumnFile(const std::string& path, const TReadingOptions& options) {
    if (options.Format || options.Unit || !options.Columns.empty() || !options.Amounts.empty()) {
        throw ReadingsError(0,
                            "a column file takes none of --data-format, --column, --unit and "
                            "--bars");
    }
    try {
        TReadingsFile file;
        TReadings& line = file.Series.emplace_back();
        std::shared_ptr<TMappedColumnFile> columns = TMappedColumnFile::Open(path);
        line.Name = columns->Layout().Name;
        line.Source = std::make_shared<const TColumnFileReadings>(std::move(columns));
        file.Layout = "Twinscope column file";
        file.Rows = ReadingsCount(line);
        return file;
    } catch (const ColumnFileError& e) {
        throw ReadingsError(0, e.what());
    }
}

void SaveColumnFile(const TReadingsFile& readings, const std::string& path) {
    if (readings.Series.size() != 1) {
        throw ReadingsError(0, "a column file holds one line, and the file has " +
                                   std::to_string(readings.Series.size()) +
                                   ": pick one with --column");
    }
    const TReadings& line = readings.Series.front();
    try {
        TColumnFileWriter writer(path, line.Name, true);
        for (std::size_t at = 0; at < line.Dates.size(); at += PiecePoints) {
            const std::size_t n = std::min(PiecePoints, line.Dates.size() - at);
            writer.Add(std::span(line.Dates).subspan(at, n),
                       std::span(line.Temperatures).subspan(at, n));
        }
        writer.Finish();
    } catch (const ColumnFileError& e) {
        throw ReadingsError(0, e.what());
    }
}

TMappedColumnFile* ColumnFileOf(const TReadings& readings) {
    const auto* columns = dynamic_cast<const TColumnFileReadings*>(readings.Source.get());
    return columns ? columns->File.get() : nullptr;
}

std::int64_t ReadingsCount(const TReadings& readings) {
    if (const TMappedColumnFile* columns = ColumnFileOf(readings))
        return static_cast<std::int64_t>(columns->Layout().PointCount);
    if (const TDatabaseReadings* database = DatabaseOf(readings)) return database->Extent.Rows;
    return static_cast<std::int64_t>(readings.Dates.size());
}

}  // namespace twinscope
