#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/results/edited_spans.hpp"
#include "core/search/editor_view.hpp"
#include "core/results/match_edits.hpp"
#include "core/results/row_mapping.hpp"
#include "core/list/search_list.hpp"
#include "core/results/span_search.hpp"
#include "core/results/text_check.hpp"

namespace tarnwick {

// What a modification notification says, as the editor's record holds it.
struct Modification {
    int type = 0;
    std::int64_t position = 0;
    std::int64_t length = 0;
    std::int64_t linesAdded = 0;
};

// Keeps the results of the last search true to their document, whatever changes it.
//
// Edits the editor tells of move the results at once. It notifies every window that shows
// a document of each change to it (both views for a document shown in both, and the
// host's hidden editors), so one change may come several times, from different windows,
// one report right after the other; it is applied once. Nothing here changes a document or
// its marks: the editor forbids that while it notifies, so the marks to clear wait for the
// caller to take them afterwards, and the edited text is searched again later, once the
// caller says the typing paused.
//
// Changes nobody tells of (the host reloads a file, or a Replace All with the views'
// notifications off) are found by checking the text before the results are used.
class LiveResults {
public:
    // A search of the enabled entries of `entries` found `matches` in the document `view`
    // shows.
    void searched(const EditorView& view, const SearchList& entries, const MatchList& matches);
    // The same, with the record of the text and its matches taken already.
    void searched(const SearchList& entries, const TextCheck& check);
    // Clear left no results: nothing is followed any more.
    void follow();

    // Applies a notification from the editor window `from` to `matches`, which were found in
    // the document `document`. Nothing, and no message sent, for what changes no text or
    // while no search is followed; nothing either for a change to another document or a
    // repeat of the change just applied. Asks `from` for the document, its length and the
    // changed line.
    std::optional<ChangeEffect> apply(const EditorView& from, std::intptr_t document,
                                      const Modification& modification, LiveMatches& matches);

    bool hasMarksToClear() const { return !marksToClear_.empty(); }
    // The bytes whose marks must go, as they are now; forgotten once taken.
    std::vector<MarkRange> takeMarksToClear();

    // True while edited text waits to be searched again.
    bool hasEdits() const { return !edits_.empty(); }
    // Searches the edited text again through `view`, which shows the document, and brings
    // `matches` (compacted) in line: a match the typing made appears, one it broke beyond
    // its own bytes goes.
    RowsChanged searchEdits(const EditorView& view, LiveMatches& matches,
                            std::vector<MarkRange>& marksToClear);

    // After the rows edits broke were compacted: the text check counts the results as they
    // are now, in the document `view` shows.
    void settled(const EditorView& view, const LiveMatches& matches) {
        if (!check_.sumKnown()) check_.retakeSum(view, matches);
    }

    // Whether the document `view` shows is still the text `matches` (compacted) describe.
    TextCheck::Verdict verify(const EditorView& view, const LiveMatches& matches) const {
        return check_.verify(view, matches);
    }
    // After `verify` found text added at the end: only that is searched, from where the
    // results' text ended.
    RowsChanged searchAppended(const EditorView& view, LiveMatches& matches);
    // The document changed where no view showed it: the next check fails.
    void distrust() { check_.distrust(); }
    bool distrusted() const { return check_.distrusted(); }

    // The entries of the last search, as they were then, but for their colours.
    const SearchList& entries() const { return entries_; }
    // The entry `id` took a new colour: its results take it too. Its index among the
    // entries searched; none when the last search did not have it.
    std::optional<std::size_t> recolor(EntryId id, Colorref color);
    // Each entry searched that `list` still holds takes its colour there: one given while
    // the Search ran.
    void recolorFrom(const SearchList& list);

private:
    struct Applied {
        DocumentChange change;
        std::intptr_t lengthAfter;  // tells a repeat from the same change made again
    };

    RowsChanged take(const EditorView& view, LiveMatches& matches, SpanResults found,
                     std::vector<MarkRange>* marksToClear);

    bool following_ = false;
    SearchList entries_;
    TextCheck check_;
    EditedSpans edits_;
    std::optional<Applied> last_;
    std::vector<MarkRange> marksToClear_;
};

}  // namespace tarnwick
