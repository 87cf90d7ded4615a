#include "twinscope/platform/ChartAccessible.h"

#include <QAccessible>
#include <QPointer>

#include "twinscope/chart/panel/ChartDescription.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {

namespace {
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// One series of a chart widget.
class TSeriesAccessible : public QAccessibleInterface {
public:
    TSeriesAccessible(const TChartAccessible* chart, const TChartSeries* series)
        : widget_(&chart->Widget()), series_(series) {}

    bool isValid() const override {
        return widget_ && Chart() && Chart()->IndexOfSeries(series_) >= 0;
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Chart() ? Chart()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return Chart(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        TChart& chart = widget_->Chart();
        TChartSeries& series =
            chart.Series(static_cast<std::size_t>(Chart()->IndexOfSeries(series_)));
        switch (t) {
            case QAccessible::Name:
                return Q(series.ListedName());
            case QAccessible::Description:
                return Q(SeriesDescription(chart, series));
            default:
                return {};
        }
    }

    // The plot: a series covers no area of its own that a reader could point at.
    QRect rect() const override {
        if (!widget_) return {};
        const TRect& plot = widget_->Chart().PlotRect();
        const QPoint origin = widget_->mapToGlobal(QPoint(plot.Left, plot.Top));
        return {origin, QSize(plot.Width(), plot.Height())};
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.focused =
            widget_ && widget_->hasFocus() && widget_->Readouts().DataCursor().Series() == series_;
        return s;
    }

private:
    TChartAccessible* Chart() const {
        return widget_
                   ? static_cast<TChartAccessible*>(QAccessible::queryAccessibleInterface(widget_))
                   : nullptr;
    }

    QPointer<TChartWidget> widget_;
    const TChartSeries* series_;
};

QAccessibleInterface* ChartFactory(const QString&, QObject* object) {
    if (auto* widget = qobject_cast<TChartWidget*>(object)) return new TChartAccessible(widget);
    return nullptr;
}
}  // namespace

TChartAccessible::TChartAccessible(TChartWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Chart) {}

TChartAccessible::~TChartAccessible() {
    for (QAccessible::Id id : children_)
        QAccessible::deleteAccessibleInterface(id);
}

TChartWidget& TChartAccessible::Widget() const {
    return *static_cast<TChartWidget*>(widget());
}

int TChartAccessible::IndexOfSeries(const TChartSeries* series) const {
    const auto& list = Widget().Chart().SeriesList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == series) return static_cast<int>(i);
    }
    return -1;
}

QString TChartAccessible::text(QAccessible::Text t) const {
    const TChart& chart = Widget().Chart();
    switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? Q(ChartName(chart)) : own;
        }
        case QAccessible::Description: {
            const QString own = widget()->accessibleDescription();
            return own.isEmpty() ? Q(AxesDescription(chart)) : own;
        }
        case QAccessible::Value:
            return Q(ReadoutSentence(Widget().Readouts().CursorReadout()));
        default:
            return QAccessibleWidget::text(t);
    }
}

int TChartAccessible::childCount() const {
    return static_cast<int>(Widget().Chart().SeriesCount());
}

QAccessibleInterface* TChartAccessible::child(int index) const {
    const TChart& chart = Widget().Chart();
    if (index < 0 || static_cast<std::size_t>(index) >= chart.SeriesCount()) return nullptr;
    const TChartSeries* series = &chart.Series(static_cast<std::size_t>(index));
    auto found = children_.find(series);
    if (found == children_.end()) {
        found = children_.insert(
            series, QAccessible::registerAccessibleInterface(new TSeriesAccessible(this, series)));
    }
    return QAccessible::accessibleInterface(*found);
}

int TChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (auto it = children_.cbegin(); it != children_.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child) return IndexOfSeries(it.key());
    }
    return -1;
}

QAccessibleInterface* TChartAccessible::childAt(int, int) const {
    return nullptr;
}

QAccessibleInterface* TChartAccessible::focusChild() const {
    const TChartSeries* series = Widget().Readouts().DataCursor().Series();
    const int index = series ? IndexOfSeries(series) : -1;
    return index >= 0 ? child(index) : nullptr;
}

void InstallChartAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ChartFactory);
        return true;
    }();
    (void)installed;
}

std::vector<std::unique_ptr<QAccessibleEvent>> DataCursorEvents(TChartWidget& widget) {
    std::vector<std::unique_ptr<QAccessibleEvent>> events;
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&widget);
    if (!chart) return events;
    events.push_back(
        std::make_unique<QAccessibleValueChangeEvent>(chart, chart->text(QAccessible::Value)));
    if (QAccessibleInterface* focus = chart->focusChild())
        events.push_back(std::make_unique<QAccessibleEvent>(focus, QAccessible::Focus));
    return events;
}

void AnnounceDataCursor(TChartWidget& widget) {
    if (!QAccessible::isActive()) return;
    for (const auto& event : DataCursorEvents(widget))
        QAccessible::updateAccessibility(event.get());
}

}  // namespace twinscope
