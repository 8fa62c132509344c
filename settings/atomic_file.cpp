#include "settings/atomic_file.hpp"

#include <atomic>
#include <fstream>
#include <string>
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

// "searches.json.<process id>-<save>.tmp": the host may run as several processes over one
// settings folder, and each save of each process writes a file no other save touches.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned long> saves{0};
    const std::string save = std::to_string(currentProcessId()) + '-' + std::to_string(++saves);
    std::filesystem::path temporary = target;
    temporary += ".";
    temporary += save;
    temporary += ".tmp";
    return temporary;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view text, int* error) {
    const std::filesystem::path temporary = temporaryPathFor(target);
    if (writeTextFile(temporary, text) && flushToDisk(temporary) && replaceFile(temporary, target))
        return true;
    // Taken before the clean-up, which sets the system's error number again.
    if (error != nullptr) *error = lastSystemError();
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
}

}  // namespace tarnwick
