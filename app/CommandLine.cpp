#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

// Larger pictures than this are a typing error rather than a wish.
constexpr int MaximumSide = 10000;

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

QString ParseRenderFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != "png" && suffix != "svg") {
        throw BadValue{QString("--render: '%1' does not end in .png or .svg").arg(fileName)};
    }
    return fileName;
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
        "written to a picture file instead, without a window or a display.");
    // Not addHelpOption(): its --help-all would offer Qt's own options, which this program does
    // not take, since it reads its arguments before the application object exists.
    const QCommandLineOption help({"h", "help"}, "Displays this help.");
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption data(
        "data",
        "Use the readings of a CSV file (an ISO 8601 date and a temperature in °F per row) "
        "instead of the stored ones.",
        "file.csv");
    const QCommandLineOption render(
        "render", "Write the chart to a PNG or SVG file instead of opening the window.", "file");
    const QCommandLineOption size(
        "size",
        "With --render: the picture's size in pixels (default: the window's chart, "
        "965x518).",
        "WxH");
    const QCommandLineOption minimum("min", "With --render: the °F minimum, as typed (default 0).",
                                     "F");
    const QCommandLineOption maximum("max",
                                     "With --render: the °F maximum, as typed (default 100).", "F");
    const QCommandLineOption begin(
        "begin", "With --render: the begin date, ISO 8601 (default 2024-08-01T14:31:31).", "date");
    const QCommandLineOption end(
        "end", "With --render: the end date, ISO 8601 (default 2024-09-30T14:31:49).", "date");
    const QCommandLineOption gridOnCelsius(
        "grid-on-celsius",
        "With --render: the grid on the °C scale, as after the \"grid°C\" "
        "menu command.");
    const QCommandLineOption canvas(
        "canvas", "With --render to a PNG file: the canvas that draws the chart, TGDIPlusCanvas "
                  "(anti-aliased, the default) or TChartCanvas3D (aliased). SVG pictures are "
                  "always anti-aliased.",
        "name");
    parser.addOptions({data, render, size, minimum, maximum, begin, end, gridOnCelsius, canvas});

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
    try {
        if (parser.isSet(data)) options.DataFile = parser.value(data);
        if (!parser.isSet(render)) {
            for (const QCommandLineOption* o :
                 {&size, &minimum, &maximum, &begin, &end, &gridOnCelsius, &canvas}) {
                if (parser.isSet(*o)) {
                    throw BadValue{QString("--%1 applies only with --render").arg(o->names()[0])};
                }
            }
            return options;
        }
        TRenderOptions& r = options.RenderTo.emplace();
        r.FileName = ParseRenderFile(parser.value(render));
        if (parser.isSet(size)) r.Size = ParseSize(parser.value(size));
        if (parser.isSet(minimum)) r.Inputs.Minimum = parser.value(minimum);
        if (parser.isSet(maximum)) r.Inputs.Maximum = parser.value(maximum);
        if (parser.isSet(begin)) r.Inputs.Begin = ParseDate("begin", parser.value(begin));
        if (parser.isSet(end)) r.Inputs.End = ParseDate("end", parser.value(end));
        r.GridOnCelsius = parser.isSet(gridOnCelsius);
        if (parser.isSet(canvas)) r.Canvas = ParseCanvas(parser.value(canvas));
    } catch (const BadValue& bad) {
        return UsageError(bad.Message);
    }
    return options;
}

}  // namespace twinscope
