#pragma once

#include <QWidget>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/platform/ChartMouseInput.h"
#include "twinscope/platform/ReadoutInput.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The window control that hosts a chart: the chart's repaint requests become widget updates,
// a paint request paints the chart (from its buffer when nothing changed), the background is
// never erased, the chart's size follows the widget's, and the mouse goes to the chart's zoom
// and scroll.
//
// Ready to use as it is: it registers the Qt canvases before its chart first paints, and unless
// the program has chosen format settings of its own (SetCurrentFormatSettings), numbers and
// dates follow the widget's locale (the user's, unless the program set another default).
//
// What the mouse does is announced as signals, beside the chart's own OnZoom, OnUndoZoom and
// OnScroll handlers (which keep working): once the chart has handled a mouse event, first
// rangeChanged for each axis whose range it changed, then zoomed, zoomUndone or scrolled; a
// press and release of one button without a drag between is clicked, with the part under the
// press.
//
// Over the plot the widget shows a readout of the point of every series nearest the mouse's X
// (see ReadoutAt), drawn over the chart's last picture without painting the chart again, and
// announces each new one as readoutChanged (an empty one, Shown false, when it goes). A click
// in the plot pins a readout there, a click on a pin's crosshair removes it, Escape removes
// them all. While a zoom or scroll drag is under way no readout shows.
//
// Beside the drags: with the chart's Mouse().SetWheelZoomsAtCursor(true) the wheel zooms around
// the point under the cursor (over an axis that axis alone); a pinch on a touch screen or
// touchpad zooms around its centre; with the focus (Tab or a click) the arrows pan, + and -
// zoom and Home undoes every zoom; Enter shows the keyboard's data cursor (see TReadoutInput),
// whose moves are announced to screen readers (the widget is a QAccessible::Chart, see
// TChartAccessible). Inside a scroll area, SetWheelNeedsControl(true) leaves the
// wheel to the scroll area unless Ctrl is held.
class TWINSCOPE_EXPORT TChartWidget : public QWidget {
    Q_OBJECT

public:
    explicit TChartWidget(QWidget* parent = nullptr);
    ~TChartWidget() override;

    TChart& Chart() { return chart_; }
    const TChart& Chart() const { return chart_; }

    // The readouts over the plot: the one under the mouse, the pinned ones, their style.
    TReadoutInput& Readouts() { return readouts_; }
    const TReadoutInput& Readouts() const { return readouts_; }

    bool WheelNeedsControl() const { return wheelNeedsControl_; }
    void SetWheelNeedsControl(bool on) { wheelNeedsControl_ = on; }

signals:
    void rangeChanged(twinscope::TChartAxis* axis);
    void zoomed();
    void zoomUndone();
    void scrolled();
    void clicked(twinscope::TChartClickedPart part);
    void readoutChanged(const twinscope::TReadout& readout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    TChart chart_;
    TChartMouseInput mouse_;
    TReadoutInput readouts_;
    bool wheelNeedsControl_ = false;
};

}  // namespace twinscope
