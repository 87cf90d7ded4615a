#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/canvas/PaintTarget.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The zoom percents of a chart's view, taken at the start of each frame.
struct TWINSCOPE_EXPORT TFrameOptions {
    std::int32_t PenZoom = 100;
    std::int32_t FontZoom = 100;
    std::int32_t CheckBoxZoom = 100;
};

// A canvas with a painting frame, named drawing groups and the operations that take a depth.
// A chart in two dimensions projects (x, y, z) to (x, y): z is ignored.
class TWINSCOPE_EXPORT TCanvas3D : public TChartCanvas {
public:
    // The registered class name ("TChartCanvas3D") and the name shown to a user ("GDI").
    virtual std::string ClassName() const = 0;
    virtual std::string Description() const = 0;
    // True when what the canvas draws reaches a vector surface as shapes and text, not as
    // pixels written one by one, so a picture drawn through it scales cleanly.
    virtual bool VectorSafe() const { return false; }

    // Starts a frame over bounds of the target and answers the rectangle to draw in: when
    // buffered, the frame draws into an off-screen buffer of the bounds' size and the rectangle
    // is moved to the origin; otherwise it draws straight onto the target. Text backgrounds
    // become opaque.
    TRect BeginFrame(TPaintTarget& target, const TRect& bounds, const TFrameOptions& options = {});
    // Ends the frame: a buffered frame is copied to the target at the bounds' top-left corner
    // and the buffer becomes valid.
    void EndFrame(TPaintTarget& target, const TRect& bounds);
    bool InFrame() const { return inFrame_; }
    // When nothing made the buffer stale since the last frame (and no frame is being drawn),
    // copies it to the target at (0, 0) and answers true; otherwise answers false and the chart
    // paints a new frame.
    bool BufferStillValid(TPaintTarget& target);
    void MarkBufferStale() { SetBufferStale(true); }

    // The rectangles the projection is centred on; in two dimensions points pass unchanged.
    void Projection(const TRect& bounds, const TRect& plot);
    const TRect& ProjectionPlot() const { return projectionPlot_; }
    TPoint Calculate3DPosition(std::int32_t x, std::int32_t y, std::int32_t z) const;

    void MoveTo3D(std::int32_t x, std::int32_t y, std::int32_t z);
    void LineTo3D(std::int32_t x, std::int32_t y, std::int32_t z);
    // Clips to a box of the plot; in two dimensions to the rectangle (Left + 1, Top + 1, Right,
    // Bottom - 1).
    void ClipCube(const TRect& rect, std::int32_t z0, std::int32_t z1);

    // Counts the changes of the backend's own settings that change how text measures and comes
    // out.
    std::uint64_t SettingsRevision() const { return settingsRevision_; }

    // Named groups bracket what a chart part draws; they nest.
    void BeginGroup(const std::string& name);
    void EndGroup();
    std::size_t GroupDepth() const { return groups_.size(); }

    // A layer is what a frame has drawn up to some point, kept so that a later frame that would
    // draw the same can lay it back instead. KeepLayer keeps it with the pen, brush, font, text
    // settings and pen position in force, for `owner`; false (and nothing kept) where the canvas
    // cannot: outside a buffered frame, under a clip or a transparency section. RestoreLayer
    // lays the layer back over the whole frame with the state it was kept with, when the
    // frame's size and the canvas's settings are those it was kept under and the same owner
    // asks; otherwise it answers false and changes nothing.
    //
    // `drawnOver` may name every rectangle the frame before drew after it kept or laid back the
    // layer: when the frame buffer still holds that frame, untouched since, only those are laid
    // back, and of them only where the canvas saw that frame draw. Without them, or when the
    // canvas cannot be sure, the whole layer is.
    bool KeepLayer(const void* owner);
    bool RestoreLayer(const void* owner, std::span<const TRect> drawnOver = {});
    void DropLayer();
    // How many frames laid a layer back, and how many of them only the rectangles drawn over.
    std::uint64_t LayersRestored() const { return layersRestored_; }
    std::uint64_t LayersRestoredInPart() const { return layersRestoredInPart_; }

    // A piece is what one part of a frame drew over a rectangle (`area`, holding everything the
    // part draws), kept with the pixels it was drawn over and the state it began and ended in.
    // LayPieceBack lays the piece back in place of drawing the part again when the same owner
    // asks over the same area, from the same state, and the pixels there are the very ones the
    // piece was drawn over; then the canvas is left in the state the drawing ended in (the pen
    // position only where the drawing moved it: the part must not read it) and it answers true.
    // Otherwise BeginPiece before drawing the part and EndPiece after it keep it (false where
    // the canvas cannot: outside a buffered frame, under a clip or a transparency section).
    bool LayPieceBack(const void* owner, const TRect& area);
    void BeginPiece(const void* owner, const TRect& area);
    bool EndPiece(const void* owner);
    std::uint64_t PiecesLaidBack() const { return piecesLaidBack_; }

protected:
    virtual void DoBeginFrame(TPaintTarget& target, const TRect& bounds) = 0;
    virtual void DoEndFrame(TPaintTarget& target, const TRect& bounds) = 0;
    // Copies the buffer to the target at (0, 0); false when there is no buffer.
    virtual bool DoCopyBuffer(TPaintTarget& target) = 0;
    void CanvasSettingsChanged() { ++settingsRevision_; }
    virtual void DoBeginGroup(const std::string&) {}
    virtual void DoEndGroup() {}
    // The backend's part of a layer: its pixels, with whatever settings of its own decide them.
    virtual bool DoKeepLayer() { return false; }
    // Lays back the whole layer, or only `within` (in frame coordinates, maybe nothing).
    virtual bool DoRestoreLayer(bool whole, std::span<const TRect> within) {
        (void)whole;
        (void)within;
        return false;
    }
    virtual void DoDropLayer() {}
    // Whether the frame buffer was drawn on outside a frame, or made anew, since the last call.
    virtual bool BufferTouched() { return true; }
    // The backend's part of a piece: the pixels of an area of the frame (clipped to it), before
    // and after the part drew; DoLayPieceBack compares those before with the area's pixels now
    // and, when they are the same, writes those after.
    virtual bool DoBeginPiece(const TRect& area) {
        (void)area;
        return false;
    }
    virtual bool DoEndPiece() { return false; }
    virtual bool DoLayPieceBack() { return false; }

private:
    // What besides the pixels a layer is kept with and laid back under.
    struct TLayerState {
        const void* Owner = nullptr;
        TPenData Pen;
        TBrushData Brush;
        TFontData Font;
        TCanvasBackMode BackMode = cbmOpaque;
        TColor BackColor = clWhite;
        TTextAlign TextAlign = 0;
        TPoint PenPos;
        std::array<std::int32_t, 3> Zooms{};
        std::array<bool, 3> Switches{};  // monochrome, pens zoomed, text zoomed
        bool SameSettings(const TLayerState& other) const {
            return Owner == other.Owner && Zooms == other.Zooms && Switches == other.Switches;
        }
    };
    TLayerState CurrentLayerState(const void* owner) const;
    void ApplyLayerState(const TLayerState& state);
    // Whether a frame may lay back only parts of the layer: the frame before kept it or laid it
    // back, and nothing touched the buffer since.
    bool LayerIntactOutside();
    std::optional<TLayerState> layer_;
    std::uint64_t layersRestored_ = 0;
    std::uint64_t layersRestoredInPart_ = 0;
    std::uint64_t frames_ = 0;
    std::uint64_t settingsRevision_ = 0;
    std::uint64_t layerFrame_ = 0;

    struct TPiece {
        TRect Area;
        TLayerState Before;
        TLayerState After;
        bool Kept = false;
    };
    // Whether the state of a piece is the one it may be laid back from: all but the pen position.
    static bool SameStart(const TLayerState& a, const TLayerState& b);
    bool PieceFits() const;
    std::optional<TPiece> piece_;
    std::uint64_t piecesLaidBack_ = 0;

    TRect projectionPlot_;
    std::vector<std::string> groups_;
    bool inFrame_ = false;
};

}  // namespace twinscope
