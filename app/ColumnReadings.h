#pragma once

#include <cstdint>
#include <string>

#include "app/ReadingsFile.h"

namespace twinscope {

class TMappedColumnFile;

// A line shown from a column file mapped from the disk.
struct TColumnFileReadings final : TReadingsSource {
    explicit TColumnFileReadings(std::shared_ptr<TMappedColumnFile> file) : File(std::move(file)) {}
    std::shared_ptr<TMappedColumnFile> File;
};

// The column file a line is shown from, if any.
TMappedColumnFile* ColumnFileOf(const TReadings& readings);

// Whether the file at path (not standard input) begins as a column file does.
bool IsColumnFile(const std::string& path);

// The one line of a column file, mapped and shown from the disk. Raises ReadingsError with
// the reason the file is refused, and for reading options, which such a file does not take.
TReadingsFile ReadColumnFile(const std::string& path, const TReadingOptions& options);

// Writes the readings (one line) into a column file at path. Raises ReadingsError for more
// than one line and for a file that cannot be written.
void SaveColumnFile(const TReadingsFile& readings, const std::string& path);

// The points of a line, in memory, in a column file or in a database table.
std::int64_t ReadingsCount(const TReadings& readings);

}  // namespace twinscope
