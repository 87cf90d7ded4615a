#pragma once

// The PostgreSQL server of the test command (scripts/test.sh starts one; the folder of its Unix
// socket is TWINSCOPE_TEST_POSTGRES), reached through a connection of the test's own, and
// tables on it whose queries can be made to stall.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "twinscope/platform/DatabaseSeries.h"

namespace twinscope::testing {

// The socket folder, or null when no server is named and the test is to skip.
inline const char* TestServerSocket() {
    const char* socket = std::getenv("TWINSCOPE_TEST_POSTGRES");
    return socket && *socket ? socket : nullptr;
}

class TTestServer {
public:
    explicit TTestServer(const std::string& connection) : connection_(connection) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", QString::fromStdString(connection));
        db.setHostName(TestServerSocket());
        db.setUserName("postgres");
        db.setDatabaseName("postgres");
        if (!db.open()) ADD_FAILURE() << db.lastError().text().toStdString();
    }
    ~TTestServer() {
        QSqlDatabase::database(QString::fromStdString(connection_), false).close();
        QSqlDatabase::removeDatabase(QString::fromStdString(connection_));
    }
    TTestServer(const TTestServer&) = delete;
    TTestServer& operator=(const TTestServer&) = delete;

    // The first column of the statement's first row (0 without one); a failure fails the test.
    double Exec(const std::string& statement) const {
        QSqlQuery query(QSqlDatabase::database(QString::fromStdString(connection_), false));
        if (!query.exec(QString::fromStdString(statement))) {
            ADD_FAILURE() << statement << ": " << query.lastError().text().toStdString();
            return 0;
        }
        return query.next() ? query.value(0).toDouble() : 0;
    }

    // The table `name` of a wave over `rows` rows a hundredth of a day apart from 45000,
    // indexed on ts, and the view "<name>_slow" of it, whose queries sleep the seconds that
    // SetPace last gave at every row.
    void MakeStallingTable(const std::string& name, int rows) const {
        for (const std::string& statement : {
                 "DROP VIEW IF EXISTS " + name + "_slow",
                 "DROP TABLE IF EXISTS " + name,
                 "DROP TABLE IF EXISTS " + name + "_pace",
                 "CREATE TABLE " + name + " (ts double precision, temp double precision)",
                 "INSERT INTO " + name + " SELECT 45000 + i / 100.0, 60 + 20 * sin(i / 50.0) FROM "
                     "generate_series(0, " + std::to_string(rows - 1) + ") AS i",
                 "CREATE INDEX ON " + name + " (ts)",
                 "CREATE TABLE " + name + "_pace (seconds double precision)",
                 "INSERT INTO " + name + "_pace VALUES (0)",
                 "CREATE VIEW " + name + "_slow AS SELECT ts, temp FROM " + name +
                     " WHERE pg_sleep((SELECT seconds FROM " + name + "_pace)) IS NOT NULL",
             }) {
            Exec(statement);
        }
    }
    void SetPace(const std::string& name, double seconds) const {
        Exec("UPDATE " + name + "_pace SET seconds = " + std::to_string(seconds));
    }
    // The queries of the view "<name>_slow" sleeping now.
    int Sleeping(const std::string& name) const {
        return static_cast<int>(Exec(Sleepers("count(*)", name)));
    }
    // Ends the server's sessions whose queries of the view sleep, as a server stopping does.
    void EndSleepingSessions(const std::string& name) const {
        Exec(Sleepers("count(pg_terminate_backend(pid))", name));
    }

    static TDatabaseSource Source(const std::string& table, const std::string& user = "postgres") {
        return {.Driver = "QPSQL",
                .Database = "postgres",
                .Host = TestServerSocket(),
                .User = user,
                .Table = table,
                .X = "ts",
                .Y = "temp"};
    }

private:
    static std::string Sleepers(const std::string& what, const std::string& name) {
        // A session reading the view holds a lock on its table.
        return "SELECT " + what + " FROM pg_stat_activity WHERE wait_event = 'PgSleep' AND " +
               "pid IN (SELECT pid FROM pg_locks WHERE relation = '" + name + "'::regclass)";
    }

    std::string connection_;
};

}  // namespace twinscope::testing
