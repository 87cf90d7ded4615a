#pragma once

// Secondary scales: the scale core, the 1-2-5 increment rule, the scale look, and the Celsius
// and day-of-the-year scales.
#include "chart/panel/CustomAxisOwner.h"
#include "scales/CelsiusScale.h"
#include "scales/DayOfTheYearScale.h"
#include "scales/NiceIncrement.h"
#include "scales/Scale.h"
#include "scales/StyleAxis.h"
