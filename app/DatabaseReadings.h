#pragma once

#include <string>
#include <vector>

#include "app/ReadingsFile.h"
#include "twinscope/platform/DatabaseSeries.h"

namespace twinscope {

// A line drawn by a database, and the extent of the table's rows.
struct TDatabaseReadings final : TReadingsSource {
    TDatabaseReadings(TDatabaseSource source, TDatabaseQueries::TExtremes extent)
        : Source(std::move(source)), Extent(extent) {}
    TDatabaseSource Source;
    TDatabaseQueries::TExtremes Extent;
};

// The database a line is drawn by, if any.
const TDatabaseReadings* DatabaseOf(const TReadings& readings);

// Whether --data names a database rather than a file: "sqlite:", "postgresql:" or "postgres:".
bool IsDatabaseAddress(const std::string& text);

// The address as messages show it: without a password it may hold.
std::string ShownDatabaseAddress(const std::string& address);

// The sources of an address, one per value column: the address's y first, then the --column
// names. "sqlite:///path/readings.db?table=readings&x=ts&y=temp" or
// "postgresql://user@host:port/db?table=readings&x=ts&y=temp". Raises ReadingsError for an
// address that names no table, X or value column, holds a password, or asks what it cannot.
std::vector<TDatabaseSource> DatabaseSources(const std::string& address,
                                             const std::vector<std::string>& columns);

// One line per value column of the database at the address, drawn by it. The table and its
// columns are checked and their extent found here, on one connection of the caller's thread,
// after the table's summary is made when the options ask for it.
// Raises ReadingsError with the reason the address or the database is refused.
TReadingsFile ReadDatabaseReadings(const std::string& address, const TReadingOptions& options);

}  // namespace twinscope
