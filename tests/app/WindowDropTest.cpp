// Readings files dropped onto the window.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "twinscope/readings/CsvRows.h"
#include "app/TwinscopeMain.h"
#include "tests/support/MessageRecorder.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

constexpr const char* kGhcnSample = TWINSCOPE_SOURCE_DIR "/docs/samples/ghcn-USW00024233-2015.csv";

class WindowDropTest : public ::testing::Test {
protected:
    // Drags the URLs onto the window and drops them there; answers whether the window took them.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        return drop.isAccepted();
    }
    bool DropFile(const QString& path) { return Drop({QUrl::fromLocalFile(path)}); }

    QString WriteFile(const char* name, const char* text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    std::vector<const TChartSeries*> ReadingLines() const {
        std::vector<const TChartSeries*> lines;
        for (const TChartSeries* s : window.Chart().SeriesList())
            if (s->ShowInLegend()) lines.push_back(s);
        return lines;
    }

    QTemporaryDir dir;
    testing::MessageRecorder recorder;
    TfmTwinscope window;
};

TEST_F(WindowDropTest, ADroppedFileReplacesTheReadingsLineByLine) {
    window.show();
    ASSERT_TRUE(DropFile(kGhcnSample));
    EXPECT_EQ(recorder.messages, std::vector<std::string>());
    auto lines = ReadingLines();
    ASSERT_EQ(lines.size(), 2u);
    // The stored line takes the first element; 1 of its 90 days is flagged.
    EXPECT_EQ(lines[0], window.seriesActualData);
    EXPECT_EQ(lines[0]->Title(), "TMAX");
    EXPECT_EQ(lines[0]->PointCount(), 89);
    EXPECT_EQ(lines[0]->SeriesColor(), clRed);
    EXPECT_EQ(lines[1]->Title(), "TMIN");
    EXPECT_EQ(lines[1]->PointCount(), 88);
    EXPECT_TRUE(lines[1]->XValues().DateTime());
    EXPECT_NE(lines[1]->SeriesColor(), clRed);
    EXPECT_EQ(window.Chart().Legend().LegendStyle(), lsSeries);
    // The plot shows the whole file: its days, its °F range rounded out to whole increments.
    EXPECT_EQ(
        window.lbedMinimum->text().toStdString() + " " + window.lbedMaximum->text().toStdString(),
        "25 70");
    EXPECT_EQ(window.Chart().LeftAxis().Increment(), 5);
    EXPECT_EQ(window.Chart().BottomAxis().Minimum(), 42005);
    EXPECT_EQ(window.Chart().BottomAxis().Maximum(), 42005 + 89);
    // The window's own settings stay.
    EXPECT_EQ(window.Chart().Title().Text(), std::vector<std::string>{"TChart"});

    // A file that cannot be read is refused, and the chart keeps what it showed.
    const QString bad = WriteFile("bad.csv", "2015-01-01,1\n2015-01-02,warm\n");
    EXPECT_TRUE(DropFile(bad));
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{bad.toStdString() +
                                       ": line 2: 'warm' is not a temperature in °F (a number "
                                       "such as 71.5)"});
    EXPECT_EQ(ReadingLines(), lines);
    EXPECT_EQ(lines[0]->PointCount(), 89);

    // A few readings of one line take the stored line alone and the legend as stored.
    EXPECT_TRUE(DropFile(WriteFile("few.csv", "2015-01-01,1\n2015-01-02,2\n")));
    lines = ReadingLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->PointCount(), 2);
    EXPECT_EQ(lines[0]->Title(), "few");
    EXPECT_EQ(window.Chart().Legend().LegendStyle(), lsAuto);
}

TEST_F(WindowDropTest, ReadsADroppedFileAsTheCommandLineAsked) {
    window.SetReadingOptions({.Columns = {"low"}, .Unit = TTemperatureUnit::Celsius});
    ASSERT_TRUE(DropFile(WriteFile("log.csv", "date,high,low\n2015-01-01,10,0\n")));
    const auto lines = ReadingLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->Title(), "low");
    EXPECT_EQ(lines[0]->YValues().Value(0), 32);
}

TEST_F(WindowDropTest, TakesLocalFilesOnlyAndSeveralAtOnce) {
    EXPECT_FALSE(Drop({QUrl("https://example.org/readings.csv")}));
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(kGhcnSample), QUrl("https://example.org/a.csv")}));
    EXPECT_FALSE(Drop({}));
    EXPECT_EQ(window.seriesActualData->PointCount(), 25);

    const QString other = WriteFile("other.csv", "2015-06-01,70\n2015-06-02,71\n");
    ASSERT_TRUE(Drop({QUrl::fromLocalFile(kGhcnSample), QUrl::fromLocalFile(other)}));
    const auto lines = ReadingLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2]->Title(), "other");
    EXPECT_EQ(window.Chart().BottomAxis().Maximum(), 42005 + 152);

    // One file refused refuses them all.
    const QString bad = WriteFile("bad.csv", "2015-01-01,warm\n");
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(other), QUrl::fromLocalFile(bad)}));
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(ReadingLines(), lines);
}

// A load of more than a few megabytes says in the status line how far it has come; its button
// cancels it, and then the chart keeps what it showed, without a message.
TEST_F(WindowDropTest, ALongLoadShowsHowFarItHasComeAndItsButtonCancelsIt) {
    std::string text;
    while (text.size() < TRowsWatch::Step * 5 / 2)
        text += "2015-01-01,45.0\n";
    const QString path = WriteFile("long.csv", text.c_str());
    window.show();
    std::vector<std::string> notes;
    bool cancel = false;
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, [&](const QString& note) {
        if (note.isEmpty()) return;
        notes.push_back(note.toStdString());
        if (cancel) window.btnCancelLoad->click();
    });
    const auto ended = [&] {
        EXPECT_TRUE(window.statusBar()->isHidden());
        EXPECT_TRUE(window.btnPlot->isEnabled());
        EXPECT_TRUE(window.acceptDrops());
    };

    ASSERT_TRUE(DropFile(path));
    const std::string name = path.toStdString();
    EXPECT_EQ(notes, (std::vector<std::string>{name + ": 40 % read", name + ": 80 % read"}));
    ended();
    const std::size_t rows = text.size() / 16;
    ASSERT_EQ(ReadingLines().size(), 1u);
    EXPECT_EQ(ReadingLines()[0]->PointCount(), static_cast<std::int32_t>(rows));

    cancel = true;
    notes.clear();
    const QString shorter = WriteFile("shorter.csv", text.substr(16).c_str());
    ASSERT_TRUE(DropFile(shorter));
    EXPECT_EQ(notes.size(), 1u);
    ended();
    EXPECT_EQ(recorder.messages, std::vector<std::string>());
    EXPECT_EQ(ReadingLines()[0]->PointCount(), static_cast<std::int32_t>(rows));
}

}  // namespace
}  // namespace twinscope
