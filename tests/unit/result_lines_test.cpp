// A result holds no text: the lines of the results are read from the document when they
// are shown, each line once however many results it holds, with the place of each result
// in its line counted in UTF-16 units.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/results/result_lines.hpp"
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

ResultLines::Place placeOf(FakeEditor& editor, ResultLines& lines, const SearchMatch& match) {
    return lines.read(EditorView(editor.handle()), match.line, match.position);
}

// Lines of only their line end read as empty; columns count units, in the document's
// own code page.
TEST(ResultLines, LinesReadWithoutTheirLineEndAndColumnsCountUnits) {
    struct Case {
        std::string document;
        std::uint32_t codePage;
        std::u16string entry;
        std::vector<std::pair<std::u16string, std::int32_t>> places;
    };
    const std::vector<Case> cases = {
        {"a\r\r\n\r\nb\r", 65001, u"\r", {{u"a", 1}, {u"", 0}, {u"", 0}, {u"b", 1}}},
        {std::string("a\0b\r\n", 5), 65001, u"b", {{std::u16string(u"a\0b", 3), 2}}},
        // "日 x 日" in Shift-JIS, after a line of ASCII: two bytes, one unit, each.
        {"x\r\n\x93\xFA x \x93\xFA",
         932,
         u"\u65E5",
         {{u"\u65E5 x \u65E5", 0}, {u"\u65E5 x \u65E5", 4}}},
        {"Caf\xE9 caf\xE9\r\n",
         1252,
         u"caf\u00E9",
         {{u"Caf\u00E9 caf\u00E9", 0}, {u"Caf\u00E9 caf\u00E9", 5}}},
        {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80 t",
         65001,
         u"t",
         {{u"\u00E9t\u00E9 \U0001F600 t", 1}, {u"\u00E9t\u00E9 \U0001F600 t", 7}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.document);
        FakeEditor editor;
        editor.showDocument(0x1, test.document, test.codePage);
        const MatchList found = searchIn(editor, {enabledEntry(test.entry)});
        ASSERT_EQ(found.size(), test.places.size());
        ResultLines lines;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const ResultLines::Place place = placeOf(editor, lines, found[i]);
            EXPECT_TRUE(place.text == test.places[i].first) << i;
            EXPECT_EQ(place.column, test.places[i].second) << i;
        }
        EXPECT_TRUE(editor.lineBuffersArrivedZeroed());
    }
}

TEST(ResultLines, KeptLinesAreForgottenWhenTheDocumentChanges) {
    FakeEditor editor("one\ntwo");
    ResultLines lines;
    EXPECT_TRUE(lines.read(EditorView(editor.handle()), 1, 4).text == u"two");
    editor.setDocument("one\nthree");
    EXPECT_TRUE(lines.read(EditorView(editor.handle()), 1, 4).text == u"two");  // kept
    lines.forget();
    EXPECT_TRUE(lines.read(EditorView(editor.handle()), 1, 4).text == u"three");
}

// What a search must find, worked out from the document alone: each enabled entry's
// matches in document order, none overlapping, with the substitute editor's folding of
// ASCII letters, then ordered by line and position, entries in list order at one place.
struct ExpectedRecord {
    SearchMatch match;
    std::u16string line;
    std::int32_t column = 0;
};

std::vector<ExpectedRecord> expectedRecords(const std::string& document,
                                            const std::vector<SearchEntry>& entries) {
    std::vector<std::size_t> lineStarts = {0};
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\r' && i + 1 < document.size() && document[i + 1] == '\n') ++i;
        if (document[i] == '\r' || document[i] == '\n') lineStarts.push_back(i + 1);
    }
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    std::vector<ExpectedRecord> records;
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
            records.push_back(
                {{static_cast<std::intptr_t>(position), static_cast<std::int32_t>(needle.size()),
                  static_cast<std::int32_t>(e), static_cast<std::int32_t>(line)},
                 content,
                 static_cast<std::int32_t>(column)});
            at += static_cast<std::ptrdiff_t>(needle.size());
        }
    }
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        return a.match.line != b.match.line ? a.match.line < b.match.line
                                            : a.match.position < b.match.position;
    });
    return records;
}

// Random documents of short and empty lines, CR LF, LF and CR line ends, accents, CJK, a
// character outside the BMP and malformed bytes, searched for entries that often match
// together on one line: the records and their lines read as they are worked out by hand,
// each line read once.
TEST(ResultLines, RecordsAndLinesAreThoseOfTheSearchDoneByHandOnRandomDocuments) {
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
        const std::vector<ExpectedRecord> expected = expectedRecords(document, entries);
        ASSERT_EQ(found.size(), expected.size()) << "round " << round;
        editor.forgetMessages();
        ResultLines lines;
        std::set<std::int32_t> lineNumbers;
        for (std::size_t i = 0; i < found.size(); ++i) {
            SCOPED_TRACE("round " + std::to_string(round) + ", match " + std::to_string(i));
            EXPECT_EQ(found[i], expected[i].match);
            const ResultLines::Place place = placeOf(editor, lines, found[i]);
            EXPECT_TRUE(place.text == expected[i].line);
            EXPECT_EQ(place.column, expected[i].column);
            lineNumbers.insert(found[i].line);
        }
        EXPECT_EQ(
            std::count_if(editor.messages().begin(), editor.messages().end(),
                          [](const SentMessage& sent) { return sent.message == SCI_GETLINE; }),
            static_cast<std::ptrdiff_t>(lineNumbers.size()));
    }
}

}  // namespace
}  // namespace tarnwick::testing
