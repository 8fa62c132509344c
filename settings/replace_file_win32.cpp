#include <windows.h>

#include "settings/atomic_file.hpp"

namespace tarnwick {

bool replaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace tarnwick
