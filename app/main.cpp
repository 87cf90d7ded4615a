#include <unistd.h>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

#include "app/ChartRender.h"
#include "app/ColumnReadings.h"
#include "app/CommandLine.h"
#include "app/InputText.h"
#include "app/ProgramIdentity.h"
#include "app/ReadingsFile.h"
#include "app/ReadingsLoad.h"
#include "app/TwinscopeMain.h"
#include "app/WindowStart.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/platform/MappedColumnFile.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/platform/QtMessageBox.h"
#include "twinscope/platform/QtUserSettings.h"
#include "twinscope/platform/TwinscopeApplication.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/FormatSettings.h"
#include "twinscope/runtime/UserSettings.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    SetProgramIdentity();
    RegisterQtCanvases();
    // The command line is read before the application object exists: help, version and errors
    // need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto parsed = ParseCommandLine(arguments);
    if (const auto* exit = std::get_if<TCommandLineExit>(&parsed)) {
        std::fputs(exit->Text.toLocal8Bit().constData(), exit->Status == 0 ? stdout : stderr);
        return exit->Status;
    }
    const TProgramOptions& options = std::get<TProgramOptions>(parsed);

    std::optional<TReadingsFile> readings;
    std::vector<std::string> paths;
    for (const QString& path : options.DataFiles)
        paths.push_back(path.toStdString());
    // Readings that do not fit into the chart are refused for the files together.
    const std::string dataName = paths.size() == 1 ? InputName(paths[0]) : "the readings";
    const auto refuseReadings = [&](const RuntimeError& e) {
        std::cerr << "twinscope: " << dataName << ": " << e.what() << '\n';
        return 1;
    };
    if (!paths.empty()) {
        // A long load into a picture says how far it has come, on a line of the terminal that
        // it overwrites and clears at the end.
        bool progressShown = false;
        TLoadProgress progress;
        if (options.RenderTo && isatty(STDERR_FILENO)) {
            progress = [&](const std::string& path, std::size_t read, std::size_t size) {
                std::cerr << "\rtwinscope: " << ProgressNote(path, read, size) << std::flush;
                progressShown = true;
            };
        }
        TReadingsLoad load = LoadReadingsFiles(paths, options.Reading, progress);
        if (progressShown) std::cerr << "\r\x1b[K" << std::flush;
        if (!load.Refusal.empty()) {
            std::cerr << "twinscope: " << load.Refusal << '\n';
            return 1;
        }
        for (const std::string& note : load.Notes)
            std::cerr << "twinscope: " << note << '\n';
        readings = std::move(load.Readings);
    }
    if (options.SaveColumns) {
        const std::string out = options.SaveColumns->toStdString();
        try {
            SaveColumnFile(*readings, out);
        } catch (const ReadingsError& e) {
            std::cerr << "twinscope: " << out << ": " << e.what() << '\n';
            return 1;
        }
        return 0;
    }

    // A chart rendered into a file needs no display, so that it runs on a server too.
    if (options.RenderTo) qputenv("QT_QPA_PLATFORM", "offscreen");
    TTwinscopeApplication application(argc, argv);
    SetProgramIcon();
    InstallUserSettings(std::make_unique<TQtUserSettings>());
    SetCurrentFormatSettings(FormatSettingsFromLocale(QLocale::system()));
    if (options.RenderTo) {
        std::vector<std::string> messages;
        try {
            messages =
                RenderChart(*options.RenderTo, readings, options.WrapDayScale,
                            options.OverlayYears ? std::optional(options.LeapDay) : std::nullopt);
        } catch (const OutOfMemoryError& e) {
            return refuseReadings(e);
        }
        // A column file shortened while it was drawn.
        for (const TReadings& line : readings ? readings->Series : std::vector<TReadings>{}) {
            const TMappedColumnFile* columns = ColumnFileOf(line);
            if (columns && columns->Lost()) messages.push_back(dataName + ": " + *columns->Lost());
        }
        for (const std::string& message : messages)
            std::cerr << "twinscope: " << message << '\n';
        return messages.empty() ? 0 : 1;
    }
    InstallQtMessageBox();

    const TWindowStart start = BuildWindow(StoredWindowText());
    if (!start.Window) return ReportStartFailure(start.Failure);
    start.Window->SetReadingOptions(options.Reading);
    start.Window->SetWrapDayScale(options.WrapDayScale);
    start.Window->SetLeapDay(options.LeapDay);
    start.Window->Chart().Mouse().SetWheelZoomsAtCursor(options.WheelZoom);
    start.Window->Chart().Mouse().SetAxisDragPans(options.WheelZoom);
    try {
        if (readings) {
            start.Window->ReplaceReadings(*readings);
            start.Window->OpenOnReadings(*readings);
            if (options.OverlayYears) start.Window->OverlayYears(options.LeapDay);
        }
    } catch (const OutOfMemoryError& e) {
        return refuseReadings(e);
    }
    start.Window->show();
    return application.exec();
}
