#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/shapes/TextShape.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// A title of the chart: lines of text in a transparent, centred text shape standing above the
// plot (a foot title stands below it), or at a position of its own.
class TChartTitle : public TTextShape {
public:
    explicit TChartTitle(std::function<void()> onChange);

    // The lines of the title; a title without lines is not drawn.
    const std::vector<std::string>& Text() const { return text_; }
    void SetText(const std::vector<std::string>& lines) { Set(text_, lines); }
    // The lines as one text, broken by carriage returns.
    std::string Caption() const;

    TAlignment Alignment() const { return TextAlignment(); }
    void SetAlignment(TAlignment a) { SetTextAlignment(a); }
    bool AdjustFrame() const { return adjustFrame_; }
    void SetAdjustFrame(bool b) { Set(adjustFrame_, b); }
    // Pixels kept free between the title and the plot.
    std::int32_t VertMargin() const { return vertMargin_; }
    void SetVertMargin(std::int32_t v) { Set(vertMargin_, v); }
    // A custom-positioned title stands at Left, Top (pixels) and takes nothing from the plot.
    bool CustomPosition() const { return customPosition_; }
    void SetCustomPosition(bool b) { Set(customPosition_, b); }
    std::int32_t Left() const { return left_; }
    void SetLeft(std::int32_t v) { Set(left_, v); }
    std::int32_t Top() const { return top_; }
    void SetTop(std::int32_t v) { Set(top_, v); }

    // Whether the title stands below the plot.
    bool IsFoot() const { return isFoot_; }

protected:
    TChartTitle(std::function<void()> onChange, TColor fontColor, bool isFoot);

private:
    std::vector<std::string> text_;
    bool adjustFrame_ = true;
    std::int32_t vertMargin_ = 5;
    bool customPosition_ = false;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    bool isFoot_;
};

// A title below the plot, in red.
class TChartFootTitle : public TChartTitle {
public:
    explicit TChartFootTitle(std::function<void()> onChange);
};

// A title placed against the plot: its box and the plot rectangle it leaves (not yet clamped).
struct TTitlePlacement {
    TRect Box;
    TRect Plot;
    friend bool operator==(const TTitlePlacement&, const TTitlePlacement&) = default;
};

// Places a title of the given box size against the plot: a title on the plot's top edge, a foot
// on its bottom edge, both centred on the plot but starting no further left than the border plus
// 2 % of the control's width. The plot then gives up the box, the title's VertMargin and half a
// wide frame.
TTitlePlacement PlaceTitle(const TChartTitle& title, TSize boxSize, const TRect& plot,
                           std::int32_t borderThickness, std::int32_t controlWidth);

}  // namespace twinscope
