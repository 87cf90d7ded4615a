#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

// Larger pictures than this are a typing error rather than a wish.
constexpr int MaximumSide = 10000;
// The window's chart, the picture's size unless asked otherwise.
constexpr QSize StoredChartSize(965, 518);
constexpr double MinimumScale = 0.1;
constexpr double MaximumScale = 10;

// An argument that cannot be used: the message names the option and the value.
struct BadValue {
    QString Message;
};

QSize ParseSize(const QString& text) {
    static const QRegularExpression form("^([0-9]{1,5})x([0-9]{1,5})$");
    const QRegularExpressionMatch m = form.match(text);
    const QSize size = m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
    if (size.width() < 1 || size.height() < 1 || size.width() > MaximumSide ||
        size.height() > MaximumSide) {
        throw BadValue{QString("--size: '%1' is not a size WIDTHxHEIGHT in pixels, each from 1 to "
                               "%2 (for example 965x518)")
                           .arg(text)
                           .arg(MaximumSide)};
    }
    return size;
}

TDateTime ParseDate(const QString& option, const QString& text) {
    const auto value = ParseIsoDateTime(text.toStdString());
    if (!value) {
        throw BadValue{QString("--%1: '%2' is not an ISO 8601 date (%3)")
                           .arg(option, text, kIsoDateTimeForms)};
    }
    return *value;
}

// "DATE" or "DATE,VALUE": the date in ISO 8601, the value a plain number.
TRenderCursor ParseCursor(const QString& text) {
    const qsizetype comma = text.indexOf(',');
    TRenderCursor cursor{.Date = ParseDate("cursor", text.left(comma))};
    if (comma < 0) return cursor;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.mid(comma + 1), &ok);
    if (!ok || !std::isfinite(value)) {
        throw BadValue{QString("--cursor: '%1' is not a number").arg(text.mid(comma + 1))};
    }
    cursor.Value = value;
    return cursor;
}

QString ParseRenderFile(const QString& fileName) {
    if (fileName != "-" && !PictureFormatOf(fileName.toStdString())) {
        throw BadValue{QString("--render: '%1' does not end in .png, .svg or .pdf").arg(fileName)};
    }
    return fileName;
}

TPictureFormat ParsePictureFormat(const QString& name) {
    const auto format = PictureFormatNamed(name.toStdString());
    if (!format) {
        throw BadValue{
            QString("--format: '%1' is not a picture format (png, svg or pdf)").arg(name)};
    }
    return *format;
}

// A ratio whose picture stays within the largest side.
double ParseScale(const QString& text, QSize size) {
    bool number = false;
    const double scale = text.toDouble(&number);
    if (!number || !(scale >= MinimumScale && scale <= MaximumScale)) {
        throw BadValue{QString("--scale: '%1' is not a device pixel ratio from %2 to %3")
                           .arg(text)
                           .arg(MinimumScale)
                           .arg(MaximumScale)};
    }
    const int side = static_cast<int>(std::ceil(std::max(size.width(), size.height()) * scale));
    if (side > MaximumSide) {
        throw BadValue{QString("--scale: %1 times %2x%3 is %4 pixels a side, more than %5")
                           .arg(text)
                           .arg(size.width())
                           .arg(size.height())
                           .arg(side)
                           .arg(MaximumSide)};
    }
    return scale;
}

TLegendShown ParseLegend(const QString& text) {
    if (text == "values") return TLegendShown::Values;
    if (text == "series") return TLegendShown::Series;
    if (text == "none") return TLegendShown::None;
    throw BadValue{QString("--legend: '%1' is not values, series or none").arg(text)};
}

TReadingsFormat ParseReadingsFormat(const QString& name) {
    const auto format = ReadingsFormatNamed(name.toStdString());
    if (!format) {
        throw BadValue{QString("--data-format: '%1' is not a readings format (%2)")
                           .arg(name, QString::fromStdString(ReadingsFormatList()))};
    }
    return *format;
}

TLeapDay ParseLeapDay(const QString& text) {
    const auto leapDay = LeapDayNamed(text.toStdString());
    if (!leapDay) throw BadValue{QString("--leap-day: '%1' is not show, merge or skip").arg(text)};
    return *leapDay;
}

TTemperatureUnit ParseUnit(const QString& text) {
    const QString unit = text.toUpper();
    if (unit == "F") return TTemperatureUnit::Fahrenheit;
    if (unit == "C") return TTemperatureUnit::Celsius;
    if (unit == "K") return TTemperatureUnit::Kelvin;
    throw BadValue{QString("--unit: '%1' is not F, C or K").arg(text)};
}

// "LOW,HIGH": the two lines a band spans.
TBandElements ParseBand(const QString& text) {
    const QStringList names = text.split(',');
    if (names.size() != 2 || names[0].trimmed().isEmpty() || names[1].trimmed().isEmpty() ||
        names[0].trimmed().compare(names[1].trimmed(), Qt::CaseInsensitive) == 0) {
        throw BadValue{
            QString("--band: '%1' is not two lines LOW,HIGH (for example TMIN,TMAX)").arg(text)};
    }
    return {names[0].trimmed().toStdString(), names[1].trimmed().toStdString()};
}

std::string ParseBars(const QString& text) {
    const auto element = AmountElementNamed(text.toStdString());
    if (!element) throw BadValue{QString("--bars: '%1' is not PRCP or SNOW").arg(text)};
    return std::string(*element);
}

void RefuseUnless(bool condition, const QCommandLineParser& parser,
                  std::initializer_list<const QCommandLineOption*> options, const QString& needed) {
    if (condition) return;
    for (const QCommandLineOption* o : options) {
        if (parser.isSet(*o)) {
            throw BadValue{QString("--%1 applies only with %2").arg(o->names()[0], needed)};
        }
    }
}

std::string ParseCanvas(const QString& name) {
    if (!IsCanvasClassRegistered(name.toStdString())) {
        throw BadValue{QString("--canvas: '%1' is not a canvas; the canvases are TGDIPlusCanvas "
                               "(anti-aliased) and TChartCanvas3D (aliased)")
                           .arg(name)};
    }
    return name.toStdString();
}

TCommandLineExit UsageError(const QString& message) {
    const QString name = QCoreApplication::applicationName();
    return {2, QString("%1: %2\nTry '%1 --help' for more information.\n").arg(name, message)};
}

}  // namespace

std::variant<TProgramOptions, TCommandLineExit> ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Temperatures over dates on a chart with a °F and a °C scale on the left and dates and "
        "days of the year at the bottom.\n"
        "Without options the window opens with its stored readings. With --render the chart is "
        "written to a picture file instead, without a window or a display.\n" +
        QString::fromStdString("Readings files: " + KnownLayouts() +
                               "; each may be gzip-compressed. Dropping a readings file onto the "
                               "window loads it too."));
    // Not addHelpOption(): its --help-all would offer Qt's own options, which this program does
    // not take, since it reads its arguments before the application object exists.
    const QCommandLineOption help({"h", "help"}, "Displays this help.");
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption data(
        "data",
        "Use the readings of a CSV file, or of standard input for -, instead of the stored ones; "
        "repeat it for more files. Without --min, --max, --begin and --end the chart shows the "
        "whole of the readings. A database table is drawn by the database itself, from "
        "sqlite:///path/file.db?table=T&x=DATE&y=VALUE or "
        "postgresql://user@host:port/db?table=T&x=DATE&y=VALUE (the password from PGPASSWORD "
        "or ~/.pgpass).",
        "file");
    const QCommandLineOption dataFormat(
        "data-format",
        "With --data: read the file as readings, ghcn, meteostat, csv, cdo (NOAA Climate Data "
        "Online daily summaries), ghcn-access (GHCN-Daily station CSV), isd-lite (NOAA "
        "ISD-Lite hourly) or ghcnh (NOAA GHCNh hourly) (default: told from its first row).",
        "name");
    const QCommandLineOption column(
        "column",
        "With --data: a column (of a GHCN-Daily file: an element, TMAX, TMIN or TAVG) to plot as "
        "a line of its own; repeat it for more (default: the file's temperatures, or every "
        "column after the date; of a database: its y).",
        "name");
    const QCommandLineOption unit(
        "unit",
        "With --data: the unit of the file's temperatures, F, C or K (default F; for NOAA daily "
        "summaries: F for standard units, C for metric); GHCN-Daily, Meteostat, ISD-Lite and "
        "GHCNh files have their own.",
        "unit");
    const QCommandLineOption render(
        "render",
        "Write the chart to a PNG, SVG or PDF file, or to standard output for -, instead of "
        "opening the window.",
        "file");
    const QCommandLineOption format(
        "format", "With --render -: the picture's format, png, svg or pdf.", "name");
    const QCommandLineOption scale(
        "scale",
        "With --render: the device pixel ratio, from 0.1 to 10 (default 1); PNG pictures have "
        "that many pixels per pixel of the size, SVG and PDF pictures are shown that much larger.",
        "N");
    const QCommandLineOption title("title", "With --render: the chart's title (default TChart).",
                                   "text");
    const QCommandLineOption legend(
        "legend",
        "With --render: what the legend lists, values (the points of the line), series (the "
        "lines by name) or none (default: values; series when --data gives more than one line or "
        "more than 50 points).",
        "what");
    const QCommandLineOption cursor(
        "cursor",
        "With --render: the readout drawn in the picture at a date, ISO 8601, and optionally at a "
        "value of the left axis after a comma (2024-08-15 or 2024-08-15,72.5; default: the "
        "plot's middle height).",
        "date[,value]");
    const QCommandLineOption size(
        "size",
        "With --render: the picture's size in pixels (default: the window's chart, "
        "965x518).",
        "WxH");
    const QCommandLineOption minimum(
        "min",
        "With --render: the °F minimum, as typed (default 0; with --data: the readings' own).",
        "F");
    const QCommandLineOption maximum(
        "max",
        "With --render: the °F maximum, as typed (default 100; with --data: the readings' "
        "own).",
        "F");
    const QCommandLineOption begin(
        "begin",
        "With --render: the begin date, ISO 8601 (default 2024-08-01T14:31:31; with --data: "
        "the first reading's).",
        "date");
    const QCommandLineOption end(
        "end",
        "With --render: the end date, ISO 8601 (default 2024-09-30T14:31:49; with --data: the "
        "last reading's).",
        "date");
    const QCommandLineOption gridOnCelsius(
        "grid-on-celsius",
        "With --render: the grid on the °C scale, as after the \"grid°C\" "
        "menu command.");
    const QCommandLineOption canvas(
        "canvas",
        "With --render to a PNG file: the canvas that draws the chart, TGDIPlusCanvas "
        "(anti-aliased, the default) or TChartCanvas3D (aliased). SVG pictures are "
        "always anti-aliased.",
        "name");
    const QCommandLineOption buildSummary(
        "build-summary",
        "With --data naming a database table: first makes (anew) the table's summary of block "
        "extremes, \"<table>__m4_<x>_<y>\" of each value column, from which the frames are "
        "drawn instead of the rows: a frame of a hundred million rows takes milliseconds. It "
        "writes to the database, once; build it again after rows change.");
    const QCommandLineOption wrapDayScale(
        "wrap-day-scale",
        "Dates across a new year get a day scale that starts again at 1 on each 1 January "
        "(without it such dates keep the day scale as it was).");
    const QCommandLineOption wheelZoom(
        "wheel-zoom",
        "In the window the mouse wheel zooms around the point under the cursor (over an axis, "
        "that axis alone) and a drag over an axis pans that axis alone; without it the wheel "
        "does nothing there and a drag over an axis zooms or scrolls the chart.");
    const QCommandLineOption overlayYears(
        "overlay-years",
        "With --data: each year of the first line drawn over the others against the day of the "
        "year, the latest strongest, with the daily mean, the 10th to 90th percentile of the "
        "days within a week either side and the records behind them (the window's \"overlay "
        "years\" menu command turns it on and off).");
    const QCommandLineOption leapDay(
        "leap-day",
        "With --data: 29 February in overlaid years: show (a day of its own; a gap in other years, "
        "the default), merge (averaged into 28 February) or skip.",
        "mode");
    const QCommandLineOption band(
        "band",
        "With --data: the area between two lines, LOW,HIGH (for example TMIN,TMAX), drawn "
        "translucent beneath them.",
        "low,high");
    const QCommandLineOption bars(
        "bars",
        "With --data: a GHCN-Daily or NOAA daily file's PRCP or SNOW as bars on a right axis in "
        "mm, with a scale in inches beside it.",
        "element");
    const QCommandLineOption saveColumns(
        "save-columns",
        "With --data: write the readings (one line) into a column file, which --data then shows "
        "from the disk without reading it into memory, and end.",
        "file");
    parser.addOptions({data, dataFormat, column, unit, band, bars, saveColumns, render, format,
                       size, scale, minimum, maximum, begin, end, gridOnCelsius, canvas, title,
                       legend, wrapDayScale, wheelZoom, cursor, overlayYears, leapDay, buildSummary});

    if (!parser.parse(arguments)) return UsageError(parser.errorText());
    if (parser.isSet(help)) {
        // The parser names the program after the application object's first argument; the
        // command line is read before that object exists.
        const QString text = parser.helpText();
        return TCommandLineExit{
            0, QString("Usage: %1 [options]").arg(QCoreApplication::applicationName()) +
                   text.mid(text.indexOf('\n'))};
    }
    if (parser.isSet(version)) {
        return TCommandLineExit{0, QString("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                          QCoreApplication::applicationVersion())};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return UsageError(
            QString("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    }

    TProgramOptions options;
    options.WrapDayScale = parser.isSet(wrapDayScale);
    options.WheelZoom = parser.isSet(wheelZoom);
    try {
        RefuseUnless(parser.isSet(data), parser,
                     {&dataFormat, &column, &unit, &band, &bars, &saveColumns, &overlayYears,
                      &leapDay, &buildSummary},
                     "--data");
        options.OverlayYears = parser.isSet(overlayYears);
        if (parser.isSet(leapDay)) options.LeapDay = ParseLeapDay(parser.value(leapDay));
        for (const QCommandLineOption* dates : {&begin, &end}) {
            if (options.OverlayYears && parser.isSet(*dates)) {
                throw BadValue{QString("--%1 does not apply with --overlay-years, which shows the "
                                       "whole year")
                                   .arg(dates->names()[0])};
            }
        }
        // The overlay draws the years of one line over a year of day slots: bands and bars over
        // the readings' own dates would stand outside it.
        for (const QCommandLineOption* filled : {&band, &bars}) {
            if (options.OverlayYears && parser.isSet(*filled)) {
                throw BadValue{QString("--%1 does not apply with --overlay-years, which draws the "
                                       "years of one line")
                                   .arg(filled->names()[0])};
            }
        }
        if (parser.isSet(band)) options.Reading.Band = ParseBand(parser.value(band));
        if (parser.isSet(bars)) options.Reading.Amounts = {ParseBars(parser.value(bars))};
        options.DataFiles = parser.values(data);
        if (parser.isSet(saveColumns)) options.SaveColumns = parser.value(saveColumns);
        if (parser.isSet(dataFormat))
            options.Reading.Format = ParseReadingsFormat(parser.value(dataFormat));
        for (const QString& name : parser.values(column))
            options.Reading.Columns.push_back(name.toStdString());
        if (parser.isSet(unit)) options.Reading.Unit = ParseUnit(parser.value(unit));
        options.Reading.BuildDatabaseSummary = parser.isSet(buildSummary);
        RefuseUnless(parser.isSet(render), parser,
                     {&format, &size, &scale, &minimum, &maximum, &begin, &end, &gridOnCelsius,
                      &canvas, &title, &legend, &cursor},
                     "--render");
        if (!parser.isSet(render)) return options;
        TRenderOptions& r = options.RenderTo.emplace();
        r.FileName = ParseRenderFile(parser.value(render));
        const bool standardOutput = r.FileName == "-";
        RefuseUnless(standardOutput, parser, {&format},
                     "--render - (a file's name chooses its format)");
        if (standardOutput && !parser.isSet(format)) {
            throw BadValue{"--render -: standard output needs --format png, svg or pdf"};
        }
        if (parser.isSet(format)) r.Format = ParsePictureFormat(parser.value(format));
        if (parser.isSet(size)) r.Size = ParseSize(parser.value(size));
        if (parser.isSet(scale))
            r.Scale = ParseScale(parser.value(scale), r.Size.value_or(StoredChartSize));
        if (parser.isSet(minimum)) r.Inputs.Minimum = parser.value(minimum);
        if (parser.isSet(maximum)) r.Inputs.Maximum = parser.value(maximum);
        if (parser.isSet(begin)) r.Inputs.Begin = ParseDate("begin", parser.value(begin));
        if (parser.isSet(end)) r.Inputs.End = ParseDate("end", parser.value(end));
        r.GridOnCelsius = parser.isSet(gridOnCelsius);
        if (parser.isSet(canvas)) r.Canvas = ParseCanvas(parser.value(canvas));
        if (parser.isSet(title)) r.Title = parser.value(title).toStdString();
        if (parser.isSet(legend)) r.Legend = ParseLegend(parser.value(legend));
        if (parser.isSet(cursor)) r.Cursor = ParseCursor(parser.value(cursor));
    } catch (const BadValue& bad) {
        return UsageError(bad.Message);
    }
    return options;
}

}  // namespace twinscope
