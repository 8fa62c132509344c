#include "core/results/text_check.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/search/work_in_parts.hpp"

namespace tarnwick {

namespace {

// The end of the text, whose copy tells text added at the end from any other change.
constexpr std::int64_t kEndBytes = 64;

std::uint64_t mix(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 0xff51afd7ed558ccdULL;
    return hash ^ (hash >> 32);
}

// What the text's bytes at every result add up to now.
std::uint64_t sumOfResults(const DocumentText& text, const LiveMatches& matches) {
    std::uint64_t sum = 0;
    std::string scratch;
    for (std::size_t row = 0; row < matches.size(); ++row) {
        if (matches.isDropped(row)) continue;  // no longer counted
        const std::int64_t start = matches.position(row);
        sum += hashBytes(text.bytes(start, start + matches.length(row), scratch));
    }
    return sum;
}

}  // namespace

// A few loads and multiplies, whatever the length up to 16 bytes: a check reads a quarter
// of a million results in about a millisecond. Loads that overlap cover every byte.
std::uint32_t hashBytes(std::string_view bytes) {
    const auto load = [&](std::size_t at, std::size_t size) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, size);
        return word;
    };
    const std::size_t size = bytes.size();
    std::uint64_t hash = 0x9e3779b97f4a7c15ULL ^ size;
    if (size >= 8) {
        std::size_t at = 0;
        for (; at + 8 < size; at += 8) hash = mix(hash, load(at, 8));
        hash = mix(hash, load(size - 8, 8));
    } else if (size >= 4) {
        hash = mix(hash, load(0, 4) << 32 | load(size - 4, 4));
    } else if (size > 0) {
        hash = mix(hash, load(0, 1) << 16 | load(size / 2, 1) << 8 | load(size - 1, 1));
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 29));
}

void TextCheck::record(const EditorView& view, const MatchList& matches) {
    const DocumentText text(view);
    length_ = text.length();
    sum_ = 0;
    sumKnown_ = true;
    distrusted_ = false;
    takeEnd(text);
    add(view, matches);
}

void TextCheck::add(const EditorView& view, const MatchList& found) {
    add(view, found, 0, std::chrono::steady_clock::time_point::max());
}

std::size_t TextCheck::add(const EditorView& view, const MatchList& found, std::size_t first,
                           std::chrono::steady_clock::time_point deadline) {
    constexpr std::size_t kRowsBetweenClockReads = 8192;
    const DocumentText text(view);
    std::string scratch;
    return workInPartsUntil(first, found.size(), kRowsBetweenClockReads, deadline,
                            [&](std::size_t row, std::size_t end) {
                                for (; row < end; ++row) {
                                    const SearchMatch& match = found[row];
                                    sum_ += hashBytes(text.bytes(
                                        match.position, match.position + match.length, scratch));
                                }
                            });
}

void TextCheck::remove(const EditorView& view, const LiveMatches& matches,
                       const std::vector<std::size_t>& rows) {
    const DocumentText text(view);
    std::string scratch;
    for (const std::size_t row : rows) {
        if (matches.isDropped(row)) continue;  // never counted since
        const std::int64_t start = matches.position(row);
        sum_ -= hashBytes(text.bytes(start, start + matches.length(row), scratch));
    }
}

void TextCheck::retakeSum(const EditorView& view, const LiveMatches& matches) {
    sum_ = sumOfResults(DocumentText(view), matches);
    sumKnown_ = true;
}

void TextCheck::follow(const EditorView& view, const DocumentChange& change,
                       std::int64_t lengthAfter) {
    length_ = lengthAfter;
    if (change.position + change.length + kEndBytes >= lengthAfter) takeEnd(DocumentText(view));
}

void TextCheck::retake(const EditorView& view) {
    const DocumentText text(view);
    length_ = text.length();
    takeEnd(text);
}

TextCheck::Verdict TextCheck::verify(const EditorView& view, const LiveMatches& matches) const {
    const DocumentText text(view);
    if (distrusted_ || !sumKnown_ || text.length() < length_ || sumOfResults(text, matches) != sum_)
        return Verdict::changed;
    if (text.length() == length_) return Verdict::same;
    std::string scratch;
    const bool endKept = hashBytes(text.bytes(length_ - kEndBytes, length_, scratch)) == endHash_;
    return endKept ? Verdict::appended : Verdict::changed;
}

void TextCheck::takeEnd(const DocumentText& text) {
    std::string scratch;
    endHash_ = hashBytes(text.bytes(length_ - kEndBytes, length_, scratch));
}

}  // namespace tarnwick
