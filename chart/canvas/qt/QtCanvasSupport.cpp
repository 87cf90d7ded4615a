#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QGlyphRun>
#include <QImage>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainterPath>

#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

// Text is laid out for this resolution; the buffers the canvases draw into have it.
constexpr int kLayoutDpi = 96;

const QPaintDevice& LayoutDevice() {
    static const QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    return device;
}

}  // namespace

const TQtPaintTarget& QtTarget(const TPaintTarget& target) {
    const TQtPaintTarget* qt = target.SurfaceOf<TQtPaintTarget>();
    if (!qt) throw RuntimeError("The canvas draws only on a Qt paint target");
    return *qt;
}

TTextRendering TextRenderingFor(TFontQuality fontQuality, TFontQuality canvasQuality,
                                double points) {
    TFontQuality quality = fontQuality == fqDefault ? canvasQuality : fontQuality;
    switch (quality) {
        case fqBest:
            return trAntiAlias;
        case fqNormal:
            return trSingleBitGridFit;
        case fqClearType:
            return trClearTypeGridFit;
        case fqDefault:
            break;
    }
    return points >= 20 ? trAntiAlias : trClearTypeGridFit;
}

QFont MakeQtFont(const TQtFontKey& key) {
    QFont font(QString::fromStdString(key.Name));
    font.setPointSizeF(std::max(key.Points, 0.1));
    font.setBold((key.Style & fsBold) != 0);
    font.setItalic((key.Style & fsItalic) != 0);
    font.setUnderline((key.Style & fsUnderline) != 0);
    font.setStrikeOut((key.Style & fsStrikeOut) != 0);
    if (key.InterCharSize != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, key.InterCharSize);
    switch (key.Rendering) {
        case trAntiAlias:
            font.setStyleStrategy(QFont::PreferAntialias);
            font.setHintingPreference(QFont::PreferNoHinting);
            break;
        case trSingleBitGridFit:
            font.setStyleStrategy(QFont::NoAntialias);
            font.setHintingPreference(QFont::PreferFullHinting);
            break;
        case trClearTypeGridFit:
            font.setStyleStrategy(QFont::PreferAntialias);
            font.setHintingPreference(QFont::PreferFullHinting);
            break;
    }
    return QFont(font, &LayoutDevice());
}

QFont FontForDevice(const QFont& font, const QPaintDevice* device) {
    if (!device || device->logicalDpiY() == kLayoutDpi) return font;
    QFont scaled(font);
    scaled.setPointSizeF(font.pointSizeF() * kLayoutDpi / device->logicalDpiY());
    return scaled;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

qreal AngleTo(const TRect& r, TPoint p) {
    qreal cx = (r.Left + r.Right) / 2.0;
    qreal cy = (r.Top + r.Bottom) / 2.0;
    return std::atan2(-(p.Y - cy), p.X - cx) * 180 / std::numbers::pi;
}

QColor OpaqueColor(TColor color) {
    if (color == clNone) return QColor(0, 0, 0, 0);
    TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

Qt::BrushStyle HatchPattern(TBrushStyle style) {
    switch (style) {
        case bsSolid:
            return Qt::SolidPattern;
        case bsClear:
            return Qt::NoBrush;
        case bsHorizontal:
            return Qt::HorPattern;
        case bsVertical:
            return Qt::VerPattern;
        case bsFDiagonal:
            return Qt::FDiagPattern;
        case bsBDiagonal:
            return Qt::BDiagPattern;
        case bsCross:
            return Qt::CrossPattern;
        case bsDiagCross:
            return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

Qt::PenCapStyle CapStyle(TPenEndStyle style) {
    switch (style) {
        case esRound:
            return Qt::RoundCap;
        case esSquare:
            return Qt::SquareCap;
        case esFlat:
            return Qt::FlatCap;
    }
    return Qt::RoundCap;
}

Qt::PenJoinStyle JoinStyle(TPenJoinStyle style) {
    switch (style) {
        case jsRound:
            return Qt::RoundJoin;
        case jsBevel:
            return Qt::BevelJoin;
        case jsMitter:
            return Qt::MiterJoin;
    }
    return Qt::RoundJoin;
}

QBrush GradientBrush(const TGradientData& gradient, const QColor& start, const QColor& end) {
    QPointF from(0, 0);
    QPointF to(0, 1);
    switch (gradient.Direction) {
        case gdTopBottom:
            break;
        case gdBottomTop:
            std::swap(from, to);
            break;
        case gdLeftRight:
            to = {1, 0};
            break;
        case gdRightLeft:
            from = {1, 0};
            to = {0, 0};
            break;
    }
    QLinearGradient linear(from, to);
    linear.setCoordinateMode(QGradient::ObjectMode);
    linear.setColorAt(0, start);
    linear.setColorAt(1, end);
    return QBrush(linear);
}

void DrawQtText(QPainter& painter, const TQtText& text, TShapedTextCache* shapes) {
    const QPointF baseline = text.TopLeft + QPointF(0, text.Ascent);
    const TShapedText* shaped = nullptr;
    auto pass = [&](QPointF offset, auto&& draw) {
        painter.save();
        painter.translate(text.Anchor + offset);
        if (text.Rotation != 0) painter.rotate(text.Rotation);
        draw();
        painter.restore();
    };
    auto plain = [&](const QColor& color) {
        return [&painter, &text, &baseline, &shaped, color] {
            painter.setPen(color);
            if (!shaped) {
                painter.drawText(baseline, text.Text);
                return;
            }
            for (const QGlyphRun& run : shaped->Runs)
                painter.drawGlyphRun(baseline, run);
        };
    };

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(FontForDevice(text.Font, painter.device()));
    // The key is the font the painter resolved for its device, which drawText would shape in.
    // Vector pictures keep their texts as text: only raster surfaces draw from glyph runs.
    const bool raster = painter.paintEngine()->type() == QPaintEngine::Raster;
    if (shapes && raster && !text.OutLine) {
        shaped = shapes->Find(painter.font(), painter.device()->logicalDpiY(), text.Text);
    }
    if (text.Background) {
        pass({}, [&] { painter.fillRect(QRectF(text.TopLeft, text.Box), *text.Background); });
    }
    if (text.ShadowColor) pass(text.ShadowOffset, plain(*text.ShadowColor));
    if (text.EmbossColor) pass(text.EmbossOffset, plain(*text.EmbossColor));
    if (text.OutLine) {
        pass({}, [&] {
            QPainterPath path;
            path.addText(baseline, text.Font, text.Text);
            painter.fillPath(path, text.Color);
            painter.strokePath(path, *text.OutLine);
        });
    } else {
        pass({}, plain(text.Color));
    }
    painter.restore();
}

}  // namespace twinscope
