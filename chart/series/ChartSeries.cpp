#include "twinscope/chart/series/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/series/BlockSearch.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

TCustomChartElement::TCustomChartElement() {
    pen_.SetOnChange([this] { Repaint(); });
    brush_.SetOnChange([this] { Repaint(); });
}

void TCustomChartElement::SetActive(bool b) {
    if (!StoreIfChanged(active_, b)) return;
    ActiveChanged();
    Repaint();
}

void TCustomChartElement::Repaint() const {
    CountChange();
    if (chart_) chart_->Invalidate();
}

TSeriesLegend& TCustomChartSeries::Legend() {
    if (!legend_) legend_ = std::make_unique<TSeriesLegend>();
    return *legend_;
}

void TCustomChartSeries::SetShowInLegend(bool b) {
    if (StoreIfChanged(Legend().Visible, b)) Repaint();
}

void TCustomChartSeries::SetLegendTitle(const std::string& text) {
    if (StoreIfChanged(Legend().Text, text)) Repaint();
}

TChartSeries::TChartSeries() : xValues_(this, "X"), yValues_(this, "Y") {
    xValues_.SetOrder(loAscending);
}

const TChartSeries::TSeldomSettings& TChartSeries::Seldom() const {
    static const TSeldomSettings defaults;
    return seldom_ ? *seldom_ : defaults;
}

TChartSeries::TSeldomSettings& TChartSeries::SeldomToWrite() {
    if (!seldom_) seldom_ = std::make_unique<TSeldomSettings>();
    return *seldom_;
}

TChartSeries::~TChartSeries() {
    // Destruction is silent: no events, dependents or repaints about the points.
    dependents_.clear();
    OnClearValues = nullptr;
    SetParentChart(nullptr);
}

std::int32_t TChartSeries::AddPoint(double x, double y, const std::string& label, TColor colour) {
    xValues_.SetStagedValue(x);
    yValues_.SetStagedValue(y);
    if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;

    // Everything that can run out of memory comes before the first value is placed, so that
    // a point is added whole or not at all.
    for (TChartValueList* list : valueLists_)
        list->Grow();
    const std::int32_t index = xValues_.OrderedPlace();
    const bool hadColours = pointColors_.has_value();
    try {
        if (!pointColors_ && colour != clDefault) {
            pointColors_.emplace(static_cast<std::size_t>(PointCount()), clDefault);
        }
        if (pointColors_) pointColors_->insert(pointColors_->begin() + index, colour);
        if (!label.empty() || !labels_.empty()) {
            if (labels_.size() < static_cast<std::size_t>(index)) labels_.resize(index);
            labels_.insert(labels_.begin() + index, label);
        }
    } catch (const std::bad_alloc&) {
        if (!hadColours) {
            pointColors_.reset();
        } else if (pointColors_->size() > static_cast<std::size_t>(PointCount())) {
            pointColors_->erase(pointColors_->begin() + index);
        }
        throw OutOfMemoryError(static_cast<std::size_t>(PointCount()) + 1);
    }
    if (pointColors_) ++colourChanges_;
    xValues_.InsertAt(index, x);
    yValues_.InsertAt(index, y);
    for (std::size_t i = 2; i < valueLists_.size(); ++i) {
        valueLists_[i]->InsertAt(index, valueLists_[i]->StagedValue());
    }
    // In a bounded window the new point may itself be the oldest, and go at once.
    const std::int32_t dropped = DropOverflow();
    const std::int32_t placed = index >= dropped ? index - dropped : -1;
    if (batchDepth_ == 0 && placed >= 0) AfterAdd(placed);
    return placed;
}

void TChartSeries::AfterAdd(std::int32_t index) {
    if (OnAfterAdd) OnAfterAdd(*this, index);
    NotifyDependents(NotifyAdded, index);
    if (Active()) Repaint();
}

std::int32_t TChartSeries::AddValue(double value, const std::string& label, TColor colour) {
    return AddPoint(PointCount(), value, label, colour);
}

std::int32_t TChartSeries::AddGap(const std::string& label) {
    return AddValue(0, label, clNone);
}

std::int32_t TChartSeries::AddGapPoint(double x, double y, const std::string& label) {
    return AddPoint(x, y, label, clNone);
}

void TChartSeries::RemovePoint(std::int32_t index) {
    // A negative index is refused as well: it would reach outside the storage.
    if (index < 0 || index >= PointCount()) {
        throw RuntimeError("Series Delete: ValueIndex " + std::to_string(index) +
                           " out of bounds (0 to " + std::to_string(PointCount() - 1) + ").");
    }
    for (TChartValueList* list : valueLists_)
        list->Delete(index);
    if (pointColors_ && static_cast<std::size_t>(index) < pointColors_->size()) {
        pointColors_->erase(pointColors_->begin() + index);
        ++colourChanges_;
    }
    if (static_cast<std::size_t>(index) < labels_.size()) labels_.erase(labels_.begin() + index);
    NotifyDependents(NotifyRemoved, index);
    if (Active()) Repaint();
}

void TChartSeries::ClearPoints() {
    firstShown_ = lastShown_ = -1;
    lender_.reset();
    xBlockFirsts_ = {};
    for (TChartValueList* list : valueLists_)
        list->ClearAll();
    pointColors_.reset();
    ++colourChanges_;
    labels_.clear();
    labels_.shrink_to_fit();
    if (OnClearValues) OnClearValues(*this);
    NotifyDependents(NotifyCleared, 0);
    if (Active() && chart_ && !chart_->Destroying()) Repaint();
}

void TChartSeries::ReservePoints(std::size_t count) {
    for (TChartValueList* list : valueLists_)
        list->Reserve(count);
}

void TChartSeries::ShowBorrowedPoints(const TBorrowedPoints& points) {
    if (points.Xs.size() != points.Ys.size() || valueLists_.size() != 2) {
        throw RuntimeError("Series borrow: " + std::to_string(points.Xs.size()) +
                           " X values for " + std::to_string(points.Ys.size()) + " Y values");
    }
    ClearPoints();
    xValues_.Borrow(points.Xs, points.XExtremes, {}, points.Lender);
    yValues_.Borrow(points.Ys, points.YExtremes, points.YIndex, points.Lender);
    lender_ = points.Lender;
    xBlockFirsts_ = points.XBlockValues > 0 ? points.XBlockFirsts : std::span<const double>{};
    xBlockValues_ = points.XBlockValues;
    NotifyDependents(NotifyValueChanged, -1);
    if (Active()) Repaint();
}

void TChartSeries::AppendPoints(std::span<const double> xs, std::span<const double> ys) {
    if (xs.size() != ys.size()) {
        throw RuntimeError("Series append: " + std::to_string(xs.size()) + " X values for " +
                           std::to_string(ys.size()) + " Y values");
    }
    AppendPointsWith(xs, ys, {});
}

void TChartSeries::AppendPointsWith(std::span<const double> xs, std::span<const double> ys,
                                    std::span<const std::span<const double>> further) {
    // The further lists that are not given get values that are not numbers.
    auto furtherValue = [&](std::size_t list, std::size_t i) {
        return list < further.size() ? further[list][i] : std::nan("");
    };
    BeginBatch();
    struct BatchEnd {
        TChartSeries& s;
        ~BatchEnd() { s.EndBatch(); }
    } batchEnd{*this};

    // The fast path appends whole arrays; it applies when nothing can intervene per point
    // and the X values keep XValues' order. Anything else goes point by point.
    const bool ordered = [&] {
        const TChartListOrder order = xValues_.Order();
        if (order == loNone || xs.empty()) return true;
        double previous = PointCount() > 0 ? xValues_.Last() : xs[0];
        for (double x : xs) {
            if (order == loAscending ? x < previous : x > previous) return false;
            previous = x;
        }
        return true;
    }();
    if (!ordered || OnBeforeAdd) {
        for (std::size_t i = 0; i < xs.size(); ++i) {
            for (std::size_t k = 2; k < valueLists_.size(); ++k)
                valueLists_[k]->SetStagedValue(furtherValue(k - 2, i));
            AddPoint(xs[i], ys[i]);
        }
        return;
    }
    // Room first, so that running out of memory leaves the points as they were.
    const std::size_t count = static_cast<std::size_t>(PointCount()) + xs.size();
    ReservePoints(count);
    std::vector<double> notNumbers;
    if (valueLists_.size() > 2 + further.size()) {
        try {
            notNumbers.assign(xs.size(), std::nan(""));
        } catch (const std::bad_alloc&) {
            throw OutOfMemoryError(count);
        }
    }
    try {
        if (pointColors_) pointColors_->resize(count, clDefault);
        if (!labels_.empty()) labels_.resize(count);
    } catch (const std::bad_alloc&) {
        if (pointColors_) pointColors_->resize(static_cast<std::size_t>(PointCount()));
        throw OutOfMemoryError(count);
    }
    if (pointColors_) ++colourChanges_;
    xValues_.Append(xs);
    yValues_.Append(ys);
    for (std::size_t k = 2; k < valueLists_.size(); ++k)
        valueLists_[k]->Append(k - 2 < further.size() ? further[k - 2] : notNumbers);
    DropOverflow();
    if (Active() && !xs.empty()) Repaint();
}

void TChartSeries::SetKeepLast(std::int32_t count) {
    keepLast_ = std::max(count, 0);
    // A window lets its oldest values go: they are kept in chunks, so that the others never move.
    for (TChartValueList* list : valueLists_)
        list->SetChunked(keepLast_ > 0);
    BeginBatch();
    DropOverflow();
    EndBatch();
}

std::int32_t TChartSeries::DropOverflow() {
    const std::int32_t dropped = keepLast_ > 0 ? PointCount() - keepLast_ : 0;
    if (dropped <= 0) return 0;
    for (TChartValueList* list : valueLists_)
        list->DropFront(dropped);
    if (pointColors_) {
        const auto end =
            pointColors_->begin() + std::min<std::ptrdiff_t>(dropped, std::ssize(*pointColors_));
        pointColors_->erase(pointColors_->begin(), end);
        ++colourChanges_;
    }
    if (!labels_.empty()) {
        labels_.erase(labels_.begin(),
                      labels_.begin() + std::min<std::ptrdiff_t>(dropped, std::ssize(labels_)));
    }
    if (batchDepth_ == 0) {
        for (std::int32_t i = 0; i < dropped; ++i)
            NotifyDependents(NotifyRemoved, 0);
    }
    return dropped;
}

void TChartSeries::EndBatch() {
    if (batchDepth_ <= 0) return;
    if (--batchDepth_ == 0) {
        NotifyDependents(NotifyRefreshed, 0);
        SendEvent(seDataChanged);
    }
}

TColor TChartSeries::StoredColor(std::int32_t index) const {
    if (pointColors_ && static_cast<std::size_t>(index) < pointColors_->size()) {
        return (*pointColors_)[static_cast<std::size_t>(index)];
    }
    return clDefault;
}

TColor TChartSeries::PointColor(std::int32_t index) const {
    const TColor stored = StoredColor(index);
    if (stored != clDefault) return stored;
    if (!colorEachPoint_ || !chart_) return SeriesColor();
    return chart_->PaletteColor(index);
}

bool TChartSeries::HasValue(std::int32_t index) const {
    const double x = xValues_[index];
    const double y = yValues_[index];
    if (std::isnan(x) || std::isnan(y)) return false;
    return xMap_.InDomain(x) && yMap_.InDomain(y);
}

std::string TChartSeries::Label(std::int32_t index) const {
    return static_cast<std::size_t>(index) < labels_.size() ? labels_[index] : std::string();
}

void TChartSeries::SetSeriesColor(TColor c) {
    if (seriesColor_ == clDefault && c == effectiveColor_) return;
    if (seriesColor_ != c) {
        seriesColor_ = c;
        Repaint();
    }
    if (seriesColor_ == clDefault && chart_) {
        SetEffectiveColor(chart_->FreeSeriesColor(this));
    } else {
        SetEffectiveColor(seriesColor_);
    }
    SendEvent(seChangeColor);
}

void TChartSeries::SetColorEachPoint(bool b) {
    if (StoreIfChanged(colorEachPoint_, b)) Repaint();
}

void TChartSeries::SetTransparency(std::int32_t percent) {
    if (StoreIfChanged(transparency_, percent)) Repaint();
}

void TChartSeries::SetTitle(const std::string& title) {
    if (!StoreIfChanged(title_, title)) return;
    Repaint();
    SendEvent(seChangeTitle);
}

void TChartSeries::SetTreatNulls(TTreatNullsStyle t) {
    if (StoreIfChanged(treatNulls_, t)) Repaint();
}

std::string TChartSeries::DisplayName() const {
    if (!name_.empty() || !chart_) return name_;
    return "Series" + std::to_string(chart_->SeriesIndexOf(*this) + 1);
}

std::string TChartSeries::ListedName() const {
    if (std::string text = LegendTitle(); !text.empty()) return text;
    if (!title_.empty()) return title_;
    return DisplayName();
}

void TChartSeries::SetParentChart(TSeriesHost* chart) {
    if (chart == chart_) return;
    if (chart_) chart_->RemoveSeries(*this);
    chart_ = chart;
    if (chart_) {
        chart_->AddSeries(*this);
    } else {
        ResolveAxes();
    }
}

void TSeriesHost::SeriesJoined(TChartSeries& series) {
    series.JoinedChart();
}

void TSeriesHost::SeriesLeft(TChartSeries& series) {
    series.chart_ = nullptr;
}

void TSeriesHost::GiveSeriesColor(TChartSeries& series, TColor color) {
    series.SetEffectiveColor(color);
}

void TChartSeries::SetEffectiveColor(TColor color) {
    if (effectiveColor_ == color) return;
    effectiveColor_ = color;
    CountChange();
}

std::uint64_t TChartSeries::ContentRevision() const {
    // Each count only grows, so their sum changes whenever one of them does.
    std::uint64_t revision = SettingsRevision() + colourChanges_;
    for (const TChartValueList* list : valueLists_)
        revision += list->Changes();
    return revision;
}

void TChartSeries::JoinedChart() {
    if (seriesColor_ == clDefault) {
        SetEffectiveColor(chart_->FreeSeriesColor(this));
        SendEvent(seChangeColor);
    }
    ResolveAxes();
}

void TChartSeries::SetHorizAxis(THorizAxis a) {
    if (horizAxis_ == a) return;
    horizAxis_ = a;
    if (a != aCustomHorizAxis && !loadingFromStream_) customHorizAxis_ = nullptr;
    ResolveAxes();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis a) {
    if (vertAxis_ == a) return;
    vertAxis_ = a;
    if (a != aCustomVertAxis && !loadingFromStream_) customVertAxis_ = nullptr;
    ResolveAxes();
    Repaint();
}

void TChartSeries::BindCustomHorizAxis(TChartAxis* axis) {
    customHorizAxis_ = axis;
    customHorizAlive_ = axis ? axis->LifetimeToken() : std::weak_ptr<const void>();
    SetHorizAxis(axis ? aCustomHorizAxis : aBottomAxis);
    ResolveAxes();
    Repaint();
}

void TChartSeries::BindCustomVertAxis(TChartAxis* axis) {
    customVertAxis_ = axis;
    customVertAlive_ = axis ? axis->LifetimeToken() : std::weak_ptr<const void>();
    SetVertAxis(axis ? aCustomVertAxis : aLeftAxis);
    ResolveAxes();
    Repaint();
}

void TChartSeries::DropFreedCustomAxes() {
    // The standard axes take over, as when the chart lets go of an axis the series is bound to.
    if (customHorizAxis_ && customHorizAlive_.expired()) {
        customHorizAxis_ = nullptr;
        if (horizAxis_ == aCustomHorizAxis) horizAxis_ = aBottomAxis;
    }
    if (customVertAxis_ && customVertAlive_.expired()) {
        customVertAxis_ = nullptr;
        if (vertAxis_ == aCustomVertAxis) vertAxis_ = aLeftAxis;
    }
}

void TChartSeries::ResolveAxes() {
    DropFreedCustomAxes();
    if (!chart_) {
        resolvedHorizAxis_ = resolvedVertAxis_ = nullptr;
        return;
    }
    resolvedHorizAxis_ = &chart_->BottomAxis();
    if (horizAxis_ == aTopAxis) {
        resolvedHorizAxis_ = &chart_->TopAxis();
    } else if (horizAxis_ == aCustomHorizAxis && customHorizAxis_) {
        resolvedHorizAxis_ = customHorizAxis_;
    }
    resolvedVertAxis_ = &chart_->LeftAxis();
    if (vertAxis_ == aRightAxis) {
        resolvedVertAxis_ = &chart_->RightAxis();
    } else if (vertAxis_ == aCustomVertAxis && customVertAxis_) {
        resolvedVertAxis_ = customVertAxis_;
    }
}

bool TChartSeries::UsesHorizAxis(const TChartAxis& axis) const {
    if (resolvedHorizAxis_ == &axis) return true;
    return horizAxis_ == aBothHorizAxis && chart_ && &axis == &chart_->TopAxis();
}

bool TChartSeries::UsesVertAxis(const TChartAxis& axis) const {
    if (resolvedVertAxis_ == &axis) return true;
    return vertAxis_ == aBothVertAxis && chart_ && &axis == &chart_->RightAxis();
}

double TChartSeries::MaxXValue() {
    return xValues_.Highest();
}
double TChartSeries::MinXValue() {
    return xValues_.Lowest();
}

const TChartSeries::DrawnExtremes& TChartSeries::DrawnYExtremes() {
    DrawnExtremes& e = drawnYExtremes_;
    if (e.valid && e.yChanges == yValues_.Changes() && e.colourChanges == colourChanges_ &&
        e.seriesColor == SeriesColor()) {
        return e;
    }
    bool found = false;
    e.max = e.min = 0;
    for (std::int32_t i = 0; i < yValues_.Count(); ++i) {
        const double y = yValues_[i];
        if (IsGap(i) || std::isnan(y)) continue;
        if (!found || y > e.max) e.max = y;
        if (!found || y < e.min) e.min = y;
        found = true;
    }
    e.yChanges = yValues_.Changes();
    e.colourChanges = colourChanges_;
    e.seriesColor = SeriesColor();
    // Palette colours are the chart's: with them nothing is kept.
    e.valid = !colorEachPoint_;
    return e;
}

bool TChartSeries::EveryPointDrawn() const {
    return treatNulls_ == tnIgnore || (!pointColors_ && SeriesColor() != clNone);
}

double TChartSeries::MaxYValue() {
    if (EveryPointDrawn()) return yValues_.Highest();
    return DrawnYExtremes().max;
}

double TChartSeries::MinYValue() {
    if (EveryPointDrawn()) return yValues_.Lowest();
    return DrawnYExtremes().min;
}

std::int32_t TChartSeries::XPixel(std::int32_t index) const {
    return XPixelOfValue(xValues_[index]);
}

std::int32_t TChartSeries::YPixel(std::int32_t index) const {
    return YPixelOfValue(yValues_[index]);
}

std::int32_t TChartSeries::XPixelOfValue(double v) const {
    return xMap_.ToPixel(v);
}

std::int32_t TChartSeries::YPixelOfValue(double v) const {
    return yMap_.ToPixel(v);
}

double TChartSeries::XValueOfPixel(std::int32_t p) const {
    return xMap_.ToValue(p);
}

double TChartSeries::YValueOfPixel(std::int32_t p) const {
    return yMap_.ToValue(p);
}

void TChartSeries::ComputeShownRange() {
    xMap_ = chart_ && resolvedHorizAxis_ ? chart_->ScaleMapOf(*resolvedHorizAxis_) : TScaleMap{};
    yMap_ = chart_ && resolvedVertAxis_ ? chart_->ScaleMapOf(*resolvedVertAxis_) : TScaleMap{};
    firstShown_ = lastShown_ = -1;
    drawnColumns_.clear();
    // Points read from elsewhere: none is touched once they are gone.
    if (!BorrowedPointsReady()) return;
    FindShownRange();
    if (BorrowedPointsShown() && firstShown_ >= 0) lender_->WillDraw(firstShown_, lastShown_);
}

bool TChartSeries::BorrowedPointsReady() {
    if (!BorrowedPointsShown()) return true;
    return lender_->ReadyToDraw();
}

void TChartSeries::FindShownRange() {
    const std::int32_t n = PointCount();
    if (n == 0) return;
    if (!restrictToVisible_ || xValues_.Order() == loNone || !chart_ || !resolvedHorizAxis_) {
        firstShown_ = 0;
        lastShown_ = n - 1;
        WidenShownRange();
        return;
    }
    const TChartAxis& axis = *resolvedHorizAxis_;
    const TRect& plot = chart_->PlotRect();
    const bool offsets = axis.MinimumOffset() != 0 || axis.MaximumOffset() != 0;
    std::int32_t startEdge = axis.Inverted() ? plot.Right : plot.Left;
    std::int32_t endEdge = axis.Inverted() ? plot.Left : plot.Right;
    if (offsets) {
        startEdge += axis.MinimumOffset() - 1;
        endEdge -= axis.MaximumOffset() - 1;
    }

    const ValueView xs = xValues_.View();
    const double lo = XValueOfPixel(startEdge);
    std::int32_t first = 0;
    if (!(xs[0] > lo)) {
        first = FirstXNotBelow(lo);
        if (first == n) return;
    }
    const double hi = XValueOfPixel(endEdge);
    std::int32_t last = n - 1;
    if (xs[n - 1] > hi) last = std::min(FirstXNotBelow(hi, first), n - 1);
    firstShown_ = first;
    lastShown_ = last;
    WidenShownRange();
}

std::int32_t TChartSeries::FirstXNotBelow(double value, std::int32_t from) const {
    const std::int32_t n = PointCount();
    const ValueView xs = xValues_.View();
    if (xValues_.Order() == loAscending && !xBlockFirsts_.empty() && BorrowedPointsShown())
        return FirstNotBelowByBlocks(xs, xBlockFirsts_, xBlockValues_, from, n, value);
    if (xValues_.Order() == loAscending) {
        std::int32_t below = from;  // every index before it holds a value below
        std::int32_t count = n - from;
        while (count > 0) {
            const std::int32_t half = count / 2;
            if (xs[static_cast<std::size_t>(below + half)] < value) {
                below += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        return below;
    }
    while (from < n && xs[from] < value)
        ++from;
    return from;
}

void TChartSeries::DrawAllPoints(TCanvas3D& canvas) {
    if (firstShown_ < 0) return;
    // Points removed since the range was computed are not visited.
    const std::int32_t last = std::min(lastShown_, PointCount() - 1);
    if (DrawForward()) {
        for (std::int32_t i = firstShown_; i <= last; ++i)
            DrawPoint(canvas, i);
    } else {
        for (std::int32_t i = last; i >= firstShown_; --i)
            DrawPoint(canvas, i);
    }
}

void TChartSeries::DrawingDone() {
    if (BorrowedPointsShown() && firstShown_ >= 0)
        lender_->DidDraw(firstShown_, lastShown_, drawnColumns_);
}

bool TChartSeries::DrawForward() const {
    return !resolvedHorizAxis_ || !resolvedHorizAxis_->Inverted();
}

void TChartSeries::NotifyDependents(TNotifyCode code, std::int32_t index) {
    for (const DependentNotice& notice : dependents_)
        notice(*this, code, index);
}

void TChartSeries::SendEvent(TChartSeriesEvent event) {
    if (chart_) chart_->BroadcastSeriesEvent(event, *this);
}

void TChartSeries::SortPointsBy(const TChartValueList& list) {
    const std::int32_t n = PointCount();
    std::vector<std::int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    // Equal values keep their relative order, as the index tie-break of the comparison asks.
    const bool descending = list.Order() == loDescending;
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return descending ? list[a] > list[b] : list[a] < list[b];
    });
    std::vector<double> scratch(static_cast<std::size_t>(n));
    for (TChartValueList* l : valueLists_) {
        l->OwnValues();
        for (std::int32_t i = 0; i < n; ++i)
            scratch[i] = (*l)[order[i]];
        for (std::int32_t i = 0; i < n; ++i)
            l->values_[static_cast<std::size_t>(i)] = scratch[i];
        l->Touch(0);
    }
    if (pointColors_) {
        std::vector<TColor> colours(static_cast<std::size_t>(n), clDefault);
        for (std::int32_t i = 0; i < n; ++i)
            colours[i] = StoredColor(order[i]);
        pointColors_ = std::move(colours);
        ++colourChanges_;
    }
    if (!labels_.empty()) {
        // Labels are kept only up to the last point that needed one: the sorted list has one
        // per point.
        std::vector<std::string> labels(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i)
            labels[i] = Label(order[i]);
        labels_ = std::move(labels);
    }
    NotifyDependents(NotifyValueChanged, 0);
}

}  // namespace twinscope
