#pragma once

#include <array>
#include <cstdint>
#include <optional>
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
    bool KeepLayer(const void* owner);
    bool RestoreLayer(const void* owner);
    void DropLayer();
    // How many frames laid a layer back.
    std::uint64_t LayersRestored() const { return layersRestored_; }

protected:
    virtual void DoBeginFrame(TPaintTarget& target, const TRect& bounds) = 0;
    virtual void DoEndFrame(TPaintTarget& target, const TRect& bounds) = 0;
    // Copies the buffer to the target at (0, 0); false when there is no buffer.
    virtual bool DoCopyBuffer(TPaintTarget& target) = 0;
    virtual void DoBeginGroup(const std::string&) {}
    virtual void DoEndGroup() {}
    // The backend's part of a layer: its pixels, with whatever settings of its own decide them.
    virtual bool DoKeepLayer() { return false; }
    virtual bool DoRestoreLayer() { return false; }
    virtual void DoDropLayer() {}

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
    std::optional<TLayerState> layer_;
    std::uint64_t layersRestored_ = 0;

    TRect projectionPlot_;
    std::vector<std::string> groups_;
    bool inFrame_ = false;
};

}  // namespace twinscope
