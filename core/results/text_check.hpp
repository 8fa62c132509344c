#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/results/document_change.hpp"
#include "core/search/document_text.hpp"
#include "core/search/editor_view.hpp"
#include "core/results/live_matches.hpp"

namespace tarnwick {

// A hash of a match's bytes, as the text check takes it.
std::uint32_t hashBytes(std::string_view bytes);

// Tells whether the searched document is still the text its results describe, when the
// host may have changed it without telling (a reload from disk, a file watched as it
// grows). It keeps the text's length, the bytes of its end, and one sum of the hashes of
// every result's bytes: edits the plugin hears move results but never change the bytes of
// those they keep, so following them costs nothing per result, and a check reads only the
// results' bytes. An edit that breaks results loses the sum, as their old bytes are gone:
// it is taken again once the burst of edits is over.
class TextCheck {
public:
    enum class Verdict {
        same,      // every result's bytes and the length are as they were
        appended,  // the same, with text added at the end
        changed,   // anything else: the document must be searched again
    };

    // The text as `view` shows it now, with these results.
    void record(const EditorView& view, const MatchList& matches);
    // Results found later in the text as it is now.
    void add(const EditorView& view, const MatchList& found);
    // The same from row `first` on, until `deadline` has passed: a record of many results
    // is taken in parts (a record with none first) while the text does not change. Returns
    // the row it stopped before; the clock is read every few thousand rows.
    std::size_t add(const EditorView& view, const MatchList& found, std::size_t first,
                    std::chrono::steady_clock::time_point deadline);
    // Results that no longer count, whose bytes are still those counted.
    void remove(const EditorView& view, const LiveMatches& matches,
                const std::vector<std::size_t>& rows);
    // Results were broken by an edit: the sum is unknown until it is taken again.
    void loseSum() { sumKnown_ = false; }
    bool sumKnown() const { return sumKnown_; }
    // The sum of the results as they are now, once the edits told of are all applied.
    void retakeSum(const EditorView& view, const LiveMatches& matches);
    // A change the editor told of: the length follows it, and so does the end's copy when
    // the change reached it.
    void follow(const EditorView& view, const DocumentChange& change, std::int64_t lengthAfter);
    // The text's length and end as they are now, after the results of text added at the
    // end were added.
    void retake(const EditorView& view);
    // Whatever the text holds now, it is not to be trusted (changed where no view shows it).
    void distrust() { distrusted_ = true; }
    bool distrusted() const { return distrusted_; }

    Verdict verify(const EditorView& view, const LiveMatches& matches) const;
    // The length the results describe: where text added at the end begins.
    std::int64_t length() const { return length_; }

private:
    void takeEnd(const DocumentText& text);

    std::int64_t length_ = 0;
    std::uint64_t sum_ = 0;
    std::uint32_t endHash_ = 0;
    bool sumKnown_ = true;
    bool distrusted_ = false;
};

}  // namespace tarnwick
