#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tarnwick::testing {

// The file's bytes exactly as they are on disk; empty when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace tarnwick::testing
