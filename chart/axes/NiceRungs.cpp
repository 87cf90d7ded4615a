#include "twinscope/chart/axes/NiceRungs.h"

#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

std::vector<double> NiceRungs(double span) {
    std::vector<double> rungs{10};
    if (!(span > 0)) return rungs;
    // Each rung comes from the previous one by 2, 2.5, 2 in turn, each product rounded to a
    // double, so the rungs stay the doubles nearest to 1, 2 and 5 times a power of ten.
    constexpr double factors[] = {2, 2.5, 2};
    const Extended fifth = static_cast<Extended>(span) / 5;
    double rung = 0.0001;
    for (int k = 0; fifth > rung; k = (k + 1) % 3) {
        rungs.push_back(rung);
        rung *= factors[k];
    }
    return rungs;
}

double NiceRung(double span) {
    return NiceRungs(span).back();
}

}  // namespace twinscope
