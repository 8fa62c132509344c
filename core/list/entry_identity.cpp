#include "core/list/entry_identity.hpp"

#include <deque>
#include <unordered_map>

namespace tarnwick {

// Hashed by text, since a list may hold ten thousand strings.
void carryIdentities(const SearchList& before, SearchList& now) {
    std::unordered_map<std::u16string, std::deque<EntryId>> byText;
    for (const SearchEntry& entry : before) byText[entry.text].push_back(entry.id);
    for (std::size_t i = 0; i < now.size(); ++i) {
        const auto same = byText.find(now[i].text);
        if (same == byText.end() || same->second.empty()) continue;
        now.setId(i, same->second.front());
        same->second.pop_front();
    }
}

}  // namespace tarnwick
