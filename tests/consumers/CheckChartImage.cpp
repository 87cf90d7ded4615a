// Checks that an image saved by an example shows the chart: its size, the panel's colour, and
// enough of the red master axis (°F in most), the blue scale beside it and the series line.
// Usage: check_chart_image FILE WIDTH HEIGHT
#include <cstdio>
#include <cstdlib>

#include <QColor>
#include <QImage>

#include "twinscope/Version.h"

namespace {

int Fail(const char* file, const char* what) {
    std::fprintf(stderr, "%s: %s\n", file, what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Fail("check_chart_image", "usage: check_chart_image FILE WIDTH HEIGHT");
    const char* file = argv[1];
    const QImage image(QString::fromLocal8Bit(file));
    if (image.isNull()) return Fail(file, "cannot be read as an image");
    if (image.width() != std::atoi(argv[2]) || image.height() != std::atoi(argv[3])) {
        return Fail(file, "has another size");
    }
    if (image.pixelColor(4, image.height() / 2) != QColor(0xF0, 0xF0, 0xF0)) {
        return Fail(file, "does not show the chart's panel at its left edge");
    }
    int red = 0, blue = 0, series = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(0xFF, 0, 0)) ++red;
            if (c == QColor(0, 0, 0xFF)) ++blue;
            if (c.blue() > 120 && c.red() < 120 && c.red() > 40) ++series;
        }
    }
    // Each is at least a line across most of the image, two pixels thick at ratio 2.
    const int line = image.height();
    if (red < line) return Fail(file, "shows too little of the red master axis");
    if (blue < line) return Fail(file, "shows too little of the blue scale");
    if (series < line) return Fail(file, "shows too little of the series line");
    std::printf("%s shows the chart (Twinscope %s): %d red, %d blue, %d series pixels\n", file,
                TWINSCOPE_VERSION_STRING, red, blue, series);
    return 0;
}
