#include "twinscope/platform/quick/ChartItemAccessible.h"

#include <QAccessible>
#include <QPointer>
#include <QQuickWindow>

#include "twinscope/platform/quick/ChartItem.h"

namespace twinscope {

namespace {
QRect OnScreen(const TChartItem& item, const QRectF& local) {
    return item.mapRectToScene(local)
        .translated(item.window() ? item.window()->position() : QPoint())
        .toAlignedRect();
}

QAccessibleInterface* ChartItemFactory(const QString&, QObject* object) {
    if (auto* item = qobject_cast<TChartItem*>(object)) return new TChartItemAccessible(item);
    return nullptr;
}
}  // namespace

TChartItemAccessible::TChartItemAccessible(TChartItem* item)
    : QAccessibleObject(item), parts_([i = QPointer<TChartItem>(item)]() -> TChartHostView {
          if (!i) return {};
          const TRect& plot = i->Chart().PlotRect();
          return {.Chart = &i->Chart(),
                  .Readouts = &i->Readouts(),
                  .Focused = i->hasActiveFocus(),
                  .PlotOnScreen =
                      OnScreen(*i, QRectF(plot.Left, plot.Top, plot.Width(), plot.Height()))};
      }) {}

TChartItem* TChartItemAccessible::Item() const {
    return static_cast<TChartItem*>(object());
}

QAccessibleInterface* TChartItemAccessible::parent() const {
    QQuickWindow* w = Item() ? Item()->window() : nullptr;
    return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
}

QWindow* TChartItemAccessible::window() const {
    return Item() ? Item()->window() : nullptr;
}

QRect TChartItemAccessible::rect() const {
    const TChartItem* item = Item();
    return item ? OnScreen(*item, item->boundingRect()) : QRect();
}

QAccessible::State TChartItemAccessible::state() const {
    QAccessible::State s;
    const TChartItem* item = Item();
    s.focusable = true;
    s.focused = item && item->hasActiveFocus();
    s.invisible = !item || !item->isVisible();
    return s;
}

QString TChartItemAccessible::text(QAccessible::Text t) const {
    const QString own = parts_.Text(t);
    return own.isNull() ? QString() : own;
}

void InstallChartItemAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ChartItemFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace twinscope
