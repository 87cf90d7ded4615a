// Temporary: the scale map against the axis's own mapping, before the latter goes.
#include <cmath>
#include <cstdint>
#include <random>

#include "twinscope/chart/axes/ScaleMap.h"
#include "tests/support/ChartFixture.h"

namespace twinscope {
namespace {
using testing::ChartFixture;

TEST_F(ChartFixture, ProofScaleMapEqualsAxisMapping) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetAutomatic(false);
    std::int64_t compared = 0, pixelMismatch = 0, valueMismatch = 0;
    const double extremes[] = {0.0, -0.0, 1e-308, -1e-308, 4.9e-324, 1e308, -1e308, 1.7976931348623157e308,
                               -1.7976931348623157e308, 45505.60522789352, 0.5, -0.5, 1e15, -1e15};
    for (int range = 0; range < 2000; ++range) {
        double minimum, span;
        switch (range % 6) {
            case 0: minimum = -50.0 * (range % 7); span = 100; break;
            case 1: minimum = 45000 + unit(random) * 1000; span = std::ldexp(1 + unit(random), range % 40 - 20); break;
            case 2: minimum = -1e308; span = 0; break;
            case 3: minimum = extremes[range % 14]; span = std::ldexp(unit(random), range % 2000 - 1000); break;
            case 4: minimum = (unit(random) - 0.5) * 1e6; span = 1e-12 * (range % 3); break;
            default: minimum = -1e308; span = 1e308; break;
        }
        double maximum = minimum + span;
        if (range % 6 == 2) maximum = 1e308;
        if (!std::isfinite(maximum)) maximum = 1.7e308;
        if (maximum < minimum) std::swap(minimum, maximum);
        axis.SetHorizontal(range % 2 == 0);
        axis.SetInverted(range % 3 == 0);
        axis.SetStartPosition(range % 11 == 0 ? -50 : (range % 13 == 0 ? 37.5 : 0));
        axis.SetEndPosition(range % 17 == 0 ? 1e7 : 100);
        axis.SetMinMax(minimum, maximum);
        chart.PrepareAxisRange(axis);
        const TRect plot{37 - range, 21, 37 + 1 + range * 3 % 1500, 21 + (range * 7) % 900};
        axis.ComputePixelSpan(plot);
        const TScaleMap map({axis.CurrentMinimum(), axis.CurrentMaximum()},
                            {axis.StartPixel(), axis.EndPixel()}, {axis.Horizontal(), axis.Inverted()});
        for (int i = 0; i < 1000; ++i) {
            double value;
            switch (i % 5) {
                case 0: value = minimum + (maximum - minimum) * (unit(random) * 3 - 1); break;
                case 1: value = minimum + (i / 2 + 0.5) * (maximum - minimum) / std::max(1, axis.AxisLength()); break;
                case 2: value = extremes[i % 14] * (i % 2 ? 1 : -1); break;
                case 3: value = i % 7 == 0 ? NAN : (i % 3 ? INFINITY : -INFINITY); break;
                default: value = minimum + (maximum - minimum) * unit(random); break;
            }
            ++compared;
            pixelMismatch += axis.ValueToPixel(value) != map.ToPixel(value);
            const std::int32_t pixel = static_cast<std::int32_t>(random() % 70000) - 35000;
            const double a = axis.PixelToValue(pixel), b = map.ToValue(pixel);
            valueMismatch += !(a == b || (std::isnan(a) && std::isnan(b)));
        }
    }
    std::printf("compared %lld values and pixels\n", static_cast<long long>(compared));
    EXPECT_EQ(pixelMismatch, 0);
    EXPECT_EQ(valueMismatch, 0);
}
}  // namespace
}  // namespace twinscope
