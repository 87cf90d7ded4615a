// Writes the seed cases of the scale conversion fuzzer into the directory given as argument:
// each family over a range it converts well, and over ranges where it has no value.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <numbers>
#include <string>

#include "fuzz/ScaleCase.h"
#include "fuzz/SeedFiles.h"

namespace {

using twinscope::fuzz::TScaleCase;
using twinscope::fuzz::TScaleFamily;
namespace f = twinscope::fuzz;

constexpr double Inf = std::numeric_limits<double>::infinity();
// 2 pi c in nm/s: a wavelength in nm of an angular frequency in rad/s.
constexpr double WavelengthFactor = 2 * std::numbers::pi * 299792458.0 * 1e9;

constexpr std::uint8_t Of(TScaleFamily family) {
    return static_cast<std::uint8_t>(family);
}

struct Seed {
    const char* name;
    TScaleCase scale;
};

// Sides: 0 bottom, 1 left, 2 right, 3 top; for calendars 0 day of year, 1 ISO week, 2 month.
const Seed Seeds[] = {
    {"kelvin", {Of(TScaleFamily::Affine), 1 / 1.8, 459.67 / 1.8, 0, 0, 100, 1, 965, 518}},
    {"kelvin_top_live",
     {Of(TScaleFamily::Affine), 1 / 1.8, 255.37, f::FollowsLive, -40, 120, 3, 800, 400}},
    {"kelvin_right_aligned",
     {Of(TScaleFamily::Affine), 1 / 1.8, 255.37, f::AlignedTicks, -40, 120, 6, 800, 400}},
    {"wavelength",
     {Of(TScaleFamily::Reciprocal), WavelengthFactor, 0, 0, 1e15, 5e15, 2, 1000, 500}},
    {"wavelength_log",
     {Of(TScaleFamily::Reciprocal), WavelengthFactor, 0, f::MasterLogarithmic | f::ScaleLogarithmic,
      1e14, 1e16, 2, 1000, 500}},
    {"wavelength_from_zero",
     {Of(TScaleFamily::Reciprocal), WavelengthFactor, 0, f::GridOnScale, 0, 5e15, 1, 1000, 500}},
    {"altitude", {Of(TScaleFamily::Barometric), 1013.25, 0, 0, 300, 1013.25, 1, 600, 700}},
    {"altitude_inverted",
     {Of(TScaleFamily::Barometric), 1013.25, 0, f::MasterInverted, -100, 2000, 2, 600, 700}},
    {"decibels", {Of(TScaleFamily::Decibels), 10, 0, f::MasterLogarithmic, 1e-3, 1e3, 1, 900, 500}},
    {"exponential", {Of(TScaleFamily::Exponential), 1, 0, f::ScaleLogarithmic, -5, 5, 2, 900, 500}},
    {"reciprocal_across_zero", {Of(TScaleFamily::ReciprocalAcross), 0, 0, 0, -1, 1, 1, 900, 500}},
    {"square_root_of_negatives", {Of(TScaleFamily::SquareRoot), 0, 0, 0, -100, 100, 3, 900, 500}},
    {"forward_only",
     {Of(TScaleFamily::Barometric), 1013.25, 0, f::ForwardOnly, 300, 1013.25, 1, 600, 700}},
    {"huge_range", {Of(TScaleFamily::Affine), 2, 0, 0, -1e308, 1e308, 0, 965, 518}},
    {"tiny_range", {Of(TScaleFamily::Affine), 1, 0, 0, 1e-300, 2e-300, 1, 965, 518}},
    {"infinite_end", {Of(TScaleFamily::Affine), 1, 0, 0, 0, Inf, 1, 965, 518}},
    {"day_of_year", {Of(TScaleFamily::Calendar), 0, 0, 0, 41990, 42020, 0, 965, 518}},
    {"iso_week", {Of(TScaleFamily::Calendar), 0, 0, 0, 41900, 42100, 1, 965, 518}},
    {"month_live", {Of(TScaleFamily::Calendar), 0, 0, f::FollowsLive, 41000, 43000, 2, 965, 518}},
    {"calendar_ends", {Of(TScaleFamily::Calendar), 0, 0, 0, -693593, 2958465, 0, 300, 200}},
};

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = f::SeedDirectory(argc, argv);
    for (const Seed& seed : Seeds)
        f::SaveSeed(dir / seed.name, f::ScaleCaseBytes(seed.scale));
    return 0;
}
