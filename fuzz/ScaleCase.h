#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/FuzzInput.h"

namespace twinscope::fuzz {

// The conversions a scale case can pick, each with the two parameters A and B.
enum class TScaleFamily : std::uint8_t {
    Affine,            // A x + B
    Reciprocal,        // A / x: a wavelength of an angular frequency, 2 pi c / omega
    Barometric,        // the altitude of a pressure, A the pressure at sea level
    Decibels,          // A log10 x: a linear scale beside a logarithmic master
    Exponential,       // exp(A x), back by the logarithm
    ReciprocalAcross,  // 1 / (x - A): no value at A, the sign turns there
    SquareRoot,        // sqrt(x - A): no value below A
    Calendar,          // the calendar scale below the dates, the side byte picks the calendar
    Count
};

// Flags of a scale case.
enum : std::uint8_t {
    MasterLogarithmic = 1,
    ScaleLogarithmic = 2,
    MasterInverted = 4,
    FollowsLive = 8,
    ForwardOnly = 16,  // the scale is given no inverse
    GridOnScale = 32,
    AlignedTicks = 64,  // the scale's ticks stand at the master's labels
};

// One scale beside a master axis, as the scale conversion fuzzer reads it off its input:
// the family and its parameters, the flags, the master's range, the side and the chart's size.
struct TScaleCase {
    std::uint8_t Family = 0;
    double A = 0;
    double B = 0;
    std::uint8_t Flags = 0;
    double Minimum = 0;
    double Maximum = 0;
    std::uint8_t Side = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;

    TScaleFamily Kind() const {
        return static_cast<TScaleFamily>(Family % static_cast<std::uint8_t>(TScaleFamily::Count));
    }
    bool Has(std::uint8_t flag) const { return (Flags & flag) != 0; }
};

inline TScaleCase ReadScaleCase(FuzzInput& in) {
    TScaleCase c;
    c.Family = in.Byte();
    c.A = in.Double();
    c.B = in.Double();
    c.Flags = in.Byte();
    c.Minimum = in.Double();
    c.Maximum = in.Double();
    c.Side = in.Byte();
    c.Width = static_cast<std::uint16_t>(in.Byte() | in.Byte() << 8);
    c.Height = static_cast<std::uint16_t>(in.Byte() | in.Byte() << 8);
    return c;
}

// The bytes ReadScaleCase reads back as the same case.
inline std::vector<std::uint8_t> ScaleCaseBytes(const TScaleCase& c) {
    std::vector<std::uint8_t> bytes;
    const auto put = [&](double v) {
        std::uint8_t b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        bytes.insert(bytes.end(), b, b + sizeof v);
    };
    bytes.push_back(c.Family);
    put(c.A);
    put(c.B);
    bytes.push_back(c.Flags);
    put(c.Minimum);
    put(c.Maximum);
    bytes.push_back(c.Side);
    for (const std::uint16_t v : {c.Width, c.Height}) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return bytes;
}

}  // namespace twinscope::fuzz
