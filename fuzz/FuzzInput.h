#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace twinscope::fuzz {

// Takes typed values off the front of a fuzzer's input; what is left is the text.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }

    // The next eight bytes as a double, any bit pattern (NaN, infinities and subnormals too).
    double Double() {
        std::uint64_t bits = 0;
        const std::size_t n = size_ < sizeof bits ? size_ : sizeof bits;
        std::memcpy(&bits, data_, n);
        data_ += n;
        size_ -= n;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Up to the first NUL byte, or everything that is left.
    std::string Text() {
        const void* nul = std::memchr(data_, 0, size_);
        const std::size_t n =
            nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data_) : size_;
        std::string text(reinterpret_cast<const char*>(data_), n);
        const std::size_t used = nul ? n + 1 : n;
        data_ += used;
        size_ -= used;
        return text;
    }

    bool Empty() const { return size_ == 0; }

    // Everything that is left, NUL bytes included.
    std::string Rest() {
        std::string rest(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return rest;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace twinscope::fuzz
