#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <variant>

#include "app/ReadingsFile.h"
#include "app/TwinscopeMain.h"
#include "twinscope/platform/ChartExport.h"

namespace twinscope {

// Where a rendered picture shows the readout: at a date and, on the left axis, at a value (the
// plot's middle height when none is given).
struct TRenderCursor {
    TDateTime Date = 0;
    std::optional<double> Value;
    friend bool operator==(const TRenderCursor&, const TRenderCursor&) = default;
};

// A chart rendered into a picture file without a window. Values left unset keep the window's
// stored content; the plot inputs are entered as a user would type and pick them.
struct TRenderOptions {
    // "-" for standard output, which Format is set for; a file's name chooses its format.
    QString FileName;
    std::optional<TPictureFormat> Format;
    std::optional<QSize> Size;
    double Scale = 1;
    TPlotInputs Inputs;
    bool GridOnCelsius = false;
    std::optional<std::string> Canvas;
    std::optional<std::string> Title;
    std::optional<TLegendShown> Legend;
    std::optional<TRenderCursor> Cursor;
};

// What the program is asked to do: open the window, or render (RenderTo set); either with the
// readings of CSV files ("-": standard input) in place of the stored ones, read as Reading says.
struct TProgramOptions {
    QStringList DataFiles;
    TReadingOptions Reading;
    // The readings are written into this column file, and the program ends.
    std::optional<QString> SaveColumns;
    std::optional<TRenderOptions> RenderTo;
    // A plot across a new year gets a day scale that reads across it.
    bool WrapDayScale = false;
    // The window's wheel zooms around the cursor (--wheel-zoom).
    bool WheelZoom = false;
    // The years of the readings laid over each other (--overlay-years), and where 29 February
    // goes then, or when the window's menu command lays them over each other (--leap-day).
    bool OverlayYears = false;
    TLeapDay LeapDay = TLeapDay::Show;
};

// The program ends at once: help or version for standard output (status 0), or an error for
// standard error (status 2).
struct TCommandLineExit {
    int Status = 0;
    QString Text;
};

// Reads the arguments (the program's own name first). Canvas names are checked against the
// canvas classes registered at the time.
std::variant<TProgramOptions, TCommandLineExit> ParseCommandLine(const QStringList& arguments);

}  // namespace twinscope
