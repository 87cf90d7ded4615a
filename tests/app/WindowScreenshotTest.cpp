#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/TwinscopeMain.h"
#include "platform/ChartWidget.h"
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

}  // namespace
}  // namespace twinscope
