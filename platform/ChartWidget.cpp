#include "twinscope/platform/ChartWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
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
    if (!chart_.Canvas()) painter.fillRect(rect(), palette().window());
}

void TChartWidget::resizeEvent(QResizeEvent* event) {
    chart_.SetBounds(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

// The chart draws the zoom rectangle and asks for the repaints it needs itself; the widget
// only hands the mouse on. While a button is held Qt keeps sending the moves to this widget,
// also outside it, which is the capture a scroll needs.
void TChartWidget::mousePressEvent(QMouseEvent* event) {
    if (!mouse_.Press(event->button(), event->position(), event->modifiers())) {
        QWidget::mousePressEvent(event);
    }
}

void TChartWidget::mouseMoveEvent(QMouseEvent* event) {
    mouse_.Move(event->position());
}

void TChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!mouse_.Release(event->button(), event->position())) QWidget::mouseReleaseEvent(event);
}

void TChartWidget::wheelEvent(QWheelEvent* event) {
    mouse_.Wheel(event->angleDelta().y());
}

}  // namespace twinscope
