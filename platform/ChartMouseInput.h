#pragma once

#include <functional>

#include <QObject>
#include <QPointF>
#include <Qt>

#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// What the chart's mouse did during one event of the host, for the host to announce as its
// signals once the chart has finished with the event.
struct TWINSCOPE_EXPORT TChartMouseSignals {
    std::function<void(TChartAxis&)> RangeChanged;
    std::function<void()> Zoomed;
    std::function<void()> ZoomUndone;
    std::function<void()> Scrolled;
    std::function<void(TChartClickedPart)> Clicked;
};

// The signals of a host (the widget, the Qt Quick item), which all declare the same ones.
template <typename Host>
TChartMouseSignals SignalsOf(Host& host) {
    return {.RangeChanged = [&host](TChartAxis& axis) { emit host.rangeChanged(&axis); },
            .Zoomed = [&host] { emit host.zoomed(); },
            .ZoomUndone = [&host] { emit host.zoomUndone(); },
            .Scrolled = [&host] { emit host.scrolled(); },
            .Clicked = [&host](TChartClickedPart part) { emit host.clicked(part); }};
}

// A host's Qt mouse input handed to its chart's zoom and scroll. The chart's own OnZoom,
// OnUndoZoom and OnScroll handlers keep being called as they happen; the host's signals follow
// when the event is done: first every axis whose range changed, then the zoom, undo or scroll.
// A press and a release of one button within the drag distance is a click on the part under
// the press.
class TWINSCOPE_EXPORT TChartMouseInput {
public:
    TChartMouseInput(TCustomChart& chart, TChartMouseSignals announce);

    // False for a button the chart does not use, which the host passes on.
    bool Press(Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers modifiers);
    void Move(QPointF at);
    bool Release(Qt::MouseButton button, QPointF at);
    // Wheel turns in eighths of a degree, as Qt reports them, with the cursor's place.
    void Wheel(int delta, QPointF at);
    // A pinch's step (Qt's native zoom gesture: positive outwards) around its centre.
    void Pinch(double zoom, QPointF at);
    // The navigation keys (arrows, + or =, -, Home); false for another key or one that changed
    // nothing, which the host passes on.
    bool Key(int key);

private:
    void HandOn(const std::function<void(TChartMouse&)>& call);

    TCustomChart& chart_;
    TChartMouseSignals announce_;
    // The press that may turn out a click.
    struct TPress {
        Qt::MouseButton Button = Qt::NoButton;
        QPointF At;
        TChartClickedPart Part = cpNone;
    } press_;
};

}  // namespace twinscope
