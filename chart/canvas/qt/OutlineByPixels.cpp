#include "twinscope/chart/canvas/qt/OutlineByPixels.h"

#include <array>
#include <cstdint>

#include <QImage>
#include <QPainterPath>

namespace twinscope {

namespace {

class TPainterFill final : public TPixelWriter {
public:
    void FillPixels(QPainter& painter, const QRect& rect, const QColor& color) override {
        painter.fillRect(rect, color);
    }
};

// The stroke itself, as the anti-aliased canvas draws a rectangle's outline.
void StrokeOutline(QPainter& painter, const TRect& r, const QColor& color,
                   Qt::PenJoinStyle join) {
    QPen pen(color);
    pen.setWidthF(1);
    pen.setJoinStyle(join);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.addRect(QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1));
    painter.drawPath(path);
}

// Outlines of a few sizes in a few colours, one below the other, over a background whose
// every pixel differs from its neighbours.
constexpr int ProbeWidth = 12;
constexpr int ProbeHeight = 40;
constexpr std::array<TRect, 3> kProbeRects{{{1, 1, 11, 9}, {2, 12, 5, 15}, {3, 20, 10, 38}}};
constexpr std::array<QRgb, 3> kProbeColors{0xFFC81E5A, 0xFF0A0A0A, 0xFF7FFFD4};

QImage ProbeBackground() {
    QImage image(ProbeWidth, ProbeHeight, QImage::Format_ARGB32_Premultiplied);
    std::uint32_t seed = 12345;
    for (int y = 0; y < ProbeHeight; ++y) {
        for (int x = 0; x < ProbeWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int alpha = (x + y) % 3 == 0 ? 255 : static_cast<int>(seed >> 24);
            image.setPixel(x, y, qPremultiply(qRgba(static_cast<int>(seed >> 16) & 0xFF,
                                                    static_cast<int>(seed >> 8) & 0xFF,
                                                    static_cast<int>(seed) & 0xFF, alpha)));
        }
    }
    return image;
}

// A channel times a coverage, as the rasterizer's blend rounds it.
int ByteMul(int x, int a) {
    const int t = x * a;
    return (t + (t >> 8) + 0x80) >> 8;
}

// The coverage k that, laid twice over nothing in white, gives `covered`: each of the two
// segments meeting at a corner covers it once.
std::optional<int> HalfOf(int covered) {
    for (int k = 0; k <= 255; ++k) {
        if (k + ByteMul(k, 255 - k) == covered) return k;
    }
    return std::nullopt;
}

std::optional<int> Probe(Qt::PenJoinStyle join) {
    // The coverage of each pixel of one outline: drawn in white on nothing, a pixel's alpha.
    QImage coverage(ProbeWidth, ProbeHeight, QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    {
        QPainter painter(&coverage);
        painter.setRenderHint(QPainter::Antialiasing);
        StrokeOutline(painter, kProbeRects[0], Qt::white, join);
    }
    const std::optional<int> corner =
        HalfOf(qAlpha(coverage.pixel(kProbeRects[0].Left, kProbeRects[0].Top)));
    if (!corner) return std::nullopt;
    QImage stroked = ProbeBackground();
    QImage written = stroked;
    {
        QPainter strokes(&stroked);
        strokes.setRenderHint(QPainter::Antialiasing);
        QPainter writes(&written);
        writes.setRenderHint(QPainter::Antialiasing);
        TPainterFill fill;
        for (std::size_t i = 0; i < kProbeRects.size(); ++i) {
            const QColor color = QColor::fromRgba(kProbeColors[i]);
            StrokeOutline(strokes, kProbeRects[i], color, join);
            OutlineByPixels(writes, fill, kProbeRects[i], color, *corner);
        }
    }
    if (stroked != written) return std::nullopt;
    return corner;
}

}  // namespace

std::optional<int> OutlineCornerHalf(Qt::PenJoinStyle join) {
    static const std::array<std::optional<int>, 3> corners{Probe(Qt::MiterJoin),
                                                           Probe(Qt::BevelJoin),
                                                           Probe(Qt::RoundJoin)};
    switch (join) {
        case Qt::MiterJoin:
            return corners[0];
        case Qt::BevelJoin:
            return corners[1];
        case Qt::RoundJoin:
            return corners[2];
        default:
            return std::nullopt;
    }
}

void OutlineByPixels(QPainter& painter, TPixelWriter& pixels, const TRect& r,
                     const QColor& color, int cornerHalf) {
    const int w = r.Width();
    const int h = r.Height();
    pixels.FillPixels(painter, QRect(r.Left + 1, r.Top, w - 2, 1), color);
    pixels.FillPixels(painter, QRect(r.Left + 1, r.Bottom - 1, w - 2, 1), color);
    pixels.FillPixels(painter, QRect(r.Left, r.Top + 1, 1, h - 2), color);
    pixels.FillPixels(painter, QRect(r.Right - 1, r.Top + 1, 1, h - 2), color);
    QColor corner = color;
    corner.setAlpha(cornerHalf);
    for (const QPoint at : {QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Top),
                            QPoint(r.Left, r.Bottom - 1), QPoint(r.Right - 1, r.Bottom - 1)}) {
        painter.fillRect(QRect(at, QSize(1, 1)), corner);
        painter.fillRect(QRect(at, QSize(1, 1)), corner);
    }
}

}  // namespace twinscope
