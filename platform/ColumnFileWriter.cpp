#include "twinscope/platform/ColumnFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace twinscope {

namespace {

constexpr std::size_t BufferValues = std::size_t{1} << 16;

// A scratch file beside the target, gone from the folder at once: the system frees it when
// the writer closes it, also after a crash.
int ScratchFile(const std::string& beside) {
    std::string name = beside + ".scratch-XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) unlink(name.c_str());
    return fd;
}

}  // namespace

TColumnFileWriter::TColumnFileWriter(std::string path, std::string name, bool xDateTime)
    : path_(std::move(path)) {
    layout_.Name = std::move(name);
    layout_.XDateTime = xDateTime;
    temporary_ = path_ + ".partial-XXXXXX";
    fd_ = mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) Fail();
    fchmod(fd_, 0644);
    xs_.fd = fd_;
    xs_.offset = TColumnFileLayout::HeaderBytes;
    for (TStream* stream : {&ys_, &xBlocks_}) {
        stream->fd = ScratchFile(path_);
        if (stream->fd < 0) Fail();
    }
    for (TStream& level : levels_) {
        level.fd = ScratchFile(path_);
        if (level.fd < 0) Fail();
    }
}

TColumnFileWriter::~TColumnFileWriter() {
    for (const TStream* stream : {&ys_, &xBlocks_})
        if (stream->fd >= 0) ::close(stream->fd);
    for (const TStream& level : levels_)
        if (level.fd >= 0) ::close(level.fd);
    if (fd_ >= 0) ::close(fd_);
    if (!finished_ && !temporary_.empty()) unlink(temporary_.c_str());
}

void TColumnFileWriter::Fail() const {
    throw ColumnFileError(std::strerror(errno));
}

void TColumnFileWriter::Flush(TStream& stream) {
    const auto* bytes = reinterpret_cast<const char*>(stream.buffer.data());
    std::size_t left = stream.buffer.size() * sizeof(double);
    while (left > 0) {
        const ssize_t wrote = pwrite(stream.fd, bytes, left, static_cast<off_t>(stream.offset));
        if (wrote < 0) {
            if (errno == EINTR) continue;
            Fail();
        }
        bytes += wrote;
        left -= static_cast<std::size_t>(wrote);
        stream.offset += static_cast<std::uint64_t>(wrote);
    }
    stream.buffer.clear();
}

void TColumnFileWriter::Put(TStream& stream, const double* values, std::size_t count) {
    for (std::size_t done = 0; done < count;) {
        if (stream.buffer.capacity() < BufferValues) stream.buffer.reserve(BufferValues);
        const std::size_t n = std::min(count - done, BufferValues - stream.buffer.size());
        stream.buffer.insert(stream.buffer.end(), values + done, values + done + n);
        done += n;
        if (stream.buffer.size() == BufferValues) Flush(stream);
    }
}

void TColumnFileWriter::PutBlock(std::size_t level, const double* pair) {
    Put(levels_[level], pair, 2);
    if (level + 1 == TMinMaxIndex::LevelCount) return;
    std::vector<double>& pending = pendingPairs_[level];
    pending.insert(pending.end(), pair, pair + 2);
    if (pending.size() < 2 * TMinMaxIndex::BlockValues) return;
    double upper[2];
    TMinMaxIndex::ExtremesOfBlocks(pending.data(), upper);
    pending.clear();
    PutBlock(level + 1, upper);
}

void TColumnFileWriter::Add(std::span<const double> xs, std::span<const double> ys) {
    if (xs.size() != ys.size()) {
        throw ColumnFileError(std::to_string(xs.size()) + " X values for " +
                              std::to_string(ys.size()) + " Y values");
    }
    if (layout_.PointCount + xs.size() > TColumnFileLayout::MostPoints) {
        throw ColumnFileError("more than " + std::to_string(TColumnFileLayout::MostPoints) +
                              " points");
    }
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i];
        TValueSpread& xe = layout_.XExtremes;
        // Columns are found by searching X: it must ascend, and NaN has no place in it.
        if (std::isnan(x) || (!xe.notANumber && x < xe.high)) {
            throw ColumnFileError("point " + std::to_string(layout_.PointCount + i + 1) +
                                  ": X values must ascend");
        }
        if (xe.notANumber) xe = {x, x, false};
        xe.high = x;
        if ((layout_.PointCount + i) % TColumnFileLayout::XBlockValues == 0) Put(xBlocks_, &x, 1);
        const double y = ys[i];
        TValueSpread& ye = layout_.YExtremes;
        if (!std::isnan(y)) {
            if (ye.notANumber) ye = {y, y, false};
            ye.low = std::min(ye.low, y);
            ye.high = std::max(ye.high, y);
        }
        pendingValues_.push_back(y);
        if (pendingValues_.size() == TMinMaxIndex::BlockValues) {
            double pair[2];
            TMinMaxIndex::ExtremesOfValues(pendingValues_.data(), pair);
            pendingValues_.clear();
            PutBlock(0, pair);
        }
    }
    Put(xs_, xs.data(), xs.size());
    Put(ys_, ys.data(), ys.size());
    layout_.PointCount += xs.size();
}

void TColumnFileWriter::Place(TStream& stream, std::uint64_t offset) {
    Flush(stream);
    std::vector<char> buffer(BufferValues * sizeof(double));
    for (std::uint64_t at = 0; at < stream.offset;) {
        const ssize_t got = pread(stream.fd, buffer.data(),
                                  std::min<std::uint64_t>(buffer.size(), stream.offset - at),
                                  static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) Fail();
        for (ssize_t done = 0; done < got;) {
            const ssize_t wrote = pwrite(fd_, buffer.data() + done,
                                         static_cast<std::size_t>(got - done),
                                         static_cast<off_t>(offset + at + done));
            if (wrote < 0 && errno == EINTR) continue;
            if (wrote < 0) Fail();
            done += wrote;
        }
        at += static_cast<std::uint64_t>(got);
    }
}

void TColumnFileWriter::Finish() {
    Flush(xs_);
    Place(ys_, layout_.YOffset());
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k)
        Place(levels_[k], layout_.LevelOffset(k));
    Place(xBlocks_, layout_.XBlockOffset());
    const auto header = layout_.Header();
    if (pwrite(fd_, header.data(), header.size(), 0) != static_cast<ssize_t>(header.size()))
        Fail();
    // The gaps between the parts are zeros, and the last part may end before a whole page.
    if (ftruncate(fd_, static_cast<off_t>(layout_.FileBytes())) != 0) Fail();
    if (fsync(fd_) != 0) Fail();
    std::error_code error;
    std::filesystem::rename(temporary_, path_, error);
    if (error) throw ColumnFileError(error.message());
    finished_ = true;
}

}  // namespace twinscope
