#include <gtest/gtest.h>

#include "core/results/result_lines.hpp"
#include "core/search/document_searcher.hpp"
#include "host/editor_messages.hpp"
#include "minihost/scintilla_messages.hpp"
#include "scintilla_window.hpp"
#include "search_cases.hpp"

namespace tarnwick::testing {
namespace {

MatchList searchView(const ScintillaWindow& view, const std::vector<SearchEntry>& entries) {
    return DocumentSearcher{}.searchAll(EditorView(view.handle()), listOf(entries));
}

// A result's line, as the results list reads it.
std::u16string lineOf(const ScintillaWindow& view, const SearchMatch& match) {
    return ResultLines().read(EditorView(view.handle()), match.line, match.position).text.str();
}

class EditorSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(EditorSearchCases, FindTheExpectedMatches) {
    ScintillaWindow view;
    view.setDocument(GetParam().document);
    expectSearchFinds(EditorView(view.handle()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(RealScintilla, EditorSearchCases, ::testing::ValuesIn(editorSearchCases()),
                         [](const auto& info) { return info.param.name; });

TEST(RealScintilla, FoldsTheCaseOfNonAsciiLetters) {
    ScintillaWindow view;
    view.setDocument("\xC3\xA9t\xC3\xA9 \xC3\x89T\xC3\x89");  // "été ÉTÉ"
    const MatchList found = searchView(view, {enabledEntry(u"\u00C9t\u00C9")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].position, 0);
    EXPECT_EQ(found[1].position, 6);
    EXPECT_EQ(found[1].length, 5);
}

TEST(RealScintilla, ZeroByteInsideALineStaysInItsContent) {
    ScintillaWindow view;
    view.setDocument(std::string("a\0b\r\nb", 6));
    const MatchList found = searchView(view, {enabledEntry(u"b")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(lineOf(view, found[0]), std::u16string(u"a\0b", 3));
    EXPECT_EQ(lineOf(view, found[1]), u"b");
}

TEST(RealScintilla, SearchLeavesTheTargetOnTheLastMatchAndTheSelectionAlone) {
    ScintillaWindow view;
    view.setDocument("one two one three");
    view.send(SCI_SETSEL, 1, 2);
    ASSERT_EQ(searchView(view, {enabledEntry(u"one")}).size(), 2u);
    EXPECT_EQ(view.send(SCI_GETTARGETSTART), 11);  // where the last, failed search began
    EXPECT_EQ(view.send(SCI_GETANCHOR), 1);
    EXPECT_EQ(view.send(SCI_GETCURRENTPOS), 2);
}

// Documents the editor keeps in an ANSI code page: the bytes are searched as they are and
// the platform's own conversions spell the entries and read the lines.
class RealScintillaAnsi : public ::testing::Test {
protected:
    MatchList search(std::uintptr_t codePage, const std::string& bytes,
                     const std::vector<SearchEntry>& entries) {
        view.send(SCI_SETCODEPAGE, codePage);
        view.setDocument(bytes);
        return searchView(view, entries);
    }

    ScintillaWindow view;
};

TEST_F(RealScintillaAnsi, CodePageZeroSearchesTheSystemsAnsiBytesAndFoldsTheirCase) {
    ASSERT_EQ(GetACP(), 1252u) << "the test prefix's ANSI code page";
    const MatchList found = search(0, "Caf\xE9 au lait\r\nCAF\xC9 ? Z\xFCrich",
                                   {enabledEntry(u"caf\u00E9"), enabledEntry(u"\u65E5\u672C"),
                                    enabledEntry(u"z\u00FCrich")});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].position, 0);
    EXPECT_EQ(found[0].length, 4);
    EXPECT_EQ(lineOf(view, found[0]), u"Caf\u00E9 au lait");
    EXPECT_EQ(found[1].position, 14);
    EXPECT_EQ(lineOf(view, found[1]), u"CAF\u00C9 ? Z\u00FCrich");
    EXPECT_EQ(found[2].entryIndex, 2);  // the entry 1252 cannot spell found nothing, not "?"
    EXPECT_EQ(found[2].position, 21);
}

TEST_F(RealScintillaAnsi, DoubleByteCodePageFindsItsCharactersAtTheirBytes) {
    // "abc 日本 日本" in Shift-JIS.
    const MatchList found =
        search(932, "abc \x93\xFA\x96\x7B \x93\xFA\x96\x7B", {enabledEntry(u"\u65E5\u672C")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].position, 4);
    EXPECT_EQ(found[0].length, 4);
    EXPECT_EQ(found[1].position, 9);
    EXPECT_EQ(lineOf(view, found[0]), u"abc \u65E5\u672C \u65E5\u672C");
}

}  // namespace
}  // namespace tarnwick::testing
