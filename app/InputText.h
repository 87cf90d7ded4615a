#pragma once

#include <string>
#include <string_view>

namespace twinscope {

// The text of a readings file: the file at path, or standard input for "-", decompressed when
// it is gzip-compressed (told by its first bytes, whatever its name). Raises ReadingsError when
// it cannot be read or decompressed.
std::string ReadInputText(const std::string& path);

// The text of bytes that may be gzip-compressed (one member or several in a row); others come
// back as they are. Compressed bytes that would expand beyond any readings file (more than 100
// times, and to more than 64 MiB) are refused before they take the memory.
std::string DecompressedText(std::string bytes);

// How messages name the input: the path, or "standard input" for "-".
std::string InputName(const std::string& path);

}  // namespace twinscope
