#pragma once
// What the fuzz targets share: a scratch folder in memory (the loaders read
// files, and a disk would make every input slow).

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace ampora::fuzz {

// A folder of its own for this process, created once and kept for the run.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        const auto dir = base / ("ampora-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir.string() + "/";
    }();
    return folder;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace ampora::fuzz
