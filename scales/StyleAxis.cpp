#include "twinscope/scales/StyleAxis.h"

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/runtime/Utf8.h"

namespace twinscope {

void StyleAxis(TChartAxis& axis, const std::string& title, TColor colour) {
    axis.Axis().SetColor(colour);
    axis.Grid().SetColor(colour);

    axis.LabelsFont().SetColor(colour);
    axis.LabelsFont().SetSize(12);

    TChartAxisTitle& t = axis.Title();
    t.Font().SetColor(colour);
    t.SetAngle(0);
    t.Font().SetSize(14);
    t.Font().SetStyle(fsBold);
    t.SetCaption(title);

    if (axis.Horizontal()) {
        axis.LabelsFont().SetSize(10);
        t.Font().SetSize(10);
        t.Font().SetStyle(0);
    } else if (CharacterCount(title) > 3) {
        t.SetAngle(90);
    }
}

}  // namespace twinscope
