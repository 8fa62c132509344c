#include "core/search_match.hpp"

#include <algorithm>

namespace tarnwick {

void sortByLineAndPosition(MatchList& matches) {
    std::sort(matches.begin(), matches.end(), [](const SearchMatch& a, const SearchMatch& b) {
        if (a.line != b.line) return a.line < b.line;
        return a.position < b.position;
    });
}

}  // namespace tarnwick
