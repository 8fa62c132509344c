#include "core/search/document_searcher.hpp"

#include <algorithm>
#include <chrono>

#include <gtest/gtest.h>

#include "fake_editor.hpp"
#include "host/editor_messages.hpp"
#include "core/search/search_run.hpp"
#include "search_cases.hpp"

namespace tarnwick::testing {
namespace {

using Trace = std::vector<SentMessage>;

// The four messages that start every target search.
Trace targetSearch(std::uintptr_t start, std::uintptr_t documentLength, const std::string& needle) {
    return {{SCI_SETTARGETSTART, start, 0, {}},
            {SCI_SETTARGETEND, documentLength, 0, {}},
            {SCI_SETSEARCHFLAGS, 0, 0, {}},
            {SCI_SEARCHINTARGET, needle.size(), 0, needle}};
}

// The messages that collect a match found at `position`: its line, nothing of its text.
Trace collectMatch(std::uintptr_t position) {
    return {{SCI_GETTARGETEND, 0, 0, {}}, {SCI_LINEFROMPOSITION, position, 0, {}}};
}

Trace readLength() {
    return {{SCI_GETLENGTH, 0, 0, {}}};
}

Trace askCodePage() {
    return {{SCI_GETCODEPAGE, 0, 0, {}}};
}

Trace concat(std::initializer_list<Trace> parts) {
    Trace all;
    for (const Trace& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

SearchRunLimits inRangesOf(std::int64_t bytes) {
    SearchRunLimits limits;
    limits.rangeBytes = bytes;
    return limits;
}

SearchRunLimits failingAtMatch(std::size_t count) {
    SearchRunLimits limits;
    limits.failAtMatch = count;
    return limits;
}

class DocumentSearcherTrace : public ::testing::Test {
protected:
    MatchList search(std::string document, const std::vector<SearchEntry>& entries) {
        editor.setDocument(std::move(document));
        return DocumentSearcher{}.searchAll(EditorView(editor.handle()), listOf(entries));
    }

    FakeEditor editor;
};

TEST_F(DocumentSearcherTrace, EmptyListSendsNothing) {
    EXPECT_TRUE(search("abc", {}).empty());
    EXPECT_TRUE(editor.messages().empty());
}

TEST_F(DocumentSearcherTrace, DisabledEntrySendsNothing) {
    EXPECT_TRUE(search("abc", {disabledEntry(u"a")}).empty());
    EXPECT_TRUE(editor.messages().empty());
}

TEST_F(DocumentSearcherTrace, EmptyTextSendsNothingAndTheNextEntryIsSearched) {
    const MatchList found = search("xb", {enabledEntry(u""), enabledEntry(u"b")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 2, "b"), collectMatch(1)}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].entryIndex, 1);
}

TEST_F(DocumentSearcherTrace, EmptyDocumentStopsAfterReadingItsLength) {
    search("", {enabledEntry(u"a"), enabledEntry(u"b")});
    EXPECT_EQ(editor.messages(), concat({askCodePage(), readLength(), readLength()}));
}

TEST_F(DocumentSearcherTrace, EachSearchStartsWhereThePreviousMatchEnded) {
    search("aaaa\n", {enabledEntry(u"aa")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 5, "aa"), collectMatch(0),
                      targetSearch(2, 5, "aa"), collectMatch(2), targetSearch(4, 5, "aa")}));
}

TEST_F(DocumentSearcherTrace, MatchEndingAtTheDocumentEndEndsTheEntry) {
    search("ab\nab", {enabledEntry(u"AB")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 5, "AB"), collectMatch(0),
                      targetSearch(2, 5, "AB"), collectMatch(3)}));
}

TEST_F(DocumentSearcherTrace, NoLineIsReadWhileSearching) {
    const MatchList found = search("x x x\ny x", {enabledEntry(u"x"), enabledEntry(u"y")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 9, "x"), collectMatch(0),
                      targetSearch(1, 9, "x"), collectMatch(2), targetSearch(3, 9, "x"),
                      collectMatch(4), targetSearch(5, 9, "x"), collectMatch(8), readLength(),
                      targetSearch(0, 9, "y"), collectMatch(6), targetSearch(7, 9, "y")}));
    EXPECT_EQ(found,
              (MatchList{{0, 1, 0, 0}, {2, 1, 0, 0}, {4, 1, 0, 0}, {6, 1, 1, 1}, {8, 1, 0, 1}}));
}

TEST_F(DocumentSearcherTrace, LengthIsReadOncePerEntryAndEntryTextSentAsUtf8) {
    search("\xC3\xA9z", {enabledEntry(u"\u00E9"), disabledEntry(u"q"), enabledEntry(u"z")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 3, "\xC3\xA9"), collectMatch(0),
                      targetSearch(2, 3, "\xC3\xA9"), readLength(), targetSearch(0, 3, "z"),
                      collectMatch(2)}));
}

// A match starting after the range is left to the next range, which may find one before it;
// the last range reaches the document's end.
TEST_F(DocumentSearcherTrace, ARunSearchesItsRangesEachWithRoomForAWholeMatch) {
    editor.setDocument("xxxxxxxxxxxxxxab\nxx");
    SearchRun run(EditorView(editor.handle()), listOf({enabledEntry(u"ab")}), inRangesOf(4));
    EXPECT_EQ(run.finish(), SearchRun::State::done);
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 12, "ab"),
                      targetSearch(4, 16, "ab"), Trace{{SCI_GETTARGETEND, 0, 0, {}}},
                      targetSearch(8, 19, "ab"), collectMatch(14), targetSearch(16, 19, "ab")}));
    EXPECT_EQ(run.takeMatches().size(), 1u);
}

class EditorSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(EditorSearchCases, FindTheExpectedMatches) {
    FakeEditor editor(GetParam().document);
    expectSearchFinds(EditorView(editor.handle()), GetParam());
}

// The smallest slices: one target search each, in ranges of one byte.
TEST_P(EditorSearchCases, FindTheExpectedMatchesInSlices) {
    FakeEditor editor(GetParam().document);
    SearchRun run(EditorView(editor.handle()), listOf(GetParam().entries), inRangesOf(1));
    while (run.step(std::chrono::steady_clock::duration::zero()) == SearchRun::State::running) {
    }
    expectMatches(run.takeMatches(), GetParam(), EditorView(editor.handle()));
}

INSTANTIATE_TEST_SUITE_P(SubstituteEditor, EditorSearchCases,
                         ::testing::ValuesIn(editorSearchCases()),
                         [](const auto& info) { return info.param.name; });

TEST(DocumentSearcher, SearchingAgainReplacesNothingAndKeepsNoState) {
    FakeEditor editor("one two one");
    const SearchList list = listOf({enabledEntry(u"one")});
    const DocumentSearcher searcher;
    const MatchList first = searcher.searchAll(EditorView(editor.handle()), list);
    const MatchList second = searcher.searchAll(EditorView(editor.handle()), list);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].position, 8);
}

// An editor that reports every match as ending where the search began.
class StuckEditor : public FakeEditor {
public:
    using FakeEditor::FakeEditor;

protected:
    std::intptr_t answer(SentMessage& recorded) override {
        if (recorded.message == SCI_SETTARGETSTART) start_ = recorded.wParam;
        if (recorded.message == SCI_GETTARGETEND) return static_cast<std::intptr_t>(start_);
        return FakeEditor::answer(recorded);
    }

private:
    std::uintptr_t start_ = 0;
};

// An editor whose regular expressions all end as the host's engine ends a bad one.
class RegexAnsweringEditor : public FakeEditor {
public:
    RegexAnsweringEditor(std::string document, std::intptr_t answer)
        : FakeEditor(std::move(document)), answer_(answer) {}

protected:
    std::intptr_t answer(SentMessage& recorded) override {
        if (recorded.message == SCI_SETSEARCHFLAGS) regex_ = (recorded.wParam & SCFIND_REGEXP) != 0;
        const std::intptr_t answer = FakeEditor::answer(recorded);
        return regex_ && recorded.message == SCI_SEARCHINTARGET ? answer_ : answer;
    }

private:
    std::intptr_t answer_;
    bool regex_ = false;
};

// However the editor says it cannot read a pattern (-2 or -3 from the host's engine, -1 and
// the status from plain Scintilla's, whose status is cleared first), the entry is refused,
// nothing is read of the target, and the other entries are searched.
TEST(DocumentSearcher, ARefusedPatternIsToldAndNothingIsReadAfterTheAnswer) {
    const Trace regexSearch = {{SCI_SETTARGETSTART, 0, 0, {}},
                               {SCI_SETTARGETEND, 5, 0, {}},
                               {SCI_SETSEARCHFLAGS, SCFIND_REGEXP | SCFIND_CXX11REGEX, 0, {}},
                               {SCI_SETSTATUS, 0, 0, {}},
                               {SCI_SEARCHINTARGET, 2, 0, "a("}};
    const Trace afterwards = concat({readLength(), targetSearch(0, 5, "b"), collectMatch(1)});
    const struct {
        std::intptr_t answer;
        Rejection why;
        Trace asked;
    } cases[] = {{-2, Rejection::invalid, {}},
                 {-3, Rejection::failed, {}},
                 {-1, Rejection::invalid, {{SCI_GETSTATUS, 0, 0, {}}}}};
    for (const auto& answer : cases) {
        SCOPED_TRACE(answer.answer);
        RegexAnsweringEditor hostEngine("abcab", answer.answer);
        FakeEditor plain("abcab");
        FakeEditor& editor = answer.answer == -1 ? plain : hostEngine;
        SearchRun run(EditorView(editor.handle()),
                      listOf({{u"a(", true, 0, {.regex = true}}, enabledEntry(u"b")}));
        ASSERT_EQ(run.finish(), SearchRun::State::done);
        EXPECT_EQ(run.rejected(), (std::vector<RejectedEntry>{{0, answer.why}}));
        EXPECT_EQ(run.matches().size(), 2u);
        const Trace& sent = editor.messages();
        ASSERT_GE(sent.size(), 7u);
        EXPECT_EQ(Trace(sent.begin() + 2, sent.begin() + 7), regexSearch);
        EXPECT_EQ(Trace(sent.begin() + 7, sent.begin() + 7 + answer.asked.size()), answer.asked);
        EXPECT_EQ(Trace(sent.begin() + 7 + answer.asked.size(),
                        sent.begin() + 7 + answer.asked.size() + afterwards.size()),
                  afterwards);
    }
}

// Each empty match is stepped past by a character, and none is listed.
TEST(DocumentSearcher, MatchThatDoesNotMoveForwardEndsTheEntryInsteadOfLoopingForEver) {
    StuckEditor editor("aaaa");
    const MatchList found =
        DocumentSearcher{}.searchAll(EditorView(editor.handle()), listOf({enabledEntry(u"a")}));
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(
        std::count_if(editor.messages().begin(), editor.messages().end(),
                      [](const SentMessage& sent) { return sent.message == SCI_SEARCHINTARGET; }),
        4);
}

struct SliceCase {
    std::string name;
    std::string document;
    std::vector<SearchEntry> entries;
};

void PrintTo(const SliceCase& sliceCase, std::ostream* out) {
    *out << sliceCase.name;
}

class SlicedSearch : public ::testing::TestWithParam<SliceCase> {
protected:
    struct Found {
        std::int32_t line;
        std::int64_t position;
        std::int64_t length;
        std::int32_t entryIndex;
        bool operator==(const Found&) const = default;
    };

    static std::vector<Found> records(const MatchList& matches) {
        std::vector<Found> all;
        for (const SearchMatch& match : matches)
            all.push_back({match.line, match.position, match.length, match.entryIndex});
        return all;
    }
};

// Sliced one target search at a time, in ranges of every size from one byte to more than
// the document, a search finds what one search from start to end finds, in the same order;
// its progress only grows, and reaches 100 when it is done.
TEST_P(SlicedSearch, FindsExactlyWhatTheWholeSearchFinds) {
    FakeEditor editor(GetParam().document);
    const SearchList list = listOf(GetParam().entries);
    const auto whole = records(DocumentSearcher{}.searchAll(EditorView(editor.handle()), list));
    ASSERT_FALSE(whole.empty());
    const auto documentLength = static_cast<std::int64_t>(GetParam().document.size());
    for (std::int64_t range = 1; range <= documentLength + 1; ++range) {
        SCOPED_TRACE("range " + std::to_string(range));
        SearchRun run(EditorView(editor.handle()), list, inRangesOf(range));
        int steps = 0;
        int percent = 0;
        while (run.step(std::chrono::steady_clock::duration::zero()) == SearchRun::State::running) {
            ++steps;
            EXPECT_GE(run.percentDone(), percent);
            EXPECT_LT(run.percentDone(), 100);
            percent = run.percentDone();
        }
        EXPECT_GT(steps, 1);
        EXPECT_EQ(run.percentDone(), 100);
        EXPECT_EQ(run.matchesHeld(), whole.size());
        EXPECT_EQ(records(run.takeMatches()), whole);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RangeEdges, SlicedSearch,
    ::testing::Values(
        SliceCase{"MatchesAcrossEveryEdge", "xabcabcabcx\nabc", {enabledEntry(u"ABC")}},
        SliceCase{"RunsOfOneLetter", "aaaaaaa\naaaa\na", {enabledEntry(u"aa")}},
        SliceCase{"EntryLongerThanARange", "xxhelloxxhello\nhellohello", {enabledEntry(u"hello")}},
        SliceCase{"SeveralEntriesSomeDisabledOrEmpty",
                  "ab aba\nbab\nabab",
                  {enabledEntry(u"ab"), disabledEntry(u"b"), enabledEntry(u""), enabledEntry(u"ba"),
                   enabledEntry(u"aba")}},
        SliceCase{"MultiByteCharacters",
                  "\xC3\xA9\xC3\xA9x\xC3\xA9\n\xF0\x9F\x98\x80\xC3\xA9",
                  {enabledEntry(u"\u00E9"), enabledEntry(u"\U0001F600\u00E9")}},
        SliceCase{"MatchAtTheDocumentEnd", "abab", {enabledEntry(u"b"), enabledEntry(u"ab")}}),
    [](const auto& info) { return info.param.name; });

// Memory running out stops the run at once and releases what it found; the view is asked
// nothing more, and the next run finds everything.
TEST(SearchRun, MemoryRunningOutStopsTheRunAndReleasesWhatItFound) {
    FakeEditor editor("a a a a\na");
    const SearchList list = listOf({enabledEntry(u"a")});
    SearchRun run(EditorView(editor.handle()), list, failingAtMatch(3));
    EXPECT_EQ(run.finish(), SearchRun::State::outOfMemory);
    EXPECT_EQ(run.matchesHeld(), 3u);
    const std::size_t messagesThen = editor.messages().size();
    EXPECT_EQ(run.step(std::chrono::steady_clock::duration::max()), SearchRun::State::outOfMemory);
    EXPECT_EQ(editor.messages().size(), messagesThen);
    EXPECT_TRUE(run.takeMatches().empty());
    SearchRun next(EditorView(editor.handle()), list, failingAtMatch(5));
    EXPECT_EQ(next.finish(), SearchRun::State::done);
    EXPECT_EQ(next.takeMatches().size(), 5u);
}

}  // namespace
}  // namespace tarnwick::testing
