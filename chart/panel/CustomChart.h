#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/panel/ChartLegend.h"
#include "twinscope/chart/panel/ChartMouse.h"
#include "twinscope/chart/panel/ChartTitle.h"
#include "twinscope/chart/panel/ChartWall.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"

namespace twinscope {

// The chart level with walls, titles and the legend, and the order in which a paint draws the
// chart.
class TCustomChart : public TCustomAxisPanel {
public:
    TCustomChart();

    TChartWall& BackWall() { return backWall_; }
    const TChartWall& BackWall() const { return backWall_; }
    TColor BackWallColor() const override { return backWall_.Color(); }

    TChartTitle& Title() { return *title_; }
    const TChartTitle& Title() const { return *title_; }
    // Created on first access.
    TChartTitle& SubTitle();
    TChartFootTitle& Foot();
    TChartFootTitle& SubFoot();

    TChartLegend& Legend() { return legend_; }
    const TChartLegend& Legend() const { return legend_; }

    // Zoom and scroll with the mouse: settings, drags in progress, events and the mouse input.
    TChartMouse& Mouse() { return mouse_; }
    const TChartMouse& Mouse() const { return mouse_; }
    // Whether the point lies on a title drawn in the last paint.
    bool TitleClicked(TPoint p) const;

    // Events of the paint.
    std::function<void()> OnBeforeDrawChart;
    std::function<void()> OnBeforeDrawAxes;
    std::function<void()> OnBeforeDrawSeries;
    std::function<void()> OnAfterDraw;
    // The legend asks for the text of an item (a point in values style, else the series' place
    // in the series list) and takes the answer.
    std::function<std::string(TLegendStyle, std::int32_t index, const std::string& text)>
        OnGetLegendText;
    // The legend's finished box may be moved or resized; its rows move with it.
    std::function<TRect(const TRect& box)> OnGetLegendRect;
    // An item of the legend may be drawn elsewhere.
    std::function<TLegendItemPos(std::int32_t index, const TLegendItemPos& pos)> OnGetLegendPos;

protected:
    void RenderLayers(TCanvas3D& canvas) override;

private:
    // The pass before the axes: the titles that stand against the plot and the legend, in the
    // order the legend's side asks for, each taking its room; returns the plot they leave.
    TRect DrawTitlesAndPlaceLegend(TCanvas3D& canvas, TChartLayout& layout);
    // The axis pass: the axes take their room from the plot, widen by their offsets and stand
    // on its edges, and custom axes on one side stand side by side, the plot giving up what they
    // lack beyond the bounds, or beyond the titles and the legend where these took room from the
    // plot as the margins left it (`marginPlot`). Returns the plot the axes leave.
    TRect PlaceAxesOnPlot(TCanvas3D& canvas, const TRect& plot, const TRect& marginPlot);
    // The titles that stand against the plot (each takes its room from `plot`), or the
    // custom-positioned ones; their boxes join `boxes`. Returns the plot they leave.
    TRect DrawTitles(TCanvas3D& canvas, bool customPositioned, TRect plot,
                     std::vector<TRect>& boxes);
    void DrawAxesAndSeries(TCanvas3D& canvas);
    void DrawAxes(TCanvas3D& canvas);
    void DrawBackWall(TCanvas3D& canvas);

    TChartWall backWall_;
    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> subTitle_;
    std::unique_ptr<TChartFootTitle> foot_;
    std::unique_ptr<TChartFootTitle> subFoot_;
    TChartLegend legend_;
    TChartMouse mouse_{*this};
};

}  // namespace twinscope
