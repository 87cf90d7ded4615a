#include "twinscope/chart/canvas/CanvasRegistry.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

struct TCanvasClass {
    std::string Name;
    TCanvasFactory Factory;
};

std::vector<TCanvasClass>& Classes() {
    static std::vector<TCanvasClass> classes;
    return classes;
}

const TCanvasClass* Find(const std::string& className) {
    auto& classes = Classes();
    auto found = std::find_if(classes.begin(), classes.end(),
                              [&](const TCanvasClass& c) { return c.Name == className; });
    return found == classes.end() ? nullptr : &*found;
}

}  // namespace

void RegisterCanvasClass(const std::string& className, TCanvasFactory factory) {
    UnregisterCanvasClass(className);
    Classes().push_back({className, std::move(factory)});
}

void UnregisterCanvasClass(const std::string& className) {
    std::erase_if(Classes(), [&](const TCanvasClass& c) { return c.Name == className; });
}

bool IsCanvasClassRegistered(const std::string& className) {
    return Find(className) != nullptr;
}

std::unique_ptr<TCanvas3D> SelectCanvas(const std::string& className,
                                        std::unique_ptr<TCanvas3D> current) {
    const TCanvasClass* selected = className.empty() ? nullptr : Find(className);
    if (!selected) selected = Find(kFallbackCanvasClass);
    if (!selected) {
        if (current) return current;
        throw RuntimeError("No canvas class is registered");
    }
    if (current && current->ClassName() == selected->Name) return current;
    return selected->Factory();
}

std::unique_ptr<TCanvas3D> SelectVectorSafeCanvas(const std::string& preferred) {
    if (const TCanvasClass* named = Find(preferred)) {
        std::unique_ptr<TCanvas3D> canvas = named->Factory();
        if (canvas->VectorSafe()) return canvas;
    }
    for (const TCanvasClass& c : Classes()) {
        std::unique_ptr<TCanvas3D> canvas = c.Factory();
        if (canvas->VectorSafe()) return canvas;
    }
    return nullptr;
}

}  // namespace twinscope
