#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tarnwick::minihost {

// The file a document was opened from, and what it looked like on disk when the document
// last read it, so the host can tell whether another program changed it since.
class DiskFile {
public:
    explicit DiskFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // The file's bytes; nothing when it cannot be read. A successful read remembers the
    // file's size and last-write time as they were before reading, so anything written
    // meanwhile still counts as a change.
    std::optional<std::string> read();

    // True when the file's size or last-write time differs from the last read. A file that
    // cannot be looked at now (deleted, locked) has not changed: the document keeps its text.
    bool changedOnDisk() const;

private:
    struct Stamp {
        std::uintmax_t size;
        std::filesystem::file_time_type lastWrite;
        bool operator==(const Stamp&) const = default;
    };
    std::optional<Stamp> stampNow() const;

    std::filesystem::path path_;
    std::optional<Stamp> lastRead_;
};

}  // namespace tarnwick::minihost
