#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/chart/panel/LegendLayout.h"
#include "twinscope/chart/panel/LegendSymbol.h"
#include "twinscope/chart/panel/LegendText.h"
#include "twinscope/chart/shapes/TextShape.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartSeries;
class TCustomAxisPanel;
class TCustomChart;
class TCustomChartPanel;

// How the legend takes part in a paint.
struct TLegendPaintRole {
    bool Shown = false;       // visible, with something to list
    bool Vertical = false;    // aligned left or right: laid out before the titles take space
    bool DrawBehind = false;  // drawn in the pass before the series, under axes and series
};

// The side of the plot the legend stands on; left and right legends are vertical lists.
enum class TLegendAlignment : std::uint8_t { laLeft, laRight, laTop, laBottom };
using enum TLegendAlignment;


// What the drawing of one item left behind, for finding items under the mouse.
struct TLegendItem {
    std::int32_t Index = 0;  // the point (values style) or the series' place in the chart
    TPoint TextPos;          // anchor of the first column's text
    TTextAlign Align = TA_LEFT;
    TLegendColumns Texts;
    TRect SymbolRect;
    friend bool operator==(const TLegendItem&, const TLegendItem&) = default;
};

// Where an item is drawn: the start of its text, the top of its row and the symbol's left
// edge. The chart's OnGetLegendPos may move it.
struct TLegendItemPos {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t SymbolX = 0;
    friend bool operator==(const TLegendItemPos&, const TLegendItemPos&) = default;
};

// The boxed list beside the plot that names what is drawn. Each paint lays it out against the
// plot rectangle (LayOut), keeps that layout, takes the legend's side off the plot (PlotBeside)
// and draws it over the series (DrawLegendBox). Every setting change calls the owner back (a
// repaint request).
class TChartLegend : public TTextShape {
public:
    explicit TChartLegend(std::function<void()> onChange);

    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment a) { Set(alignment_, a); }
    // A custom-positioned legend stands at Left, Top (muPixels) or at LeftPercent, TopPercent
    // of the control's size (muPercent) and takes nothing from the plot. Any legend that would
    // cross the chart's edge moves back inside it, its texts shortened when the chart is
    // narrower than the box.
    bool CustomPosition() const { return customPosition_; }
    void SetCustomPosition(bool b) { Set(customPosition_, b); }
    TChartUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TChartUnits u) { Set(positionUnits_, u); }
    std::int32_t LeftPercent() const { return leftPercent_; }
    void SetLeftPercent(std::int32_t v) { Set(leftPercent_, v); }
    std::int32_t TopPercent() const { return topPercent_; }
    void SetTopPercent(std::int32_t v) { Set(topPercent_, v); }
    // In percent units every layout writes the position it computed here.
    std::int32_t Left() const { return left_; }
    void SetLeft(std::int32_t v) { Set(left_, v); }
    std::int32_t Top() const { return top_; }
    void SetTop(std::int32_t v) { Set(top_, v); }
    // A legend standing against the plot cuts its side off the plot rectangle.
    bool ResizeChart() const { return resizeChart_; }
    void SetResizeChart(bool b) { Set(resizeChart_, b); }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    void SetLegendStyle(TLegendStyle s) { Set(legendStyle_, s); }
    TLegendTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TLegendTextStyle s) { Set(textStyle_, s); }
    // Top of a vertical legend, in percent of the plot height below the plot top.
    std::int32_t TopPos() const { return topPos_; }
    void SetTopPos(std::int32_t v) { Set(topPos_, v); }
    std::int32_t TextSymbolGap() const { return textSymbolGap_; }
    void SetTextSymbolGap(std::int32_t v) { Set(textSymbolGap_, v); }
    std::int32_t VertSpacing() const { return vertSpacing_; }
    void SetVertSpacing(std::int32_t v) { Set(vertSpacing_, v); }
    // Gap between a legend standing against the plot and the plot; 0 is automatic.
    std::int32_t HorizMargin() const { return horizMargin_; }
    void SetHorizMargin(std::int32_t v) { Set(horizMargin_, v); }
    std::int32_t VertMargin() const { return vertMargin_; }
    void SetVertMargin(std::int32_t v) { Set(vertMargin_, v); }
    // 0 is no limit.
    std::int32_t MaxNumRows() const { return maxNumRows_; }
    void SetMaxNumRows(std::int32_t v) { Set(maxNumRows_, v); }
    // Items before this one are not listed.
    std::int32_t FirstValue() const { return firstValue_; }
    void SetFirstValue(std::int32_t v) { Set(firstValue_, v); }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool b) { Set(inverted_, b); }
    // Lists inactive series too, in series style.
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool b) { Set(checkBoxes_, b); }
    // Drawn before the series, under axes and series.
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool b) { Set(drawBehind_, b); }
    // Texts in the colour of their series or point.
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool b) { Set(fontSeriesColor_, b); }
    // Percent of transparency for everything the legend draws; 0 is opaque.
    std::int32_t GlobalTransparency() const { return globalTransparency_; }
    void SetGlobalTransparency(std::int32_t v) { Set(globalTransparency_, v); }
    // The series whose values are listed, instead of the first one asking to be listed. It is
    // used only while it belongs to the chart.
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* s) { Set(series_, s); }
    TChartHiddenPen& DividingLines() { return dividingLines_; }
    const TChartHiddenPen& DividingLines() const { return dividingLines_; }
    TLegendSymbol& Symbol() { return symbol_; }
    const TLegendSymbol& Symbol() const { return symbol_; }

    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }
    TLegendStyle EffectiveStyle(const TCustomAxisPanel& chart) const;
    // The series whose points the values style lists; none when no active series is listed.
    TChartSeries* LegendSeries(const TCustomAxisPanel& chart) const;
    std::int32_t TotalItems(const TCustomAxisPanel& chart) const;
    // Visible, with an active series to show (or, with check boxes in series style, any).
    bool ShouldDraw(const TCustomAxisPanel& chart) const;
    TLegendPaintRole PaintRole(const TCustomAxisPanel& chart) const;

    // The legend laid out against a plot rectangle, measured in the legend font of canvas.
    TLegendLayout LayOut(const TCustomChart& chart, TChartCanvas& canvas, const TRect& plot) const;
    // The same within the paint bounds given, its X values written as their axes write their
    // labels in `paints`.
    TLegendLayout LayOut(const TCustomChart& chart, TChartCanvas& canvas, const TRect& plot,
                         const TRect& bounds, const TAxisPaints& paints) const;
    // Keeps a layout for the drawing and the mouse; a legend positioned in percent keeps the
    // pixel position it stands at.
    void KeepLayout(const TCustomAxisPanel& chart, TLegendLayout layout);
    // What a legend standing against the plot leaves of it, by the kept layout (all of it when
    // the layout shows no row).
    TRect PlotBeside(const TCustomChartPanel& chart, const TRect& plot) const;
    // The same by the layout given.
    TRect PlotBeside(const TCustomChartPanel& chart, const TRect& plot,
                     const TLegendLayout& layout) const;
    // Draws the box and the rows of the last layout. A canvas that can keeps the picture, and
    // the next paint that would draw the same over the same pixels lays it back instead.
    void DrawLegendBox(TCustomChart& chart, TCanvas3D& canvas);
    // A rectangle holding everything the legend of the last layout draws: the box, its frame,
    // its shadow and what the texts and symbols cast.
    TRect DrawnArea() const;

    const TLegendLayout& Layout() const { return layout_; }
    const std::vector<TLegendItem>& Items() const { return items_; }

private:
    // The series listed one per row, from the first on.
    std::vector<TChartSeries*> ListedSeries(const TCustomAxisPanel& chart) const;
    // Where a custom-positioned legend stands, from the paint bounds' corner.
    TPoint CustomOrigin(const TCustomAxisPanel& chart) const;
    // A negative FirstValue lists from the first item.
    std::int32_t FirstItem() const { return firstValue_ > 0 ? firstValue_ : 0; }
    // The rows of items first .. last, measured in the canvas font.
    std::vector<TLegendRow> BuildRows(const TCustomChart& chart, TChartCanvas& canvas,
                                      const TLegendLayout& layout, const TAxisPaints& paints,
                                      std::int32_t first, std::int32_t last) const;
    std::int32_t RowHeightFor(std::int32_t fontHeight) const;
    std::int32_t SymbolWidthFor(const TLegendLayout& layout) const;
    // Fills the column widths, the text block and the symbol width from the rows; answers the
    // box width.
    std::int32_t BoxWidth(TLegendLayout& layout) const;
    TRect SymbolRect(const TLegendItemPos& pos, std::int32_t rowIndex) const;
    void DrawItem(TCustomChart& chart, TCanvas3D& canvas, const TLegendRow& row,
                  std::int32_t rowIndex);
    bool ColumnRightAligned(int column) const;
    void DrawBoxAndRows(TCustomChart& chart, TCanvas3D& canvas);

    // What the legend's picture is drawn from besides the pixels under it: the layout, the
    // chart's settings (the legend's among them) and the look of each row's series.
    struct TRowLook {
        const TChartSeries* Series = nullptr;
        std::uint64_t Revision = 0;
        TColor Color = clNone;
        bool Marker = false;
        std::int32_t MarkerStyle = 0;
        friend bool operator==(const TRowLook&, const TRowLook&) = default;
    };
    struct TLegendLook {
        TLegendLayout Layout;
        std::uint64_t Settings = 0;
        std::vector<TRowLook> Rows;
        friend bool operator==(const TLegendLook&, const TLegendLook&) = default;
    };
    // None while events may draw the items another way.
    std::optional<TLegendLook> LookOf(const TCustomChart& chart) const;
    std::optional<TLegendLook> keptLook_;

    TLegendAlignment alignment_ = laRight;
    bool customPosition_ = false;
    TChartUnits positionUnits_ = muPixels;
    std::int32_t leftPercent_ = 0;
    std::int32_t topPercent_ = 0;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    bool resizeChart_ = true;
    TLegendStyle legendStyle_ = lsAuto;
    TLegendTextStyle textStyle_ = ltsLeftValue;
    std::int32_t topPos_ = 10;
    std::int32_t textSymbolGap_ = 2;
    std::int32_t vertSpacing_ = 0;
    std::int32_t horizMargin_ = 0;
    std::int32_t vertMargin_ = 0;
    std::int32_t maxNumRows_ = 0;
    std::int32_t firstValue_ = 0;
    bool inverted_ = false;
    bool checkBoxes_ = false;
    bool drawBehind_ = false;
    bool fontSeriesColor_ = false;
    std::int32_t globalTransparency_ = 0;
    TChartSeries* series_ = nullptr;
    TChartHiddenPen dividingLines_;
    TLegendSymbol symbol_;

    TLegendLayout layout_;
    std::vector<TLegendItem> items_;
};

// The plot rectangle a legend standing against the plot leaves (before clamping): the plot
// gives up the side up to the legend box, then a gap: HorizMargin (or 3 % of the plot width)
// beside a vertical legend, VertMargin (or 4 % of the plot height) beside a horizontal one.
// `topExtra` is what the panel's visible shadow and emboss add below a top legend.
TRect LegendReducedPlot(TLegendAlignment alignment, const TRect& box, TRect plot,
                        std::int32_t horizMargin, std::int32_t vertMargin, std::int32_t topExtra);

}  // namespace twinscope
