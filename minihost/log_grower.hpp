#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::minihost {

// Makes a file grow as a program's log does: each call appends the next of the lines the
// file held when it was opened, the first again after the last, for the host's tail -f to
// follow while someone tries the plugin.
class LogGrower {
public:
    // Nothing when the file cannot be read or holds no line.
    static std::optional<LogGrower> open(const std::filesystem::path& path);

    // Appends one line; false when the file cannot be written.
    bool appendNext();

private:
    LogGrower(std::filesystem::path path, std::vector<std::string> lines, bool endsLine);

    std::filesystem::path path_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    // Whether the file's last line is ended; if not, the first line appended ends it.
    bool endsLine_;
};

}  // namespace tarnwick::minihost
