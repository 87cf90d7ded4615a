#include "twinscope/chart/panel/ChartTitle.h"

#include <algorithm>

#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

TChartTitle::TChartTitle(std::function<void()> onChange)
    : TChartTitle(std::move(onChange), clBlue, false) {}

TChartTitle::TChartTitle(std::function<void()> onChange, TColor fontColor, bool isFoot)
    : TTextShape(std::move(onChange), TFontData{.Color = fontColor}), isFoot_(isFoot) {
    InitTransparent(true);
}

std::string TChartTitle::Caption() const {
    std::string caption;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (i > 0) caption += '\r';
        caption += text_[i];
    }
    return caption;
}

TChartFootTitle::TChartFootTitle(std::function<void()> onChange)
    : TChartTitle(std::move(onChange), clRed, true) {}

TTitlePlacement PlaceTitle(const TChartTitle& title, TSize boxSize, const TRect& plot,
                           std::int32_t borderThickness, std::int32_t controlWidth) {
    // Half a wide frame lies outside the box.
    const std::int32_t halfFrame =
        title.Frame().Visible() && title.Frame().Width() > 1 ? title.Frame().Width() / 2 : 0;
    const std::int32_t plotCenterX = (plot.Left + plot.Right) / 2;
    const auto leftmost = static_cast<std::int32_t>(Round(borderThickness + 0.02 * controlWidth));

    TTitlePlacement placed{.Plot = plot};
    placed.Box.Left = std::max(plotCenterX - boxSize.Width / 2, leftmost);
    placed.Box.Right = placed.Box.Left + boxSize.Width;
    if (title.IsFoot()) {
        placed.Box.Bottom = plot.Bottom - halfFrame;
        placed.Box.Top = placed.Box.Bottom - boxSize.Height;
        placed.Plot.Bottom = placed.Box.Top - title.VertMargin() - halfFrame;
    } else {
        placed.Box.Top = plot.Top + halfFrame;
        placed.Box.Bottom = placed.Box.Top + boxSize.Height;
        placed.Plot.Top = placed.Box.Bottom + title.VertMargin() + halfFrame;
    }
    return placed;
}

}  // namespace twinscope
