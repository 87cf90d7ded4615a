#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/chart/canvas/PaintTarget.h"
#include "twinscope/chart/panel/ChartLayout.h"
#include "twinscope/chart/panel/PlotLayout.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TCustomChartPanel;

// The chart control's panel: size, margins and border, the repaint switch, and the geometry
// that every paint recomputes (its layout).
class TCustomChartPanel {
public:
    TCustomChartPanel();
    virtual ~TCustomChartPanel();
    TCustomChartPanel(const TCustomChartPanel&) = delete;
    TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;

    // Requests a repaint: marks the drawn image stale and asks the host window to paint.
    // Does nothing while RepaintOnChange is off (construction, painting).
    void Invalidate();
    // A setting that can change the picture changed: counts the change, then Invalidate.
    void SettingsChanged() {
        ++settingsRevision_;
        Invalidate();
    }
    // Counts the changes of the chart's own settings and of its parts' (not its axes' nor its
    // series'), also while repainting is off.
    std::uint64_t SettingsRevision() const { return settingsRevision_; }
    bool RepaintOnChange() const { return repaintOnChange_; }
    void SetRepaintOnChange(bool on) { repaintOnChange_ = on; }
    // The host window's repaint request (the widget's update()).
    void SetOnRepaintRequest(std::function<void()> request) {
        repaintRequest_ = std::move(request);
    }
    // Asks the host window to paint without marking the drawn image stale, so that what was
    // drawn straight onto the canvas between paints shows and nothing is drawn anew.
    void RequestRepaint() const {
        if (repaintRequest_) repaintRequest_();
    }

    // While the chart is read from its stored form, range checks are skipped. Ending the load
    // selects the canvas class named in the stored form, if one was read.
    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    void EndLoading();

    // The canvas the chart draws with, chosen by class name ("TGDIPlusCanvas" unless the
    // user's "DefaultCanvas" setting names another) when it is first needed, so the canvas
    // classes need only be registered before the chart first measures or draws; none while no
    // canvas class is registered in the process.
    TCanvas3D* Canvas() const;
    const std::string& DefaultCanvas() const { return defaultCanvas_; }
    void SetDefaultCanvas(const std::string& className);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetBounds(std::int32_t width, std::int32_t height);

    std::int32_t Margin(int index) const { return margins_[index]; }
    void SetMargin(int index, std::int32_t value) { Set(margins_[index], value); }
    std::int32_t MarginLeft() const { return margins_[MarginLeftIndex]; }
    void SetMarginLeft(std::int32_t v) { SetMargin(MarginLeftIndex, v); }
    std::int32_t MarginTop() const { return margins_[MarginTopIndex]; }
    void SetMarginTop(std::int32_t v) { SetMargin(MarginTopIndex, v); }
    std::int32_t MarginRight() const { return margins_[MarginRightIndex]; }
    void SetMarginRight(std::int32_t v) { SetMargin(MarginRightIndex, v); }
    std::int32_t MarginBottom() const { return margins_[MarginBottomIndex]; }
    void SetMarginBottom(std::int32_t v) { SetMargin(MarginBottomIndex, v); }
    TChartUnits MarginUnits() const { return marginUnits_; }
    void SetMarginUnits(TChartUnits u) { Set(marginUnits_, u); }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut b) { Set(bevelOuter_, b); }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut b) { Set(bevelInner_, b); }
    std::int32_t BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(std::int32_t v) { Set(bevelWidth_, v); }
    std::int32_t BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(std::int32_t v) { Set(borderWidth_, v); }
    TChartHiddenPen& Border() { return border_; }
    const TChartHiddenPen& Border() const { return border_; }
    const TShadowData& Shadow() const { return shadow_; }
    void SetShadow(const TShadowData& s) { Set(shadow_, s); }
    const TShadowData& Emboss() const { return emboss_; }
    void SetEmboss(const TShadowData& e) { Set(emboss_, e); }
    bool View3D() const { return view3D_; }
    void SetView3D(bool b) { Set(view3D_, b); }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { Set(color_, c); }

    std::int32_t BorderThickness() const;

    // Where the last paint put the chart's parts (kept once its layout was decided, before
    // anything was drawn).
    const TChartLayout& Layout() const { return layout_; }
    // Keeps a layout as the last paint's, as a paint keeps the one it computed, for what is
    // drawn, the mouse and overlays until the next paint lays the chart out anew (a layout
    // computed for another size, say, or adjusted by hand).
    void KeepLayout(TChartLayout layout) {
        layout_ = std::move(layout);
        ++layoutsKept_;
    }
    // Counts the layouts kept, by paints and by hand.
    std::uint64_t LayoutsKept() const { return layoutsKept_; }
    const TRect& PaintBounds() const { return layout_.Bounds; }
    const TRect& PlotRect() const { return layout_.Plot; }
    std::int32_t PlotWidth() const { return layout_.Plot.Width(); }
    std::int32_t PlotHeight() const { return layout_.Plot.Height(); }
    std::int32_t PlotCenterX() const { return (layout_.Plot.Left + layout_.Plot.Right) / 2; }
    std::int32_t PlotCenterY() const { return (layout_.Plot.Top + layout_.Plot.Bottom) / 2; }
    // The plot rectangle the margins, the border, the shadow and the emboss leave of the bounds.
    TRect MarginPlot(const TRect& paintBounds) const;
    // A plot rectangle that a part of the chart reduced, kept usable within the last paint's
    // bounds.
    TRect ClampedPlot(const TRect& plot) const;

    // The window's paint request: an unchanged chart only copies the canvas buffer to the
    // target; otherwise the whole chart is drawn anew over the client rectangle. A chart made
    // before any canvas class was registered selects its canvas here; with still none to be
    // had, it draws nothing and shows the message "The chart cannot paint: no canvas class is
    // registered" once.
    void Paint(TPaintTarget& target);
    // Draws the whole chart into rect of the target, through one painting frame of canvas.
    void RenderChart(TCanvas3D& canvas, TPaintTarget& target, const TRect& rect);
    // The panel: its fill in Color, its rectangle and its bevels.
    void PaintBackground(TCanvas3D& canvas, const TRect& rect);

protected:
    // Everything a paint draws within the paint bounds, in order. Settings changed meanwhile
    // request no repaint.
    virtual void RenderLayers(TCanvas3D& canvas, const TRect& bounds) = 0;
    TChartLayout& KeptLayout() { return layout_; }

    template <typename T, typename U>
    void Set(T& field, U&& value) {
        if (StoreIfChanged(field, std::forward<U>(value))) SettingsChanged();
    }

private:
    void SelectCanvasClass(const std::string& className);

    mutable std::unique_ptr<TCanvas3D> canvas_;
    std::string defaultCanvas_;
    // The class the canvas is (or, until it is first needed, will be) selected by: the stored
    // name takes effect only when loading ends.
    std::string canvasClass_;
    bool canvasNameRead_ = false;
    bool missingCanvasShown_ = false;
    bool repaintOnChange_ = false;
    bool loading_ = false;
    std::function<void()> repaintRequest_;
    std::int32_t width_ = 400;
    std::int32_t height_ = 250;
    std::array<std::int32_t, 4> margins_{3, 4, 3, 4};
    TChartUnits marginUnits_ = muPercent;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    std::int32_t bevelWidth_ = 1;
    std::int32_t borderWidth_ = 0;
    TChartHiddenPen border_;
    TShadowData shadow_{.Visible = true, .Color = clSilver};
    TShadowData emboss_;
    bool view3D_ = true;
    TColor color_ = clBtnFace;
    TChartLayout layout_;
    std::uint64_t layoutsKept_ = 0;
    std::uint64_t settingsRevision_ = 0;
};

}  // namespace twinscope
