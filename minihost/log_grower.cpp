#include "minihost/log_grower.hpp"

#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace tarnwick::minihost {

std::optional<LogGrower> LogGrower::open(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad() || bytes.empty()) return std::nullopt;
    std::vector<std::string> lines;
    std::istringstream text(bytes);
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return LogGrower(path, std::move(lines), bytes.back() == '\n');
}

LogGrower::LogGrower(std::filesystem::path path, std::vector<std::string> lines, bool endsLine)
    : path_(std::move(path)), lines_(std::move(lines)), endsLine_(endsLine) {}

bool LogGrower::appendNext() {
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    if (!endsLine_) out << '\n';
    out << lines_[next_] << '\n';
    out.flush();
    if (!out) return false;
    endsLine_ = true;
    next_ = (next_ + 1) % lines_.size();
    return true;
}

}  // namespace tarnwick::minihost
