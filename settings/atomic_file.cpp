#include "settings/atomic_file.hpp"

#include <fstream>
#include <system_error>

namespace tarnwick {

namespace {

bool writeTextFile(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out.is_open()) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    const bool written = out.good();
    out.close();
    return written && !out.fail();
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view text) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    if (writeTextFile(temporary, text) && replaceFile(temporary, target)) return true;
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
}

}  // namespace tarnwick
