#include "twinscope/platform/ChartMouseInput.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include <QGuiApplication>
#include <QStyleHints>

#include "twinscope/chart/axes/ChartAxis.h"

namespace twinscope {

namespace {

std::optional<TMouseButton> ChartButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return mbLeft;
        case Qt::RightButton:
            return mbRight;
        case Qt::MiddleButton:
            return mbMiddle;
        default:
            return std::nullopt;
    }
}

TShiftState ChartShift(Qt::KeyboardModifiers modifiers) {
    TShiftState keys;
    if (modifiers & Qt::ShiftModifier) keys.Include(ssShift);
    if (modifiers & Qt::AltModifier) keys.Include(ssAlt);
    if (modifiers & Qt::ControlModifier) keys.Include(ssCtrl);
    return keys;
}

struct TAxisRange {
    const TChartAxis* Axis;
    double Minimum;
    double Maximum;
};

std::vector<TAxisRange> Ranges(const TCustomChart& chart) {
    std::vector<TAxisRange> ranges;
    for (const TChartAxis* axis : chart.Axes()) {
        ranges.push_back({axis, axis->Minimum(), axis->Maximum()});
    }
    return ranges;
}

// Whether the axis was there before and its range is another now. An axis that a handler
// added during the event has no range to have changed from.
bool RangeChanged(const std::vector<TAxisRange>& before, const TChartAxis& axis) {
    for (const TAxisRange& r : before) {
        if (r.Axis == &axis) return r.Minimum != axis.Minimum() || r.Maximum != axis.Maximum();
    }
    return false;
}

// For the length of one event, each of the chart's handlers is wrapped so that it also notes
// that its event happened; afterwards the chart's own handler is put back, unless the handler
// itself installed another meanwhile.
class THandlerNote {
public:
    explicit THandlerNote(std::function<void()>& slot) : slot_(slot), own_(slot) {
        slot_ = Note{this};
    }
    ~THandlerNote() {
        if (slot_.target<Note>()) slot_ = std::move(own_);
    }
    THandlerNote(const THandlerNote&) = delete;
    THandlerNote& operator=(const THandlerNote&) = delete;

    bool Happened() const { return happened_; }

private:
    struct Note {
        THandlerNote* note;
        void operator()() const {
            note->happened_ = true;
            if (note->own_) note->own_();
        }
    };

    std::function<void()>& slot_;
    std::function<void()> own_;
    bool happened_ = false;
};

void Announce(const std::function<void()>& signal, bool happened) {
    if (happened && signal) signal();
}

}  // namespace

TChartMouseInput::TChartMouseInput(TCustomChart& chart, TChartMouseSignals announce)
    : chart_(chart), announce_(std::move(announce)) {}

void TChartMouseInput::HandOn(const std::function<void(TChartMouse&)>& call) {
    TChartMouse& mouse = chart_.Mouse();
    const std::vector<TAxisRange> before = Ranges(chart_);
    bool zoomed = false, undone = false, scrolled = false;
    {
        const THandlerNote zoom(mouse.OnZoom), undo(mouse.OnUndoZoom), scroll(mouse.OnScroll);
        call(mouse);
        zoomed = zoom.Happened();
        undone = undo.Happened();
        scrolled = scroll.Happened();
    }
    if (announce_.RangeChanged) {
        // By index: a slot may change the axis list.
        for (std::size_t i = 0; i < chart_.Axes().size(); ++i) {
            TChartAxis& axis = *chart_.Axes()[i];
            if (RangeChanged(before, axis)) announce_.RangeChanged(axis);
        }
    }
    Announce(announce_.Zoomed, zoomed);
    Announce(announce_.ZoomUndone, undone);
    Announce(announce_.Scrolled, scrolled);
}

bool TChartMouseInput::Press(Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers modifiers) {
    const std::optional<TMouseButton> chartButton = ChartButton(button);
    if (!chartButton) return false;
    const QPoint p = at.toPoint();
    press_ = {button, at, chart_.Mouse().ClickedPart({p.x(), p.y()})};
    HandOn([&](TChartMouse& mouse) {
        mouse.MouseDown(*chartButton, p.x(), p.y(), ChartShift(modifiers));
    });
    return true;
}

void TChartMouseInput::Move(QPointF at) {
    const QPoint p = at.toPoint();
    HandOn([&](TChartMouse& mouse) { mouse.MouseMove(p.x(), p.y()); });
}

bool TChartMouseInput::Release(Qt::MouseButton button, QPointF at) {
    const std::optional<TMouseButton> chartButton = ChartButton(button);
    if (!chartButton) return false;
    const QPoint p = at.toPoint();
    HandOn([&](TChartMouse& mouse) { mouse.MouseUp(*chartButton, p.x(), p.y()); });
    const bool click =
        button == press_.Button &&
        (at - press_.At).manhattanLength() < QGuiApplication::styleHints()->startDragDistance();
    const TChartClickedPart part = press_.Part;
    press_ = {};
    if (click && announce_.Clicked) announce_.Clicked(part);
    return true;
}

void TChartMouseInput::Wheel(int delta, QPointF at) {
    const QPoint p = at.toPoint();
    HandOn([&](TChartMouse& mouse) { mouse.MouseWheelAt(delta, {p.x(), p.y()}); });
}

void TChartMouseInput::Pinch(double zoom, QPointF at) {
    // A pinch outwards (a positive step) narrows the ranges, as the wheel turned away does.
    if (!std::isfinite(zoom) || zoom <= -1) return;
    const QPoint p = at.toPoint();
    HandOn([&](TChartMouse& mouse) { mouse.ZoomAround({p.x(), p.y()}, 1 / (1 + zoom)); });
}

bool TChartMouseInput::Key(int key) {
    std::optional<TNavigationKey> navigation;
    switch (key) {
        case Qt::Key_Left: navigation = nkLeft; break;
        case Qt::Key_Right: navigation = nkRight; break;
        case Qt::Key_Up: navigation = nkUp; break;
        case Qt::Key_Down: navigation = nkDown; break;
        case Qt::Key_Plus:
        case Qt::Key_Equal: navigation = nkZoomIn; break;
        case Qt::Key_Minus: navigation = nkZoomOut; break;
        case Qt::Key_Home: navigation = nkHome; break;
        default: return false;
    }
    bool answered = false;
    HandOn([&](TChartMouse& mouse) { answered = mouse.NavigationKey(*navigation); });
    return answered;
}

}  // namespace twinscope
