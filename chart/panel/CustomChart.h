#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
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
    // The title, subtitle, foot and subfoot as far as they were created, in the order a paint
    // places and draws them, each with the canvas group it is drawn in.
    std::array<std::pair<const TChartTitle*, const char*>, 4> TitlesInDrawingOrder() const;

    // Lays the chart out within `bounds`, measured in `measure` (see ComputeLayout), and keeps
    // that layout as a paint does before it draws: the mouse, the series and the axes' items
    // then read it.
    void LayOut(TCanvas3D* measure, const TRect& bounds);
    // How many paints drew with the layout of the paint before, nothing it reads having changed.
    std::uint64_t LayoutsReused() const { return layoutsReused_; }

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
    void RenderLayers(TCanvas3D& canvas, const TRect& bounds) override;

private:
    // Keeps a layout, the legend's part with the legend.
    void KeepChartLayout(TChartLayout layout);
    // The titles of the kept layout that stand against the plot, or the custom-positioned ones.
    void DrawTitles(TCanvas3D& canvas, bool customPositioned);
    // The parts under the series: the background, the titles against the plot and a legend drawn
    // behind them, the walls, and the axes when they are drawn behind.
    void DrawUnderSeries(TCanvas3D& canvas, const TRect& bounds, bool laidOut);
    // The series and what is drawn over them.
    void DrawOverSeries(TCanvas3D& canvas);
    // Whether the walls are drawn: with no active series, or one that uses axes.
    bool WallsShow() const;
    void DrawAxes(TCanvas3D& canvas);
    void DrawBackWall(TCanvas3D& canvas);

    TChartWall backWall_;
    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> subTitle_;
    std::unique_ptr<TChartFootTitle> foot_;
    std::unique_ptr<TChartFootTitle> subFoot_;
    TChartLegend legend_;
    TChartMouse mouse_{*this};

    // What decides the picture under the series, as it was when a paint last drew that
    // picture: the placement of the parts (the legend's rows apart: the legend is drawn over
    // the series), the chart's and its axes' settings, whether the walls show and the canvas.
    // A paint that finds them all the same lays the kept layer back instead of drawing.
    //
    // A picture that came out different frame after frame (a pan) is not kept, since no frame
    // would lay it back; once a paint draws the one the paint before drew, it is kept again.
    struct TUnderSeriesKey {
        TChartLayout Layout;
        std::uint64_t Settings = 0;
        std::vector<std::pair<const TChartAxis*, std::uint64_t>> AxisRevisions;
        bool WallsShow = false;
        const TCanvas3D* Canvas = nullptr;
    };
    std::optional<TUnderSeriesKey> keptUnder_;
    // How many paints in a row drew a picture under the series unlike the one before.
    std::uint32_t picturesChanged_ = 0;
    static constexpr std::uint32_t MostChangedPicturesKept = 2;
    bool KeptUnderSeriesMatches(const TCanvas3D& canvas) const;
    void KeepUnderSeries(TCanvas3D& canvas, bool keepPixels);
    // Where the last paint drew over the picture under the series; empty when it may have drawn
    // anywhere.
    std::vector<TRect> drawnOver_;
    std::vector<TRect> DrawnOverSeries() const;

    // What the layout reads, as it was when the kept layout was computed: the bounds, the
    // canvas and what decides its measures, the chart's, its axes' and its series' revisions
    // and the number formats. A paint that finds them the same, the layout before having
    // come out as that one, draws with the kept layout.
    struct TLayoutKey {
        TRect Bounds;
        const TCanvas3D* Canvas = nullptr;
        std::uint64_t CanvasSettings = 0;
        std::array<std::int32_t, 3> Zooms{};
        std::array<bool, 2> Switches{};  // monochrome, text zoomed
        std::uint64_t Settings = 0;
        std::uint64_t Formats = 0;
        std::uint64_t LayoutsKept = 0;
        // Each axis with its range (which changes without counting as a setting), each series.
        struct TPart {
            const void* Part = nullptr;
            std::uint64_t Revision = 0;
            double Minimum = 0;
            double Maximum = 0;
            friend bool operator==(const TPart&, const TPart&) = default;
        };
        std::vector<TPart> Parts;
        friend bool operator==(const TLayoutKey&, const TLayoutKey&) = default;
    };
    // None while events take part in the layout.
    std::optional<TLayoutKey> LayoutKeyOf(const TCanvas3D& canvas, const TRect& bounds) const;
    // Lays out as LayOut does, unless the kept layout still holds; then the canvas is left as the
    // layout's measuring left it.
    void LayOutForPaint(TCanvas3D& canvas, const TRect& bounds);
    std::optional<TLayoutKey> layoutKey_;
    struct TMeasuringState {
        TPenData Pen;
        TBrushData Brush;
        TFontData Font;
    };
    TMeasuringState measured_;
    std::uint64_t layoutsReused_ = 0;
};

}  // namespace twinscope
