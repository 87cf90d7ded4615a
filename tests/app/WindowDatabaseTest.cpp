// The window showing a table of a database: what the database says goes wrong is on the
// window's status line until the line answers again.

#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include "app/DatabaseReadings.h"
#include "app/TwinscopeMain.h"
#include "tests/platform/ChartPicture.h"
#include "tests/platform/TestServer.h"
#include "tests/support/MessageRecorder.h"

namespace twinscope {
namespace {

TEST(WindowDatabase, TheStatusLineSaysWhatTheServerSaidWhenAQueryFails) {
    const char* socket = testing::TestServerSocket();
    if (!socket) GTEST_SKIP() << "TWINSCOPE_TEST_POSTGRES names no server";
    const testing::TTestServer server("window");
    server.MakeStallingTable("twinscope_window", 3000);
    const std::string address =
        "postgresql://postgres@/postgres?table=twinscope_window_slow&x=ts&y=temp";
    qputenv("PGHOST", socket);
    testing::MessageRecorder recorder;
    TfmTwinscope window;
    const TReadingsFile readings = ReadDatabaseReadings(address, {});
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty());

    window.FormShow();
    window.ReplaceReadings(readings);
    window.OpenOnReadings(readings);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.DatabaseWaiting(); }));

    // The server's session ends under the query of the next view.
    server.SetPace("twinscope_window", 60);
    ChartPicture(window.Chart(), "TChartCanvas3D", 45002, 45012);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Sleeping("twinscope_window") > 0; }, 10000));
    server.EndSleepingSessions("twinscope_window");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.DatabaseWaiting(); }));
    const QString said = window.statusBar()->currentMessage();
    EXPECT_TRUE(said.startsWith(QString::fromStdString(address) + ": ")) << said.toStdString();
    EXPECT_TRUE(said.contains("terminating connection due to administrator command"))
        << said.toStdString();
    EXPECT_FALSE(window.statusBar()->isHidden());
    EXPECT_EQ(window.DatabaseFailures(), std::vector<std::string>{said.toStdString()});

    // The next drawing connects anew and answers: the message goes.
    server.SetPace("twinscope_window", 0);
    ChartPicture(window.Chart(), "TChartCanvas3D", 45004, 45014);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.DatabaseWaiting(); }));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty())
        << window.statusBar()->currentMessage().toStdString();
    server.Exec("DROP VIEW twinscope_window_slow");
}

}  // namespace
}  // namespace twinscope
