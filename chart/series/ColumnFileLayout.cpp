#include "twinscope/chart/series/ColumnFileLayout.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace twinscope {

static_assert(std::endian::native == std::endian::little,
              "column files are little-endian and mapped in place");

namespace {

// Where each field of the header page lies.
namespace at {
constexpr std::size_t Magic = 0;
constexpr std::size_t Version = 8;
constexpr std::size_t HeaderBytes = 12;
constexpr std::size_t PointCount = 16;
constexpr std::size_t XKind = 24;
constexpr std::size_t YKind = 28;
constexpr std::size_t Flags = 32;
constexpr std::size_t LevelCount = 36;
constexpr std::size_t XLow = 40;
constexpr std::size_t XHigh = 48;
constexpr std::size_t YLow = 56;
constexpr std::size_t YHigh = 64;
constexpr std::size_t XOffset = 72;
constexpr std::size_t YOffset = 80;
constexpr std::size_t Levels = 88;
constexpr std::size_t FileBytes = Levels + 8 * TMinMaxIndex::LevelCount;
constexpr std::size_t NameLength = FileBytes + 8;
constexpr std::size_t Name = NameLength + 4;
constexpr std::size_t XBlockOffset = Name + TColumnFileLayout::NameBytes;
constexpr std::size_t XBlockValues = XBlockOffset + 8;
constexpr std::size_t Checksum = TColumnFileLayout::HeaderBytes - 8;
}  // namespace at
static_assert(at::XBlockValues + 4 <= at::Checksum);

constexpr std::uint32_t XDateTimeFlag = 1;
constexpr std::uint32_t XNoNumberFlag = 2;
constexpr std::uint32_t YNoNumberFlag = 4;

constexpr std::uint64_t PageBytes = 4096;
constexpr std::uint64_t LevelAlignment = 64;

constexpr std::uint64_t AlignUp(std::uint64_t bytes, std::uint64_t to) {
    return (bytes + to - 1) / to * to;
}

template <typename T>
void Put(std::array<std::byte, TColumnFileLayout::HeaderBytes>& page, std::size_t offset, T v) {
    std::memcpy(page.data() + offset, &v, sizeof v);
}

template <typename T>
T Get(std::span<const std::byte> page, std::size_t offset) {
    T v;
    std::memcpy(&v, page.data() + offset, sizeof v);
    return v;
}

}  // namespace

std::uint64_t Fnv1a64(std::span<const std::byte> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const std::byte b : bytes) {
        hash ^= static_cast<std::uint8_t>(b);
        hash *= 0x100000001b3u;
    }
    return hash;
}

std::uint64_t TColumnFileLayout::YOffset() const {
    return XOffset() + AlignUp(PointCount * sizeof(double), PageBytes);
}

std::uint64_t TColumnFileLayout::LevelOffset(std::size_t level) const {
    std::uint64_t offset = YOffset() + AlignUp(PointCount * sizeof(double), PageBytes);
    for (std::size_t k = 0; k < level; ++k)
        offset += AlignUp(LevelBlocks(k) * 2 * sizeof(double), LevelAlignment);
    return offset;
}

std::uint64_t TColumnFileLayout::XBlockOffset() const {
    return AlignUp(LevelOffset(TMinMaxIndex::LevelCount), LevelAlignment);
}

std::uint64_t TColumnFileLayout::XBlocks() const {
    if (FileVersion < 2) return 0;
    return (PointCount + XBlockValues - 1) / XBlockValues;
}

std::uint64_t TColumnFileLayout::FileBytes() const {
    if (FileVersion < 2) return LevelOffset(TMinMaxIndex::LevelCount);
    return XBlockOffset() + XBlocks() * sizeof(double);
}

std::array<std::byte, TColumnFileLayout::HeaderBytes> TColumnFileLayout::Header() const {
    std::array<std::byte, HeaderBytes> page{};
    std::memcpy(page.data() + at::Magic, Magic.data(), Magic.size());
    Put(page, at::Version, FileVersion);
    Put(page, at::HeaderBytes, static_cast<std::uint32_t>(HeaderBytes));
    Put(page, at::PointCount, PointCount);
    Put(page, at::XKind, Float64);
    Put(page, at::YKind, Float64);
    const std::uint32_t flags = (XDateTime ? XDateTimeFlag : 0) |
                                (XExtremes.notANumber ? XNoNumberFlag : 0) |
                                (YExtremes.notANumber ? YNoNumberFlag : 0);
    Put(page, at::Flags, flags);
    Put(page, at::LevelCount, static_cast<std::uint32_t>(TMinMaxIndex::LevelCount));
    Put(page, at::XLow, XExtremes.low);
    Put(page, at::XHigh, XExtremes.high);
    Put(page, at::YLow, YExtremes.low);
    Put(page, at::YHigh, YExtremes.high);
    Put(page, at::XOffset, XOffset());
    Put(page, at::YOffset, YOffset());
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k)
        Put(page, at::Levels + 8 * k, LevelOffset(k));
    Put(page, at::FileBytes, FileBytes());
    const std::size_t nameLength = std::min(Name.size(), NameBytes);
    Put(page, at::NameLength, static_cast<std::uint32_t>(nameLength));
    std::memcpy(page.data() + at::Name, Name.data(), nameLength);
    if (FileVersion >= 2) {
        Put(page, at::XBlockOffset, XBlockOffset());
        Put(page, at::XBlockValues, static_cast<std::uint32_t>(XBlockValues));
    }
    Put(page, at::Checksum, Fnv1a64(std::span(page).first(at::Checksum)));
    return page;
}

TColumnFileLayout TColumnFileLayout::Read(std::span<const std::byte> header,
                                          std::uint64_t fileBytes) {
    if (fileBytes < HeaderBytes || header.size() < HeaderBytes) {
        throw ColumnFileError("truncated: " + std::to_string(fileBytes) +
                              " bytes, shorter than the header's " +
                              std::to_string(HeaderBytes));
    }
    if (std::memcmp(header.data() + at::Magic, Magic.data(), Magic.size()) != 0)
        throw ColumnFileError("not a column file");
    const auto version = Get<std::uint32_t>(header, at::Version);
    if (version < OldestVersion || version > Version) {
        throw ColumnFileError("column file version " + std::to_string(version) +
                              ", this program reads versions " + std::to_string(OldestVersion) +
                              " to " + std::to_string(Version));
    }
    if (Get<std::uint64_t>(header, at::Checksum) != Fnv1a64(header.first(at::Checksum)))
        throw ColumnFileError("the header fails its checksum");
    if (Get<std::uint32_t>(header, at::XKind) != Float64 ||
        Get<std::uint32_t>(header, at::YKind) != Float64) {
        throw ColumnFileError("values of an unknown kind");
    }
    TColumnFileLayout layout;
    layout.FileVersion = version;
    layout.PointCount = Get<std::uint64_t>(header, at::PointCount);
    if (layout.PointCount > MostPoints) {
        throw ColumnFileError(std::to_string(layout.PointCount) + " points, more than " +
                              std::to_string(MostPoints));
    }
    const auto flags = Get<std::uint32_t>(header, at::Flags);
    layout.XDateTime = (flags & XDateTimeFlag) != 0;
    layout.XExtremes = {Get<double>(header, at::XLow), Get<double>(header, at::XHigh),
                        (flags & XNoNumberFlag) != 0};
    layout.YExtremes = {Get<double>(header, at::YLow), Get<double>(header, at::YHigh),
                        (flags & YNoNumberFlag) != 0};
    const auto nameLength = std::min<std::size_t>(Get<std::uint32_t>(header, at::NameLength),
                                                  NameBytes);
    layout.Name.assign(reinterpret_cast<const char*>(header.data() + at::Name), nameLength);
    // The parts lie where the count puts them: a header that says otherwise was written by
    // something else.
    bool placed = Get<std::uint32_t>(header, at::HeaderBytes) == HeaderBytes &&
                  Get<std::uint32_t>(header, at::LevelCount) == TMinMaxIndex::LevelCount &&
                  Get<std::uint64_t>(header, at::XOffset) == layout.XOffset() &&
                  Get<std::uint64_t>(header, at::YOffset) == layout.YOffset() &&
                  Get<std::uint64_t>(header, at::FileBytes) == layout.FileBytes();
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k)
        placed = placed && Get<std::uint64_t>(header, at::Levels + 8 * k) == layout.LevelOffset(k);
    if (version >= 2) {
        placed = placed && Get<std::uint64_t>(header, at::XBlockOffset) == layout.XBlockOffset() &&
                 Get<std::uint32_t>(header, at::XBlockValues) == XBlockValues;
    }
    if (!placed) throw ColumnFileError("the header's parts are not where its count puts them");
    if (fileBytes < layout.FileBytes()) {
        throw ColumnFileError("truncated: " + std::to_string(fileBytes) + " of " +
                              std::to_string(layout.FileBytes()) + " bytes");
    }
    return layout;
}

}  // namespace twinscope
