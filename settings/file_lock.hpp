#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>

namespace tarnwick {

// An exclusive lock on a file beside the settings file, which every instance takes before
// it reads, changes and writes the list, so that each change is made to the newest list.
// It is the system's own lock on an open file: when the process ends, however it ends, the
// system lets go of it, so a crashed instance never keeps it.
//
// Defined once for Windows (the file opened without sharing) and once for POSIX systems
// (flock).
class FileLock {
public:
    // Takes the lock on `path`, creating the file when it is missing; while another
    // process holds it, tries again until `wait` has passed.
    FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return error_ == 0; }
    // Why the lock was not taken, as the system's error number; 0 while it is held.
    int error() const { return error_; }

private:
    std::intptr_t handle_ = -1;
    int error_ = 0;
};

}  // namespace tarnwick
