#pragma once

// Secondary scales: the scale core, the 1-2-5 increment rule, the scale look, the Celsius and
// day-of-the-year scales, and the calendar scales that read across new years.
#include "twinscope/chart/panel/CustomAxisOwner.h"
#include "twinscope/scales/CalendarScale.h"
#include "twinscope/scales/CelsiusScale.h"
#include "twinscope/scales/DayOfTheYearScale.h"
#include "twinscope/scales/NiceIncrement.h"
#include "twinscope/scales/Scale.h"
#include "twinscope/scales/StyleAxis.h"
