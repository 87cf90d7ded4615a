#pragma once

namespace twinscope {

// Where a painting frame ends up: the window's surface. The core only hands it from the chart
// to the canvas; each backend knows its own kind of target (the Qt backends take a
// TQtPaintTarget, which wraps the window's painter).
class TPaintTarget {
public:
    virtual ~TPaintTarget() = default;
};

}  // namespace twinscope
