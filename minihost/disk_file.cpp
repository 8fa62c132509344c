#include "minihost/disk_file.hpp"

#include <fstream>
#include <iterator>

namespace tarnwick::minihost {

std::optional<std::string> DiskFile::read() {
    const auto stamp = stampNow();
    std::ifstream in(path_, std::ios::binary);
    if (!stamp || !in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    lastRead_ = stamp;
    return bytes;
}

bool DiskFile::changedOnDisk() const {
    const auto stamp = stampNow();
    return stamp && stamp != lastRead_;
}

std::optional<DiskFile::Stamp> DiskFile::stampNow() const {
    std::error_code error;
    const auto size = std::filesystem::file_size(path_, error);
    if (error) return std::nullopt;
    const auto lastWrite = std::filesystem::last_write_time(path_, error);
    if (error) return std::nullopt;
    return Stamp{size, lastWrite};
}

}  // namespace tarnwick::minihost
