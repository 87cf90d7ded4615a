#include "twinscope/platform/ChartWidget.h"

#include <cstdlib>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleHints>
#include <QWheelEvent>

#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

TChartWidget::TChartWidget(QWidget* parent) : QWidget(parent), mouse_(chart_, SignalsOf(*this)) {
    RegisterQtCanvases();
    SetDefaultFormatSettings(FormatSettingsFromLocale(locale()));
    // The chart paints its whole area every time: no erase, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button held show the readout; a click gives the focus for Escape.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    chart_.SetBounds(width(), height());
    chart_.SetOnRepaintRequest([this] { update(); });
}

TChartWidget::~TChartWidget() { chart_.SetOnRepaintRequest(nullptr); }

void TChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TQtPaintTarget target(painter);
    chart_.Paint(target);
    // Without a canvas the chart drew nothing (and said why): a plain background rather than
    // whatever the unerased surface held.
    if (!chart_.Canvas()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // A drag draws straight onto the chart's picture; nothing covers it meanwhile.
    if (Dragging()) return;
    std::vector<TReadout> shown = PinnedReadouts();
    // The chart may have laid itself out anew in this paint: the readout follows the layout.
    if (readout_.Shown) shown.push_back(ReadAt(readout_.Cursor));
    overlay_.Draw(painter, chart_, shown, readoutStyle_);
}

std::vector<TReadout> TChartWidget::PinnedReadouts() const {
    std::vector<TReadout> pinned;
    for (TPoint pin : pins_) {
        TReadout r = ReadAt(pin);
        if (r.Shown) pinned.push_back(std::move(r));
    }
    return pinned;
}

TReadout TChartWidget::ReadAt(TPoint pixel) const {
    // A conversion or a format that fails leaves the readout out, never the event unfinished.
    try {
        return ReadoutAt(chart_, pixel);
    } catch (...) {
        return TReadout{.Cursor = pixel};
    }
}

bool TChartWidget::Dragging() const {
    return chart_.Mouse().Zoom().Active() || chart_.Mouse().Scroll().Active;
}

void TChartWidget::ShowReadoutAt(TPoint pixel) {
    TReadout r = Dragging() ? TReadout{.Cursor = pixel} : ReadAt(pixel);
    if (!r.Shown && !readout_.Shown) {
        readout_.Cursor = pixel;
        return;
    }
    if (r == readout_) return;
    const bool wasShown = readout_.Shown;
    readout_ = std::move(r);
    if (readout_.Shown || wasShown) update();
    emit readoutChanged(readout_);
}

void TChartWidget::HideReadout() {
    if (!readout_.Shown) return;
    readout_ = TReadout{.Cursor = readout_.Cursor};
    update();
    emit readoutChanged(readout_);
}

void TChartWidget::TogglePinAt(TPoint pixel) {
    const TReadout at = ReadAt(pixel);
    if (!at.Shown) return;
    for (auto pin = pins_.begin(); pin != pins_.end(); ++pin) {
        if (std::abs(ReadAt(*pin).CrosshairX - pixel.X) <= ClickTolerance) {
            pins_.erase(pin);
            update();
            return;
        }
    }
    pins_.push_back(pixel);
    update();
}

void TChartWidget::ClearPins() {
    if (pins_.empty()) return;
    pins_.clear();
    update();
}

void TChartWidget::SetReadoutStyle(const TReadoutStyle& style) {
    readoutStyle_ = style;
    update();
}

void TChartWidget::resizeEvent(QResizeEvent* event) {
    chart_.SetBounds(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

// The chart draws the zoom rectangle and asks for the repaints it needs itself; the widget
// only hands the mouse on. While a button is held Qt keeps sending the moves to this widget,
// also outside it, which is the capture a scroll needs.
void TChartWidget::mousePressEvent(QMouseEvent* event) {
    press_.reset();
    if (event->button() == Qt::LeftButton) press_ = event->position();
    if (!mouse_.Press(event->button(), event->position(), event->modifiers())) {
        QWidget::mousePressEvent(event);
    }
}

void TChartWidget::mouseMoveEvent(QMouseEvent* event) {
    mouse_.Move(event->position());
    const QPoint at = event->position().toPoint();
    ShowReadoutAt({at.x(), at.y()});
}

void TChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool handled = mouse_.Release(event->button(), event->position());
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton && press_ &&
        (at - *press_).manhattanLength() < QGuiApplication::styleHints()->startDragDistance()) {
        TogglePinAt({press_->toPoint().x(), press_->toPoint().y()});
    }
    press_.reset();
    ShowReadoutAt({at.toPoint().x(), at.toPoint().y()});
    if (!handled) QWidget::mouseReleaseEvent(event);
}

void TChartWidget::leaveEvent(QEvent* event) {
    HideReadout();
    QWidget::leaveEvent(event);
}

void TChartWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !pins_.empty()) {
        ClearPins();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TChartWidget::wheelEvent(QWheelEvent* event) {
    mouse_.Wheel(event->angleDelta().y());
}

}  // namespace twinscope
