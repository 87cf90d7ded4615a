#include "twinscope/platform/MappedColumnFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "twinscope/chart/series/ColumnFileParts.h"

namespace twinscope {

namespace {

// Reading ahead stops at this many bytes on each side of a list: a view of more points reads
// only a few pages per pixel column, far apart, and asking for all of them would read the
// whole file.
constexpr std::uint64_t MostBytesAhead = std::uint64_t{32} << 20;

// The program's resident memory past which the file's pages are let go from it: they stay in
// the system's page cache, and the pages a frame touches come back without reading the disk.
constexpr std::uint64_t ResidentBudget = std::uint64_t{384} << 20;

std::uint64_t ResidentBytes() {
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    char text[128] = {};
    const ssize_t got = read(fd, text, sizeof text - 1);
    ::close(fd);
    if (got <= 0) return 0;
    unsigned long long size = 0;
    unsigned long long resident = 0;
    if (std::sscanf(text, "%llu %llu", &size, &resident) != 2) return 0;
    return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

std::string SystemReason() {
    return std::strerror(errno);
}

std::int64_t MajorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_majflt;
}

// The time this thread has run on a processor.
std::chrono::nanoseconds ThreadRunTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

}  // namespace

std::shared_ptr<TMappedColumnFile> TMappedColumnFile::Open(const std::string& path) {
    std::shared_ptr<TMappedColumnFile> file(new TMappedColumnFile());
    file->path_ = path;
    file->fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file->fd_ < 0) throw ColumnFileError(SystemReason());
    struct stat status {};
    if (fstat(file->fd_, &status) != 0) throw ColumnFileError(SystemReason());
    const auto size = static_cast<std::uint64_t>(status.st_size);
    std::array<std::byte, TColumnFileLayout::HeaderBytes> header{};
    const std::size_t wanted = std::min<std::uint64_t>(header.size(), size);
    if (pread(file->fd_, header.data(), wanted, 0) != static_cast<ssize_t>(wanted))
        throw ColumnFileError(SystemReason());
    file->layout_ = TColumnFileLayout::Read(std::span(header).first(wanted), size);
    file->bytes_ = file->layout_.FileBytes();
    void* mapped = mmap(nullptr, file->bytes_, PROT_READ, MAP_SHARED, file->fd_, 0);
    if (mapped == MAP_FAILED) throw ColumnFileError(SystemReason());
    file->base_ = static_cast<const std::byte*>(mapped);
    file->guard_ = std::make_unique<TMappingFaultGuard>(mapped, file->bytes_);
    const TColumnFileLayout& layout = file->layout_;
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k) {
        file->levels_[k] = {reinterpret_cast<const double*>(file->base_ + layout.LevelOffset(k)),
                            2 * layout.LevelBlocks(k)};
    }
    return file;
}

TMappedColumnFile::~TMappedColumnFile() {
    // The guard watches the range until the pages are gone.
    if (base_) munmap(const_cast<std::byte*>(base_), bytes_);
    guard_.reset();
    if (fd_ >= 0) ::close(fd_);
}

TBorrowedPoints TMappedColumnFile::Points() {
    const auto count = static_cast<std::size_t>(layout_.PointCount);
    return {
        .Xs = {reinterpret_cast<const double*>(base_ + layout_.XOffset()), count},
        .Ys = {reinterpret_cast<const double*>(base_ + layout_.YOffset()), count},
        .XExtremes = layout_.XExtremes,
        .YExtremes = layout_.YExtremes,
        .YIndex = levels_,
        .Lender = shared_from_this(),
        .XBlockFirsts = {reinterpret_cast<const double*>(base_ + layout_.XBlockOffset()),
                         static_cast<std::size_t>(layout_.XBlocks())},
        .XBlockValues = TColumnFileLayout::XBlockValues,
    };
}

void TMappedColumnFile::Lose(const std::string& reason) {
    if (lost_) return;
    lost_ = reason;
    if (OnLost) OnLost(reason);
}

bool TMappedColumnFile::StillWhole() {
    if (lost_) return false;
    struct stat status {};
    if (fstat(fd_, &status) != 0) {
        Lose(SystemReason());
        return false;
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size < bytes_) {
        Lose("shortened to " + std::to_string(size) + " of " + std::to_string(bytes_) +
             " bytes while shown");
        return false;
    }
    if (guard_->Faulted()) {
        Lose("a page could not be read while shown");
        return false;
    }
    return true;
}

bool TMappedColumnFile::ReadyToDraw() {
    drawStart_ = std::chrono::steady_clock::now();
    ranAtStart_ = ThreadRunTime();
    faultsAtStart_ = MajorFaults();
    return StillWhole();
}

void TMappedColumnFile::LetGo(std::uint64_t from, std::uint64_t to) const {
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    from = (from + page - 1) / page * page;
    to = std::min(to, bytes_) / page * page;
    if (from >= to) return;
    madvise(const_cast<std::byte*>(base_ + from), to - from, MADV_DONTNEED);
}

void TMappedColumnFile::Advise(std::uint64_t from, std::uint64_t to) const {
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    from = from / page * page;
    to = std::min(to, bytes_);
    if (from >= to) return;
    madvise(const_cast<std::byte*>(base_ + from), to - from, MADV_WILLNEED);
}

void TMappedColumnFile::WillDraw(std::int32_t first, std::int32_t last) {
    // A pan moves the view by up to its width: the points that far on each side come next.
    const std::int64_t width = std::int64_t{last} - first + 1;
    const auto from = static_cast<std::uint64_t>(std::max<std::int64_t>(0, first - width));
    const auto to = static_cast<std::uint64_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(layout_.PointCount), last + 1 + width));
    const std::uint64_t bytes = (to - from) * sizeof(double);
    if (bytes <= 2 * MostBytesAhead) {
        Advise(layout_.XOffset() + from * sizeof(double), layout_.XOffset() + to * sizeof(double));
        Advise(layout_.YOffset() + from * sizeof(double), layout_.YOffset() + to * sizeof(double));
    }
    // The index levels a column's spread reads: a sixteenth of the values' bytes per level.
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k) {
        const std::uint64_t shift = TMinMaxIndex::BlockShift * (k + 1);
        const std::uint64_t a = (from >> shift) * 2 * sizeof(double);
        const std::uint64_t b = ((to >> shift) + 1) * 2 * sizeof(double);
        if (b - a > 2 * MostBytesAhead) continue;
        Advise(layout_.LevelOffset(k) + a, layout_.LevelOffset(k) + b);
    }
}

void TMappedColumnFile::DidDraw(std::int32_t first, std::int32_t last,
                                std::span<const std::int32_t> columnStarts) {
    if (lost_) return;
    // Views small enough to be asked for whole, with a width on each side, were before the
    // frame.
    const auto shown = static_cast<std::uint64_t>(std::int64_t{last} - first + 1);
    if (3 * shown * sizeof(double) > 2 * MostBytesAhead) AdviseNextColumns(columnStarts);
    // A view drawn again reads the pages it read before: they stay while it is still, whatever
    // they come to. A view that moved, even by a fraction of a column, reads between them:
    // letting go of everything costs a call a part.
    const bool moved = std::make_pair(first, last) != lastDrawn_;
    lastDrawn_ = {first, last};
    if (!moved || ResidentBytes() <= ResidentBudget) return;
    for (const TColumnFilePart& part : PartsOf(layout_))
        LetGo(part.offset, part.offset + part.bytes);
}

void TMappedColumnFile::AdviseNextColumns(std::span<const std::int32_t> columnStarts) const {
    if (columnStarts.size() < 3) return;
    // The columns a pan of an eighth of the view brings in, as wide as the view's on average
    // (the columns at its ends may be cut short by the plot's edges).
    const std::size_t columns = columnStarts.size() - 1;
    const std::size_t ahead = std::max<std::size_t>(1, columns / 8);
    const auto count = static_cast<std::int64_t>(layout_.PointCount);
    const std::int64_t width = std::max<std::int64_t>(
        1, (std::int64_t{columnStarts.back()} - columnStarts.front()) /
               static_cast<std::int64_t>(columns));
    std::vector<std::int64_t> next;
    for (std::size_t k = 1; k <= ahead; ++k) {
        const std::int64_t left = columnStarts.front() - static_cast<std::int64_t>(k) * width;
        const std::int64_t right = columnStarts.back() + static_cast<std::int64_t>(k) * width;
        if (left >= 0) next.push_back(left);
        if (right < count) next.push_back(right);
    }
    std::sort(next.begin(), next.end());
    for (const TColumnFilePart& part : PartsOf(layout_)) {
        std::uint64_t advisedTo = 0;
        for (const std::int64_t at : next) {
            const TByteRange read = part.ReadAround(at, at + 1);
            if (read.to <= advisedTo) continue;
            Advise(std::max(read.from, advisedTo), read.to);
            advisedTo = read.to;
        }
    }
}

TMappedColumnFile::TWait TMappedColumnFile::SinceWillDraw() const {
    const std::chrono::nanoseconds time = std::chrono::steady_clock::now() - drawStart_;
    // The two clocks tick apart: a frame that ran all along may seem to have run longer.
    const std::chrono::nanoseconds waited = time - (ThreadRunTime() - ranAtStart_);
    return {MajorFaults() - faultsAtStart_, time, std::max(waited, std::chrono::nanoseconds{0})};
}

}  // namespace twinscope
