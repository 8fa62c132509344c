#include <system_error>

#include "settings/atomic_file.hpp"

namespace tarnwick {

bool replaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(source, target, error);
    return !error;
}

}  // namespace tarnwick
