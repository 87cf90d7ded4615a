#include "twinscope/chart/panel/CustomChartPanel.h"

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/shapes/Bevel.h"
#include "twinscope/runtime/MessageHook.h"
#include "twinscope/runtime/UserSettings.h"

namespace twinscope {

namespace {

// The canvas class a new chart asks for unless the user's settings name another.
constexpr const char* kBuiltInDefaultCanvasClass = "TGDIPlusCanvas";

// Keeps a chart from requesting repaints while it paints. The switch comes back also when a
// paint is cut short by an exception, so that the chart goes on repainting after it.
class TRepaintSuspension {
public:
    explicit TRepaintSuspension(TCustomChartPanel& panel)
        : panel_(panel), saved_(panel.RepaintOnChange()) {
        panel_.SetRepaintOnChange(false);
    }
    ~TRepaintSuspension() { panel_.SetRepaintOnChange(saved_); }
    TRepaintSuspension(const TRepaintSuspension&) = delete;
    TRepaintSuspension& operator=(const TRepaintSuspension&) = delete;

private:
    TCustomChartPanel& panel_;
    bool saved_;
};

// The engine's own tests run without any canvas class: such a chart has no canvas.
std::unique_ptr<TCanvas3D> CanvasOfClass(const std::string& className,
                                         std::unique_ptr<TCanvas3D> current) {
    if (!IsCanvasClassRegistered(className) && !IsCanvasClassRegistered(kFallbackCanvasClass)) {
        return current;
    }
    return SelectCanvas(className, std::move(current));
}

}  // namespace

TCustomChartPanel::TCustomChartPanel()
    : defaultCanvas_(
          CurrentUserSettings().ReadString("DefaultCanvas").value_or(kBuiltInDefaultCanvasClass)),
      canvasClass_(defaultCanvas_) {
    border_.SetOnChange([this] { SettingsChanged(); });
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::Invalidate() {
    if (!repaintOnChange_) return;
    if (canvas_) canvas_->MarkBufferStale();
    if (repaintRequest_) repaintRequest_();
}

void TCustomChartPanel::EndLoading() {
    loading_ = false;
    if (canvasNameRead_) {
        canvasNameRead_ = false;
        SelectCanvasClass(defaultCanvas_);
    }
}

void TCustomChartPanel::SetDefaultCanvas(const std::string& className) {
    defaultCanvas_ = className;
    if (loading_) {
        canvasNameRead_ = true;
    } else {
        SelectCanvasClass(defaultCanvas_);
    }
}

TCanvas3D* TCustomChartPanel::Canvas() const {
    // Nothing was drawn without a canvas, so the first one asks for no repaint.
    if (!canvas_) canvas_ = CanvasOfClass(canvasClass_, nullptr);
    return canvas_.get();
}

void TCustomChartPanel::SelectCanvasClass(const std::string& className) {
    canvasClass_ = className;
    const TCanvas3D* previous = canvas_.get();
    canvas_ = CanvasOfClass(canvasClass_, std::move(canvas_));
    if (canvas_.get() != previous) Invalidate();
}

void TCustomChartPanel::SetBounds(std::int32_t width, std::int32_t height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Invalidate();
}

std::int32_t TCustomChartPanel::BorderThickness() const {
    return twinscope::BorderThickness(borderWidth_, bevelInner_, bevelOuter_, bevelWidth_,
                                      border_.Visible(), border_.Width());
}

TRect TCustomChartPanel::MarginPlot(const TRect& paintBounds) const {
    return twinscope::CalcPlotRect(PlotLayoutInput{
        paintBounds, margins_, marginUnits_, BorderThickness(), shadow_, emboss_, width_, height_});
}

TRect TCustomChartPanel::ClampedPlot(const TRect& plot) const {
    return ClampPlotRect(plot, layout_.Bounds, width_, height_);
}

void TCustomChartPanel::Paint(TPaintTarget& target) {
    if (!Canvas()) {
        if (!missingCanvasShown_)
            ShowMessage("The chart cannot paint: no canvas class is registered");
        missingCanvasShown_ = true;
        return;
    }
    if (canvas_->BufferStillValid(target)) return;
    RenderChart(*canvas_, target, TRect{0, 0, width_, height_});
}

void TCustomChartPanel::RenderChart(TCanvas3D& canvas, TPaintTarget& target, const TRect& rect) {
    const TRect bounds = canvas.BeginFrame(target, rect);
    try {
        TRepaintSuspension suspended(*this);
        RenderLayers(canvas, bounds);
    } catch (...) {
        // A handler that raised ends the frame as well: the target gets back its painter's
        // state and shows what was drawn so far.
        canvas.EndFrame(target, rect);
        throw;
    }
    canvas.EndFrame(target, rect);
}

void TCustomChartPanel::PaintBackground(TCanvas3D& canvas, const TRect& rect) {
    const TGroupGuard group(canvas, "Panel");
    if (color_ != clNone) {
        canvas.SetPenStyle(psClear);
        canvas.SetBrush(TBrushData{.Color = color_});
        canvas.FillRect(rect);
    }

    if (border_.Visible() || color_ != clNone) {
        canvas.SetPenFrom(border_, border_.Color());
        canvas.SetBrush(color_ == clNone ? TBrushData{.Style = bsClear}
                                         : TBrushData{.Color = color_});
        // Without a border the rectangle's outline is not stroked, and its fill stops before
        // the right and bottom edges: one pixel more covers the last column and row.
        const std::int32_t extra = border_.Visible() ? 0 : 1;
        canvas.Rectangle(WithFarEdgesMoved(rect, extra, extra));
    }

    if (bevelOuter_ != bvNone || bevelInner_ != bvNone || borderWidth_ != 0) {
        TRect inner = DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
        inner = color_ == clNone ? DrawBevel(canvas, inner, bvSpace, borderWidth_)
                                 : Frame3D(canvas, inner, color_, color_, borderWidth_);
        DrawBevel(canvas, inner, bevelInner_, bevelWidth_);
    }
}

}  // namespace twinscope
