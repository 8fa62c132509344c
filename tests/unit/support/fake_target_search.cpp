#include "fake_target_search.hpp"

#include <algorithm>
#include <cctype>
#include <regex>

#include "host/editor_messages.hpp"

// GCC 12 warns of its own <regex> internals as maybe uninitialised.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace tarnwick::testing {

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Scintilla's default character classes; every byte beyond ASCII counts as a letter.
enum class CharClass { space, newLine, word, punctuation };

CharClass classOf(unsigned char c) {
    if (c == '\r' || c == '\n') return CharClass::newLine;
    if (c < 0x20 || c == ' ' || c == 0x7F) return CharClass::space;
    if (c >= 0x80 || std::isalnum(c) || c == '_') return CharClass::word;
    return CharClass::punctuation;
}

bool isWordEdge(CharClass inside, CharClass outside) {
    return inside != outside && (inside == CharClass::word || inside == CharClass::punctuation);
}

// UTF-8 as UTF-32, with the byte offset of every character and of the end.
std::wstring widen(const std::string& bytes, std::vector<std::intptr_t>* offsets) {
    std::wstring wide;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80    ? 1
                           : lead >= 0xF0 ? 4
                           : lead >= 0xE0 ? 3
                           : lead >= 0xC0 ? 2
                                          : 1;
        std::uint32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < bytes.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        if (offsets != nullptr) offsets->push_back(static_cast<std::intptr_t>(i));
        wide.push_back(static_cast<wchar_t>(code));
        i += static_cast<std::size_t>(length);
    }
    if (offsets != nullptr) offsets->push_back(static_cast<std::intptr_t>(bytes.size()));
    return wide;
}

bool isLeadByte(std::uint32_t codePage, unsigned char c) {
    if (codePage == 932) return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (codePage == 936 || codePage == 949 || codePage == 950) return c >= 0x81 && c <= 0xFE;
    return false;
}

std::regex_constants::match_flag_type lineFlags(bool atLineStart, bool atLineEnd) {
    auto flags = std::regex_constants::match_default;
    if (!atLineStart) flags |= std::regex_constants::match_not_bol;
    if (!atLineEnd) flags |= std::regex_constants::match_not_eol;
    return flags;
}

}  // namespace

FakeTargetSearch::Found FakeTargetSearch::find(const std::string& needle, std::uintptr_t flags,
                                               std::intptr_t start, std::intptr_t end,
                                               std::intptr_t& status) const {
    end = std::min<std::intptr_t>(end, static_cast<std::intptr_t>(document_.size()));
    start = std::min(start, end);
    const bool matchCase = (flags & SCFIND_MATCHCASE) != 0;
    if ((flags & SCFIND_CXX11REGEX) != 0) {
        try {
            return regex(needle, matchCase, start, end);
        } catch (const std::regex_error&) {
            status = SC_STATUS_WARN_REGEX;
            return {};
        }
    }
    return literal(needle, matchCase, (flags & SCFIND_WHOLEWORD) != 0, start, end);
}

FakeTargetSearch::Found FakeTargetSearch::literal(const std::string& needle, bool matchCase,
                                                  bool wholeWord, std::intptr_t start,
                                                  std::intptr_t end) const {
    const auto length = static_cast<std::intptr_t>(needle.size());
    if (length == 0) return {};
    for (std::intptr_t at = start; at + length <= end; at += characterBytes(at)) {
        const bool same = std::equal(needle.begin(), needle.end(), document_.begin() + at,
                                     [matchCase](char a, char b) {
                                         return matchCase ? a == b : foldAscii(a) == foldAscii(b);
                                     });
        if (same && (!wholeWord || isWordAt(at, at + length))) return {at, at + length};
    }
    return {};
}

// Each line of the target on its own, as Scintilla searches with std::regex; a line the
// target starts or ends inside is not at a line's start or end for `^` and `$`.
FakeTargetSearch::Found FakeTargetSearch::regex(const std::string& needle, bool matchCase,
                                                std::intptr_t start, std::intptr_t end) const {
    auto syntax = std::regex::ECMAScript;
    if (!matchCase) syntax |= std::regex::icase;
    const bool utf8 = codePage_ == SC_CP_UTF8;
    std::wregex wide;
    std::regex narrow;
    if (utf8)
        wide.assign(widen(needle, nullptr), syntax);
    else
        narrow.assign(needle, syntax);
    for (std::intptr_t line = lineOf(start); line <= lineOf(end); ++line) {
        const std::intptr_t from = std::max(start, lineStarts_[static_cast<std::size_t>(line)]);
        const std::intptr_t to = std::min(end, lineEnd(line));
        if (from > to) continue;
        const auto flags =
            lineFlags(from == lineStarts_[static_cast<std::size_t>(line)], to == lineEnd(line));
        const std::string text =
            document_.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        if (utf8) {
            std::vector<std::intptr_t> offsets;
            const std::wstring line32 = widen(text, &offsets);
            std::wsmatch match;
            if (std::regex_search(line32, match, wide, flags))
                return {
                    from + offsets[static_cast<std::size_t>(match.position(0))],
                    from + offsets[static_cast<std::size_t>(match.position(0) + match.length(0))]};
        } else {
            std::smatch match;
            if (std::regex_search(text, match, narrow, flags))
                return {from + match.position(0), from + match.position(0) + match.length(0)};
        }
    }
    return {};
}

std::intptr_t FakeTargetSearch::lineOf(std::intptr_t position) const {
    return (std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position) -
            lineStarts_.begin()) -
           1;
}

// The line's last byte before its line end.
std::intptr_t FakeTargetSearch::lineEnd(std::intptr_t line) const {
    const std::size_t next = static_cast<std::size_t>(line) + 1;
    std::intptr_t end = next < lineStarts_.size() ? lineStarts_[next]
                                                  : static_cast<std::intptr_t>(document_.size());
    while (end > lineStarts_[static_cast<std::size_t>(line)] &&
           (document_[static_cast<std::size_t>(end - 1)] == '\n' ||
            document_[static_cast<std::size_t>(end - 1)] == '\r'))
        --end;
    return end;
}

int FakeTargetSearch::characterBytes(std::intptr_t position) const {
    const auto size = static_cast<std::intptr_t>(document_.size());
    if (position >= size) return 1;
    const auto lead = static_cast<unsigned char>(document_[static_cast<std::size_t>(position)]);
    if (lead == '\r' && position + 1 < size &&
        document_[static_cast<std::size_t>(position) + 1] == '\n')
        return 2;
    if (codePage_ == SC_CP_UTF8) {
        // A malformed sequence is a character of one byte.
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (position + length > size) return 1;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(document_[static_cast<std::size_t>(position + k)]) &
                 0xC0) != 0x80)
                return 1;
        return length;
    }
    return isLeadByte(codePage_, lead) && position + 1 < size ? 2 : 1;
}

std::intptr_t FakeTargetSearch::positionAfter(std::intptr_t position) const {
    const auto size = static_cast<std::intptr_t>(document_.size());
    if (position >= size) return size;
    return position + characterBytes(position);
}

// The characters of the line are walked from its start: in a DBCS text a byte alone does
// not tell whether it starts a character.
std::intptr_t FakeTargetSearch::positionBefore(std::intptr_t position) const {
    if (position <= 0) return 0;
    std::intptr_t at = lineStarts_[static_cast<std::size_t>(lineOf(position - 1))];
    while (at + characterBytes(at) < position) at += characterBytes(at);
    return at;
}

bool FakeTargetSearch::isWordAt(std::intptr_t start, std::intptr_t end) const {
    const auto byteAt = [this](std::intptr_t at) {
        return at < 0 || at >= static_cast<std::intptr_t>(document_.size())
                   ? static_cast<unsigned char>(' ')
                   : static_cast<unsigned char>(document_[static_cast<std::size_t>(at)]);
    };
    const std::intptr_t before = start > 0 ? positionBefore(start) : -1;
    return start < end && isWordEdge(classOf(byteAt(start)), classOf(byteAt(before))) &&
           isWordEdge(classOf(byteAt(positionBefore(end))), classOf(byteAt(end)));
}

}  // namespace tarnwick::testing
