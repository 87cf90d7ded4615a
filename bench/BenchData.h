#pragma once

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace twinscope::bench {

// The program's chart size.
inline constexpr int ChartWidth = 965;
inline constexpr int ChartHeight = 518;
inline constexpr std::int32_t MaxPointCount = 10'000'000;

struct Points {
    std::vector<double> xs;
    std::vector<double> ys;
};

// Dates one minute apart and a wavy temperature: ordered X, as stored series have.
inline const Points& OrderedPoints() {
    static const Points points = [] {
        Points p;
        p.xs.reserve(MaxPointCount);
        p.ys.reserve(MaxPointCount);
        for (std::int32_t i = 0; i < MaxPointCount; ++i) {
            p.xs.push_back(45494.0 + i / 1440.0);
            p.ys.push_back(400.0 + 80.0 * std::sin(i * 1e-3));
        }
        return p;
    }();
    return points;
}

enum class TShape { Walk, Noise };

// A random walk or white noise of MaxPointCount values.
inline const std::vector<double>& ShapeValues(TShape shape) {
    auto make = [](TShape s) {
        std::mt19937_64 random(s == TShape::Walk ? 1 : 2);
        std::normal_distribution<double> step(0, 1);
        std::vector<double> ys(MaxPointCount);
        double walk = 0;
        for (double& y : ys)
            y = s == TShape::Walk ? (walk += step(random)) : step(random);
        return ys;
    };
    static const std::vector<double> walk = make(TShape::Walk);
    static const std::vector<double> noise = make(TShape::Noise);
    return shape == TShape::Walk ? walk : noise;
}

inline void PointCounts(benchmark::internal::Benchmark* b) {
    for (std::int64_t n = 1000; n <= MaxPointCount; n *= 10)
        b->Arg(n);
}

inline std::string FloorLabel(const std::string& floor) {
    return "floor:" + floor;
}

}  // namespace twinscope::bench
