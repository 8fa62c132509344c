#include "core/results/edited_spans.hpp"

#include <algorithm>
#include <utility>

namespace tarnwick {

void EditedSpans::add(const DocumentChange& change) {
    // A span grows over text inserted inside it or at its end, as a moved boundary does.
    for (ByteSpan& span : spans_) span = {change.moved(span.start), change.moved(span.end)};
    spans_.push_back({change.position, change.position + (change.inserted ? change.length : 0)});
    if (spans_.size() <= kMostSpans) return;
    ByteSpan hull = spans_.front();
    for (const ByteSpan& span : spans_)
        hull = {std::min(hull.start, span.start), std::max(hull.end, span.end)};
    spans_ = {hull};
}

std::vector<ByteSpan> EditedSpans::take() {
    std::sort(spans_.begin(), spans_.end(),
              [](const ByteSpan& a, const ByteSpan& b) { return a.start < b.start; });
    return std::exchange(spans_, {});
}

}  // namespace tarnwick
