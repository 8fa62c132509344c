#pragma once

// Searches whose outcome depends on how the editor answers: the same table runs against
// the native substitute editor and, under Wine, against a real Scintilla view, so the
// substitute is held to what the real editor does.

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/list/search_list.hpp"
#include "core/results/result_lines.hpp"
#include "core/search/search_match.hpp"
#include "core/search/search_run.hpp"

namespace tarnwick::testing {

struct ExpectedMatch {
    std::int32_t line;
    std::int32_t entryIndex;
    std::int64_t position;
    std::int64_t length;
};

struct SearchCase {
    std::string name;
    std::string document;  // UTF-8
    std::vector<SearchEntry> entries;
    // The text each line with a match reads as, by its number.
    std::map<std::int32_t, std::u16string> lines;
    std::vector<ExpectedMatch> expected;
    // The entries whose regular expressions the editor refuses.
    std::vector<RejectedEntry> rejected = {};
};

// Names the case in test output instead of dumping its bytes.
inline void PrintTo(const SearchCase& searchCase, std::ostream* out) {
    *out << searchCase.name;
}

inline SearchEntry enabledEntry(std::u16string text) {
    return {std::move(text), true, 0};
}
inline SearchEntry disabledEntry(std::u16string text) {
    return {std::move(text), false, 0};
}
inline SearchEntry caseEntry(std::u16string text) {
    return {std::move(text), true, 0, {.matchCase = true}};
}
inline SearchEntry wordEntry(std::u16string text, bool matchCase = false) {
    return {std::move(text), true, 0, {.matchCase = matchCase, .wholeWord = true}};
}
inline SearchEntry regexEntry(std::u16string text, bool wholeWord = false) {
    return {std::move(text), true, 0, {.wholeWord = wholeWord, .regex = true}};
}

inline std::vector<SearchCase> editorSearchCases() {
    return {
        {"LetterCaseIsIgnoredAndEntryTextKept",
         "foo FOO Foo\nfOo",
         {enabledEntry(u"Foo")},
         {{0, u"foo FOO Foo"}, {1, u"fOo"}},
         {{0, 0, 0, 3}, {0, 0, 4, 3}, {0, 0, 8, 3}, {1, 0, 12, 3}}},
        {"PositionsCountUtf8Bytes",
         "\xC3\xA9 \xC3\xA9\n\xC3\xA9"
         "a",
         {enabledEntry(u"\u00E9")},
         {{0, u"\u00E9 \u00E9"}, {1, u"\u00E9a"}},
         {{0, 0, 0, 2}, {0, 0, 3, 2}, {1, 0, 6, 2}}},
        {"NonBmpTextIsFourBytes",
         "a\xF0\x9F\x98\x80"
         "b",
         {enabledEntry(u"\U0001F600")},
         {{0, u"a\U0001F600b"}},
         {{0, 0, 1, 4}}},
        {"LineEndsStrippedTrailingBlanksKept",
         "one\r\ntwo  \t\r\nthree\r\r\n",
         {enabledEntry(u"t")},
         {{1, u"two  \t"}, {2, u"three"}},
         {{1, 0, 5, 1}, {2, 0, 13, 1}}},
        {"LastLineWithoutLineEndIsWhole",
         "abc\nxyz",
         {enabledEntry(u"yz")},
         {{1, u"xyz"}},
         {{1, 0, 5, 2}}},
        {"MatchesOfOneEntryNeverOverlap",
         "aaaa\nababa",
         {enabledEntry(u"aa"), enabledEntry(u"aba")},
         {{0, u"aaaa"}, {1, u"ababa"}},
         {{0, 0, 0, 2}, {0, 0, 2, 2}, {1, 1, 5, 3}}},
        {"OrderFollowsTheDocumentNotTheList",
         "ab",
         {enabledEntry(u"b"), enabledEntry(u"a")},
         {{0, u"ab"}},
         {{0, 1, 0, 1}, {0, 0, 1, 1}}},
        {"LinesSortedThenPositions",
         "zero\nbeta alpha\ngamma\nalpha",
         {enabledEntry(u"alpha"), enabledEntry(u"gamma"), enabledEntry(u"beta")},
         {{1, u"beta alpha"}, {2, u"gamma"}, {3, u"alpha"}},
         {{1, 2, 5, 4}, {1, 0, 10, 5}, {2, 1, 16, 5}, {3, 0, 22, 5}}},
        {"DisabledEntriesKeepTheirIndex",
         "x y x",
         {disabledEntry(u"x"), enabledEntry(u"y"), enabledEntry(u"")},
         {{0, u"x y x"}},
         {{0, 1, 2, 1}}},
        {"MalformedDocumentBytesBecomeReplacementCharacters",
         "ok \xFF\xC3 ok\n",
         {enabledEntry(u"ok")},
         {{0, u"ok \uFFFD\uFFFD ok"}},
         {{0, 0, 0, 2}, {0, 0, 6, 2}}},
        {"UnpairedSurrogateInEntrySearchesAsReplacementCharacter",
         "a\xEF\xBF\xBDx",
         {enabledEntry(std::u16string(u"\xD800") + u"x")},
         {{0, u"a\uFFFDx"}},
         {{0, 0, 1, 4}}},
        {"NothingFoundInEmptyDocument", "", {enabledEntry(u"a")}, {}, {}},
        {"MatchCaseAndWholeWord",
         "ERROR error ERROR_count\nerror_count eRROR",
         {caseEntry(u"ERROR"), wordEntry(u"ERROR", true), wordEntry(u"error")},
         {{0, u"ERROR error ERROR_count"}, {1, u"error_count eRROR"}},
         {{0, 0, 0, 5}, {0, 1, 0, 5}, {0, 2, 0, 5}, {0, 2, 6, 5}, {0, 0, 12, 5}, {1, 2, 36, 5}}},
        {"WholeWordEdgesFollowTheEditorsCharacterClasses",
         "cat concat cat_x cat. (cat)",
         {wordEntry(u"cat"), wordEntry(u"(cat")},
         {{0, u"cat concat cat_x cat. (cat)"}},
         {{0, 0, 0, 3}, {0, 0, 17, 3}, {0, 1, 22, 4}, {0, 0, 23, 3}}},
        {"RegularExpressionsIgnoreCaseUnlessAskedAndStayInTheirLine",
         "failed FAIL fail\nuser=12 xuser=3 user=x\na\nb a-b",
         {regexEntry(u"fail(ed)?"),
          regexEntry(u"\\buser=\\d+"),
          regexEntry(u"a.b"),
          {u"FAIL", true, 0, {.matchCase = true, .regex = true}}},
         {{0, u"failed FAIL fail"}, {1, u"user=12 xuser=3 user=x"}, {3, u"b a-b"}},
         {{0, 0, 0, 6}, {0, 0, 7, 4}, {0, 3, 7, 4}, {0, 0, 12, 4}, {1, 1, 17, 7}, {3, 2, 44, 3}}},
        {"EmptyMatchesAreSteppedPastByAWholeCharacter",
         "baab\n\xC3\xA9xx\n",
         {regexEntry(u"x+|a*"), regexEntry(u"^"), regexEntry(u"\\b")},
         {{0, u"baab"}, {1, u"\u00E9xx"}},
         {{0, 0, 1, 2}, {1, 0, 7, 2}}},
        {"AWordBoundaryIsJudgedWithTheCharacterBeforeWhereASearchResumes",
         "concat cat con\nxx",
         {regexEntry(u"con|\\bcat\\b"), regexEntry(u"con|cat", true), regexEntry(u"^x")},
         {{0, u"concat cat con"}, {1, u"xx"}},
         {{0, 0, 0, 3}, {0, 0, 7, 3}, {0, 1, 7, 3}, {0, 0, 11, 3}, {0, 1, 11, 3}, {1, 2, 15, 1}}},
        {"AnInvalidRegularExpressionFindsNothingAndTheOthersSearchOn",
         "fail(ed ok",
         {regexEntry(u"fail(ed"), enabledEntry(u"ok"), regexEntry(u"[")},
         {{0, u"fail(ed ok"}},
         {{0, 1, 8, 2}},
         {{0, Rejection::invalid}, {2, Rejection::invalid}}},
    };
}

// The records, and each one's line as `view`, which shows the searched document, reads it.
inline void expectMatches(const MatchList& found, const SearchCase& searchCase,
                          const EditorView& view) {
    ASSERT_EQ(found.size(), searchCase.expected.size());
    ResultLines lines;
    for (std::size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE("match " + std::to_string(i));
        const ExpectedMatch& want = searchCase.expected[i];
        EXPECT_EQ(found[i].line, want.line);
        EXPECT_EQ(found[i].entryIndex, want.entryIndex);
        EXPECT_EQ(found[i].position, want.position);
        EXPECT_EQ(found[i].length, want.length);
        EXPECT_TRUE(lines.read(view, found[i].line, found[i].position).text ==
                    searchCase.lines.at(want.line));
    }
}

inline SearchList listOf(const std::vector<SearchEntry>& entries) {
    SearchList list;
    for (const SearchEntry& entry : entries) list.append(entry);
    return list;
}

// A whole search of the case's entries in the document `view` shows, as the panel runs it.
inline void expectSearchFinds(const EditorView& view, const SearchCase& searchCase) {
    SearchRun run(view, listOf(searchCase.entries));
    ASSERT_EQ(run.finish(), SearchRun::State::done);
    EXPECT_EQ(run.rejected(), searchCase.rejected);
    expectMatches(run.matches(), searchCase, view);
}

}  // namespace tarnwick::testing
