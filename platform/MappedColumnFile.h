#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "twinscope/chart/series/BorrowedPoints.h"
#include "twinscope/chart/series/ColumnFileLayout.h"
#include "twinscope/chart/series/PointLender.h"
#include "twinscope/platform/MappingFaultGuard.h"

namespace twinscope {

// A column file mapped read-only for a series to show in place: opening reads the header page
// and maps the rest, copying and indexing nothing. Before each paint the file's size is looked
// at; a file shortened since (or a page found missing while drawing) is lost: the series then
// draws nothing and OnLost hears why, once.
//
// The pages the next frame likely reads are asked for ahead: the view's neighbours when they
// are few, else those of the pixel columns a pan reaches next. A page that is not cached is
// read with the system's reading around it: reading only that page, a frame that moved by a
// fraction of a column waits for hundreds of single pages, where the megabytes around the
// pages it missed hold most of what the next frames read. The system maps a cached page
// together with its neighbours (up to megabytes of them), so a frame over a billion points
// gathers a gigabyte in the program: after a frame whose view moved, while the program's
// resident memory is over a budget, the file's pages are let go (the page cache keeps them);
// a still view keeps what it read.
class TMappedColumnFile final : public TPointLender,
                                public std::enable_shared_from_this<TMappedColumnFile> {
public:
    // Raises ColumnFileError (with the reason alone, no file name) for a file that cannot be
    // read or is refused by its layout.
    static std::shared_ptr<TMappedColumnFile> Open(const std::string& path);
    ~TMappedColumnFile() override;
    TMappedColumnFile(const TMappedColumnFile&) = delete;
    TMappedColumnFile& operator=(const TMappedColumnFile&) = delete;

    const TColumnFileLayout& Layout() const { return layout_; }
    const std::string& Path() const { return path_; }
    // The points for TChartSeries::ShowBorrowedPoints; this file lends them.
    TBorrowedPoints Points();

    // Why the file was lost, when it was.
    const std::optional<std::string>& Lost() const { return lost_; }
    std::function<void(const std::string& reason)> OnLost;

    // What the last paint waited for: pages that had to come from the disk, the time from its
    // start up to now, and how much of it the program did not run (waiting for those pages,
    // or for a processor).
    struct TWait {
        std::int64_t PagesRead = 0;
        std::chrono::nanoseconds Time{0};
        std::chrono::nanoseconds Waited{0};
    };
    TWait SinceWillDraw() const;

    bool ReadyToDraw() override;
    void WillDraw(std::int32_t first, std::int32_t last) override;
    void DidDraw(std::int32_t first, std::int32_t last,
                 std::span<const std::int32_t> columnStarts) override;

private:
    TMappedColumnFile() = default;
    // Looks at the file's size and at the faults met; false (and lost) when it no longer holds
    // its parts.
    bool StillWhole();
    void Lose(const std::string& reason);
    // Asks for the bytes [from, to) of the mapping ahead, within the mapping.
    void Advise(std::uint64_t from, std::uint64_t to) const;
    // Lets the whole pages of the bytes [from, to) go from the program; they stay cached.
    void LetGo(std::uint64_t from, std::uint64_t to) const;
    // Asks ahead for the pages of the columns a pan reaches next on each side of the drawn ones.
    void AdviseNextColumns(std::span<const std::int32_t> columnStarts) const;

    std::string path_;
    int fd_ = -1;
    const std::byte* base_ = nullptr;
    std::uint64_t bytes_ = 0;
    TColumnFileLayout layout_;
    std::array<std::span<const double>, TMinMaxIndex::LevelCount> levels_{};
    std::unique_ptr<TMappingFaultGuard> guard_;
    std::optional<std::string> lost_;
    std::chrono::steady_clock::time_point drawStart_{};
    std::chrono::nanoseconds ranAtStart_{0};
    std::pair<std::int32_t, std::int32_t> lastDrawn_{-1, -1};
    std::int64_t faultsAtStart_ = 0;
};

}  // namespace twinscope
