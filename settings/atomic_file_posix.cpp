#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "settings/atomic_file.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick {

namespace {

bool syncAndClose(int descriptor) {
    if (descriptor < 0) return false;
    const bool synced = fsync(descriptor) == 0;
    return close(descriptor) == 0 && synced;
}

}  // namespace

bool flushToDisk(const std::filesystem::path& file) {
    // fsync writes out the file's cached pages whichever descriptor wrote them.
    return syncAndClose(open(file.c_str(), O_WRONLY | O_CLOEXEC));
}

bool replaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(source, target, error);
    if (error) return false;
    // The rename is an entry of the folder: syncing the folder puts it on the disk. The
    // file is replaced either way, so a folder that cannot be synced is no failure here.
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    syncAndClose(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return true;
}

unsigned long currentProcessId() {
    return static_cast<unsigned long>(getpid());
}

int lastSystemError() {
    return errno;
}

std::u16string systemErrorText(int error) {
    return fromUtf8(std::strerror(error));
}

}  // namespace tarnwick
