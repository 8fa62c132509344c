#include "core/results/span_search.hpp"

#include <algorithm>

#include "core/search/document_encoding.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

struct HeldMatch {
    std::size_t row;
    ByteSpan bytes;
};

// The held matches of one entry that start in [from, to).
std::vector<HeldMatch> heldOf(const LiveMatches& held, std::int32_t entry, std::int64_t from,
                              std::int64_t to) {
    std::vector<HeldMatch> found;
    for (std::size_t row = held.firstAtOrAfter(from); row < held.size(); ++row) {
        const std::int64_t start = held.position(row);
        if (start >= to) break;
        if (held.entryIndex(row) == entry)
            found.push_back({row, {start, start + held.length(row)}});
    }
    return found;
}

// One entry around one span. `found` receives the matches a search finds there now,
// `replaced` the held matches it replaces, as their rows.
class SpanSearch {
public:
    SpanSearch(const LiveMatches& held, const EntryFinder& finder, std::int64_t documentLength)
        : held_(held), finder_(finder), length_(documentLength), reach_(finder.longestMatch()) {}

    void run(ByteSpan span, std::vector<ByteSpan>& found, std::vector<HeldMatch>& replaced) const {
        const std::int64_t from = resumeAt(span.start);
        std::int64_t at = from;
        std::int64_t limit = span.end;  // matches that start before it may differ
        const std::size_t before = found.size();
        while (const auto match = finder_.next({at, std::min(limit + reach_, length_)})) {
            if (match->start >= limit || match->end <= at) break;
            found.push_back(*match);
            at = match->end;
            if (at < limit) continue;
            // Past the span, a held match the new one reaches into is one the search now
            // skips; the positions it covered must be searched too.
            const std::optional<ByteSpan> covering = heldCovering(at);
            if (!covering) break;
            limit = covering->end;
        }
        const std::vector<HeldMatch> held =
            heldOf(held_, finder_.entryIndex(), from, std::max(limit, at));
        keepHeld(held, found, before, replaced);
    }

private:
    // Where the search must resume to find what it would find before the span: after the
    // last held match that ends before the span, no nearer than a match's length to it.
    std::int64_t resumeAt(std::int64_t spanStart) const {
        std::int64_t at = std::max<std::int64_t>(0, spanStart - reach_ + 1);
        for (const HeldMatch& match :
             heldOf(held_, finder_.entryIndex(), spanStart - 2 * reach_, spanStart))
            if (match.bytes.end <= spanStart) at = std::max(at, match.bytes.end);
        return at;
    }

    // Both in order: a match found again as it is held stays held; the held ones not found
    // again are replaced.
    static void keepHeld(const std::vector<HeldMatch>& held, std::vector<ByteSpan>& found,
                         std::size_t first, std::vector<HeldMatch>& replaced) {
        std::size_t kept = first;
        auto next = held.begin();
        for (std::size_t i = first; i < found.size(); ++i) {
            while (next != held.end() && next->bytes.start < found[i].start)
                replaced.push_back(*next++);
            if (next != held.end() && next->bytes == found[i])
                ++next;
            else
                found[kept++] = found[i];
        }
        replaced.insert(replaced.end(), next, held.end());
        found.resize(kept);
    }

    std::optional<ByteSpan> heldCovering(std::int64_t at) const {
        for (const HeldMatch& match : heldOf(held_, finder_.entryIndex(), at - reach_, at))
            if (match.bytes.end > at) return match.bytes;
        return std::nullopt;
    }

    const LiveMatches& held_;
    const EntryFinder& finder_;
    std::int64_t length_;
    std::int64_t reach_;
};

// Spans nearer than two matches' length are searched as one: the search around the first
// would reach into the second.
std::vector<ByteSpan> joined(const std::vector<ByteSpan>& spans, std::int64_t gap) {
    std::vector<ByteSpan> result;
    for (const ByteSpan& span : spans) {
        if (!result.empty() && span.start < result.back().end + gap)
            result.back().end = std::max(result.back().end, span.end);
        else
            result.push_back(span);
    }
    return result;
}

}  // namespace

SpanResults searchSpans(const EditorView& view, const SearchList& entries, const LiveMatches& held,
                        const std::vector<ByteSpan>& edited) {
    SpanResults results;
    if (edited.empty()) return results;
    const DocumentEncoding encoding = DocumentEncoding::of(view);
    const std::intptr_t length = view.send(SCI_GETLENGTH);
    std::vector<EntryFinder> finders;
    finders.reserve(entries.size());
    std::int64_t reach = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].enabled) continue;
        EntryFinder& finder =
            finders.emplace_back(view, encoding, entries[i], static_cast<std::int32_t>(i));
        if (!finder.findsAnything())
            finders.pop_back();
        else
            reach = std::max(reach, finder.longestMatch());
    }
    const std::vector<ByteSpan> spans = joined(edited, 2 * reach);
    std::vector<MatchList> runs;
    for (const EntryFinder& finder : finders) {
        const SpanSearch search(held, finder, length);
        std::vector<ByteSpan> found;
        std::vector<HeldMatch> replaced;
        for (const ByteSpan& span : spans) search.run(span, found, replaced);
        for (const HeldMatch& match : replaced) results.removedRows.push_back(match.row);
        MatchList& run = runs.emplace_back();
        for (const ByteSpan& match : found) run.push_back(finder.collect(match));
    }
    std::sort(results.removedRows.begin(), results.removedRows.end());
    results.added = mergeByLineAndPosition(std::move(runs));
    return results;
}

}  // namespace tarnwick
