#include "platform/ChartWidget.h"

#include <QPainter>
#include <QResizeEvent>

#include "chart/canvas/qt/QtPaintTarget.h"

namespace twinscope {

TChartWidget::TChartWidget(QWidget* parent) : QWidget(parent) {
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
}

void TChartWidget::resizeEvent(QResizeEvent* event) {
    chart_.SetBounds(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

}  // namespace twinscope
