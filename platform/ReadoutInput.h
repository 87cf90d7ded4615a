#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QPainter>
#include <QPointF>
#include <Qt>

#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/chart/panel/DataCursor.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/platform/ReadoutOverlay.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The readouts a host (the widget, the Qt Quick item) shows over its chart: the one under the
// mouse, shown as the mouse moves (not at a release, until it moves on), and those pinned by a
// click. A click in the plot pins a readout there, a click on a
// pin's crosshair removes it, Escape removes them all; while a zoom or scroll drag is under way
// none shows. Each is read anew from the chart's last layout when the host paints, so data
// changed under a pin is read as it is. Reading never throws: a readout that fails is empty.
//
// With the host focused the keyboard has a data cursor: Enter shows the readout at the point in
// the middle of the view; while it shows, Left and Right move it point by point, Page Up and
// Page Down by a tenth of the view, Home and End to the ends, Up and Down to the series before
// and after, and the chart scrolls to keep its point shown; Escape hides it (and the pins).
class TWINSCOPE_EXPORT TReadoutInput {
public:
    // `repaint` asks the host to paint the area given, where the readouts were drawn and where
    // they will be (the chart's kept picture is copied there, not drawn again);
    // `announce` hears every new readout under the mouse, an empty one (Shown false) when it
    // goes.
    TReadoutInput(TCustomChart& chart, std::function<void(const std::vector<TRect>&)> repaint,
                  std::function<void(const TReadout&)> announce);

    // The readout under the mouse; Shown false when there is none.
    const TReadout& Current() const { return current_; }
    const TDataCursor& DataCursor() const { return cursor_; }
    // The readout at the data cursor's point, as the chart's last layout places it; Shown
    // false when the cursor is hidden.
    TReadout CursorReadout() const;
    std::vector<TReadout> Pinned() const;
    // Shows the readout at a pixel, as a mouse move there does.
    void ShowAt(TPoint pixel);
    void Hide();
    // Pins a readout at a pixel of the plot, or removes the pin whose crosshair stands there.
    void TogglePinAt(TPoint pixel);
    void ClearPins();
    const TReadoutStyle& Style() const { return style_; }
    void SetStyle(const TReadoutStyle& style);

    // The host's Qt input, after the chart's mouse input has had it.
    void Press(Qt::MouseButton button, QPointF at);
    void Move(QPointF at);
    void Release(Qt::MouseButton button, QPointF at);
    // False for a key the readouts do not take, which the host passes on.
    bool Key(int key);
    // Draws the readouts over what the painter shows of the chart's last paint.
    void Paint(QPainter& painter);

private:
    bool Dragging() const;
    TReadout ReadAt(TPoint pixel) const;
    bool CursorKey(int key);
    // What the next paint draws: nothing while a drag is under way.
    std::vector<TReadout> Shown() const;
    void Repaint();

    const TCustomChart& chart_;
    TDataCursor cursor_;
    std::function<void(const std::vector<TRect>&)> repaint_;
    std::function<void(const TReadout&)> announce_;
    TReadout current_;
    std::vector<TPoint> pins_;
    TReadoutOverlay overlay_;
    // The layout the readout under the mouse was read in.
    std::uint64_t currentLayout_ = 0;
    // Where the last paint drew the readouts, and what the next paint draws as the last repaint
    // asked for it, read in the layout given.
    std::vector<TRect> painted_;
    struct TNextPaint {
        std::vector<TReadout> Shown;
        std::vector<TRect> Area;
        std::uint64_t Layout = 0;
    };
    std::optional<TNextPaint> next_;
    TNextPaint NextPaint();
    TReadoutStyle style_;
    // Where the left button went down, for a click that pins, and the last position the mouse
    // was seen at.
    std::optional<QPointF> press_;
    std::optional<QPointF> last_;
};

}  // namespace twinscope
