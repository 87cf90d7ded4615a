#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ReadingsFile.h"

namespace twinscope {

// Writes the window's chart into a picture file without showing the window. It builds the
// window's content and goes the user's way: the window's first plot as when it is shown, the
// grid command when asked, the values typed and picked, then "plot"; so the checks and messages
// are the plot's own. The command line has no earlier range of its own: the two axes are opened
// before the plot, and the typed values are checked against each other only.
// The title and the legend are set as asked before the plot. A picture for standard output is
// written there whole once it is drawn.
// With wrapDayScale dates across a new year get the day scale that reads across it; without,
// the window's message for them names the option.
// Answers the messages that stopped it, as the window would show them; none when the picture
// was written. Readings that do not fit into memory raise OutOfMemoryError, which counts their
// points, for the caller to name their file; nothing is written then.
// With overlayYears the years of the readings are laid over each other (OverlayYears); the °F
// limits given still win.
std::vector<std::string> RenderChart(const TRenderOptions& options,
                                     const std::optional<TReadingsFile>& readings,
                                     bool wrapDayScale = false,
                                     std::optional<TLeapDay> overlayYears = std::nullopt);

}  // namespace twinscope
