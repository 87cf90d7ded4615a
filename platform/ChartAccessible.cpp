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

int IndexOfSeries(const TChart* chart, const TChartSeries* series) {
    if (!chart) return -1;
    const auto& list = chart->SeriesList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == series) return static_cast<int>(i);
    }
    return -1;
}

// One series of a chart, read through its host.
class TSeriesAccessible : public QAccessibleInterface {
public:
    TSeriesAccessible(const QAccessibleInterface* chart, TChartHostReader read,
                      const TChartSeries* series)
        : chart_(QAccessible::uniqueId(const_cast<QAccessibleInterface*>(chart))),
          read_(std::move(read)),
          series_(series) {}

    bool isValid() const override { return IndexOfSeries(read_().Chart, series_) >= 0; }
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
        const TChartHostView host = read_();
        const int index = IndexOfSeries(host.Chart, series_);
        if (index < 0) return {};
        TChartSeries& series = host.Chart->Series(static_cast<std::size_t>(index));
        switch (t) {
            case QAccessible::Name:
                return Q(series.ListedName());
            case QAccessible::Description:
                return Q(SeriesDescription(*host.Chart, series));
            default:
                return {};
        }
    }

    // The plot: a series covers no area of its own that a reader could point at.
    QRect rect() const override { return read_().PlotOnScreen; }

    QAccessible::State state() const override {
        const TChartHostView host = read_();
        QAccessible::State s;
        s.focusable = true;
        s.focused =
            host.Focused && host.Readouts && host.Readouts->DataCursor().Series() == series_;
        return s;
    }

private:
    QAccessibleInterface* Chart() const { return QAccessible::accessibleInterface(chart_); }

    QAccessible::Id chart_;
    TChartHostReader read_;
    const TChartSeries* series_;
};

QAccessibleInterface* ChartFactory(const QString&, QObject* object) {
    if (auto* widget = qobject_cast<TChartWidget*>(object)) return new TChartAccessible(widget);
    return nullptr;
}
}  // namespace

TChartAccessibleParts::~TChartAccessibleParts() {
    for (QAccessible::Id id : children_)
        QAccessible::deleteAccessibleInterface(id);
}

QString TChartAccessibleParts::Text(QAccessible::Text t) const {
    const TChartHostView host = read_();
    if (!host.Chart) return {};
    switch (t) {
        case QAccessible::Name:
            return Q(ChartName(*host.Chart));
        case QAccessible::Description:
            return Q(AxesDescription(*host.Chart));
        case QAccessible::Value:
            return host.Readouts ? Q(ReadoutSentence(host.Readouts->CursorReadout())) : QString("");
        default:
            return {};
    }
}

int TChartAccessibleParts::ChildCount() const {
    const TChartHostView host = read_();
    return host.Chart ? static_cast<int>(host.Chart->SeriesCount()) : 0;
}

QAccessibleInterface* TChartAccessibleParts::Child(const QAccessibleInterface* chart,
                                                   int index) const {
    const TChartHostView host = read_();
    if (!host.Chart || index < 0 || static_cast<std::size_t>(index) >= host.Chart->SeriesCount())
        return nullptr;
    const TChartSeries* series = &host.Chart->Series(static_cast<std::size_t>(index));
    auto found = children_.find(series);
    if (found == children_.end()) {
        found = children_.insert(series, QAccessible::registerAccessibleInterface(
                                             new TSeriesAccessible(chart, read_, series)));
    }
    return QAccessible::accessibleInterface(*found);
}

int TChartAccessibleParts::IndexOfChild(const QAccessibleInterface* child) const {
    const TChartHostView host = read_();
    for (auto it = children_.cbegin(); it != children_.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return IndexOfSeries(host.Chart, it.key());
    }
    return -1;
}

QAccessibleInterface* TChartAccessibleParts::FocusChild(const QAccessibleInterface* chart) const {
    const TChartHostView host = read_();
    const TChartSeries* series = host.Readouts ? host.Readouts->DataCursor().Series() : nullptr;
    const int index = series ? IndexOfSeries(host.Chart, series) : -1;
    return index >= 0 ? Child(chart, index) : nullptr;
}

TChartAccessible::TChartAccessible(TChartWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Chart),
      parts_([w = QPointer<TChartWidget>(widget)]() -> TChartHostView {
          if (!w) return {};
          const TRect& plot = w->Chart().PlotRect();
          return {.Chart = &w->Chart(),
                  .Readouts = &w->Readouts(),
                  .Focused = w->hasFocus(),
                  .PlotOnScreen = QRect(w->mapToGlobal(QPoint(plot.Left, plot.Top)),
                                        QSize(plot.Width(), plot.Height()))};
      }) {}

QString TChartAccessible::text(QAccessible::Text t) const {
    // The widget's own accessible name and description win over the chart's.
    if (t == QAccessible::Name && !widget()->accessibleName().isEmpty())
        return widget()->accessibleName();
    if (t == QAccessible::Description && !widget()->accessibleDescription().isEmpty())
        return widget()->accessibleDescription();
    const QString own = parts_.Text(t);
    return own.isNull() ? QAccessibleWidget::text(t) : own;
}

void InstallChartAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ChartFactory);
        return true;
    }();
    (void)installed;
}

std::vector<std::unique_ptr<QAccessibleEvent>> DataCursorEvents(QObject* host) {
    std::vector<std::unique_ptr<QAccessibleEvent>> events;
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(host);
    if (!chart) return events;
    events.push_back(
        std::make_unique<QAccessibleValueChangeEvent>(chart, chart->text(QAccessible::Value)));
    if (QAccessibleInterface* focus = chart->focusChild())
        events.push_back(std::make_unique<QAccessibleEvent>(focus, QAccessible::Focus));
    return events;
}

void AnnounceDataCursor(QObject* host) {
    if (!QAccessible::isActive()) return;
    for (const auto& event : DataCursorEvents(host))
        QAccessible::updateAccessibility(event.get());
}

}  // namespace twinscope
