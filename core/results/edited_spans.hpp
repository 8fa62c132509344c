#pragma once

#include <cstddef>
#include <vector>

#include "core/results/document_change.hpp"
#include "core/search/entry_finder.hpp"

namespace tarnwick {

// The bytes edited since the results were last searched around them, as they are now:
// what was inserted, and the point where text was deleted. Each later change moves them.
class EditedSpans {
public:
    void add(const DocumentChange& change);
    bool empty() const { return spans_.empty(); }
    void clear() { spans_.clear(); }
    // The spans in order of their starts, forgotten; the search joins those near each other.
    std::vector<ByteSpan> take();

private:
    // A burst of edits all over the document (a column edit of thousands of lines) is
    // kept as the one span that holds them all, so each edit moves a few spans at most.
    static constexpr std::size_t kMostSpans = 64;

    std::vector<ByteSpan> spans_;
};

}  // namespace tarnwick
