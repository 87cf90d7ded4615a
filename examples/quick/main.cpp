// The chart in a Qt Quick scene: a QML file places the ChartItem and reacts to its signals, the
// program fills it with two summer months of daily highs and the two secondary scales.
//
//   quick_chart [--grab FILE]
//
// --grab saves the first frame the window shows as an image and ends the program.
#include <cmath>
#include <cstdio>

#include <QGuiApplication>
#include <QImage>
#include <QQuickItem>
#include <QQuickView>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/quick/ChartItem.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    QGuiApplication app(argc, argv);
    RegisterChartItem();
    QQuickView view(QUrl("qrc:/quick/main.qml"));
    if (view.status() != QQuickView::Ready) return 1;

    TChart& chart = view.rootObject()->findChild<TChartItem*>("chart")->Chart();
    chart.Legend().SetVisible(false);
    auto& highs = chart.AddNewSeries<TLineSeries>();
    highs.XValues().SetDateTime(true);
    for (int day = 0; day < 61; ++day)
        highs.AddPoint(EncodeDate(2024, 7, 1) + day, 78 + 12 * std::sin(day / 7.0));
    chart.CustomAxes().Add<tLeftCelsiusScale>().SetFollowsLive(true);
    chart.CustomAxes().Add<tBottomDayOfTheYearScale>().SetFollowsLive(true);

    const qsizetype grab = app.arguments().indexOf("--grab");
    if (grab > 0 && grab + 1 < app.arguments().size()) {
        const QString file = app.arguments()[grab + 1];
        QObject::connect(
            &view, &QQuickView::frameSwapped, &app,
            [&view, &app, file] {
                const bool saved = view.grabWindow().save(file);
                if (!saved) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
                app.exit(saved ? 0 : 1);
            },
            Qt::QueuedConnection);
    }
    view.show();
    return app.exec();
}
