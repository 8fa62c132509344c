#include "core/list/pending_changes.hpp"

namespace tarnwick {

namespace {

using Counts = std::unordered_map<std::u16string, std::size_t>;

Counts countTexts(const SearchList& list) {
    Counts counts;
    for (const SearchEntry& entry : list) ++counts[entry.text];
    return counts;
}

}  // namespace

PendingChanges::PendingChanges(const SearchList& saved, const SearchList& shown) {
    std::unordered_map<std::u16string, std::vector<const SearchEntry*>> savedByText;
    for (const SearchEntry& entry : saved) savedByText[entry.text].push_back(&entry);
    Counts seen;
    for (const SearchEntry& entry : shown) {
        const std::size_t nth = seen[entry.text]++;
        const auto found = savedByText.find(entry.text);
        if (found == savedByText.end() || nth >= found->second.size())
            added_.push_back(entry);
        else if (*found->second[nth] != entry)
            byText_[entry.text].changed.emplace(nth, entry);
    }
    for (const auto& [text, entries] : savedByText) {
        const std::size_t kept = seen[text];
        if (entries.size() > kept) byText_[text].deleted = entries.size() - kept;
    }
}

SearchList PendingChanges::appliedTo(const SearchList& newer) const {
    const Counts counts = countTexts(newer);
    Counts seen;
    SearchList merged;
    for (const SearchEntry& entry : newer) {
        const std::size_t nth = seen[entry.text]++;
        const auto changes = byText_.find(entry.text);
        if (changes == byText_.end()) {
            merged.append(entry);
            continue;
        }
        const TextChanges& text = changes->second;
        if (nth + text.deleted >= counts.at(entry.text)) continue;
        const auto changed = text.changed.find(nth);
        merged.append(changed == text.changed.end() ? entry : changed->second);
    }
    for (const SearchEntry& entry : added_) merged.append(entry);
    return merged;
}

}  // namespace tarnwick
