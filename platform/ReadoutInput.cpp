#include "twinscope/platform/ReadoutInput.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

#include <QGuiApplication>
#include <QStyleHints>

#include "twinscope/chart/panel/ChartMouse.h"

namespace twinscope {

namespace {
TPoint PixelOf(QPointF at) {
    const QPoint p = at.toPoint();
    return {p.x(), p.y()};
}
}  // namespace

TReadoutInput::TReadoutInput(TCustomChart& chart,
                             std::function<void(const std::vector<TRect>&)> repaint,
                             std::function<void(const TReadout&)> announce)
    : chart_(chart), cursor_(chart), repaint_(std::move(repaint)), announce_(std::move(announce)) {}

std::vector<TReadout> TReadoutInput::Pinned() const {
    std::vector<TReadout> pinned;
    for (TPoint pin : pins_) {
        TReadout r = ReadAt(pin);
        if (r.Shown) pinned.push_back(std::move(r));
    }
    return pinned;
}

TReadout TReadoutInput::ReadAt(TPoint pixel) const {
    // A conversion or a format that fails leaves the readout out, never the event unfinished.
    try {
        return ReadoutAt(chart_, pixel);
    } catch (...) {
        return TReadout{.Cursor = pixel};
    }
}

bool TReadoutInput::Dragging() const {
    return chart_.Mouse().Zoom().Active() || chart_.Mouse().Scroll().Active;
}

void TReadoutInput::ShowAt(TPoint pixel) {
    TReadout r = Dragging() ? TReadout{.Cursor = pixel} : ReadAt(pixel);
    if (!r.Shown && !current_.Shown) {
        current_.Cursor = pixel;
        return;
    }
    if (r == current_) return;
    current_ = std::move(r);
    currentLayout_ = chart_.LayoutsKept();
    Repaint();
    if (announce_) announce_(current_);
}

void TReadoutInput::Hide() {
    if (!current_.Shown) return;
    current_ = TReadout{.Cursor = current_.Cursor};
    Repaint();
    if (announce_) announce_(current_);
}

void TReadoutInput::TogglePinAt(TPoint pixel) {
    if (!ReadAt(pixel).Shown) return;
    for (auto pin = pins_.begin(); pin != pins_.end(); ++pin) {
        if (std::abs(ReadAt(*pin).CrosshairX - pixel.X) <= ClickTolerance) {
            pins_.erase(pin);
            Repaint();
            return;
        }
    }
    pins_.push_back(pixel);
    Repaint();
}

void TReadoutInput::ClearPins() {
    if (pins_.empty()) return;
    pins_.clear();
    Repaint();
}

void TReadoutInput::SetStyle(const TReadoutStyle& style) {
    style_ = style;
    Repaint();
}

void TReadoutInput::Press(Qt::MouseButton button, QPointF at) {
    last_ = at;
    press_.reset();
    if (button == Qt::LeftButton) press_ = at;
}

void TReadoutInput::Move(QPointF at) {
    // A host may repeat the last position (a scene that changed under a still mouse): only a
    // move shows the readout.
    if (at == last_) return;
    last_ = at;
    ShowAt(PixelOf(at));
}

void TReadoutInput::Release(Qt::MouseButton button, QPointF at) {
    if (button == Qt::LeftButton && press_ &&
        (at - *press_).manhattanLength() < QGuiApplication::styleHints()->startDragDistance()) {
        TogglePinAt(PixelOf(*press_));
    }
    press_.reset();
    last_ = at;
}

TReadout TReadoutInput::CursorReadout() const {
    const TChartSeries* series = cursor_.Series();
    if (!series) return {};
    try {
        return ReadoutOfPoint(chart_, *series, cursor_.PointIndex());
    } catch (...) {
        return {};
    }
}

bool TReadoutInput::CursorKey(int key) {
    struct TKeyMove {
        int Key;
        TDataCursorMove Move;
    };
    static constexpr TKeyMove KeyMoves[] = {
        {Qt::Key_Return, dcStart},    {Qt::Key_Enter, dcStart},
        {Qt::Key_Left, dcPrevious},   {Qt::Key_Right, dcNext},
        {Qt::Key_PageUp, dcPageBack}, {Qt::Key_PageDown, dcPageForward},
        {Qt::Key_Home, dcFirst},      {Qt::Key_End, dcLast},
        {Qt::Key_Up, dcSeriesBefore}, {Qt::Key_Down, dcSeriesAfter},
    };
    const auto found = std::find_if(std::begin(KeyMoves), std::end(KeyMoves),
                                    [key](const TKeyMove& k) { return k.Key == key; });
    if (found == std::end(KeyMoves)) return false;
    const TDataCursorMove move = found->Move;
    // Until Enter shows it the arrows and Home belong to the chart's navigation.
    if (!cursor_.Shown() && move != dcStart) return false;
    if (Dragging()) return true;
    try {
        cursor_.Move(move);
    } catch (...) {
        cursor_.Hide();
    }
    Repaint();
    if (announce_) announce_(CursorReadout());
    return true;
}

bool TReadoutInput::Key(int key) {
    if (CursorKey(key)) return true;
    if (key != Qt::Key_Escape || (pins_.empty() && !cursor_.Shown())) return false;
    if (cursor_.Shown()) {
        cursor_.Hide();
        if (announce_) announce_(TReadout{});
    }
    ClearPins();
    Repaint();
    return true;
}

std::vector<TReadout> TReadoutInput::Shown() const {
    if (Dragging()) return {};
    std::vector<TReadout> shown = Pinned();
    // The chart may have laid itself out anew since: each readout follows the layout.
    if (current_.Shown)
        shown.push_back(currentLayout_ == chart_.LayoutsKept() ? current_
                                                               : ReadAt(current_.Cursor));
    if (TReadout cursor = CursorReadout(); cursor.Shown) shown.push_back(std::move(cursor));
    return shown;
}

TReadoutInput::TNextPaint TReadoutInput::NextPaint() {
    TNextPaint next{Shown(), {}, chart_.LayoutsKept()};
    next.Area = overlay_.Area(chart_, next.Shown, style_);
    return next;
}

void TReadoutInput::Repaint() {
    if (!repaint_) return;
    // What the last paint drew goes, and what the next one draws comes.
    TNextPaint next = NextPaint();
    std::vector<TRect> area = painted_;
    area.insert(area.end(), next.Area.begin(), next.Area.end());
    next_ = std::move(next);
    repaint_(area);
}

void TReadoutInput::Paint(QPainter& painter) {
    // What the repaint asked for holds until the chart lays itself out anew.
    if (!next_ || next_->Layout != chart_.LayoutsKept() || Dragging()) next_ = NextPaint();
    overlay_.Draw(painter, chart_, next_->Shown, style_);
    painted_ = std::move(next_->Area);
    next_.reset();
}

}  // namespace twinscope
