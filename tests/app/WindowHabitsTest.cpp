#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/ProgramIdentity.h"
#include "app/TwinscopeMain.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/platform/DateTimePicker.h"
#include "twinscope/Version.h"
#include "tests/support/MessageRecorder.h"

namespace twinscope {
namespace {

void PressEnter(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST(WindowHabits, EnterInAnEditBoxOrAPickerPlots) {
    testing::MessageRecorder recorder;
    TfmTwinscope window;
    EXPECT_TRUE(window.btnPlot->isDefault());

    window.lbedMaximum->setText("200");
    PressEnter(window.lbedMaximum);
    EXPECT_EQ(window.Chart().LeftAxis().Maximum(), 200);

    window.dtpEnd->SetDateTime(window.dtpBegin->DateTime());
    PressEnter(window.dtpEnd);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"date range error"});
}

TEST(WindowHabits, TheWindowKeepsRoomForItsControlsAndAReadableChart) {
    const TWindowContent content = StoredWindowContent();
    // The button ends at 360 and the controls stand 12 from the left; the chart starts at 219
    // and keeps 24 to the right and 13 to the bottom edge.
    EXPECT_EQ(MinimumClientSize(content), QSize(219 + 320 + 24, 360 + 12));

    testing::MessageRecorder recorder;
    TfmTwinscope window;
    window.show();
    window.resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(window.centralWidget()->width(), 563);
    EXPECT_GE(window.centralWidget()->height(), 372);
    EXPECT_GE(window.chartTest->width(), 320);
    EXPECT_GE(window.chartTest->height(), 240);
}

TEST(WindowHabits, TheProgramIsKnownByNameVersionAndIcon) {
    SetProgramIdentity();
    SetProgramIcon();
    EXPECT_EQ(QApplication::applicationName(), "twinscope");
    EXPECT_EQ(QApplication::applicationVersion(), TWINSCOPE_VERSION_STRING);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    TfmTwinscope window;
    EXPECT_EQ(window.windowTitle(), "twinscope");
    EXPECT_EQ(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
}

}  // namespace
}  // namespace twinscope
