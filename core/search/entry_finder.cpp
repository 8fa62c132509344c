#include "core/search/entry_finder.hpp"

#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

std::uintptr_t searchFlags(const MatchOptions& options) {
    std::uintptr_t flags = options.matchCase ? SCFIND_MATCHCASE : 0;
    // The host's engine ignores the whole-word flag for a regular expression, so the
    // pattern carries it instead.
    if (options.regex) return flags | SCFIND_REGEXP | SCFIND_CXX11REGEX;
    return options.wholeWord ? flags | SCFIND_WHOLEWORD : flags;
}

std::string needleOf(const DocumentEncoding& encoding, const SearchEntry& entry) {
    if (entry.text.empty()) return {};
    std::string needle = encoding.encode(entry.text);
    // Both engines read \b and a non-capturing group alike.
    if (needle.empty() || !entry.options.regex || !entry.options.wholeWord) return needle;
    return "\\b(?:" + needle + ")\\b";
}

// A byte that may belong to a word: an ASCII letter, digit or underscore, or any part of a
// character beyond ASCII, which an engine may count as a letter.
bool mayBeWordByte(unsigned char byte) {
    return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
           ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
}

}  // namespace

EntryFinder::EntryFinder(const EditorView& view, const DocumentEncoding& encoding,
                         const SearchEntry& entry, std::int32_t entryIndex)
    : view_(view),
      needle_(needleOf(encoding, entry)),
      flags_(searchFlags(entry.options)),
      regex_(entry.options.regex),
      entryIndex_(entryIndex) {}

// An empty match is stepped past by one whole character: the next search starts after it,
// so every non-empty match after it is still found and the loop always moves on.
std::optional<ByteSpan> EntryFinder::next(ByteSpan target) const {
    std::int64_t at = target.start;
    while (findsAnything() && at < target.end) {
        const auto found = regex_ ? nextFrom(at, target.end) : searchOnce(at, target.end);
        if (!found || found->end > found->start) return found;
        const std::int64_t after =
            view_.send(SCI_POSITIONAFTER, static_cast<std::uintptr_t>(found->start));
        if (after <= found->start) return std::nullopt;
        at = after;
    }
    return std::nullopt;
}

// The editor shows its ECMAScript engine only the target, so a search from the middle of a
// word would take its start for a word boundary. Started one character earlier, every
// attempt from `at` on sees the character before it; a match found there that starts
// before `at` tells nothing of `at` on, and only then is `at` itself the start.
std::optional<ByteSpan> EntryFinder::nextFrom(std::int64_t at, std::int64_t end) const {
    if (mayContinueWord(at)) {
        const std::int64_t before = view_.send(SCI_POSITIONBEFORE, static_cast<std::uintptr_t>(at));
        if (before < at) {
            const auto found = searchOnce(before, end);
            if (!found || found->start >= at) return found;
        }
    }
    return searchOnce(at, end);
}

bool EntryFinder::mayContinueWord(std::int64_t at) const {
    if (at <= 0) return false;
    const auto byte =
        static_cast<unsigned char>(view_.send(SCI_GETCHARAT, static_cast<std::uintptr_t>(at - 1)));
    return mayBeWordByte(byte);
}

// Nothing is read after a negative answer: the target is then undefined.
std::optional<ByteSpan> EntryFinder::searchOnce(std::int64_t start, std::int64_t end) const {
    view_.send(SCI_SETTARGETSTART, static_cast<std::uintptr_t>(start));
    view_.send(SCI_SETTARGETEND, static_cast<std::uintptr_t>(end));
    view_.send(SCI_SETSEARCHFLAGS, flags_);
    if (regex_) view_.send(SCI_SETSTATUS, 0);
    const std::intptr_t found = view_.send(SCI_SEARCHINTARGET, needle_.size(),
                                           reinterpret_cast<std::intptr_t>(needle_.data()));
    if (found >= 0) return ByteSpan{found, view_.send(SCI_GETTARGETEND)};
    if (!regex_) return std::nullopt;
    if (found == kSearchInvalidRegex ||
        (found == -1 && view_.send(SCI_GETSTATUS) == SC_STATUS_WARN_REGEX))
        rejection_ = Rejection::invalid;
    else if (found < -1)
        rejection_ = Rejection::failed;
    return std::nullopt;
}

SearchMatch EntryFinder::collect(ByteSpan found) const {
    const auto line = static_cast<std::int32_t>(
        view_.send(SCI_LINEFROMPOSITION, static_cast<std::uintptr_t>(found.start)));
    return {static_cast<std::intptr_t>(found.start),
            static_cast<std::int32_t>(found.end - found.start), entryIndex_, line};
}

}  // namespace tarnwick
