#include "twinscope/platform/ChartWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QWheelEvent>

#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/platform/ChartAccessible.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

TChartWidget::TChartWidget(QWidget* parent)
    : QWidget(parent),
      mouse_(chart_, SignalsOf(*this)),
      readouts_(
          chart_,
          [this](const std::vector<TRect>& area) {
              QRegion region;
              for (const TRect& r : area)
                  region += ToQRect(r);
              update(region);
          },
          [this](const TReadout& readout) { emit readoutChanged(readout); }) {
    RegisterQtCanvases();
    InstallChartAccessibility();
    SetDefaultFormatSettings(FormatSettingsFromLocale(locale()));
    // The chart paints its whole area every time: no erase, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button held show the readout; Tab or a click gives the focus for the
    // keys; pinches arrive as native gestures.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    chart_.SetBounds(width(), height());
    chart_.SetOnRepaintRequest([this] { update(); });
}

TChartWidget::~TChartWidget() {
    chart_.SetOnRepaintRequest(nullptr);
}

void TChartWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TQtPaintTarget target(painter, event->region());
    chart_.Paint(target);
    // Without a canvas the chart drew nothing (and said why): a plain background rather than
    // whatever the unerased surface held.
    if (!chart_.Canvas()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    readouts_.Paint(painter);
}

void TChartWidget::resizeEvent(QResizeEvent* event) {
    chart_.SetBounds(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

// The chart draws the zoom rectangle and asks for the repaints it needs itself; the widget
// only hands the mouse on. While a button is held Qt keeps sending the moves to this widget,
// also outside it, which is the capture a scroll needs.
void TChartWidget::mousePressEvent(QMouseEvent* event) {
    readouts_.Press(event->button(), event->position());
    if (!mouse_.Press(event->button(), event->position(), event->modifiers())) {
        QWidget::mousePressEvent(event);
    }
}

void TChartWidget::mouseMoveEvent(QMouseEvent* event) {
    mouse_.Move(event->position());
    readouts_.Move(event->position());
}

void TChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool handled = mouse_.Release(event->button(), event->position());
    readouts_.Release(event->button(), event->position());
    if (!handled) QWidget::mouseReleaseEvent(event);
}

void TChartWidget::leaveEvent(QEvent* event) {
    readouts_.Hide();
    QWidget::leaveEvent(event);
}

void TChartWidget::keyPressEvent(QKeyEvent* event) {
    if (readouts_.Key(event->key())) {
        AnnounceDataCursor(this);
        return;
    }
    if (mouse_.Key(event->key())) return;
    QWidget::keyPressEvent(event);
}

void TChartWidget::wheelEvent(QWheelEvent* event) {
    if (wheelNeedsControl_ && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    mouse_.Wheel(event->angleDelta().y(), event->position());
}

bool TChartWidget::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            mouse_.Pinch(gesture->value(), gesture->position());
            return true;
        }
    }
    return QWidget::event(event);
}

}  // namespace twinscope
