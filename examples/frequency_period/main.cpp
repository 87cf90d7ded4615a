// Saves a filter's response over frequency, with the period on top, as a PNG:
// `frequency_period_chart [file.png]`. The bottom axis is logarithmic, 10 Hz to 100 kHz; the
// period scale above it is the reciprocal, given with its inverse, so it labels round periods
// where they lie and reads backwards: the longest period stands over the lowest frequency.
#include <cmath>
#include <iostream>
#include <string>

#include <QGuiApplication>

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

namespace {

// The gain in dB of a band-pass filter of two first-order stages, a high-pass at 100 Hz and a
// low-pass at 5 kHz.
double GainDecibels(double hertz) {
    const double highPass = hertz / 100.0;
    const double lowPass = hertz / 5000.0;
    const double power =
        (highPass * highPass / (1 + highPass * highPass)) / (1 + lowPass * lowPass);
    return 10 * std::log10(power);
}

// A frequency in Hz and a period in ms, each the other's reciprocal; the same function converts
// both ways.
double MillisecondsOrHertz(double value) {
    return 1000.0 / value;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace twinscope;
    QGuiApplication app(argc, argv);  // for the fonts; no window opens
    const std::string file = argc > 1 ? argv[1] : "frequency_period.png";

    TChart chart;
    // The title goes below the plot: above it, the period scale takes the room.
    chart.Title().SetVisible(false);
    chart.Foot().SetText({"A band-pass filter, 100 Hz to 5 kHz"});
    chart.Legend().SetVisible(false);
    TLineSeries& gain = chart.AddNewSeries<TLineSeries>();
    // Twenty points a decade, at equal spacing on the logarithmic axis.
    for (int step = 0; step <= 80; ++step) {
        const double hertz = 10 * std::pow(10.0, step / 20.0);
        gain.AddPoint(hertz, GainDecibels(hertz));
    }
    chart.LeftAxis().SetMinMax(-40, 5);
    chart.LeftAxis().Title().SetCaption("gain (dB)");

    // The master: frequency in Hz, logarithmic, red.
    TChartAxis& frequency = chart.BottomAxis();
    StyleAxis(frequency, "frequency (Hz)", clRed);
    frequency.SetMinMax(10, 1e5);
    frequency.SetLogarithmic(true);

    // The period in ms on top, blue: 100 ms over 10 Hz down to 0.01 ms over 100 kHz. Logarithmic
    // too, so it is labelled at its powers of ten.
    tScale& period = chart.CustomAxes().Add<tScale>(ssTop, "period (ms)", &MillisecondsOrHertz,
                                                    &MillisecondsOrHertz, "", "", clBlue);
    period.SetLogarithmic(true);
    period.SetFollowsLive(true);

    try {
        SaveChartImage(chart, file, 900, 500, 2);
    } catch (const RuntimeError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << file << '\n';
    return 0;
}
