#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::testing {

// Scintilla's target search over a document's bytes, as its documentation and code have
// it: a literal string that folds ASCII letters unless SCFIND_MATCHCASE, whole words by
// its character classes with SCFIND_WHOLEWORD, and with SCFIND_CXX11REGEX an ECMAScript
// regular expression searched line by line (the line end never part of it, no character
// before the target shown to it; over UTF-32 in a UTF-8 document, over bytes otherwise).
// Empty matches are answered as found. A pattern it cannot read answers -1 and sets the
// status to 1001.
class FakeTargetSearch {
public:
    struct Found {
        std::intptr_t start = -1;
        std::intptr_t end = -1;
    };

    FakeTargetSearch(const std::string& document, const std::vector<std::intptr_t>& lineStarts,
                     std::uint32_t codePage)
        : document_(document), lineStarts_(lineStarts), codePage_(codePage) {}

    // The first match in [start, end); start -1 when there is none. `status` receives 1001
    // for a regular expression that cannot be read.
    Found find(const std::string& needle, std::uintptr_t flags, std::intptr_t start,
               std::intptr_t end, std::intptr_t& status) const;

    // The start of the whole character after (before) `position`, a CR LF being one.
    std::intptr_t positionAfter(std::intptr_t position) const;
    std::intptr_t positionBefore(std::intptr_t position) const;

private:
    Found literal(const std::string& needle, bool matchCase, bool wholeWord, std::intptr_t start,
                  std::intptr_t end) const;
    Found regex(const std::string& needle, bool matchCase, std::intptr_t start,
                std::intptr_t end) const;
    std::intptr_t lineOf(std::intptr_t position) const;
    std::intptr_t lineEnd(std::intptr_t line) const;
    int characterBytes(std::intptr_t position) const;
    bool isWordAt(std::intptr_t start, std::intptr_t end) const;

    const std::string& document_;
    const std::vector<std::intptr_t>& lineStarts_;
    std::uint32_t codePage_;
};

}  // namespace tarnwick::testing
