#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "twinscope/chart/series/ColumnFileLayout.h"

namespace twinscope {

// Writes a column file as the points come, holding only a few buffers: the X values go to the
// file's place for them at once, the Y values, each level of their index and the first X of
// each block to a scratch file of their own, moved into place at the end. Everything is written to a temporary file beside
// the target, which Finish renames over it, so that the target is never seen half written.
class TColumnFileWriter {
public:
    // Raises ColumnFileError when the temporary file cannot be made.
    TColumnFileWriter(std::string path, std::string name, bool xDateTime);
    // Unless finished, the temporary file goes and the target stays as it was.
    ~TColumnFileWriter();
    TColumnFileWriter(const TColumnFileWriter&) = delete;
    TColumnFileWriter& operator=(const TColumnFileWriter&) = delete;

    // Raises ColumnFileError for X and Y of different lengths, X values that do not ascend (or
    // are not numbers), more points than a file holds, and failed writes.
    void Add(std::span<const double> xs, std::span<const double> ys);
    // Writes the header and renames the file into place.
    void Finish();
    std::uint64_t PointCount() const { return layout_.PointCount; }

private:
    // A stream of doubles into a file descriptor, from an offset on, written a buffer at a time.
    struct TStream {
        int fd = -1;
        std::uint64_t offset = 0;
        std::vector<double> buffer;
    };
    void Put(TStream& stream, const double* values, std::size_t count);
    void Flush(TStream& stream);
    // A first-level or upper block's extremes go to their level, and on up when they complete
    // a block of the level above.
    void PutBlock(std::size_t level, const double* pair);
    // Copies a scratch stream into the file at `offset`.
    void Place(TStream& stream, std::uint64_t offset);
    [[noreturn]] void Fail() const;

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool finished_ = false;
    TColumnFileLayout layout_;
    TStream xs_;
    TStream ys_;
    TStream xBlocks_;
    std::array<TStream, TMinMaxIndex::LevelCount> levels_;
    // Values and blocks that do not make a whole block yet.
    std::vector<double> pendingValues_;
    std::array<std::vector<double>, TMinMaxIndex::LevelCount> pendingPairs_;
};

}  // namespace twinscope
