#include "core/search/document_searcher.hpp"

#include <gtest/gtest.h>

#include "fake_editor.hpp"
#include "host/editor_messages.hpp"
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
    EXPECT_EQ(editor.messages(), concat({askCodePage(), readLength(), targetSearch(0, 5, "aa"),
                                         collectMatch(0), targetSearch(2, 5, "aa"),
                                         collectMatch(2), targetSearch(4, 5, "aa")}));
}

TEST_F(DocumentSearcherTrace, MatchEndingAtTheDocumentEndEndsTheEntry) {
    search("ab\nab", {enabledEntry(u"AB")});
    EXPECT_EQ(editor.messages(), concat({askCodePage(), readLength(), targetSearch(0, 5, "AB"), collectMatch(0),
                                         targetSearch(2, 5, "AB"), collectMatch(3)}));
}

TEST_F(DocumentSearcherTrace, NoLineIsReadWhileSearching) {
    const MatchList found = search("x x x\ny x", {enabledEntry(u"x"), enabledEntry(u"y")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 9, "x"), collectMatch(0),
                      targetSearch(1, 9, "x"), collectMatch(2), targetSearch(3, 9, "x"),
                      collectMatch(4), targetSearch(5, 9, "x"), collectMatch(8), readLength(),
                      targetSearch(0, 9, "y"), collectMatch(6), targetSearch(7, 9, "y")}));
    EXPECT_EQ(found, (MatchList{{0, 1, 0, 0}, {2, 1, 0, 0}, {4, 1, 0, 0}, {6, 1, 1, 1}, {8, 1, 0, 1}}));
}

TEST_F(DocumentSearcherTrace, LengthIsReadOncePerEntryAndEntryTextSentAsUtf8) {
    search("\xC3\xA9z", {enabledEntry(u"\u00E9"), disabledEntry(u"q"), enabledEntry(u"z")});
    EXPECT_EQ(editor.messages(),
              concat({askCodePage(), readLength(), targetSearch(0, 3, "\xC3\xA9"), collectMatch(0),
                      targetSearch(2, 3, "\xC3\xA9"), readLength(), targetSearch(0, 3, "z"),
                      collectMatch(2)}));
}

class EditorSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(EditorSearchCases, FindTheExpectedMatches) {
    FakeEditor editor(GetParam().document);
    const MatchList found =
        DocumentSearcher{}.searchAll(EditorView(editor.handle()), listOf(GetParam().entries));
    expectMatches(found, GetParam(), EditorView(editor.handle()));
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

TEST(DocumentSearcher, MatchThatDoesNotMoveForwardEndsTheEntryInsteadOfLoopingForEver) {
    StuckEditor editor("aaaa");
    const MatchList found =
        DocumentSearcher{}.searchAll(EditorView(editor.handle()), listOf({enabledEntry(u"a")}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].length, 0);
}

}  // namespace
}  // namespace tarnwick::testing
