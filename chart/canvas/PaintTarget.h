#pragma once

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Where a painting frame ends up: the window's surface, held by reference together with its
// type. The core only hands it from the chart to the canvas; a backend asks for the surface
// type it draws on (the Qt backends for a QPainter) and gets null from a target holding
// another type or none.
class TWINSCOPE_EXPORT TPaintTarget {
public:
    TPaintTarget() = default;
    template <typename Surface>
    explicit TPaintTarget(Surface& surface) : surface_(&surface), type_(TypeKey<Surface>()) {}

    template <typename Surface>
    Surface* SurfaceOf() const {
        return type_ == TypeKey<Surface>() ? static_cast<Surface*>(surface_) : nullptr;
    }

private:
    // One address per surface type, the same in every translation unit.
    template <typename Surface>
    static const void* TypeKey() {
        static constexpr char key = 0;
        return &key;
    }

    void* surface_ = nullptr;
    const void* type_ = nullptr;
};

}  // namespace twinscope
