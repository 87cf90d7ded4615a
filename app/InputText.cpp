#include "app/InputText.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/DatabaseReadings.h"
#include "app/ReadingsCsv.h"
#include "twinscope/platform/MappingFaultGuard.h"

namespace twinscope {

namespace {

constexpr std::string_view GzipMagic = "\x1F\x8B";

// Readings compress about ten to one; deflate comes near a thousand to one only on bytes that
// repeat, as in a gzip bomb, whose few kilobytes would otherwise fill the memory. Text of up to
// MostExpansion times the compressed bytes is taken, and any text of up to AlwaysTaken bytes.
constexpr std::size_t MostExpansion = 100;
constexpr std::size_t AlwaysTaken = std::size_t{64} << 20;

[[noreturn]] void CannotDecompress(const std::string& reason) {
    throw ReadingsError(0, "cannot be decompressed (" + reason + ")");
}

std::string Gunzip(std::string_view compressed) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) CannotDecompress("zlib cannot start");
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, &inflateEnd);
    const std::size_t limit = std::max(AlwaysTaken, compressed.size() * MostExpansion);
    std::string text;
    std::size_t size = 0;
    for (;;) {
        // zlib counts in 32 bits: larger inputs are handed over in parts.
        if (stream.avail_in == 0 && !compressed.empty()) {
            const std::size_t part = std::min<std::size_t>(compressed.size(), UINT_MAX);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
            stream.avail_in = static_cast<uInt>(part);
            compressed.remove_prefix(part);
        }
        // One byte beyond the limit tells text that would be longer.
        const std::size_t room = std::min(std::max<std::size_t>(1 << 16, size), limit + 1 - size);
        text.resize(size + room);
        stream.next_out = reinterpret_cast<Bytef*>(text.data() + size);
        stream.avail_out = static_cast<uInt>(std::min<std::size_t>(room, UINT_MAX));
        const uInt before = stream.avail_out;
        const int status = inflate(&stream, Z_NO_FLUSH);
        size += before - stream.avail_out;
        if (size > limit) {
            CannotDecompress("it expands to more than " + std::to_string(MostExpansion) +
                             " times its size, as no readings file does");
        }
        if (status == Z_STREAM_END) {
            // gzip files may hold several members one after the other.
            if (stream.avail_in == 0 && compressed.empty()) break;
            if (inflateReset(&stream) != Z_OK) CannotDecompress("zlib cannot go on");
            continue;
        }
        if (status == Z_BUF_ERROR && stream.avail_in == 0 && compressed.empty()) {
            CannotDecompress("the compressed data ends early");
        }
        if (status != Z_OK) CannotDecompress(stream.msg ? stream.msg : "not gzip data");
    }
    text.resize(size);
    return text;
}

[[noreturn]] void CannotRead() {
    throw ReadingsError(0, std::string("cannot be read (") + std::strerror(errno) + ")");
}

// The text of a stream read to its end, decompressed when it is gzip-compressed.
std::string ReadStream(std::FILE* file) {
    // Read in blocks: the size of a pipe is not known beforehand.
    std::string bytes;
    constexpr std::size_t Block = 1 << 20;
    std::size_t size = 0;
    do {
        bytes.resize(size + Block);
        size += std::fread(bytes.data() + size, 1, Block, file);
    } while (size == bytes.size());
    if (std::ferror(file)) CannotRead();
    bytes.resize(size);
    return DecompressedText(std::move(bytes));
}

std::size_t PageBytes() {
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

std::string DecompressedText(std::string bytes) {
    if (!std::string_view(bytes).starts_with(GzipMagic)) return bytes;
    return Gunzip(bytes);
}

std::string DecompressedText(std::string_view bytes) {
    if (!bytes.starts_with(GzipMagic)) return std::string(bytes);
    return Gunzip(bytes);
}

TInputText::TInputText(const std::string& path) {
    const int fd = path == "-" ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        const std::size_t page = PageBytes();
        const std::size_t bytes = (size + page - 1) / page * page;
        void* mapped = mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, fd, 0);
        ::close(fd);
        if (mapped == MAP_FAILED) CannotRead();
        mapped_ = mapped;
        mappedBytes_ = bytes;
        guard_ = std::make_unique<TMappingFaultGuard>(mapped, bytes);
        madvise(mapped, bytes, MADV_SEQUENTIAL);
        text_ = std::string_view(static_cast<const char*>(mapped), size);
        if (text_.starts_with(GzipMagic)) {
            held_ = Gunzip(text_);
            text_ = held_;
            // The compressed bytes are done with.
            munmap(mapped_, mappedBytes_);
            mapped_ = nullptr;
            guard_.reset();
        }
        return;
    }
    if (path == "-") {
        held_ = ReadInputText(path);
    } else {
        // A pipe or a device is read from the descriptor open now: opened again, a pipe's
        // writer may be gone.
        std::FILE* file = fd >= 0 ? fdopen(fd, "rb") : nullptr;
        if (!file) {
            if (fd >= 0) ::close(fd);
            CannotRead();
        }
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closing(file, &std::fclose);
        held_ = ReadStream(file);
    }
    text_ = held_;
}

TInputText::~TInputText() {
    // The guard watches the range until the pages are gone.
    if (mapped_) munmap(mapped_, mappedBytes_);
    guard_.reset();
}

void TInputText::LetGoBefore(std::size_t offset) {
    if (!mapped_) return;
    const std::size_t end = std::min(offset, text_.size()) / PageBytes() * PageBytes();
    if (end <= letGo_) return;
    madvise(static_cast<char*>(mapped_) + letGo_, end - letGo_, MADV_DONTNEED);
    letGo_ = end;
}

bool TInputText::CutShort() const {
    return guard_ && guard_->Faulted();
}

std::string ReadInputText(const std::string& path) {
    const bool standardInput = path == "-";
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        standardInput ? stdin : std::fopen(path.c_str(), "rb"),
        standardInput ? +[](std::FILE*) { return 0; } : &std::fclose);
    if (!file) CannotRead();
    return ReadStream(file.get());
}

std::string InputName(const std::string& path) {
    if (IsDatabaseAddress(path)) return ShownDatabaseAddress(path);
    return path == "-" ? "standard input" : path;
}

}  // namespace twinscope
