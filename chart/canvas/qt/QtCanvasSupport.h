#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QString>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/canvas/qt/ShapedTextCache.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// How text is rasterised, from the font's quality and the canvas's text quality.
enum class TTextRendering : std::uint8_t { trAntiAlias, trSingleBitGridFit, trClearTypeGridFit };
using enum TTextRendering;

// fqBest anti-aliases; fqNormal grid-fits one bit per pixel; fqClearType grid-fits anti-aliased;
// fqDefault leaves it to the canvas's quality, and a canvas of default quality anti-aliases
// text of 20 points and more and grid-fits smaller text.
TWINSCOPE_EXPORT TTextRendering TextRenderingFor(TFontQuality fontQuality,
                                                 TFontQuality canvasQuality, double points);

// Everything a realised font depends on.
struct TWINSCOPE_EXPORT TQtFontKey {
    std::string Name;
    double Points = 8;
    TFontStyles Style = 0;
    std::int32_t InterCharSize = 0;
    TTextRendering Rendering = trAntiAlias;
    friend auto operator<=>(const TQtFontKey&, const TQtFontKey&) = default;
};

// A font resolved through fontconfig ("Arial" becomes Liberation Sans) for a 96-dpi surface:
// the size at least 0.1 points, the style bits, letter spacing and the hinting nearest to the
// rendering.
TWINSCOPE_EXPORT QFont MakeQtFont(const TQtFontKey& key);

// The font to set on a painter so that text keeps its size in logical pixels whatever the
// device's resolution.
TWINSCOPE_EXPORT QFont FontForDevice(const QFont& font, const QPaintDevice* device);

TWINSCOPE_EXPORT QString ToQString(std::string_view text);

// The pixels a rectangle covers (its right and bottom edge excluded).
TWINSCOPE_EXPORT QRect ToQRect(const TRect& r);

// The counter-clockwise angle in degrees, seen from the rectangle's centre, at which p lies.
TWINSCOPE_EXPORT qreal AngleTo(const TRect& r, TPoint p);

// A colour as an opaque RGB value; clNone is fully transparent.
TWINSCOPE_EXPORT QColor OpaqueColor(TColor color);

TWINSCOPE_EXPORT Qt::BrushStyle HatchPattern(TBrushStyle style);
TWINSCOPE_EXPORT Qt::PenCapStyle CapStyle(TPenEndStyle style);
TWINSCOPE_EXPORT Qt::PenJoinStyle JoinStyle(TPenJoinStyle style);

// A two-colour gradient running across whatever shape it fills.
TWINSCOPE_EXPORT QBrush GradientBrush(const TGradientData& gradient, const QColor& start,
                                      const QColor& end);

// The offsets and colours of one text drawing: the text is laid out with its top-left corner at
// TopLeft relative to Anchor, turned about Anchor by Rotation degrees clockwise.
struct TWINSCOPE_EXPORT TQtText {
    QString Text;
    QFont Font;
    QPointF Anchor;
    double Rotation = 0;
    QPointF TopLeft;
    QSizeF Box;
    qreal Ascent = 0;
    QColor Color;
    std::optional<QBrush> Background;
    std::optional<QColor> ShadowColor;
    QPointF ShadowOffset;
    std::optional<QColor> EmbossColor;
    QPointF EmbossOffset;
    std::optional<QPen> OutLine;
};

// Draws the background box, then shadow and emboss at their offsets, then the text itself (as
// a filled and stroked path when it has an outline pen). Leaves the painter's state unchanged.
// With a cache of shaped texts, a text it can hold is shaped once and drawn from its glyph
// runs, to the same pixels.
TWINSCOPE_EXPORT void DrawQtText(QPainter& painter, const TQtText& text,
                                 TShapedTextCache* shapes = nullptr);

}  // namespace twinscope
