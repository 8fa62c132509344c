#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/editor_view.hpp"
#include "core/match_edits.hpp"

namespace tarnwick {

// What a modification notification says, as the editor's record holds it.
struct Modification {
    int type = 0;
    std::int64_t position = 0;
    std::int64_t length = 0;
    std::int64_t linesAdded = 0;
};

// Keeps the results of the last search true to their document while it is edited. The
// editor notifies every window that shows a document of each change to it (both views
// for a document shown in both, and the host's hidden editors), so one change may come
// several times, from different windows, one report right after the other; it is applied
// once. Nothing here changes a document or its marks: the editor forbids that while it
// notifies, so the marks to clear wait for the caller to take them afterwards.
class LiveResults {
public:
    // A search found new matches (or Clear left none): what was pending belongs to the old
    // ones.
    void follow();

    // Applies a notification from the editor window `from` to `matches`, which were found in
    // the document `document`. Nothing, and no message sent, for what changes no text or
    // while nothing is held; nothing either for a change to another document or a repeat
    // of the change just applied. Asks `from` for the document, its length and the changed
    // line.
    std::optional<ChangeEffect> apply(const EditorView& from, std::intptr_t document,
                                      const Modification& modification, LiveMatches& matches);

    bool hasMarksToClear() const { return !marksToClear_.empty(); }
    // The bytes whose marks must go, as they are now; forgotten once taken.
    std::vector<MarkRange> takeMarksToClear();

private:
    struct Applied {
        DocumentChange change;
        std::intptr_t lengthAfter;  // tells a repeat from the same change made again
    };

    std::optional<Applied> last_;
    std::vector<MarkRange> marksToClear_;
};

// Reads again, through `view` which shows their document, the Content of the matches on
// `lines`. Matches on one line share its text.
void refreshContent(const EditorView& view, LiveMatches& matches, LineSpan lines);

}  // namespace tarnwick
