#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/runtime/FormatFloat.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {
namespace {

// A widget used the way a newcomer uses it: made, sized, shown; nothing registered first.
TEST(ChartWidgetDefaultsTest, AWidgetRegistersTheQtCanvasesItself) {
    UnregisterCanvasClass("TGDIPlusCanvas");
    UnregisterCanvasClass("TChartCanvas3D");
    TChartWidget widget;
    widget.resize(300, 200);
    ASSERT_NE(widget.Chart().Canvas(), nullptr);
    EXPECT_EQ(widget.Chart().Canvas()->ClassName(), "TGDIPlusCanvas");
    // The panel's button face, not an unpainted black surface.
    EXPECT_EQ(widget.grab().toImage().pixelColor(150, 5), QColor(0xF0, 0xF0, 0xF0));
}

TEST(ChartWidgetDefaultsTest, NumbersFollowTheLocaleUnlessTheProgramChoseItsOwn) {
    const QLocale saved;
    QLocale::setDefault(QLocale("fr_FR"));
    { TChartWidget french; }
    EXPECT_EQ(FormatFloat("#,##0.###", 5000.5), "5\u202F000,5");

    SetCurrentFormatSettings(FormatSettings{});
    { TChartWidget chosen; }
    QLocale::setDefault(saved);
    EXPECT_EQ(FormatFloat("#,##0.###", 5000.5), "5,000.5");
}

}  // namespace
}  // namespace twinscope
