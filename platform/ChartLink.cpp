#include "twinscope/platform/ChartLink.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/ChartMouse.h"
#include "twinscope/platform/ChartWidget.h"

namespace twinscope {

namespace {
double Through(const std::function<double(double)>& convert, double value) {
    return convert ? convert(value) : value;
}

// Runs a step with the flag set, so that what the step makes the charts announce is not
// relayed again; a step that throws (a conversion) changes nothing further.
void Relaying(bool& flag, const std::function<void()>& step) {
    flag = true;
    try {
        step();
    } catch (...) {
    }
    flag = false;
}
}  // namespace

TChartLink::TMember* TChartLink::MemberOf(const TChartWidget* chart) {
    for (TMember& m : members_) {
        if (m.Chart == chart) return &m;
    }
    return nullptr;
}

void TChartLink::Add(TChartWidget& chart, TConversion toShared, TConversion fromShared) {
    if (MemberOf(&chart)) return;
    TMember member{
        .Chart = &chart, .ToShared = std::move(toShared), .FromShared = std::move(fromShared)};
    TChartWidget* c = &chart;
    member.Connections = {
        connect(c, &TChartWidget::rangeChanged, this,
                [this, c](TChartAxis* axis) { RangeChanged(*c, axis); }),
        connect(c, &TChartWidget::zoomUndone, this, [this, c] { ZoomUndone(*c); }),
        connect(c, &TChartWidget::readoutChanged, this,
                [this, c](const TReadout& r) { ReadoutChanged(*c, r); }),
        // By address alone: the chart is part destroyed when its signal comes.
        connect(c, &QObject::destroyed, this, [this, c](QObject*) {
            std::erase_if(members_, [c](const TMember& m) { return m.Chart == c; });
        })};
    members_.push_back(std::move(member));
}

void TChartLink::Remove(TChartWidget& chart) {
    TMember* member = MemberOf(&chart);
    if (!member) return;
    for (const auto& connection : member->Connections)
        disconnect(connection);
    members_.erase(members_.begin() + (member - members_.data()));
}

void TChartLink::RangeChanged(TChartWidget& from, TChartAxis* axis) {
    TMember* source = MemberOf(&from);
    if (relaying_ || !linksRange_ || !source || axis != &from.Chart().BottomAxis()) return;
    const double a = Through(source->ToShared, axis->Minimum());
    const double b = Through(source->ToShared, axis->Maximum());
    Relaying(relaying_, [&] {
        for (TMember& m : members_) {
            if (&m == source || !m.Chart) continue;
            TChartAxis& bottom = m.Chart->Chart().BottomAxis();
            const double lo = Through(m.FromShared, a);
            const double hi = Through(m.FromShared, b);
            if (!std::isfinite(lo) || !std::isfinite(hi) || lo == hi) continue;
            if (!m.Saved) {
                m.Saved = TSaved{bottom.Automatic(), bottom.AutomaticMinimum(),
                                 bottom.AutomaticMaximum(), bottom.Minimum(), bottom.Maximum()};
            }
            SetRangeFromMouse(bottom, lo, hi);
            m.Chart->Chart().Invalidate();
        }
    });
}

void TChartLink::ZoomUndone(TChartWidget& from) {
    if (relaying_ || !linksRange_ || !MemberOf(&from)) return;
    for (TMember& m : members_) {
        if (m.Chart == &from || !m.Chart || !m.Saved) continue;
        const TSaved s = *m.Saved;
        m.Saved.reset();
        TChartAxis& bottom = m.Chart->Chart().BottomAxis();
        SetRangeFromMouse(bottom, s.Minimum, s.Maximum);
        bottom.SetAutomatic(s.Automatic);
        bottom.SetAutomaticMinimum(s.AutomaticMinimum);
        bottom.SetAutomaticMaximum(s.AutomaticMaximum);
        m.Chart->Chart().Invalidate();
    }
}

void TChartLink::ReadoutChanged(TChartWidget& from, const TReadout& readout) {
    TMember* source = MemberOf(&from);
    if (relaying_ || !linksReadout_ || !source) return;
    // The X the readout's crosshair stands at, as the bottom axis reads it.
    const TChartAxis& bottom = from.Chart().BottomAxis();
    const TReadoutValue* x = nullptr;
    for (const TReadoutValue& badge : readout.Badges) {
        if (badge.Axis == &bottom) x = &badge;
    }
    Relaying(relaying_, [&] {
        const double shared = x ? Through(source->ToShared, x->Value) : NAN;
        for (TMember& m : members_) {
            if (&m == source || !m.Chart) continue;
            TReadoutInput& readouts = m.Chart->Readouts();
            if (!readout.Shown || !x) {
                readouts.Hide();
                continue;
            }
            const TChart& chart = m.Chart->Chart();
            const double value = Through(m.FromShared, shared);
            const TRect& plot = chart.PlotRect();
            if (!std::isfinite(value) || plot.IsEmpty()) {
                readouts.Hide();
                continue;
            }
            readouts.ShowAt({chart.ScaleMapOf(chart.BottomAxis()).ToPixel(value),
                             plot.Top + plot.Height() / 2});
        }
    });
}

}  // namespace twinscope
