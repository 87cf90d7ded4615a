// Writes the seeds of the chart input fuzzer into the directory given as argument: a zoom drag
// and its undo, a scroll, wheel turns and a pinch at the cursor, the navigation keys, readouts
// pinned by clicks and let go with Escape, each with paints between.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "SeedFiles.h"

namespace {

// Event kinds as the fuzzer reads them.
enum : std::uint8_t { Press, Move, Readout, Release, Wheel, Pinch, Key, Paint };
enum : std::uint8_t { Left, Right, Middle };
enum : std::uint8_t {
    KeyLeft,
    KeyRight,
    KeyUp,
    KeyDown,
    KeyPlus,
    KeyEqual,
    KeyMinus,
    KeyHome,
    KeyEscape
};

class Events {
public:
    Events& Add(std::uint8_t kind, std::initializer_list<std::uint8_t> bytes = {}) {
        bytes_.push_back(kind);
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    // A place in whole pixels: odd coordinates are read as they are.
    Events& At(std::uint8_t kind, std::int16_t x, std::int16_t y, std::uint8_t before = 0xFF) {
        bytes_.push_back(kind);
        if (before != 0xFF) bytes_.push_back(before);
        return Place(x, y);
    }
    Events& Place(std::int16_t x, std::int16_t y) {
        const auto ux = static_cast<std::uint16_t>(x | 1);
        const auto uy = static_cast<std::uint16_t>(y);
        bytes_.insert(bytes_.end(),
                      {static_cast<std::uint8_t>(ux), static_cast<std::uint8_t>(ux >> 8),
                       static_cast<std::uint8_t>(uy), static_cast<std::uint8_t>(uy >> 8)});
        return *this;
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = twinscope::fuzz::SeedDirectory(argc, argv);
    auto save = [&](const char* name, const Events& events) {
        twinscope::fuzz::SaveSeed(dir / name, events.Bytes());
    };
    save("zoom-and-undo", Events()
                              .At(Press, 201, 101, Left)
                              .At(Move, 301, 181)
                              .At(Release, 401, 251, Left)
                              .Add(Paint)
                              .At(Press, 401, 251, Left)
                              .At(Move, 301, 181)
                              .At(Release, 201, 101, Left)
                              .Add(Paint));
    save("scroll", Events()
                       .At(Press, 301, 201, Right)
                       .At(Move, 251, 171)
                       .At(Release, 101, 51, Right)
                       .Add(Paint));
    save("wheel-and-pinch", Events()
                                .Add(Wheel, {120, 0})
                                .Place(301, 201)
                                .Add(Paint)
                                .Add(Wheel, {0x88, 0xFF})
                                .Place(41, 201)
                                .At(Pinch, 301, 201, 16)
                                .Add(Paint)
                                .At(Pinch, 301, 201, 0xE0)
                                .Add(Paint));
    save("keys", Events()
                     .Add(Key, {KeyPlus})
                     .Add(Key, {KeyLeft})
                     .Add(Key, {KeyUp})
                     .Add(Paint)
                     .Add(Key, {KeyMinus})
                     .Add(Key, {KeyHome})
                     .Add(Paint));
    save("readouts", Events()
                         .At(Move, 301, 201)
                         .Add(Paint)
                         .At(Press, 301, 201, Left)
                         .At(Release, 301, 201, Left)
                         .At(Readout | 0x10, 351, 151)
                         .Add(Paint)
                         .Add(Key, {KeyEscape})
                         .At(Readout | 0x20, 0, 0)
                         .Add(Paint));
    return 0;
}
