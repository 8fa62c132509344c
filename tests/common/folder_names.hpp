#pragma once

#include <algorithm>
#include <filesystem>
#include <vector>

namespace tarnwick::testing {

// The names of everything in `folder`, sorted: what a save left beside its file.
inline std::vector<std::filesystem::path> namesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarnwick::testing
