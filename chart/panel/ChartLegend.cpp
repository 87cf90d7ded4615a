#include "twinscope/chart/panel/ChartLegend.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/chart/panel/LegendFit.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

std::int32_t RoundToInt(double x) {
    return SaturatedPixel(Round(x));
}

// The part of a visible shadow that reaches right of (or below) what casts it.
std::int32_t PositiveReach(const TShadowData& shadow, std::int32_t size) {
    return shadow.Visible && size > 0 ? size : 0;
}

std::int32_t VisibleSize(const TShadowData& shadow, std::int32_t size) {
    return shadow.Visible ? size : 0;
}

// The box's room around its contents: two pixels more than the rows and columns need, one pixel
// between a frame's outer half and the plot edge a legend stands against.
constexpr std::int32_t BoxSlack = 2;
constexpr std::int32_t EdgeGap = 1;
// Inside the frame: the symbol's left edge, the text's start without a symbol or with the symbol
// on the right, and the gap a symbol keeps from the text beyond TextSymbolGap.
constexpr std::int32_t SymbolInset = 6;
constexpr std::int32_t TextInset = 8;
constexpr std::int32_t SymbolTextGap = 4;
// A row's texts start this far left of its text position.
constexpr std::int32_t TextLead = 2;

bool SeriesStyle(TLegendStyle style) {
    return style == lsSeries || style == lsSeriesGroups;
}

}  // namespace

TChartLegend::TChartLegend(std::function<void()> onChange)
    : TTextShape(std::move(onChange)), symbol_(OnChange()) {
    dividingLines_.SetOnChange(OnChange());
    SetShadow(TShadowData{
        .Visible = true, .Color = clBlack, .HorizSize = 3, .VertSize = 3, .Transparency = 50});
}

TLegendStyle TChartLegend::EffectiveStyle(const TCustomAxisPanel& chart) const {
    if (legendStyle_ != lsAuto) return legendStyle_;
    const auto listed =
        std::count_if(chart.SeriesList().begin(), chart.SeriesList().end(),
                      [](const TChartSeries* s) { return s->Active() && s->ShowInLegend(); });
    return checkBoxes_ || listed > 1 ? lsSeries : lsValues;
}

TChartSeries* TChartLegend::LegendSeries(const TCustomAxisPanel& chart) const {
    const auto& list = chart.SeriesList();
    if (series_ && std::find(list.begin(), list.end(), series_) != list.end()) return series_;
    auto found = std::find_if(list.begin(), list.end(), [](const TChartSeries* s) {
        return s->Active() && s->ShowInLegend();
    });
    return found == list.end() ? nullptr : *found;
}

std::vector<TChartSeries*> TChartLegend::ListedSeries(const TCustomAxisPanel& chart) const {
    std::vector<TChartSeries*> listed;
    for (TChartSeries* s : chart.SeriesList()) {
        if (s->ShowInLegend() && (s->Active() || checkBoxes_)) listed.push_back(s);
    }
    return listed;
}

std::int32_t TChartLegend::TotalItems(const TCustomAxisPanel& chart) const {
    std::int32_t count = 0;
    if (EffectiveStyle(chart) == lsValues) {
        const TChartSeries* series = LegendSeries(chart);
        if (series && series->ShowInLegend()) count = series->PointCount();
    } else {
        count = static_cast<std::int32_t>(ListedSeries(chart).size());
    }
    return std::max(count - FirstItem(), 0);
}

bool TChartLegend::ShouldDraw(const TCustomAxisPanel& chart) const {
    if (!Visible()) return false;
    return chart.HasActiveSeries() || (checkBoxes_ && EffectiveStyle(chart) != lsValues);
}

TLegendPaintRole TChartLegend::PaintRole(const TCustomAxisPanel& chart) const {
    return {.Shown = ShouldDraw(chart), .Vertical = Vertical(), .DrawBehind = drawBehind_};
}

std::int32_t TChartLegend::RowHeightFor(std::int32_t fontHeight) const {
    std::int32_t height = fontHeight;
    if (symbol_.Visible() && symbol_.HeightUnits() == lcsPixels) {
        height = std::max(height, symbol_.Height());
    } else if (symbol_.HeightUnits() == lcsPercent && symbol_.Height() > 100) {
        height = RoundToInt(fontHeight * symbol_.Height() / 100.0);
    }
    height += vertSpacing_;
    if (dividingLines_.Visible()) height += dividingLines_.Width();
    return height;
}

std::int32_t TChartLegend::SymbolWidthFor(const TLegendLayout& layout) const {
    if (symbol_.Squared()) {
        // As wide as the symbol is high.
        if (symbol_.HeightUnits() == lcsPixels) return symbol_.Height();
        return RoundToInt((layout.RowHeight - 4) * symbol_.Height() / 100.0) - vertSpacing_;
    }
    if (symbol_.WidthUnits() == lcsPixels) return symbol_.Width();
    return RoundToInt(symbol_.Width() * layout.TextBlockWidth / 100.0);
}

std::vector<TLegendRow> TChartLegend::BuildRows(const TCustomChart& chart, TChartCanvas& canvas,
                                                const TLegendLayout& layout,
                                                const TAxisPaints& paints, std::int32_t first,
                                                std::int32_t last) const {
    std::vector<TLegendRow> rows;
    const std::vector<TChartSeries*> listed =
        layout.EffectiveStyle == lsValues ? std::vector<TChartSeries*>{} : ListedSeries(chart);
    // X values are written as the series' horizontal axis writes its labels; the chart has told
    // its axes whether they show dates before it lays out the legend.
    auto pointText = [&](TChartSeries& series, std::int32_t index) {
        const TChartAxis& axis =
            series.ResolvedHorizAxis() ? *series.ResolvedHorizAxis() : chart.BottomAxis();
        return LegendPointText(series, index, textStyle_, axis, PaintOf(paints, axis));
    };
    for (std::int32_t item = first; item <= last; ++item) {
        TLegendRow row;
        std::string text;
        if (layout.EffectiveStyle == lsValues) {
            TChartSeries& series = *layout.LegendSeries;
            row = {.Series = &series, .PointIndex = item, .Index = item};
            text = pointText(series, item);
        } else {
            TChartSeries& series = *listed[static_cast<std::size_t>(item)];
            row = {.Series = &series,
                   .Index = static_cast<std::int32_t>(chart.SeriesIndexOf(series))};
            if (layout.EffectiveStyle == lsLastValues && series.PointCount() > 0) {
                row.PointIndex = series.PointCount() - 1;
                text = pointText(series, row.PointIndex);
            } else if (layout.EffectiveStyle != lsLastValues) {
                text = series.ListedName();
            }
        }
        text = OneLine(std::move(text));
        if (chart.OnGetLegendText)
            text = chart.OnGetLegendText(layout.EffectiveStyle, row.Index, text);
        if (SeriesStyle(layout.EffectiveStyle)) {
            row.Columns[0] = std::move(text);
        } else {
            row.Columns = SplitLegendColumns(text);
        }
        for (std::size_t c = 0; c < row.Columns.size(); ++c) {
            if (!row.Columns[c].empty())
                row.Widths[c] = canvas.TextWidth(row.Columns[c]) + textSymbolGap_;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TPoint TChartLegend::CustomOrigin(const TCustomAxisPanel& chart) const {
    if (positionUnits_ != muPercent) return {left_, top_};
    // The product is exact in a double, as it would be in an integer that held it.
    return {RoundToInt(static_cast<double>(leftPercent_) * chart.Width() * 0.01),
            RoundToInt(static_cast<double>(topPercent_) * chart.Height() * 0.01)};
}

TLegendLayout TChartLegend::LayOut(const TCustomChart& chart, TChartCanvas& canvas,
                                   const TRect& plot) const {
    return LayOut(chart, canvas, plot, chart.PaintBounds(), chart.Layout().Axes);
}

TLegendLayout TChartLegend::LayOut(const TCustomChart& chart, TChartCanvas& canvas,
                                   const TRect& plot, const TRect& bounds,
                                   const TAxisPaints& paints) const {
    TLegendLayout l;
    l.EffectiveStyle = EffectiveStyle(chart);
    l.FrameThickness =
        (Frame().Visible() ? Frame().Width() : 0) + (Bevel() != bvNone ? BevelWidth() : 0);
    const std::int32_t halfFrame = l.FrameThickness / 2;

    std::int32_t left = plot.Left;
    std::int32_t top = plot.Top + halfFrame;
    if (customPosition_) {
        const TPoint origin = CustomOrigin(chart);
        left = SaturatedPixel(std::int64_t{origin.X} + bounds.Left);
        top = SaturatedPixel(std::int64_t{origin.Y} + bounds.Top);
    } else if (Vertical()) {
        top = SaturatedPixel(std::int64_t{plot.Top} +
                             RoundToInt(static_cast<double>(topPos_) * plot.Height() / 100.0) +
                             halfFrame);
    }

    if (l.EffectiveStyle == lsValues) l.LegendSeries = LegendSeries(chart);
    l.TotalItems = TotalItems(chart);
    canvas.SetFont(Font());
    l.SpaceWidth = canvas.TextWidth(" ");
    l.RowHeight = RowHeightFor(canvas.FontHeight());
    const std::int32_t frameHalfWidth = Frame().Visible() ? Frame().Width() / 2 : 0;
    l.ItemsTop = top + frameHalfWidth;

    // Rows below the plot's bottom are not listed: there is no scrolling.
    if (l.ItemsTop < plot.Bottom && l.RowHeight > 0) {
        l.RowCount = std::clamp((plot.Bottom - l.FrameThickness - l.ItemsTop) / l.RowHeight, 0,
                                l.TotalItems);
        if (maxNumRows_ > 0) l.RowCount = std::min(l.RowCount, maxNumRows_);
    }
    const std::int32_t first = FirstItem();
    l.LastShownItem = first + std::min(l.TotalItems, l.RowCount) - 1;
    if (l.LastShownItem < first) {
        l.ShapeBox = {left, top, left, top};
        return l;
    }
    l.Rows = BuildRows(chart, canvas, l, paints, first, l.LastShownItem);

    l.RowPad = RoundToInt(l.RowHeight * 0.1);
    std::int32_t height = l.RowHeight * l.RowCount + BoxSlack + 2 * l.RowPad + l.FrameThickness;
    if (symbol_.Visible()) height += symbol_.ExtraHeight(l.RowHeight);
    if (!customPosition_ && alignment_ == laBottom) {
        // A bottom legend grows upwards from the plot's bottom.
        const std::int32_t bottom =
            plot.Bottom - PositiveReach(Shadow(), Shadow().VertSize) - (halfFrame + EdgeGap);
        top = bottom - height;
        l.ItemsTop = top + frameHalfWidth;
    }

    std::int32_t width = BoxWidth(l);

    if (!customPosition_) {
        switch (alignment_) {
            case laLeft:
                left = plot.Left + l.FrameThickness + EdgeGap;
                break;
            case laRight:
                left = plot.Right - PositiveReach(Shadow(), Shadow().HorizSize) -
                       (halfFrame + EdgeGap) - width;
                break;
            case laTop:
            case laBottom:
                left = (plot.Left + plot.Right) / 2 - width / 2;
                break;
        }
    }
    // The box and its shadow keep inside the chart: it moves, and when the chart is narrower
    // than the box its widest texts are shortened.
    const std::int32_t reach = PositiveReach(Shadow(), Shadow().HorizSize);
    const TLegendSpan fitted = FitLegendSpan({left, width}, reach, bounds.Left, bounds.Right);
    const TTextMeasure measure = [&canvas](const std::string& text) {
        return canvas.TextWidth(text);
    };
    while (width > fitted.Width &&
           ShortenWidestColumn(l.Rows, width - fitted.Width, textSymbolGap_, measure)) {
        width = BoxWidth(l);
    }
    left = fitted.Left;
    l.ShapeBox = {left, top, left + width, top + height};

    const std::int32_t inside = left + halfFrame;
    if (!symbol_.Visible()) {
        l.TextX = inside + TextInset;
        l.SymbolX = l.TextX;
    } else if (symbol_.Position() == spLeft) {
        l.SymbolX = inside + SymbolInset;
        l.TextX = l.SymbolX + l.SymbolWidth + textSymbolGap_ + SymbolTextGap +
                  VisibleSize(symbol_.Shadow(), symbol_.Shadow().HorizSize);
    } else {
        l.TextX = inside + TextInset;
        l.SymbolX = l.TextX - TextLead + l.TextBlockWidth + textSymbolGap_;
    }

    if (chart.OnGetLegendRect) {
        // The rows move with the box.
        const TRect moved = chart.OnGetLegendRect(l.ShapeBox);
        const std::int32_t dx = moved.Left - l.ShapeBox.Left;
        const std::int32_t dy = moved.Top - l.ShapeBox.Top;
        l.SymbolX += dx;
        l.TextX += dx;
        l.ItemsTop += dy;
        l.ShapeBox = moved;
    }
    return l;
}

std::int32_t TChartLegend::BoxWidth(TLegendLayout& l) const {
    l.ColumnWidths = {};
    for (const TLegendRow& row : l.Rows) {
        for (std::size_t c = 0; c < row.Widths.size(); ++c)
            l.ColumnWidths[c] = std::max(l.ColumnWidths[c], row.Widths[c]);
    }
    l.TextBlockWidth = 0;
    for (std::int32_t w : l.ColumnWidths) {
        if (w != 0) l.TextBlockWidth += w + l.SpaceWidth - 1;
    }
    l.SymbolWidth = SymbolWidthFor(l);
    std::int32_t width = l.TextBlockWidth + textSymbolGap_ + BoxSlack + l.FrameThickness;
    if (symbol_.Visible()) width += l.SymbolWidth + SymbolTextGap + symbol_.ExtraWidth();
    return width;
}

TRect TChartLegend::PlotBeside(const TCustomChartPanel& chart, const TRect& plot) const {
    return PlotBeside(chart, plot, layout_);
}

TRect TChartLegend::PlotBeside(const TCustomChartPanel& chart, const TRect& plot,
                               const TLegendLayout& layout) const {
    // A legend with no row to show takes nothing.
    if (!resizeChart_ || customPosition_ || layout.LastShownItem < FirstItem()) return plot;
    const std::int32_t topExtra = VisibleSize(chart.Shadow(), chart.Shadow().VertSize) +
                                  VisibleSize(chart.Emboss(), chart.Emboss().VertSize);
    return LegendReducedPlot(alignment_, layout.ShapeBox, plot, horizMargin_, vertMargin_,
                             topExtra);
}

void TChartLegend::KeepLayout(const TCustomAxisPanel& chart, TLegendLayout layout) {
    // In percent units the position the layout computed is kept as the pixel position.
    if (customPosition_ && positionUnits_ == muPercent) {
        const TPoint origin = CustomOrigin(chart);
        left_ = origin.X;
        top_ = origin.Y;
    }
    layout_ = std::move(layout);
}

bool TChartLegend::ColumnRightAligned(int column) const {
    if (SeriesStyle(layout_.EffectiveStyle)) return false;
    return LegendColumnRightAligned(textStyle_, column);
}

TRect TChartLegend::SymbolRect(const TLegendItemPos& pos, std::int32_t rowIndex) const {
    const TLegendLayout& l = layout_;
    const bool firstRow = rowIndex == 0;
    const bool lastRow = rowIndex + 1 == static_cast<std::int32_t>(l.Rows.size());
    TRect r{pos.SymbolX, pos.Y + 2, pos.SymbolX + l.SymbolWidth,
            pos.Y + l.RowHeight + 1 - (vertSpacing_ + 3)};
    if (symbol_.Continuous()) {
        // The symbols of neighbouring rows join into one band.
        if (!firstRow) r.Top = pos.Y;
        if (!lastRow) r.Bottom = pos.Y + l.RowHeight + 1;
    }
    if (symbol_.HeightUnits() == lcsPixels) {
        r.Bottom = r.Top + symbol_.Height();
    } else if (symbol_.Height() < 100) {
        const std::int32_t scaled = RoundToInt(r.Height() * symbol_.Height() / 100.0);
        r.Top += (r.Height() - scaled) / 2;
        r.Bottom = r.Top + scaled;
    }
    return r;
}

void TChartLegend::DrawItem(TCustomChart& chart, TCanvas3D& canvas, const TLegendRow& row,
                            std::int32_t rowIndex) {
    const TLegendLayout& l = layout_;
    TChartSeries& series = *row.Series;
    const TColor color =
        row.PointIndex >= 0 ? series.PointColor(row.PointIndex) : series.SeriesColor();

    canvas.SetBrush(TBrushData{.Color = Color(), .Style = bsClear});
    canvas.SetBackMode(cbmTransparent);
    TFontData font = Font().Data();
    if (fontSeriesColor_) font.Color = color;
    canvas.SetFont(font);

    TLegendItemPos pos{.X = l.TextX,
                       .Y = l.ItemsTop + l.RowPad + 1 + l.RowHeight * rowIndex + vertSpacing_ / 2,
                       .SymbolX = l.SymbolX};
    if (chart.OnGetLegendPos) pos = chart.OnGetLegendPos(row.Index, pos);

    if (rowIndex > 0 && dividingLines_.Visible()) {
        const std::int32_t inset = ((Frame().Visible() ? Frame().Width() : 0) + 1) / 2;
        const std::int32_t y = pos.Y - vertSpacing_ / 2;
        canvas.SetPenFrom(dividingLines_, dividingLines_.Color());
        canvas.Line(l.ShapeBox.Left + inset, y, l.ShapeBox.Right - inset, y);
    }

    TLegendItem item{.Index = row.Index, .Texts = row.Columns};
    std::int32_t x = pos.X - TextLead;
    for (int c = 0; c < static_cast<int>(row.Columns.size()); ++c) {
        const std::string& text = row.Columns[static_cast<std::size_t>(c)];
        const std::int32_t columnWidth = l.ColumnWidths[static_cast<std::size_t>(c)];
        const bool right = ColumnRightAligned(c);
        if (right) x += columnWidth - 4;
        const TTextAlign align = (right ? TA_RIGHT : TA_LEFT) | TA_TOP;
        if (c == 0) {
            item.TextPos = {x, pos.Y};
            item.Align = align;
        }
        if (!text.empty()) {
            canvas.SetTextAlign(align);
            canvas.TextOut(x, pos.Y, text);
        }
        if (!right) x += columnWidth;
        x += l.SpaceWidth;
    }

    if (symbol_.Visible() && l.SymbolWidth > 0) {
        item.SymbolRect = SymbolRect(pos, rowIndex);
        if (symbol_.OnDraw) {
            symbol_.OnDraw(canvas, row.Index, item.SymbolRect);
        } else {
            DrawSeriesSymbol(canvas, series, color, item.SymbolRect, symbol_);
        }
    }
    items_.push_back(std::move(item));
}

std::optional<TChartLegend::TLegendLook> TChartLegend::LookOf(const TCustomChart& chart) const {
    if (chart.OnGetLegendPos || symbol_.OnDraw) return std::nullopt;
    TLegendLook look{.Layout = layout_, .Settings = chart.SettingsRevision(), .Rows = {}};
    look.Rows.reserve(layout_.Rows.size());
    for (const TLegendRow& row : layout_.Rows) {
        const TChartSeries& series = *row.Series;
        const auto* marked = dynamic_cast<const TCustomSeries*>(&series);
        look.Rows.push_back(
            {.Series = &series,
             .Revision = series.SettingsRevision(),
             .Color = row.PointIndex >= 0 ? series.PointColor(row.PointIndex) : series.SeriesColor(),
             .Marker = marked && marked->Pointer().Visible,
             .MarkerStyle = marked ? static_cast<std::int32_t>(marked->Pointer().Style) : 0});
    }
    return look;
}

TRect TChartLegend::DrawnArea() const {
    const auto reach = [](const TShadowData& shadow) {
        return shadow.Visible ? std::max(std::abs(shadow.HorizSize), std::abs(shadow.VertSize)) : 0;
    };
    const TFontData& font = Font().Data();
    const std::int32_t outline = font.OutLine.Visible ? font.OutLine.Width : 0;
    const std::int32_t margin = layout_.FrameThickness + reach(Shadow()) + reach(font.Shadow) +
                                reach(font.Emboss) + reach(symbol_.Shadow()) + outline + 2;
    const TRect& box = layout_.ShapeBox;
    return {box.Left - margin, box.Top - margin, box.Right + margin, box.Bottom + margin};
}

void TChartLegend::DrawLegendBox(TCustomChart& chart, TCanvas3D& canvas) {
    std::optional<TLegendLook> look = LookOf(chart);
    const TRect area = DrawnArea();
    // The items the kept picture was drawn with stay those the mouse finds.
    if (look && look == keptLook_ && canvas.LayPieceBack(this, area)) return;
    keptLook_.reset();
    if (look) canvas.BeginPiece(this, area);
    DrawBoxAndRows(chart, canvas);
    if (look && canvas.EndPiece(this)) keptLook_ = std::move(look);
}

void TChartLegend::DrawBoxAndRows(TCustomChart& chart, TCanvas3D& canvas) {
    const TGroupGuard legendGroup(canvas, "Legend");
    items_.clear();
    if (layout_.LastShownItem < FirstItem()) return;

    const TRect& box = layout_.ShapeBox;
    std::optional<TTransparencyGuard> blend;
    if (globalTransparency_ != 0) {
        const TRect area{box.Left, box.Top, box.Right + PositiveReach(Shadow(), Shadow().HorizSize),
                         box.Bottom + PositiveReach(Shadow(), Shadow().VertSize)};
        blend.emplace(canvas, area, globalTransparency_);
    }
    DrawShapeBox(canvas, *this, box);

    const TGroupGuard itemsGroup(canvas, "Items");
    const auto count = static_cast<std::int32_t>(layout_.Rows.size());
    for (std::int32_t r = 0; r < count; ++r) {
        // Inverted lists the last item in the top row.
        const TLegendRow& row =
            layout_.Rows[static_cast<std::size_t>(inverted_ ? count - 1 - r : r)];
        DrawItem(chart, canvas, row, r);
    }
}

TRect LegendReducedPlot(TLegendAlignment alignment, const TRect& box, TRect plot,
                        std::int32_t horizMargin, std::int32_t vertMargin, std::int32_t topExtra) {
    // The automatic gaps are a share of the plot as it was before the legend took its side.
    const std::int64_t horizGap =
        horizMargin != 0 ? horizMargin : 3 * std::int64_t{plot.Width()} / 100;
    const std::int64_t vertGap = vertMargin != 0 ? vertMargin : 4 * std::int64_t{plot.Height()} / 100;
    switch (alignment) {
        case laLeft:
            plot.Left = SaturatedPixel(box.Right + horizGap);
            break;
        case laRight:
            plot.Right = SaturatedPixel(box.Left - horizGap);
            break;
        case laTop:
            plot.Top = SaturatedPixel(std::int64_t{box.Bottom} + topExtra + vertGap);
            break;
        case laBottom:
            plot.Bottom = SaturatedPixel(box.Top - vertGap);
            break;
    }
    return plot;
}

}  // namespace twinscope
