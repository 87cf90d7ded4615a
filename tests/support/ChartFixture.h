#pragma once

#include <gtest/gtest.h>

#include "twinscope/chart/panel/Chart.h"

namespace twinscope::testing {

// A chart whose repaint requests are counted.
class ChartFixture : public ::testing::Test {
protected:
    ChartFixture() {
        chart.SetOnRepaintRequest([this] { ++repaints; });
    }
    int RepaintsDuring(const std::function<void()>& action) {
        const int before = repaints;
        action();
        return repaints - before;
    }

    TChart chart;
    int repaints = 0;
};

}  // namespace twinscope::testing
