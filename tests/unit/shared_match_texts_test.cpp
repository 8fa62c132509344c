// The matches of a search share their texts: an entry's text once for all its matches, a
// line's, fetched once, for the entry's matches on it. Whatever is shared, every record
// holds the texts, order, positions and place in its line that it would hold alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/search/document_searcher.hpp"
#include "fake_editor.hpp"
#include "host/editor_messages.hpp"
#include "search_cases.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick::testing {
namespace {

MatchList searchIn(FakeEditor& editor, const std::vector<SearchEntry>& entries) {
    return DocumentSearcher{}.searchAll(EditorView(editor.handle()), listOf(entries));
}

TEST(SharedMatchTexts, MatchesOfOneEntryOnOneLineShareItsTextAndTheEntrysText) {
    FakeEditor editor("x x x\r\ny x\r\n");
    const MatchList found = searchIn(editor, {enabledEntry(u"x")});
    ASSERT_EQ(found.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(found[i].lineContent == u"x x x");
        EXPECT_TRUE(found[i].lineContent.sharesStorageWith(found[0].lineContent));
    }
    EXPECT_TRUE(found[3].lineContent == u"y x");
    for (const SearchMatch& match : found) {
        EXPECT_TRUE(match.entryText == u"x");
        EXPECT_TRUE(match.entryText.sharesStorageWith(found[0].entryText));
    }
}

TEST(SharedMatchTexts, EachEntryKeepsItsOwnTextOnALineThatSeveralMatch) {
    FakeEditor editor("a B b A\r\n");
    const MatchList found = searchIn(editor, {enabledEntry(u"b"), enabledEntry(u"A")});
    ASSERT_EQ(found.size(), 4u);
    const char16_t* expectedEntries[] = {u"A", u"b", u"b", u"A"};
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].position, static_cast<std::int64_t>(2 * i));
        EXPECT_TRUE(found[i].entryText == expectedEntries[i]);
        EXPECT_TRUE(found[i].lineContent == u"a B b A");
    }
}

// A line of only its line end holds an empty text; the lines around it keep theirs.
TEST(SharedMatchTexts, MatchOnALineOfOnlyItsLineEndHasAnEmptyText) {
    FakeEditor editor("a\r\r\n\r\nb\r");
    const MatchList found = searchIn(editor, {enabledEntry(u"\r")});
    ASSERT_EQ(found.size(), 4u);
    EXPECT_TRUE(found[0].lineContent == u"a");
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(found[i].line, static_cast<std::int32_t>(i));
        EXPECT_TRUE(found[i].lineContent.empty());
    }
    EXPECT_TRUE(found[3].lineContent == u"b");
}

TEST(SharedMatchTexts, AnsiLinesAreSharedInTheirOwnCodePage) {
    FakeEditor editor;
    // "日 x 日" in Shift-JIS, after a line of ASCII.
    editor.showDocument(0x1, "x\r\n\x93\xFA x \x93\xFA", 932);
    const MatchList found = searchIn(editor, {enabledEntry(u"\u65E5")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(found[0].lineContent == u"\u65E5 x \u65E5");
    EXPECT_TRUE(found[0].lineContent.sharesStorageWith(found[1].lineContent));
    EXPECT_EQ(found[1].column, 4);  // two bytes, one unit, each

    editor.showDocument(0x2, "Caf\xE9 caf\xE9\r\n", 1252);
    const MatchList latin = searchIn(editor, {enabledEntry(u"caf\u00E9")});
    ASSERT_EQ(latin.size(), 2u);
    EXPECT_TRUE(latin[1].lineContent == u"Caf\u00E9 caf\u00E9");
    EXPECT_TRUE(latin[1].lineContent.sharesStorageWith(latin[0].lineContent));
    EXPECT_EQ(latin[1].column, 5);
}

// What a search must find, worked out from the document alone: each enabled entry's
// matches in document order, none overlapping, with the substitute editor's folding of
// ASCII letters, then ordered by line and position, entries in list order at one place.
MatchList expectedRecords(const std::string& document, const std::vector<SearchEntry>& entries) {
    std::vector<std::size_t> lineStarts = {0};
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\r' && i + 1 < document.size() && document[i + 1] == '\n') ++i;
        if (document[i] == '\r' || document[i] == '\n') lineStarts.push_back(i + 1);
    }
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    MatchList records;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (!entries[e].enabled) continue;
        const std::string needle = toUtf8(entries[e].text);
        for (auto at = document.begin();;) {
            at = std::search(at, document.end(), needle.begin(), needle.end(),
                             [&](char a, char b) { return fold(a) == fold(b); });
            if (at == document.end()) break;
            const std::size_t position = static_cast<std::size_t>(at - document.begin());
            const std::size_t line =
                std::upper_bound(lineStarts.begin(), lineStarts.end(), position) -
                lineStarts.begin() - 1;
            const std::size_t end =
                line + 1 < lineStarts.size() ? lineStarts[line + 1] : document.size();
            std::u16string content =
                fromUtf8(document.substr(lineStarts[line], end - lineStarts[line]));
            while (!content.empty() && (content.back() == u'\r' || content.back() == u'\n'))
                content.pop_back();
            const std::size_t column =
                fromUtf8(document.substr(lineStarts[line], position - lineStarts[line])).size();
            records.push_back({static_cast<std::int32_t>(line), entries[e].text, content,
                               static_cast<std::int64_t>(position),
                               static_cast<std::int64_t>(needle.size()),
                               static_cast<std::int32_t>(e), static_cast<std::int32_t>(column)});
            at += static_cast<std::ptrdiff_t>(needle.size());
        }
    }
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        return a.line != b.line ? a.line < b.line : a.position < b.position;
    });
    return records;
}

// Random documents of short and empty lines, CR LF, LF and CR line ends, accents, CJK, a
// character outside the BMP and malformed bytes, searched for entries that often match
// together on one line: each entry fetches each of its lines once.
TEST(SharedMatchTexts, RecordsAreThoseOfTheSearchDoneByHandOnRandomDocuments) {
    const std::vector<std::string> pieces = {
        "ab",    "AB",   "b",  " ",  "\xC3\xA9", "\xE6\x97\xA5",     "\xFF",
        "a\xC3", "\r\n", "\n", "\r", "\r\n\r\n", "\xF0\x9F\x98\x80", "\xE6\x97"};
    const std::vector<SearchEntry> entries = {enabledEntry(u"ab"),     enabledEntry(u"b"),
                                              disabledEntry(u"a"),     enabledEntry(u"\u00E9"),
                                              enabledEntry(u"\u65E5"), enabledEntry(u"b a")};
    std::mt19937 random(14);
    for (int round = 0; round < 50; ++round) {
        std::string document;
        const int count = std::uniform_int_distribution<int>(0, 200)(random);
        for (int i = 0; i < count; ++i)
            document +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        FakeEditor editor(document);
        const MatchList found = searchIn(editor, entries);
        const MatchList expected = expectedRecords(document, entries);
        ASSERT_EQ(found.size(), expected.size()) << "round " << round;
        std::set<std::pair<std::int32_t, std::int32_t>> entryLines;
        for (const SearchMatch& match : expected) entryLines.emplace(match.entryIndex, match.line);
        EXPECT_EQ(
            std::count_if(editor.messages().begin(), editor.messages().end(),
                          [](const SentMessage& sent) { return sent.message == SCI_GETLINE; }),
            static_cast<std::ptrdiff_t>(entryLines.size()));
        for (std::size_t i = 0; i < found.size(); ++i) {
            SCOPED_TRACE("round " + std::to_string(round) + ", match " + std::to_string(i));
            EXPECT_EQ(found[i].line, expected[i].line);
            EXPECT_EQ(found[i].position, expected[i].position);
            EXPECT_EQ(found[i].length, expected[i].length);
            EXPECT_EQ(found[i].entryIndex, expected[i].entryIndex);
            EXPECT_TRUE(found[i].entryText == expected[i].entryText);
            EXPECT_TRUE(found[i].lineContent == expected[i].lineContent);
            EXPECT_EQ(found[i].column, expected[i].column);
        }
    }
}

}  // namespace
}  // namespace tarnwick::testing
