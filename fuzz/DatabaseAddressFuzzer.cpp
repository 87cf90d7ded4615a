// Database addresses and value columns of any bytes, taken as the program takes --data and
// --column. An address is either refused with a reason, or gives sources that name a driver, a
// database, a table and both columns, and whose shown address holds no password. Every name
// either is refused or is quoted as one identifier: the quoted text, read back as SQL reads a
// quoted identifier, is the name itself. A SQLite address is then opened on a database of the
// fuzzer's own (never on the file it names), so the checks of tables and columns run against a
// real driver.
//
// An input is the address, then the --column names, each ended by a NUL byte.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>

#include "app/DatabaseReadings.h"
#include "fuzz/FuzzInput.h"

namespace {

using namespace twinscope;

std::string DatabaseOfOwn() {
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("database-address-fuzz-" + std::to_string(getpid()) + ".db"))
                                     .string();
        std::filesystem::remove(file);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "seed");
            db.setDatabaseName(QString::fromStdString(file));
            if (!db.open()) __builtin_trap();
            QSqlQuery query(db);
            query.exec("CREATE TABLE readings (ts REAL, temp REAL, label TEXT, \"odd name\" REAL)");
            query.exec("INSERT INTO readings VALUES (1, 10, 'a', 5), (2, 12, 'b', 6), (3, 9, 'c', 7)");
        }
        QSqlDatabase::removeDatabase("seed");
        return file;
    }();
    return path;
}

// The identifier a quoted name stands for: each part between double quotes, with a doubled
// quote read as one, the parts joined by dots.
std::string UnquotedName(const std::string& quoted) {
    std::string name;
    bool inside = false;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"') {
            if (inside && i + 1 < quoted.size() && quoted[i + 1] == '"') {
                name += '"';
                ++i;
            } else {
                inside = !inside;
            }
        } else if (inside) {
            name += c;
        } else if (c == '.') {
            name += '.';
        } else {
            __builtin_trap();  // text outside the quotes would reach the query as SQL
        }
    }
    if (inside) __builtin_trap();
    return name;
}

void CheckQuoting(const std::string& name, bool table) {
    for (const char* driverName : {"QSQLITE", "QPSQL"}) {
        const QString connection = QString("quoting-") + driverName;
        QSqlDatabase db = QSqlDatabase::contains(connection)
                              ? QSqlDatabase::database(connection, false)
                              : QSqlDatabase::addDatabase(driverName, connection);
        if (!db.driver()) continue;
        try {
            const std::string quoted = QuotedDatabaseName(*db.driver(), name, table);
            if (quoted.empty() || quoted.front() != '"' || UnquotedName(quoted) != name)
                __builtin_trap();
        } catch (const DatabaseError& e) {
            if (std::string(e.what()).empty()) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string address = input.Text();
    std::vector<std::string> columns;
    while (!input.Empty()) columns.push_back(input.Text());

    const QUrl shown(QString::fromStdString(ShownDatabaseAddress(address)));
    if (!shown.password().isEmpty()) __builtin_trap();
    std::vector<TDatabaseSource> sources;
    try {
        sources = DatabaseSources(address, columns);
    } catch (const ReadingsError& e) {
        if (std::string(e.what()).empty()) __builtin_trap();
        return 0;
    }
    if (!IsDatabaseAddress(address) || sources.empty()) __builtin_trap();
    for (TDatabaseSource& source : sources) {
        if (source.Database.empty() || source.Table.empty() || source.X.empty() ||
            source.Y.empty() || (source.Driver != "QSQLITE" && source.Driver != "QPSQL"))
            __builtin_trap();
        if (source.Address != ShownDatabaseAddress(address)) __builtin_trap();
        CheckQuoting(source.Table, true);
        CheckQuoting(source.X, false);
        CheckQuoting(source.Y, false);
        // A server is never dialled: the name of any host would be.
        if (source.Driver != "QSQLITE") continue;
        source.Database = DatabaseOfOwn();
        try {
            TDatabaseQueries queries(source);
            const auto extent = queries.Extremes();
            if (extent.Rows > 3) __builtin_trap();
        } catch (const DatabaseError& e) {
            if (std::string(e.what()).empty()) __builtin_trap();
        }
    }
    return 0;
}
