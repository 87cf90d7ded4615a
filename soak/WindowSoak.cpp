// Plays random actions against the real window on the offscreen platform: plots with random and
// extreme inputs, zooms, scrolls, zoom undos, readouts under the mouse pinned by clicks and let
// go with Escape, wheel turns zooming at the cursor, the navigation keys, grid toggles,
// resizes, the left axis turned
// logarithmic and back, readings streaming into the series (the last thousand kept), readings
// files of every layout (and a column file drawn from the disk) swapped in under the live chart,
// the years laid over each other and back, a second chart linked through its bottom axis zoomed,
// scrolled, read and unlinked, and further scales made and freed on every side (several on one side; with an inverse or without, ones
// with no value across part of the range, the calendars that start again each year, some
// following their master live), each followed by a paint of the chart. After every action nothing
// may have raised out of the paint, every label of a scale lies on its scale, the chart holds no
// more than its two scales and the further ones, and the only series added is the one companion
// series of a scale a plot or a new scale made (a freed scale leaves its companion behind), or
// the lines of readings swapped in; a linked chart shows the range of the chart it follows; the
// heap grows by no more than those series and the streamed readings' storage take, and a
// megabyte besides.
//
//   window_soak [--actions N] [--seed S]
//
// A quarter of the plots take dates at the ends of the calendar (years 1 and 9999).
// Exit status 0 when every action passed, 1 with the first failure on standard error.

#include <malloc.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <filesystem>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "app/ColumnReadings.h"
#include "app/TwinscopeMain.h"
#include "soak/FurtherScales.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartLink.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/platform/DateTimePicker.h"
#include "twinscope/platform/TwinscopeApplication.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/MessageHook.h"

namespace twinscope {
namespace {

struct TSoakOptions {
    long Actions = 300;
    unsigned Seed = 1;
};

const QSize StartSize{1000, 600};
// The Celsius and the day-of-year scale, and the further ones.
constexpr std::size_t MaxCustomAxes = 2 + TFurtherScales::Most;
// What one companion series may take of the heap: a little more than a scale made and freed
// leaves behind.
constexpr std::size_t CompanionBytes = 2 << 10;
// Heap growth allowed besides the companions and the streamed readings between the end of the
// warm-up and the end: the canvas's stores of texts filling up to their bounds, and what Qt
// keeps.
constexpr std::size_t HeapSlack = 1 << 20;

class TSoak {
public:
    explicit TSoak(const TSoakOptions& options) : options_(options), random_(options.Seed) {}

    int Run() {
        window_.Chart().Mouse().SetWheelZoomsAtCursor(true);
        window_.resize(StartSize);
        window_.show();
        MakeLinkedChart();
        QApplication::processEvents();
        const std::size_t residentAtStart = ResidentBytes();
        const long warmUp = std::min(options_.Actions / 5, 200L);
        std::size_t heapAfterWarmUp = 0;
        std::size_t seriesAtWarmUp = 0;
        std::size_t streamAfterWarmUp = 0;
        for (long i = 0; i < options_.Actions; ++i) {
            const std::size_t seriesBefore = window_.Chart().SeriesCount();
            const std::string action = PlayOne();
            std::string failure = failure_.empty() ? Check() : failure_;
            const std::size_t after = window_.Chart().SeriesCount();
            const std::size_t added = after > seriesBefore ? after - seriesBefore : 0;
            const bool makesScale = action == "plot" || action == "scale";
            const bool swapsLines = action == "swap" || action == "overlay";
            if (failure.empty() && !swapsLines && added > (makesScale ? 1u : 0u)) {
                failure = "the chart gained " + std::to_string(added) + " series";
            }
            if (!failure.empty()) {
                std::fprintf(stderr, "window_soak: action %ld (%s), seed %u: %s\n", i,
                             action.c_str(), options_.Seed, failure.c_str());
                return 1;
            }
            if (i + 1 == warmUp) {
                heapAfterWarmUp = HeapAtStartSize();
                seriesAtWarmUp = window_.Chart().SeriesCount();
                streamAfterWarmUp = StreamBytes();
            }
        }
        const std::size_t heap = HeapAtStartSize();
        // The readings swapped in are the same at both readings of the heap, so every series
        // more is a companion: of a plot, a new scale, or the plot after a swap or an overlay.
        const std::size_t companions = window_.Chart().SeriesCount() - seriesAtWarmUp;
        const std::size_t stream = StreamBytes() - std::min(StreamBytes(), streamAfterWarmUp);
        // A heap that the sanitizers' allocator keeps reports nothing: only counts are checked.
        if (heapAfterWarmUp != 0 &&
            heap > heapAfterWarmUp + companions * CompanionBytes + stream + HeapSlack) {
            std::fprintf(stderr,
                         "window_soak: the heap grew from %zu to %zu bytes with %zu companion "
                         "series and %zu bytes more of streamed readings, seed %u\n",
                         heapAfterWarmUp, heap, companions, stream, options_.Seed);
            return 1;
        }
        std::printf(
            "window_soak: %ld actions passed, seed %u, heap %zu bytes after the warm-up and %zu "
            "at the end, %zu companion series and %zu bytes more of streamed readings since the "
            "warm-up, resident %zu MB at the start and %zu MB at the end\n",
            options_.Actions, options_.Seed, heapAfterWarmUp, heap, companions, stream,
            residentAtStart >> 20, ResidentBytes() >> 20);
        return 0;
    }

private:
    static std::size_t HeapInUse() { return mallinfo2().uordblks; }
    // What the streamed series holds for its readings: whole chunks, kept for a window that
    // moves on.
    std::size_t StreamBytes() const {
        const TLineSeries& series = *window_.seriesActualData;
        return series.XValues().Bytes() + series.YValues().Bytes();
    }
    // The heap with the window at its first size, whose backing store (tens of megabytes at the
    // largest sizes played) is then the same.
    // The readings swapped in and the years laid over each other are put back to the same
    // file, not overlaid, so that the heap holds the same lines at both readings.
    std::size_t HeapAtStartSize() {
        if (window_.YearsOverlaid()) window_.OverlayYears(std::nullopt);
        window_.LoadReadingsFiles({QString::fromStdString(Samples().front())});
        window_.resize(StartSize);
        QApplication::processEvents();
        window_.chartTest->grab();
        return HeapInUse();
    }
    // The pages the process holds in memory, whichever allocator took them.
    static std::size_t ResidentBytes() {
        long pages = 0;
        long resident = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
            std::fclose(statm);
        }
        return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    }

    int Uniform(int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random_); }
    double Real(double lo, double hi) { return std::uniform_real_distribution(lo, hi)(random_); }

    // A value for an edit box: ordinary temperatures mostly, sometimes the ends of a double,
    // tiny values or text that is not a number.
    QString ValueText() {
        static const char* const extremes[] = {
            "1e308", "-1e308", "1.7976931348623157e308", "5e-324", "0", "-0", "abc", "", "1e-300"};
        if (Uniform(0, 3) == 0)
            return extremes[Uniform(0, static_cast<int>(std::size(extremes)) - 1)];
        return QString::number(Real(-500, 500), 'g', 10);
    }

    // A date: within a century of today mostly, or at the calendar's ends when asked for.
    TDateTime Date() {
        if (Uniform(0, 3) == 0) {
            // 1 Jan 0001 and 31 Dec 9999, and just inside them.
            static const double ends[] = {-693593, -693592.5, 2958465, 2958464.5};
            return ends[Uniform(0, static_cast<int>(std::size(ends)) - 1)];
        }
        return std::floor(Real(20000, 60000)) + Uniform(0, 1) * 0.5;
    }

    void Plot() {
        window_.lbedMinimum->setText(ValueText());
        window_.lbedMaximum->setText(ValueText());
        // Half the plots end within weeks of their begin, mostly in the same year, which is
        // what makes a new day-of-year scale.
        const TDateTime begin = Date();
        window_.dtpBegin->SetDateTime(begin);
        window_.dtpEnd->SetDateTime(Uniform(0, 1) ? Date()
                                                  : std::min(begin + Uniform(1, 60), 2958465.0));
        window_.btnPlot->click();
    }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        Drag(*window_.chartTest, button, from, to);
    }
    void Drag(QWidget& widget, Qt::MouseButton button, QPoint from, QPoint to) {
        QWidget* chart = &widget;
        auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
            QMouseEvent event(type, QPointF(at), QPointF(chart->mapToGlobal(at)), button, held,
                              Qt::NoModifier);
            QApplication::sendEvent(chart, &event);
        };
        send(QEvent::MouseButtonPress, from, button);
        send(QEvent::MouseMove, (from + to) / 2, button);
        send(QEvent::MouseMove, to, button);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    // The mouse over the chart without a button: the readout follows it; a click pins one
    // there, and now and then Escape lets every pin go.
    std::string Readout() {
        QWidget* chart = window_.chartTest;
        for (int moves = Uniform(1, 5); moves > 0; --moves) {
            const QPoint at = InsideChart();
            QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(chart->mapToGlobal(at)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(chart, &move);
        }
        if (Uniform(0, 2) == 0) {
            const QPoint at = InsideChart();
            Drag(Qt::LeftButton, at, at);
        }
        if (Uniform(0, 5) == 0) Press(Qt::Key_Escape);
        return "readout";
    }

    std::string Wheel() {
        QWidget* chart = window_.chartTest;
        const QPoint at = InsideChart();
        const int delta = Uniform(-3, 3) * 120 + Uniform(0, 3) * 15;
        QWheelEvent wheel(QPointF(at), QPointF(chart->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &wheel);
        return "wheel";
    }

    void Press(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window_.chartTest, &press);
    }

    std::string Keys() {
        static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,   Qt::Key_Down,
                                   Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Home, Qt::Key_Equal};
        for (int n = Uniform(1, 4); n > 0; --n)
            Press(keys[Uniform(0, static_cast<int>(std::size(keys)) - 1)]);
        return "keys";
    }

    QPoint InsideChart() {
        const QSize size = window_.chartTest->size();
        return {Uniform(-20, size.width() + 20), Uniform(-20, size.height() + 20)};
    }

    // Turns the left axis logarithmic or back; over a range reaching zero the axis refuses with
    // its message and stays linear, and no other refusal may come.
    std::string ToggleLogarithmic() {
        TChartAxis& left = window_.Chart().LeftAxis();
        try {
            left.SetLogarithmic(!left.Logarithmic());
        } catch (const AxisException& e) {
            if (std::string(e.what()) != "Axis range must be > 0 for a logarithmic axis" ||
                left.Logarithmic()) {
                failure_ = std::string("the logarithmic switch raised: ") + e.what();
            }
        }
        return "logarithmic";
    }

    // A batch of readings after the last one, some at or below zero, some not a number.
    std::string Stream() {
        TLineSeries& series = *window_.seriesActualData;
        series.SetKeepLast(1000);
        double x = series.PointCount() > 0 ? series.XValues().Last() : 45500;
        std::vector<double> xs;
        std::vector<double> ys;
        for (int i = Uniform(1, 200); i > 0; --i) {
            x += Real(0, 0.5);
            xs.push_back(x);
            ys.push_back(Uniform(0, 20) == 0 ? std::nan("") : Real(-50, 500));
        }
        series.AppendPoints(xs, ys);
        return "stream";
    }

    // The samples of every layout, and a column file of the first, made once.
    const std::vector<std::string>& Samples() {
        static const std::vector<std::string> samples = [] {
            const std::filesystem::path dir = TWINSCOPE_SOURCE_DIR "/docs/samples";
            std::vector<std::string> files;
            for (const char* name : {"noaa-cdo-daily-2019-2024.csv", "ghcn-USW00024233-2015.csv",
                                     "ghcn-access-USW00024233-2015.csv", "noaa-cdo-daily-2015.csv",
                                     "isd-lite-727930-24233-2015", "meteostat-72793-2015.csv.gz",
                                     "garden-log-2015.csv"}) {
                files.push_back((dir / name).string());
            }
            const std::string columns = (std::filesystem::temp_directory_path() /
                                         ("window-soak-" + std::to_string(getpid()) + ".columns"))
                                            .string();
            TReadingOptions tmax;
            tmax.Columns = {"TMAX"};
            TReadingsFile readings = ReadReadingsFile(files[1], tmax);
            readings.Series.resize(1);
            SaveColumnFile(readings, columns);
            files.push_back(columns);
            return files;
        }();
        return samples;
    }

    // Another file's readings under the live chart, which plots the whole of them.
    std::string Swap() {
        const auto& samples = Samples();
        window_.LoadReadingsFiles(
            {QString::fromStdString(samples[Uniform(0, static_cast<int>(samples.size()) - 1)])});
        return "swap";
    }

    // The years laid over each other in one of the leap day's ways, or put back, then a plot.
    std::string Overlay() {
        if (!window_.menuOverlay || !window_.menuOverlay->isVisible()) return Swap();
        window_.SetLeapDay(static_cast<TLeapDay>(Uniform(0, 2)));
        window_.menuOverlay->trigger();
        return "overlay";
    }

    // A chart of its own beside the window, linked to the window's chart by the bottom axis.
    void MakeLinkedChart() {
        TChart& chart = linked_.Chart();
        auto& line = chart.CreateSeries<TLineSeries>();
        line.SetParentChart(&chart);
        for (int i = 0; i <= 500; ++i)
            line.AddPoint(45400 + i * 0.5, 50 + 30 * std::sin(i / 20.0));
        chart.Mouse().SetWheelZoomsAtCursor(true);
        linked_.resize(640, 360);
        linked_.show();
        link_.Add(*window_.chartTest);
        link_.Add(linked_);
        QObject::connect(&linked_, &TChartWidget::rangeChanged, [this](TChartAxis* axis) {
            if (axis == &linked_.Chart().BottomAxis()) linkedMoved_ = true;
        });
        QObject::connect(&linked_, &TChartWidget::zoomUndone, [this] { linkedUndone_ = true; });
    }

    // The linked chart zoomed, scrolled, read or turned by the wheel, or the window's chart
    // unlinked and linked again; a range it takes while linked is the window's.
    std::string Linked() {
        const QSize size = linked_.size();
        const QPoint from(Uniform(0, size.width()), Uniform(0, size.height()));
        const QPoint to(Uniform(0, size.width()), Uniform(0, size.height()));
        linkedMoved_ = false;
        linkedUndone_ = false;
        const int kind = Uniform(0, 5);
        switch (kind) {
            case 0:
                Drag(linked_, Qt::LeftButton, from, to);
                break;
            case 1:
                Drag(linked_, Qt::RightButton, from, to);
                break;
            case 2: {
                QWheelEvent wheel(QPointF(from), QPointF(linked_.mapToGlobal(from)), QPoint(),
                                  QPoint(0, Uniform(-2, 2) * 120), Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(&linked_, &wheel);
                break;
            }
            case 3: {
                QMouseEvent move(QEvent::MouseMove, QPointF(from), QPointF(linked_.mapToGlobal(from)),
                                 Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(&linked_, &move);
                break;
            }
            case 4:
                if (link_.Count() == 2) {
                    link_.Remove(*window_.chartTest);
                } else {
                    link_.Add(*window_.chartTest);
                }
                break;
            default:
                link_.SetLinksRange(!link_.LinksRange());
                break;
        }
        linked_.grab();
        // An undo puts each chart back as it was before the link moved it, which may differ.
        if (link_.Count() == 2 && link_.LinksRange() && linkedMoved_ && !linkedUndone_) {
            const TChartAxis& mine = linked_.Chart().BottomAxis();
            const TChartAxis& theirs = window_.Chart().BottomAxis();
            if (mine.Minimum() != theirs.Minimum() || mine.Maximum() != theirs.Maximum())
                failure_ = "after " + std::to_string(kind) + " the linked chart shows " + std::to_string(mine.Minimum()) + " to " +
                           std::to_string(mine.Maximum()) + ", the window " +
                           std::to_string(theirs.Minimum()) + " to " +
                           std::to_string(theirs.Maximum());
        }
        return "linked";
    }

    std::string PlayOne() {
        shown_.messages.clear();
        switch (Uniform(0, 15)) {
            case 13:
                return Swap();
            case 14:
                return Overlay();
            case 15:
                return Linked();
            case 10:
                return Readout();
            case 11:
                return Wheel();
            case 12:
                return Keys();
            case 9:
                failure_ = furtherScales_.Change();
                return "scale";
            case 7:
                return ToggleLogarithmic();
            case 8:
                return Stream();
            case 0:
            case 1:
                Plot();
                failure_ = furtherScales_.FollowMasters();
                return "plot";
            case 2: {
                // Down and to the right zooms in; the chart undoes a zoom up and to the left.
                const QPoint from = InsideChart();
                Drag(Qt::LeftButton, from, from + QPoint(Uniform(5, 300), Uniform(5, 200)));
                return "zoom";
            }
            case 3: {
                const QPoint from = InsideChart();
                Drag(Qt::LeftButton, from, from - QPoint(Uniform(5, 300), Uniform(5, 200)));
                return "undo zoom";
            }
            case 4:
                Drag(Qt::RightButton, InsideChart(), InsideChart());
                return "scroll";
            case 5:
                window_.menuGrid->trigger();
                return "grid";
            default:
                window_.resize(Uniform(200, 2400), Uniform(150, 1600));
                QApplication::processEvents();
                return "resize";
        }
    }

    // Paints the chart and answers what went wrong, or nothing.
    std::string Check() {
        const std::size_t before = shown_.messages.size();
        window_.chartTest->grab();
        if (shown_.messages.size() != before) return "the paint raised: " + shown_.messages.back();
        const TChart& chart = window_.Chart();
        const TChartAxis& left = chart.LeftAxis();
        if (left.Logarithmic() && !left.Automatic() && !(left.Minimum() > 0)) {
            return "the logarithmic left axis shows " + std::to_string(left.Minimum()) + " to " +
                   std::to_string(left.Maximum());
        }
        if (chart.CustomAxes().Count() > MaxCustomAxes) {
            return "the chart holds " + std::to_string(chart.CustomAxes().Count()) + " custom axes";
        }
        return LabelOffItsScale(chart);
    }

    TSoakOptions options_;
    std::string failure_;
    std::mt19937 random_;
    MessageCollector shown_;
    TfmTwinscope window_;
    TChartWidget linked_;
    TChartLink link_;
    bool linkedMoved_ = false;
    bool linkedUndone_ = false;
    TFurtherScales furtherScales_{window_.Chart(),
                                  [this](int lo, int hi) { return Uniform(lo, hi); }};
};

TSoakOptions ParseOptions(int argc, char** argv) {
    TSoakOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--actions") == 0 && i + 1 < argc) {
            options.Actions = std::atol(argv[++i]);
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            options.Seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: %s [--actions N] [--seed S]\n", argv[0]);
            std::exit(2);
        }
    }
    return options;
}

}  // namespace
}  // namespace twinscope

int main(int argc, char** argv) {
    using namespace twinscope;
    const TSoakOptions options = ParseOptions(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    TTwinscopeApplication application(qtArgc, argv);
    RegisterQtCanvases();
    TSoak soak(options);
    return soak.Run();
}
