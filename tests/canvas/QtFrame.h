#pragma once

#include <string>

#include <QImage>
#include <QPainter>

#include "twinscope/chart/canvas/qt/QtPaintTarget.h"

namespace twinscope {

// A canvas drawing one buffered frame onto a white image of width x height logical pixels.
template <typename Canvas>
class TQtFrame {
public:
    TQtFrame(int width, int height, double pixelRatio = 1)
        : bounds_{0, 0, width, height},
          image_(static_cast<int>(width * pixelRatio), static_cast<int>(height * pixelRatio),
                 QImage::Format_ARGB32_Premultiplied) {
        image_.setDevicePixelRatio(pixelRatio);
        image_.fill(Qt::white);
        painter_.begin(&image_);
        canvas.BeginFrame(target_, bounds_);
        canvas.SetBrush({.Color = clWhite});
        canvas.FillRect(bounds_);
        canvas.SetBrush({.Color = clRed});
    }
    ~TQtFrame() {
        if (painter_.isActive()) Finish();
    }

    // Ends the frame and answers the image it was copied to.
    const QImage& Finish() {
        canvas.EndFrame(target_, bounds_);
        painter_.end();
        return image_;
    }
    TQtPaintTarget& Target() { return target_; }

    Canvas canvas;

private:
    TRect bounds_;
    QImage image_;
    QPainter painter_;
    TQtPaintTarget target_{painter_};
};

inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kRed = 0xFFFF0000;
inline constexpr QRgb kBlue = 0xFF0000FF;

// One letter per pixel: '#' black, 'r' red, 'b' blue, '.' white, '?' anything else.
inline char Letter(QRgb pixel) {
    switch (pixel) {
        case kBlack:
            return '#';
        case kRed:
            return 'r';
        case kBlue:
            return 'b';
        case kWhite:
            return '.';
        default:
            return '?';
    }
}

// The pixels of row y from x = from up to, not including, to; Column likewise downwards.
inline std::string Row(const QImage& image, int y, int from, int to) {
    std::string row;
    for (int x = from; x < to; ++x)
        row += Letter(image.pixel(x, y));
    return row;
}

inline std::string Column(const QImage& image, int x, int from, int to) {
    std::string column;
    for (int y = from; y < to; ++y)
        column += Letter(image.pixel(x, y));
    return column;
}

}  // namespace twinscope
