#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/TwinscopeMain.h"
#include "twinscope/platform/ChartWidget.h"
#include "tests/support/MessageRecorder.h"

namespace twinscope {
namespace {

// Shows the real window, lets it paint, and keeps a picture of it in the build tree
// (screenshots/window.png) for a person to look at.
TEST(WindowScreenshotTest, TheShownWindowPaintsItsChart) {
    testing::MessageRecorder recorder;
    TfmTwinscope window;
    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    QDir().mkpath("screenshots");
    ASSERT_TRUE(shot.save("screenshots/window.png"));
    EXPECT_TRUE(recorder.messages.empty());

    const QImage chart = window.chartTest->grab().toImage();
    ASSERT_EQ(chart.size(), QSize(965, 518));
    // The panel is the button face colour, inside the raised one-pixel bevel.
    EXPECT_EQ(chart.pixelColor(480, 8), QColor(0xF0, 0xF0, 0xF0));
}

// A drag that starts on the legend zooms nothing; the same drag inside the plot zooms.
TEST(WindowMouseTest, TheLegendIsNotAZoomHandle) {
    testing::MessageRecorder recorder;
    TfmTwinscope window;
    window.show();
    QApplication::processEvents();
    window.chartTest->grab();  // a paint lays the legend and the axes out
    TChart& chart = window.Chart();
    const TRect legend = chart.Legend().Layout().ShapeBox;
    ASSERT_FALSE(legend.IsEmpty());
    const double maximum = chart.LeftAxis().Maximum();

    auto drag = [&](std::int32_t x, std::int32_t y) {
        chart.Mouse().MouseDown(TMouseButton::mbLeft, x, y, {});
        chart.Mouse().MouseMove(x + 40, y + 40);
        chart.Mouse().MouseUp(TMouseButton::mbLeft, x + 40, y + 40);
    };
    drag(legend.Left + 5, legend.Top + 5);
    EXPECT_EQ(chart.LeftAxis().Maximum(), maximum);
    drag(chart.PlotRect().Left + 20, chart.PlotRect().Top + 20);
    EXPECT_LT(chart.LeftAxis().Maximum(), maximum);
}

}  // namespace
}  // namespace twinscope
