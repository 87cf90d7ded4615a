#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "app/WindowStart.h"
#include "tests/support/MessageRecorder.h"

namespace twinscope {
namespace {

using testing::MessageRecorder;

QJsonObject StoredRoot() {
    return QJsonDocument::fromJson(StoredWindowText()).object();
}

QByteArray Text(const QJsonObject& root) {
    return QJsonDocument(root).toJson();
}

// Replaces the value of one of the series' stored properties.
QJsonObject WithSeriesProperty(const QString& name, const QJsonValue& value) {
    QJsonObject root = StoredRoot();
    QJsonObject series = root["seriesActualData"].toObject();
    QJsonArray properties = series["properties"].toArray();
    for (qsizetype i = 0; i < properties.size(); ++i) {
        if (properties[i].toArray()[0].toString() == name) properties[i] = QJsonArray{name, value};
    }
    series["properties"] = properties;
    root["seriesActualData"] = series;
    return root;
}

// Edits the stored component of this name.
QJsonObject WithComponent(const QString& name, const std::function<void(QJsonObject&)>& edit) {
    QJsonObject root = StoredRoot();
    QJsonArray components = root["components"].toArray();
    for (qsizetype i = 0; i < components.size(); ++i) {
        QJsonObject c = components[i].toObject();
        if (c["name"].toString() != name) continue;
        edit(c);
        components[i] = c;
    }
    root["components"] = components;
    return root;
}

QJsonObject WithForm(const std::function<void(QJsonObject&)>& edit) {
    QJsonObject root = StoredRoot();
    QJsonObject form = root["form"].toObject();
    edit(form);
    root["form"] = form;
    return root;
}

struct StartCase {
    const char* name;
    std::function<QByteArray()> content;
    std::string failure;
};

class StartRefusalTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartRefusalTest, ContentThatCannotBeLoadedBuildsNothing) {
    const TWindowStart start = BuildWindow(GetParam().content());
    EXPECT_EQ(start.Window, nullptr);
    EXPECT_EQ(start.Failure, "The window cannot be loaded. " + GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartRefusalTest,
    ::testing::Values(
        StartCase{"Truncated", [] { return StoredWindowText().left(500); },
                  "The window's stored content is malformed: unterminated array"},
        StartCase{"BadHexInTheData", [] { return Text(WithSeriesProperty("Data", "0G")); },
                  "Stored property 'Data': not a hex digit"},
        StartCase{"ShortData", [] { return Text(WithSeriesProperty("Data", "0001")); },
                  "Stored property 'Data': Series data too short: 2 bytes, the header alone "
                  "takes 5"},
        StartCase{"WrongType", [] { return Text(WithSeriesProperty("SeriesColor", true)); },
                  "Stored property 'SeriesColor': a text was expected"},
        StartCase{"MissingComponent",
                  [] {
                      QJsonObject root = StoredRoot();
                      QJsonArray components = root["components"].toArray();
                      components.removeLast();  // the grid command
                      root["components"] = components;
                      return Text(root);
                  },
                  "The window's stored content lacks one of its controls"},
        StartCase{"UnknownClass",
                  [] {
                      return Text(WithComponent(
                          "lbEnd", [](QJsonObject& c) { c["class"] = "TSpeedButton"; }));
                  },
                  "The window's stored content names an unknown control class 'TSpeedButton'"},
        StartCase{"MissingSeries",
                  [] {
                      QJsonObject root = StoredRoot();
                      root.remove("seriesActualData");
                      return Text(root);
                  },
                  "The window's stored content is malformed: the series is missing"},
        StartCase{"FontHeightOfTheSmallestInteger",
                  [] {
                      return Text(WithForm([](QJsonObject& form) {
                          QJsonObject font = form["font"].toObject();
                          font["height"] = -2147483648.0;
                          form["font"] = font;
                      }));
                  },
                  "Stored property 'font.height': a whole number from -32767 to 32767 was "
                  "expected"},
        StartCase{"ClientWidthAsText",
                  [] { return Text(WithForm([](QJsonObject& f) { f["clientWidth"] = "1208"; })); },
                  "Stored property 'clientWidth': a whole number from 0 to 16777215 was expected"},
        StartCase{"DateBeyondTheCalendar",
                  [] {
                      return Text(
                          WithComponent("dtpEnd", [](QJsonObject& c) { c["dateTime"] = 1e300; }));
                  },
                  "Stored property 'dtpEnd.dateTime': Invalid argument to date decode"},
        StartCase{"ChartBoundsBeyondAWidget",
                  [] {
                      return Text(WithComponent("chartTest", [](QJsonObject& c) {
                          c["bounds"] = QJsonArray{0, 0, 2147483647.0, 100};
                      }));
                  },
                  "Stored property 'chartTest.bounds': a whole number from 0 to 16777215 was "
                  "expected"}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return info.param.name; });

TEST(WindowStartTest, TheStoredContentBuildsTheWindow) {
    const TWindowStart start = BuildWindow(StoredWindowText());
    ASSERT_NE(start.Window, nullptr);
    EXPECT_EQ(start.Failure, "");
}

TEST(WindowStartTest, AFailureIsShownAndEndsWithStatusOne) {
    MessageRecorder recorder;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ReportStartFailure("The window cannot be loaded. why"), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "twinscope: The window cannot be loaded. why\n");
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{"The window cannot be loaded. why"}));
}

// A client area whose buffer could not be allocated is made smaller, keeping its shape, so the
// window shows.
TEST(WindowStartTest, AClientTooLargeForItsBufferIsMadeSmaller) {
    MessageRecorder recorder;
    const QByteArray stored = Text(WithForm([](QJsonObject& form) {
        form["clientWidth"] = 16777215;
        form["clientHeight"] = 8388607;
    }));
    const QSize client = ParseWindowContent(stored).ClientSize;
    EXPECT_EQ(client, QSize(11585, 5792));
    const TWindowStart start = BuildWindow(stored);
    ASSERT_NE(start.Window, nullptr);
    start.Window->show();
    QApplication::processEvents();
    EXPECT_TRUE(start.Window->isVisible());
    EXPECT_EQ(recorder.messages, std::vector<std::string>{});
}

}  // namespace
}  // namespace twinscope
