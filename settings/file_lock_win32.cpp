#include <windows.h>

#include "settings/file_lock.hpp"

namespace tarnwick {

namespace {

constexpr DWORD kPauseMilliseconds = 1;

}  // namespace

// Opened without sharing, the file is this process's alone until its handle is closed; the
// system closes it when the process ends. Reading is all it is opened for, so a lock file
// that became read-only still locks. Only a refusal for sharing means that another
// process holds it: any other error (a folder that cannot be written) is final.
FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            error_ = 0;
            return;
        }
        error_ = static_cast<int>(GetLastError());
        if (error_ != ERROR_SHARING_VIOLATION || std::chrono::steady_clock::now() >= deadline)
            return;
        Sleep(kPauseMilliseconds);
    }
}

FileLock::~FileLock() {
    if (held()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace tarnwick
