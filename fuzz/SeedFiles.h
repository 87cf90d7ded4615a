#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>

namespace twinscope::fuzz {

// The one seed directory named on a seed maker's command line, created; a wrong command line
// ends the program with its usage and status 2.
inline std::filesystem::path SeedDirectory(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " SEED_DIRECTORY\n";
        std::exit(2);
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    return dir;
}

inline void SaveSeed(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace twinscope::fuzz
