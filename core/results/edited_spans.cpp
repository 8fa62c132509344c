#include "core/results/edited_spans.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

// The same bytes after the change; a span grows over text inserted inside it or at its end.
ByteSpan followed(const ByteSpan& span, const DocumentChange& change) {
    const bool atEnd = change.inserted && change.position == span.end;
    return {change.moved(span.start), atEnd ? span.end + change.length : change.moved(span.end)};
}

}  // namespace

void EditedSpans::add(const DocumentChange& change) {
    for (ByteSpan& span : spans_) span = followed(span, change);
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
    std::vector<ByteSpan> joined;
    for (const ByteSpan& span : spans_) {
        if (!joined.empty() && span.start <= joined.back().end)
            joined.back().end = std::max(joined.back().end, span.end);
        else
            joined.push_back(span);
    }
    spans_.clear();
    return joined;
}

}  // namespace tarnwick
