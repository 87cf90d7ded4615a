#include "app/DatabaseReadings.h"

#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

namespace twinscope {

namespace {

struct TScheme {
    const char* name;
    const char* driver;
};
constexpr TScheme Schemes[] = {
    {"sqlite", "QSQLITE"}, {"postgresql", "QPSQL"}, {"postgres", "QPSQL"}};

const TScheme* SchemeOf(const std::string& text) {
    for (const TScheme& scheme : Schemes) {
        if (text.starts_with(std::string(scheme.name) + ":")) return &scheme;
    }
    return nullptr;
}

}  // namespace

bool IsDatabaseAddress(const std::string& text) {
    return SchemeOf(text) != nullptr;
}

std::string ShownDatabaseAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address));
    if (url.password().isEmpty()) return address;
    return url.toDisplayString(QUrl::RemovePassword).toStdString();
}

std::vector<TDatabaseSource> DatabaseSources(const std::string& address,
                                             const std::vector<std::string>& columns) {
    const TScheme* scheme = SchemeOf(address);
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!scheme || !url.isValid()) throw ReadingsError(0, "is not a database address");
    // The password stays with the driver's own means, never on a command line.
    if (!url.password().isEmpty()) {
        throw ReadingsError(0, "holds a password: give it in PGPASSWORD or ~/.pgpass instead");
    }
    TDatabaseSource source{.Driver = scheme->driver, .Address = ShownDatabaseAddress(address)};
    if (source.Driver == "QSQLITE") {
        if (!url.host().isEmpty()) {
            throw ReadingsError(0, "names a host: a SQLite address is sqlite:///path/file.db");
        }
        source.Database = url.path(QUrl::FullyDecoded).toStdString();
    } else {
        source.Database = url.path(QUrl::FullyDecoded).mid(1).toStdString();
        source.Host = url.host(QUrl::FullyDecoded).toStdString();
        source.Port = url.port(-1);
        source.User = url.userName(QUrl::FullyDecoded).toStdString();
    }
    if (source.Database.empty()) throw ReadingsError(0, "names no database");
    std::vector<std::string> values;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        const std::string text = value.toStdString();
        if (key == "table") {
            source.Table = text;
        } else if (key == "x") {
            source.X = text;
        } else if (key == "y") {
            values.push_back(text);
        } else {
            throw ReadingsError(
                0, "asks for '" + key.toStdString() + "': an address takes table, x and y");
        }
    }
    if (source.Table.empty()) throw ReadingsError(0, "names no table: add table=NAME");
    if (source.X.empty()) throw ReadingsError(0, "names no X column: add x=COLUMN");
    for (const std::string& column : columns) {
        if (std::find(values.begin(), values.end(), column) == values.end())
            values.push_back(column);
    }
    if (values.empty()) {
        throw ReadingsError(0, "names no value column: add y=COLUMN or --column COLUMN");
    }
    if (std::find(values.begin(), values.end(), std::string()) != values.end())
        throw ReadingsError(0, "names an empty value column");
    std::vector<TDatabaseSource> sources;
    for (const std::string& y : values) {
        source.Y = y;
        sources.push_back(source);
    }
    return sources;
}

const TDatabaseReadings* DatabaseOf(const TReadings& readings) {
    return dynamic_cast<const TDatabaseReadings*>(readings.Source.get());
}

TReadingsFile ReadDatabaseReadings(const std::string& address, const TReadingOptions& options) {
    if (options.Format || options.Unit)
        throw ReadingsError(0, "a database takes neither --data-format nor --unit");
    TReadingsFile file;
    try {
        for (const TDatabaseSource& source : DatabaseSources(address, options.Columns)) {
            TReadings& line = file.Series.emplace_back();
            line.Name = source.Y;
            if (options.BuildDatabaseSummary) TDatabaseQueries(source, true).BuildSummary();
            const TDatabaseQueries::TExtremes extent = TDatabaseQueries(source).Extremes();
            line.Source = std::make_shared<const TDatabaseReadings>(source, extent);
            if (extent.Rows == 0) {
                throw ReadingsError(0, "no row of '" + source.Table + "' holds both '" + source.X +
                                           "' and '" + source.Y + "'");
            }
            file.Rows = std::max(file.Rows, extent.Rows);
        }
    } catch (const DatabaseError& e) {
        throw ReadingsError(0, e.what());
    }
    file.Layout = "rows of a table drawn by the database";
    return file;
}

}  // namespace twinscope
