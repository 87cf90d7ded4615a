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

bool TCanvas3D::KeepLayer(const void* owner) {
    const std::int32_t opaque = NativeTransparency() ? 255 : 0;
    if (!inFrame_ || !Buffered() || TransparencyLevel() != opaque || !DoKeepLayer()) {
        DropLayer();
        return false;
    }
    layer_ = CurrentLayerState(owner);
    return true;
}

bool TCanvas3D::RestoreLayer(const void* owner) {
    if (!layer_ || !inFrame_ || !Buffered() || !layer_->SameSettings(CurrentLayerState(owner)))
        return false;
    if (!DoRestoreLayer()) return false;
    SetPen(layer_->Pen);
    SetBrush(layer_->Brush);
    SetFont(layer_->Font);
    SetBackMode(layer_->BackMode);
    SetBackColor(layer_->BackColor);
    SetTextAlign(layer_->TextAlign);
    MoveTo(layer_->PenPos.X, layer_->PenPos.Y);
    ++layersRestored_;
    return true;
}

void TCanvas3D::DropLayer() {
    layer_.reset();
    DoDropLayer();
}

}  // namespace twinscope
