#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QObject>

#include "twinscope/chart/panel/Readout.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;
class TChartWidget;

// Links chart widgets that share an X quantity, each through its bottom axis: a zoom, scroll,
// wheel or key that changes one chart's X range gives the others the same range, and the
// readout under the mouse (or the keyboard's data cursor) in one shows the readout at the same
// X in the others. A chart whose X is another unit of the quantity (the day of the year beside
// dates) joins with the pair of conversions between its X and the shared one. Undoing the zoom
// in a chart puts every other back as it was before the link first moved it. The two links
// are switched apart: SetLinksRange and SetLinksReadout (both on).
class TWINSCOPE_EXPORT TChartLink : public QObject {
    Q_OBJECT

public:
    using TConversion = std::function<double(double)>;

    explicit TChartLink(QObject* parent = nullptr) : QObject(parent) {}

    // Joins a chart; toShared and fromShared convert its X to the shared quantity and back
    // (both empty: its X is the shared quantity). A chart joins once; a chart destroyed leaves.
    void Add(TChartWidget& chart, TConversion toShared = {}, TConversion fromShared = {});
    void Remove(TChartWidget& chart);
    std::size_t Count() const { return members_.size(); }

    bool LinksRange() const { return linksRange_; }
    void SetLinksRange(bool on) { linksRange_ = on; }
    bool LinksReadout() const { return linksReadout_; }
    void SetLinksReadout(bool on) { linksReadout_ = on; }

private:
    struct TSaved {
        bool Automatic, AutomaticMinimum, AutomaticMaximum;
        double Minimum, Maximum;
    };
    struct TMember {
        // Left when the chart is destroyed: its destroyed signal takes it out of the link.
        TChartWidget* Chart;
        TConversion ToShared;
        TConversion FromShared;
        std::optional<TSaved> Saved;  // the bottom axis before the link first moved it
        std::vector<QMetaObject::Connection> Connections;
    };

    TMember* MemberOf(const TChartWidget* chart);
    void RangeChanged(TChartWidget& from, TChartAxis* axis);
    void ZoomUndone(TChartWidget& from);
    void ReadoutChanged(TChartWidget& from, const TReadout& readout);

    std::vector<TMember> members_;
    bool linksRange_ = true;
    bool linksReadout_ = true;
    // A change the link makes itself is not passed on again.
    bool relaying_ = false;
};

}  // namespace twinscope
