// Checks that an image saved by an example shows the chart: its size, the panel's colour, and
// enough of the red master axis (°F in most), the blue scale beside it and the series line.
// Given a side, the blue scale must stand there: the outer quarter of the image on that side
// holds enough blue, and twice as much as the quarter across from it.
// Usage: check_chart_image FILE WIDTH HEIGHT [left|right|top|bottom]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QColor>
#include <QImage>

#include "twinscope/Version.h"

namespace {

int Fail(const char* file, const char* what) {
    std::fprintf(stderr, "%s: %s\n", file, what);
    return 1;
}

bool IsSide(const char* side) {
    for (const char* name : {"left", "right", "top", "bottom"}) {
        if (std::strcmp(side, name) == 0) return true;
    }
    return false;
}

// Where a pixel lies in the image across a side: 0 in the outer quarter on that side, 2 in the
// quarter across from it, 1 between.
int QuarterFrom(const char* side, int x, int y, int width, int height) {
    const bool horizontal = std::strcmp(side, "left") == 0 || std::strcmp(side, "right") == 0;
    const int extent = horizontal ? width : height;
    int depth = horizontal ? x : y;
    if (std::strcmp(side, "right") == 0 || std::strcmp(side, "bottom") == 0) {
        depth = extent - 1 - depth;
    }
    if (4 * depth < extent) return 0;
    return 4 * depth >= 3 * extent ? 2 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        return Fail("check_chart_image",
                    "usage: check_chart_image FILE WIDTH HEIGHT [left|right|top|bottom]");
    }
    const char* file = argv[1];
    const char* side = argc == 5 ? argv[4] : nullptr;
    if (side && !IsSide(side)) return Fail(side, "is not a side: left, right, top or bottom");
    const QImage image(QString::fromLocal8Bit(file));
    if (image.isNull()) return Fail(file, "cannot be read as an image");
    if (image.width() != std::atoi(argv[2]) || image.height() != std::atoi(argv[3])) {
        return Fail(file, "has another size");
    }
    if (image.pixelColor(4, image.height() / 2) != QColor(0xF0, 0xF0, 0xF0)) {
        return Fail(file, "does not show the chart's panel at its left edge");
    }
    int red = 0, blue = 0, series = 0, blueOnSide = 0, blueAcross = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(0xFF, 0, 0)) ++red;
            if (c == QColor(0, 0, 0xFF)) {
                ++blue;
                const int quarter =
                    side ? QuarterFrom(side, x, y, image.width(), image.height()) : 1;
                if (quarter == 0) ++blueOnSide;
                if (quarter == 2) ++blueAcross;
            }
            if (c.blue() > 120 && c.red() < 120 && c.red() > 40) ++series;
        }
    }
    // Each is at least a line across most of the image, two pixels thick at ratio 2.
    const int line = image.height();
    if (red < line) return Fail(file, "shows too little of the red master axis");
    if (blue < line) return Fail(file, "shows too little of the blue scale");
    if (side && (blueOnSide < line || blueOnSide < 2 * blueAcross)) {
        return Fail(file, "does not show the blue scale on its side");
    }
    if (series < line) return Fail(file, "shows too little of the series line");
    std::printf("%s shows the chart (Twinscope %s): %d red, %d blue, %d series pixels\n", file,
                TWINSCOPE_VERSION_STRING, red, blue, series);
    return 0;
}
