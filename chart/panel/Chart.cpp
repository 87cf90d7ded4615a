#include "twinscope/chart/panel/Chart.h"

namespace twinscope {

TChart::TChart() {
    SetRepaintOnChange(true);
}

}  // namespace twinscope
