#include "app/ChartRender.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <cstdio>
#include <limits>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/platform/ReadoutOverlay.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/MessageHook.h"

namespace twinscope {

namespace {

// On the command line the window's message for dates across a new year says what plots them.
constexpr const char* WrapDayScaleHint = " (--wrap-day-scale numbers the days across new years)";

// How long a picture waits for a database's answer.
constexpr int AnswerWaitSeconds = 120;

// Lines drawn by databases ask for their rows as the picture is drawn: it is drawn aside until
// a drawing asks for nothing more, so that the picture written shows the rows of its own view.
// What the databases said went wrong comes back.
std::vector<std::string> AwaitDatabases(TfmTwinscope& window, TPictureFormat format, QSize size,
                                        double scale, const TPictureOverlay& overlay) {
    for (int round = 0; round < 6; ++round) {
        QBuffer aside;
        aside.open(QIODevice::WriteOnly);
        WriteChartPicture(window.Chart(), aside, "memory", format, size.width(), size.height(),
                          scale, overlay);
        if (!window.DatabaseWaiting()) break;
        const QDeadlineTimer deadline{std::chrono::seconds(AnswerWaitSeconds)};
        while (window.DatabaseWaiting() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (window.DatabaseWaiting()) {
            return {"the database gave no answer within " + std::to_string(AnswerWaitSeconds) +
                    " s"};
        }
        // A failed line would be asked again at every drawing.
        if (!window.DatabaseFailures().empty()) break;
    }
    return window.DatabaseFailures();
}

// The widest range an axis holds: whatever the plot writes next stays inside it.
void OpenRange(TChartAxis& axis) {
    axis.SetMinMax(std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
}

// The readout at the cursor, drawn over the picture by the canvas that drew the chart, from
// the layout of the picture's size.
TPictureOverlay CursorOverlay(const TChart& chart, const std::optional<TRenderCursor>& cursor,
                              TReadoutOverlay& overlay) {
    if (!cursor) return {};
    return [&chart, cursor, &overlay](QPainter& painter, const std::string& canvasClass) {
        const std::int32_t x = chart.ScaleMapOf(chart.BottomAxis()).ToPixel(cursor->Date);
        const std::int32_t y = cursor->Value
                                   ? chart.ScaleMapOf(chart.LeftAxis()).ToPixel(*cursor->Value)
                                   : chart.PlotCenterY();
        const TReadout readout = ReadoutAt(chart, {x, y});
        overlay.Draw(painter, chart, std::span(&readout, 1), {}, canvasClass);
    };
}

}  // namespace

std::vector<std::string> RenderChart(const TRenderOptions& options,
                                     const std::optional<TReadingsFile>& readings,
                                     bool wrapDayScale, std::optional<TLeapDay> overlayYears) {
    MessageCollector shown;
    try {
        TfmTwinscope window;
        window.SetWrapDayScale(wrapDayScale);
        TChart& chart = window.Chart();
        if (readings) window.ReplaceReadings(*readings);
        if (options.Canvas) chart.SetDefaultCanvas(*options.Canvas);
        if (options.Title) chart.Title().SetText({*options.Title});
        if (options.Legend) window.ShowLegend(*options.Legend);
        window.FormShow();
        if (options.GridOnCelsius) window.menuGridClick();
        if (readings) {
            window.OpenOnReadings(*readings, options.Inputs);
            if (overlayYears) {
                window.OverlayYears(overlayYears);
                window.EnterPlotInputs(
                    {.Minimum = options.Inputs.Minimum, .Maximum = options.Inputs.Maximum});
            }
        } else {
            window.EnterPlotInputs(options.Inputs);
        }
        OpenRange(chart.LeftAxis());
        OpenRange(chart.BottomAxis());
        window.btnPlotClick();
        for (std::string& message : shown.messages) {
            if (message == NonMonotonicLabelsMessage) message += WrapDayScaleHint;
        }
        if (!shown.messages.empty()) return shown.messages;
        const QSize size = options.Size.value_or(QSize(chart.Width(), chart.Height()));
        TReadoutOverlay readout;
        const TPictureOverlay overlay = CursorOverlay(chart, options.Cursor, readout);
        const TPictureFormat format = options.Format.value_or(
            PictureFormatOf(options.FileName.toStdString()).value_or(TPictureFormat::Png));
        const std::vector<std::string> failures =
            AwaitDatabases(window, format, size, options.Scale, overlay);
        if (!failures.empty()) return failures;
        if (options.FileName == "-") {
            QFile out;
            if (!out.open(stdout, QIODevice::WriteOnly))
                throw RuntimeError(out.errorString().toStdString());
            WriteChartPicture(chart, out, "standard output", *options.Format, size.width(),
                              size.height(), options.Scale, overlay);
        } else {
            SaveChartImage(chart, options.FileName.toStdString(), size.width(), size.height(),
                           options.Scale, overlay);
        }
    } catch (const OutOfMemoryError&) {
        throw;
    } catch (const RuntimeError& e) {
        // The window's default exception display would show this message.
        shown.messages.push_back(e.what());
    }
    return shown.messages;
}

}  // namespace twinscope
