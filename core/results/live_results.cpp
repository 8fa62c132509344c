#include "core/results/live_results.hpp"

#include <unordered_map>
#include <utility>

#include "host/editor_messages.hpp"

namespace tarnwick {

void LiveResults::searched(const EditorView& view, const SearchList& entries,
                           const MatchList& matches) {
    TextCheck check;
    check.record(view, matches);
    searched(entries, check);
}

void LiveResults::searched(const SearchList& entries, const TextCheck& check) {
    follow();
    following_ = true;
    entries_ = entries;
    check_ = check;
}

std::optional<std::size_t> LiveResults::recolor(EntryId id, Colorref color) {
    const std::optional<std::size_t> index = entries_.indexOf(id);
    if (index) entries_.setColor(static_cast<std::ptrdiff_t>(*index), color);
    return index;
}

void LiveResults::recolorFrom(const SearchList& list) {
    std::unordered_map<EntryId, Colorref> colors;
    for (const SearchEntry& entry : list) colors.emplace(entry.id, entry.color);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const auto now = colors.find(entries_[i].id);
        if (now != colors.end()) entries_.setColor(static_cast<std::ptrdiff_t>(i), now->second);
    }
}

void LiveResults::follow() {
    following_ = false;
    last_.reset();
    edits_.clear();
    marksToClear_.clear();
}

std::optional<ChangeEffect> LiveResults::apply(const EditorView& from, std::intptr_t document,
                                               const Modification& modification,
                                               LiveMatches& matches) {
    // Checked before any message: indicator changes come by the thousand during a search.
    const auto change = documentChangeOf(modification.type, modification.position,
                                         modification.length, modification.linesAdded);
    if (!change || document == 0 || (!following_ && marksToClear_.empty()) ||
        from.send(SCI_GETDOCPOINTER) != document)
        return std::nullopt;
    // Two changes in a row that are the same leave the document at different lengths.
    const std::intptr_t lengthAfter = from.send(SCI_GETLENGTH);
    if (last_ && last_->change == *change && last_->lengthAfter == lengthAfter) return std::nullopt;
    last_ = Applied{*change, lengthAfter};

    const auto line = static_cast<std::int32_t>(
        from.send(SCI_LINEFROMPOSITION, static_cast<std::uintptr_t>(change->position)));
    for (MarkRange& range : marksToClear_) range = followChange(range, *change);
    std::erase_if(marksToClear_, [](const MarkRange& range) { return range.start >= range.end; });
    ChangeEffect effect = applyChange(matches, *change, line);
    marksToClear_.insert(marksToClear_.end(), effect.marksToClear.begin(),
                         effect.marksToClear.end());
    if (!following_) return effect;
    if (!effect.droppedRows.empty()) check_.loseSum();
    check_.follow(from, *change, lengthAfter);
    edits_.add(*change);
    return effect;
}

std::vector<MarkRange> LiveResults::takeMarksToClear() {
    return std::exchange(marksToClear_, {});
}

RowsChanged LiveResults::searchEdits(const EditorView& view, LiveMatches& matches,
                                     std::vector<MarkRange>& marksToClear) {
    return take(view, matches, searchSpans(view, entries_, matches, edits_.take()), &marksToClear);
}

RowsChanged LiveResults::searchAppended(const EditorView& view, LiveMatches& matches) {
    const ByteSpan added{check_.length(), view.send(SCI_GETLENGTH)};
    RowsChanged rows = take(view, matches, searchSpans(view, entries_, matches, {added}), nullptr);
    check_.retake(view);
    return rows;
}

RowsChanged LiveResults::take(const EditorView& view, LiveMatches& matches, SpanResults found,
                              std::vector<MarkRange>* marksToClear) {
    if (marksToClear) {
        for (const std::size_t row : found.removedRows) {
            const SearchMatch match = matches.at(row);
            marksToClear->push_back(
                {match.position, match.position + match.length, match.entryIndex});
        }
    }
    RowsChanged rows{found.removedRows, {}};
    if (found.removedRows.empty() && found.added.empty()) return rows;  // the usual keystroke
    check_.remove(view, matches, found.removedRows);
    check_.add(view, found.added);
    rows.added = matches.replace(found.removedRows, std::move(found.added));
    return rows;
}

}  // namespace tarnwick
