#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "settings/file_lock.hpp"

namespace tarnwick {

namespace {

constexpr std::chrono::milliseconds kPause{1};

}  // namespace

// flock belongs to the open file: a second open, in this process or another, waits for it,
// and the system lets go of it with the last descriptor, when the process ends at the latest.
FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        error_ = errno;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        error_ = errno;
        if ((error_ != EWOULDBLOCK && error_ != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            close(descriptor);
            return;
        }
        std::this_thread::sleep_for(kPause);
    }
    handle_ = descriptor;
    error_ = 0;
}

FileLock::~FileLock() {
    if (held()) close(static_cast<int>(handle_));
}

}  // namespace tarnwick
