#include "change_figures.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "bench_tools.hpp"

namespace tarnwick::bench {

namespace {

using Group = void (*)(const std::filesystem::path&);

// In the order the whole bench runs them.
const std::vector<std::pair<std::string, Group>>& groups() {
    static const std::vector<std::pair<std::string, Group>> all{
        {"appended", appendedFigures}, {"check", checkFigures},       {"typing", typingFigures},
        {"burst", burstFigures},       {"replaced", replacedFigures},
    };
    return all;
}

}  // namespace

std::vector<std::string> changeGroupNames() {
    std::vector<std::string> names;
    for (const auto& group : groups()) names.push_back(group.first);
    return names;
}

void runChangeGroup(const std::string& name) {
    const auto group = std::find_if(groups().begin(), groups().end(),
                                    [&](const auto& candidate) { return candidate.first == name; });
    if (group == groups().end()) throw std::invalid_argument("no group of figures named " + name);
    const ScratchFolder folder;
    group->second(folder.path());
}

}  // namespace tarnwick::bench
