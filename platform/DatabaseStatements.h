#pragma once

// What the queries of a series drawn by a database share: the running of one statement with
// bound values, and a driver's error as one line.

#include <QSqlError>
#include <QSqlQuery>

#include <cstdint>
#include <string>
#include <vector>

namespace twinscope::detail {

// Rows this many pixels beyond each end of the plot are bucketed too: points whose marker
// still touches the plot, and the segments into and out of it, are drawn from them.
inline constexpr std::int32_t BeyondPlot = 16;

// Adding and taking away 2^52 rounds a double to an integer, ties to even, as the scale map
// rounds its pixels: the query finds each row's pixel column exactly as the chart does.
inline constexpr double IntegralShift = 4503599627370496.0;

// A bound value of the kind the X and value columns are compared with.
inline constexpr const char* BoundDouble = "CAST(? AS DOUBLE PRECISION)";

// The driver's message on one line, or a word that it gave none.
std::string DatabaseReason(const QSqlError& error);

// Runs the statement on the named connection with the values bound in order, forward only;
// DatabaseError when it cannot.
QSqlQuery RunStatement(const std::string& connection, const std::string& text,
                       const std::vector<double>& values);

}  // namespace twinscope::detail
