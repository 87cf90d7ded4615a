// Readings that stream in: a million a second (a random walk standing in for a sensor) are
// appended from a timer while the chart repaints, and the chart keeps and shows the last ten
// minutes, both axes following the data. The title tells how many readings are kept and what
// a repaint costs.
//
//   streaming_chart [--rate READINGS_A_SECOND] [--minutes KEPT] [--seconds RUN]
//
// --rate (1000000) and --minutes (10) set the window: at the full rate ten minutes are 6e8
// readings, about 11 GB once full. --seconds ends the program after that long and prints what
// it measured (0, the default, runs until the window is closed).
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/DateTime.h"

namespace {

// A chart widget that times its repaints.
class TTimedChartWidget : public twinscope::TChartWidget {
public:
    std::int64_t frames = 0;
    std::int64_t paintNanoseconds = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        QElapsedTimer clock;
        clock.start();
        TChartWidget::paintEvent(event);
        paintNanoseconds += clock.nsecsElapsed();
        ++frames;
    }
};

double Option(const QStringList& arguments, const QString& name, double fallback) {
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toDouble() : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace twinscope;
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const double rate = Option(arguments, "--rate", 1e6);
    const double minutes = Option(arguments, "--minutes", 10);
    const double seconds = Option(arguments, "--seconds", 0);

    TTimedChartWidget widget;
    TChart& chart = widget.Chart();
    chart.Legend().SetVisible(false);
    // Flat, so that the line is drawn a pixel column at a time.
    chart.SetView3D(false);
    auto& readings = chart.AddNewSeries<TLineSeries>();
    readings.XValues().SetDateTime(true);
    readings.SetKeepLast(static_cast<std::int32_t>(rate * minutes * 60));

    const double start = EncodeDate(2026, 1, 1);
    std::mt19937_64 random(7);
    std::normal_distribution<double> step(0, 1);
    double walk = 0;
    std::int64_t arrived = 0;
    std::vector<double> xs;
    std::vector<double> ys;
    QElapsedTimer clock;
    clock.start();
    // Every few milliseconds, the readings that arrived since the last time.
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&] {
        const auto due = static_cast<std::int64_t>(static_cast<double>(clock.nsecsElapsed()) *
                                                   1e-9 * rate);
        xs.clear();
        ys.clear();
        for (; arrived < due; ++arrived) {
            xs.push_back(start + static_cast<double>(arrived) / rate / 86400);
            ys.push_back(walk += step(random));
        }
        readings.AppendPoints(xs, ys);
    });
    feed.start(4);

    std::int64_t framesBefore = 0;
    std::int64_t paintBefore = 0;
    QTimer caption;
    QObject::connect(&caption, &QTimer::timeout, [&] {
        const std::int64_t frames = widget.frames - framesBefore;
        const double paint = frames > 0 ? static_cast<double>(widget.paintNanoseconds - paintBefore) /
                                              static_cast<double>(frames) * 1e-6
                                        : 0;
        framesBefore = widget.frames;
        paintBefore = widget.paintNanoseconds;
        chart.Title().SetText({std::to_string(readings.PointCount()) + " readings kept, " +
                               std::to_string(frames) + " frames a second, " +
                               std::to_string(paint).substr(0, 4) + " ms a repaint"});
    });
    caption.start(1000);

    if (seconds > 0) {
        QTimer::singleShot(static_cast<int>(seconds * 1000), &app, [&] {
            std::printf("%lld readings arrived, %d kept, %lld frames, %.2f ms a repaint\n",
                        static_cast<long long>(arrived), readings.PointCount(),
                        static_cast<long long>(widget.frames),
                        widget.frames > 0 ? static_cast<double>(widget.paintNanoseconds) /
                                                static_cast<double>(widget.frames) * 1e-6
                                          : 0.0);
            app.quit();
        });
    }
    widget.resize(1000, 560);
    widget.show();
    return app.exec();
}
