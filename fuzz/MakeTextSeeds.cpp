// Writes the seed inputs of the number and date text fuzzers: NUMBER_DIR and DATE_DIR.
// An input is a double's eight bytes, then a format, a NUL byte and a text (a number, or an
// ISO 8601 date).

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

namespace {

struct Seed {
    double value;
    std::string format;
    std::string text;
};

void Save(const std::filesystem::path& dir, const std::vector<Seed>& seeds) {
    std::filesystem::create_directories(dir);
    int n = 0;
    for (const Seed& seed : seeds) {
        char bytes[sizeof(double)];
        std::memcpy(bytes, &seed.value, sizeof bytes);
        std::ofstream out(dir / ("seed" + std::to_string(n++)), std::ios::binary);
        out.write(bytes, sizeof bytes);
        out << seed.format << '\0' << seed.text;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " NUMBER_DIR DATE_DIR\n";
        return 2;
    }
    const double inf = std::numeric_limits<double>::infinity();
    Save(argv[1], {
                      {1234.5678, "#,##0.###", " -12.5e3 "},
                      {-0.001, "0.00E+00;(0.00E-00);'zero'", "1.7976931348623157e308"},
                      {1e300, "", "4.9e-324"},
                      {std::numeric_limits<double>::denorm_min(), "0.0##%\"x\"", "1,5"},
                      {inf, "#.#,#E-0", "nan"},
                      {0.5, ";;", "+.5"},
                  });
    Save(argv[2], {
                      {45292.75, "c", "2024-08-01"},
                      {-693593.0, "dddd, mmmm d, yyyy hh:nn:ss.zzz", "0001-01-01T00:00"},
                      {2958465.999999, "ddddd dddddd t tt am/pm", "9999-12-31 23:59:59.999"},
                      {-1.5, "yy/mm/dd h:m:s a/p ampm", "1899-12-29T12:00:00.5"},
                      {1e300, "'lit' \"x\" mmm ddd", "2023-02-29"},
                      {0.0, "hh mm nn", "2024-13-01T25:61"},
                  });
    return 0;
}
