#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/qt/GdiDrawing.h"
#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/LruStore.h"

namespace twinscope {

class TQtPaintTarget;

// What every canvas drawing through a QPainter shares: the surface (an off-screen image of the
// frame's size at the target's device-pixel ratio times BufferScale when buffered, the target's
// painter otherwise; between frames drawing goes to the buffer, which the next BufferStillValid
// shows), the painter state set only on change, the clip stack, the realised fonts with the
// widths measured in them, and text composed from its background, shadow, emboss and outline.
//
// A leaf draws lines, shapes and fills, combines a shape with the clip, and says how colours
// come out, how turned text turns and where aligned text lies.
class TWINSCOPE_EXPORT TQtCanvas : public TCanvas3D, protected TPixelWriter {
public:
    ~TQtCanvas() override;

    // The quality of text whose font leaves it to the canvas.
    TFontQuality TextQuality() const { return textQuality_; }
    void SetTextQuality(TFontQuality quality) {
        if (quality == textQuality_) return;
        textQuality_ = quality;
        CanvasSettingsChanged();
    }

    // The texts this canvas has shaped, kept across frames.
    const TShapedTextCache& ShapedTexts() const { return shapedTexts_; }

    // The widths of texts this canvas has measured, kept across frames within MaxMeasuredBytes.
    static constexpr std::size_t MaxMeasuredBytes = std::size_t{64} << 10;
    std::size_t MeasuredTexts() const { return widths_.Size(); }
    std::size_t MeasuredBytes() const { return widths_.Bytes(); }

    // The off-screen buffer in device pixels; null before the first buffered frame.
    const QImage& Buffer() const { return buffer_; }

protected:
    explicit TQtCanvas(TFontQuality textQuality) : textQuality_(textQuality) {}

    void DoTextOut(std::int32_t x, std::int32_t y, const std::string& text, double angle) final;
    TSize DoTextExtent(std::string_view line) final;
    void DoClip(const TCanvasShape& shape, bool exclude) final;
    void DoUnclip() final;
    void DoBeginFrame(TPaintTarget& target, const TRect& bounds) final;
    void DoEndFrame(TPaintTarget& target, const TRect& bounds) final;
    bool DoCopyBuffer(TPaintTarget& target) final;
    bool DoKeepLayer() final;
    bool DoRestoreLayer(bool whole, std::span<const TRect> within) final;
    void DoDropLayer() final { layer_ = TLayer{}; }
    bool BufferTouched() final { return std::exchange(bufferTouched_, false); }
    bool DoBeginPiece(const TRect& area) final;
    bool DoEndPiece() final;
    bool DoLayPieceBack() final;

    // Combines the painter's clip with a shape (the clip in force is already saved). Returns
    // the whole-pixel rectangle it clipped to, when the shape clips as one.
    virtual std::optional<QRect> CombineClip(QPainter& painter, const TCanvasShape& shape,
                                             bool exclude) = 0;
    // How a colour of the canvas's pens, brushes and fonts comes out.
    virtual QColor ColorOf(TColor color) const = 0;
    // The colour of a font's shadow or emboss.
    virtual QColor ShadowColorOf(const TShadowData& shadow) const { return ColorOf(shadow.Color); }
    // The clockwise turn of text drawn at angle (counter-clockwise, 0 < angle < 360).
    virtual double TextTurn(double angle) const = 0;
    // Where text drawn at (x, y) under the text alignment has its top-left corner, relative to
    // (x, y) in the text's own direction.
    virtual QPointF TextTopLeft(qreal width, qreal height, qreal ascent) const = 0;
    // What fills the text's box first, if anything.
    virtual std::optional<QBrush> TextBackground() const = 0;
    // Whether text edges are smoothed.
    virtual bool SmoothsText() const = 0;
    // Realises a font; a leaf may share its fonts across the process.
    virtual QFont CreateFont(const TQtFontKey& key) const { return MakeQtFont(key); }
    // How many buffer pixels a device pixel of the target gets.
    virtual double BufferScale() const { return 1; }

    // The painter of the surface drawn on, or null when there is none.
    QPainter* Painter();
    // The painter set for colours laid over what lies beneath; null when there is none.
    QPainter* PreparePainter();
    // The painter set for GDI drawing: no smoothing, and the pen mode's raster operation when
    // rasterOp is set; null when there is none.
    QPainter* PrepareGdi(bool rasterOp);
    // Anti-aliasing and composition are set on the painter only when they change.
    void UseSmoothing(QPainter& painter, bool smooth);
    void UseComposition(QPainter& painter, QPainter::CompositionMode mode);
    // True when the pen draws something.
    bool PenStrokes() const;
    // What GDI drawing needs of the canvas state.
    TGdiStyle GdiStyle() const { return {Pen(), Brush(), BackMode(), BackColor()}; }
    // Fills whole pixels with a colour, as the painter's fillRect does, straight into the
    // buffer where it can.
    void FillPixels(QPainter& painter, const QRect& rect, const QColor& color) override;
    // On the canvas's own unscaled buffer, from the clip it knows, without asking the painter.
    QRect WritableArea(const QPainter& painter) override;

    // The current font, realised for the current size and text quality, and its metrics.
    const QFont& RealisedFont();
    const QFontMetrics& RealisedMetrics();
    // How far a line of text advances in the realised font.
    int TextAdvance(std::string_view line);

private:
    void BeginPainter(QImage& image);
    void EndPainter();
    void ResetPainterState();
    void CopyBuffer(const TQtPaintTarget& target, QPoint at);

    QImage buffer_;
    QPainter bufferPainter_;
    QPainter* painter_ = nullptr;
    bool externalPainter_ = false;
    std::optional<bool> smoothing_;
    std::optional<QPainter::CompositionMode> composition_;
    struct TSavedClip {
        std::optional<QPainterPath> Path;
        std::optional<QRect> Rect;
    };
    std::vector<TSavedClip> clipStack_;
    // The clip as one rectangle (the whole surface when there is none), while it is one.
    std::optional<QRect> clipRect_;
    TFontQuality textQuality_;
    std::optional<TQtFontKey> fontKey_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    // The widths measured, under the number of the font they were measured in and the text.
    struct TMeasuredView {
        std::uint32_t Font;
        std::string_view Text;
    };
    struct TMeasured {
        std::uint32_t Font;
        std::string Text;
        operator TMeasuredView() const { return {Font, Text}; }
    };
    struct TMeasuredHash {
        using is_transparent = void;
        std::size_t operator()(TMeasuredView key) const {
            return std::hash<std::string_view>{}(key.Text) ^ (std::size_t{key.Font} * 0x9E3779B9u);
        }
    };
    struct TMeasuredEqual {
        using is_transparent = void;
        bool operator()(TMeasuredView a, TMeasuredView b) const {
            return a.Font == b.Font && a.Text == b.Text;
        }
    };
    // A chart uses a handful of fonts; the numbers of many more are forgotten, and their widths
    // then age out of the store, which never meets a number again.
    static constexpr std::size_t MaxMeasuredFonts = 16;
    std::map<TQtFontKey, std::uint32_t> fontNumbers_;
    std::uint32_t nextFontNumber_ = 0;
    std::uint32_t fontInUse_ = 0;
    TLruStore<TMeasured, int, TMeasuredHash, TMeasuredEqual> widths_{MaxMeasuredBytes};
    TShapedTextCache shapedTexts_;
    // The kept layer: a copy of the buffer's pixels, with the settings of the leaf that decide
    // how they came out.
    struct TLayer {
        QImage Pixels;
        TFontQuality TextQuality = fqDefault;
        bool SmoothText = false;
        double Scale = 1;
    };
    TLayer layer_;
    bool LayerFitsBuffer() const;
    // The settings of the leaf that decide how pixels come out, as a layer or piece keeps them.
    struct TPixelSettings {
        TFontQuality TextQuality = fqDefault;
        bool SmoothText = false;
        double Scale = 1;
        double Ratio = 1;
        QSize Size;
        friend bool operator==(const TPixelSettings&, const TPixelSettings&) = default;
    };
    TPixelSettings CurrentPixelSettings() const;
    // A rectangle of the frame in the buffer's pixels, widened by what smoothing may reach
    // beyond it, within the buffer.
    QRect BufferArea(const TRect& area) const;
    // Whether the buffer was drawn on between frames or made anew.
    bool bufferTouched_ = true;
    // The kept piece: the buffer's pixels of its area before and after its part drew.
    struct TPieceCopy {
        QRect Area;
        TPixelSettings Settings;
        std::vector<QRgb> Before;
        std::vector<QRgb> After;
    };
    TPieceCopy piece_;
};

}  // namespace twinscope
