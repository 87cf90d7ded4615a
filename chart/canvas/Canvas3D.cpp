#include "twinscope/chart/canvas/Canvas3D.h"

namespace twinscope {

TRect TCanvas3D::BeginFrame(TPaintTarget& target, const TRect& bounds,
                            const TFrameOptions& options) {
    SetZooms(options.PenZoom, options.FontZoom, options.CheckBoxZoom);
    TRect drawn = bounds;
    if (Buffered()) drawn = {0, 0, bounds.Width(), bounds.Height()};
    SetBounds(drawn);
    ResetPenPos();
    SetBackMode(cbmOpaque);
    inFrame_ = true;
    ++frames_;
    DoBeginFrame(target, bounds);
    return drawn;
}

void TCanvas3D::EndFrame(TPaintTarget& target, const TRect& bounds) {
    DoEndFrame(target, bounds);
    inFrame_ = false;
    if (Buffered()) SetBufferStale(false);
}

bool TCanvas3D::BufferStillValid(TPaintTarget& target) {
    if (inFrame_ || BufferStale() || !Buffered()) return false;
    return DoCopyBuffer(target);
}

void TCanvas3D::Projection(const TRect&, const TRect& plot) {
    projectionPlot_ = plot;
}

TPoint TCanvas3D::Calculate3DPosition(std::int32_t x, std::int32_t y, std::int32_t) const {
    return {x, y};
}

void TCanvas3D::MoveTo3D(std::int32_t x, std::int32_t y, std::int32_t z) {
    TPoint p = Calculate3DPosition(x, y, z);
    MoveTo(p.X, p.Y);
}

void TCanvas3D::LineTo3D(std::int32_t x, std::int32_t y, std::int32_t z) {
    TPoint p = Calculate3DPosition(x, y, z);
    LineTo(p.X, p.Y);
}

void TCanvas3D::ClipCube(const TRect& rect, std::int32_t, std::int32_t) {
    ClipRectangle({rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
}

void TCanvas3D::BeginGroup(const std::string& name) {
    groups_.push_back(name);
    DoBeginGroup(name);
}

void TCanvas3D::EndGroup() {
    if (groups_.empty()) return;
    groups_.pop_back();
    DoEndGroup();
}

TCanvas3D::TLayerState TCanvas3D::CurrentLayerState(const void* owner) const {
    return {owner,
            Pen(),
            Brush(),
            Font(),
            BackMode(),
            BackColor(),
            TextAlign(),
            PenPos(),
            {PenZoom(), FontZoom(), CheckBoxZoom()},
            {IsMonochrome(), ZoomPens(), ZoomText()}};
}

void TCanvas3D::ApplyLayerState(const TLayerState& state) {
    SetPen(state.Pen);
    SetBrush(state.Brush);
    SetFont(state.Font);
    SetBackMode(state.BackMode);
    SetBackColor(state.BackColor);
    SetTextAlign(state.TextAlign);
}

bool TCanvas3D::KeepLayer(const void* owner) {
    const std::int32_t opaque = NativeTransparency() ? 255 : 0;
    if (!inFrame_ || !Buffered() || TransparencyLevel() != opaque || !DoKeepLayer()) {
        DropLayer();
        return false;
    }
    layer_ = CurrentLayerState(owner);
    layerFrame_ = frames_;
    BufferTouched();
    FollowDrawing(true);
    return true;
}

bool TCanvas3D::LayerIntactOutside() {
    const bool touched = BufferTouched();
    return !touched && layerFrame_ + 1 == frames_;
}

bool TCanvas3D::RestoreLayer(const void* owner, std::span<const TRect> drawnOver) {
    if (!layer_ || !inFrame_ || !Buffered() || !layer_->SameSettings(CurrentLayerState(owner)))
        return false;
    // What the frame before drew over the layer lies both where it says and where the canvas
    // saw it draw.
    const bool inPart = !drawnOver.empty() && LayerIntactOutside();
    std::vector<TRect> within;
    if (inPart) {
        for (const TRect& drawn : Drawn().Rects()) {
            for (const TRect& over : drawnOver) {
                const TRect both = Intersect(drawn, over);
                if (!both.IsEmpty()) within.push_back(both);
            }
        }
    }
    if (!DoRestoreLayer(!inPart, within)) return false;
    FollowDrawing(true);
    ApplyLayerState(*layer_);
    MoveTo(layer_->PenPos.X, layer_->PenPos.Y);
    layerFrame_ = frames_;
    ++layersRestored_;
    if (inPart) ++layersRestoredInPart_;
    return true;
}

void TCanvas3D::DropLayer() {
    layer_.reset();
    FollowDrawing(false);
    DoDropLayer();
}

bool TCanvas3D::SameStart(const TLayerState& a, const TLayerState& b) {
    return a.SameSettings(b) && a.Pen == b.Pen && a.Brush == b.Brush && a.Font == b.Font &&
           a.BackMode == b.BackMode && a.BackColor == b.BackColor && a.TextAlign == b.TextAlign;
}

bool TCanvas3D::PieceFits() const {
    const std::int32_t opaque = NativeTransparency() ? 255 : 0;
    return inFrame_ && Buffered() && TransparencyLevel() == opaque;
}

bool TCanvas3D::LayPieceBack(const void* owner, const TRect& area) {
    if (!piece_ || !piece_->Kept || piece_->Area != area || !PieceFits() ||
        !SameStart(piece_->Before, CurrentLayerState(owner)) || !DoLayPieceBack()) {
        return false;
    }
    NoteDrawn(area);
    ApplyLayerState(piece_->After);
    if (piece_->After.PenPos != piece_->Before.PenPos)
        MoveTo(piece_->After.PenPos.X, piece_->After.PenPos.Y);
    ++piecesLaidBack_;
    return true;
}

void TCanvas3D::BeginPiece(const void* owner, const TRect& area) {
    piece_.reset();
    if (!PieceFits() || !DoBeginPiece(area)) return;
    piece_ = TPiece{.Area = area, .Before = CurrentLayerState(owner), .After = {}, .Kept = false};
}

bool TCanvas3D::EndPiece(const void* owner) {
    if (!piece_ || piece_->Kept || piece_->Before.Owner != owner || !PieceFits() ||
        !DoEndPiece()) {
        piece_.reset();
        return false;
    }
    piece_->After = CurrentLayerState(owner);
    piece_->Kept = true;
    return true;
}

}  // namespace twinscope
