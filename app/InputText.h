#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace twinscope {

class TMappingFaultGuard;

// The text of a readings file, as ReadInputText reads it, but a plain file that is not
// compressed is mapped read-only from the disk instead of read into memory: the pages the
// readers are done with can be let go, and a file larger than the memory still reads.
class TInputText {
public:
    explicit TInputText(const std::string& path);
    ~TInputText();
    TInputText(const TInputText&) = delete;
    TInputText& operator=(const TInputText&) = delete;

    std::string_view Text() const { return text_; }
    // The mapped pages wholly before offset leave the process's memory (the page cache keeps
    // them, and a later read brings them back). Read texts keep theirs.
    void LetGoBefore(std::size_t offset);
    // Whether a mapped page could not be read: the file was cut short while it was read.
    bool CutShort() const;

private:
    std::string held_;
    std::string_view text_;
    void* mapped_ = nullptr;
    std::size_t mappedBytes_ = 0;
    std::size_t letGo_ = 0;
    std::unique_ptr<TMappingFaultGuard> guard_;
};

// The text of a readings file: the file at path, or standard input for "-", decompressed when
// it is gzip-compressed (told by its first bytes, whatever its name). Raises ReadingsError when
// it cannot be read or decompressed.
std::string ReadInputText(const std::string& path);

// The text of bytes that may be gzip-compressed (one member or several in a row); others come
// back as they are. Compressed bytes that would expand beyond any readings file (more than 100
// times, and to more than 64 MiB) are refused before they take the memory.
std::string DecompressedText(std::string bytes);
std::string DecompressedText(std::string_view bytes);

// How messages name the input: the path, "standard input" for "-", a database's address
// without its password.
std::string InputName(const std::string& path);

}  // namespace twinscope
