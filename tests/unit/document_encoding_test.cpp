// Documents the editor keeps in a code page other than UTF-8: entries are looked for as
// that code page spells them, lines are read back from it, and an entry it cannot spell
// finds nothing instead of a stand-in.
#include "core/search/document_encoding.hpp"

#include "core/results/result_lines.hpp"

#include <gtest/gtest.h>

#include "core/search/document_searcher.hpp"
#include "fake_editor.hpp"
#include "host/code_pages.hpp"
#include "host/editor_messages.hpp"
#include "settings/utf8_conversion.hpp"
#include "substitute_code_pages.hpp"

namespace tarnwick::testing {
namespace {

class AnsiDocuments : public ::testing::Test {
protected:
    void TearDown() override { setSystemAnsiCodePage(1252); }

    MatchList search(std::string bytes, std::uint32_t codePage,
                     std::initializer_list<const char16_t*> texts) {
        editor.showDocument(0x1, std::move(bytes), codePage);
        SearchList list;
        for (const char16_t* text : texts) list.add(text);
        return DocumentSearcher{}.searchAll(EditorView(editor.handle()), list);
    }

    // The bytes of every target search the editor was asked for.
    std::vector<std::string> needlesSent() const {
        std::vector<std::string> needles;
        for (const SentMessage& sent : editor.messages())
            if (sent.message == SCI_SEARCHINTARGET) needles.push_back(sent.text);
        return needles;
    }

    // A result's line, as the list reads it when the row is drawn.
    std::u16string lineOf(const SearchMatch& match) {
        return ResultLines()
            .read(EditorView(editor.handle()), match.line, match.position)
            .text.str();
    }

    FakeEditor editor;
};

TEST_F(AnsiDocuments, CodePageZeroIsTheSystemsAnsiCodePageWithPositionsInItsBytes) {
    const MatchList found =
        search("Caf\xE9 and caf\xE9\r\nZ\xFCrich", 0, {u"caf\u00E9", u"z\u00FCrich"});
    EXPECT_EQ(editor.messages().front(), (SentMessage{SCI_GETCODEPAGE, 0, 0, {}}));
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].position, 0);
    EXPECT_EQ(found[0].length, 4);
    EXPECT_EQ(found[1].position, 9);  // one byte per accented letter, not two
    EXPECT_EQ(lineOf(found[0]), u"Caf\u00E9 and caf\u00E9");
    EXPECT_EQ(found[2].line, 1);
    EXPECT_EQ(found[2].position, 15);
    EXPECT_EQ(lineOf(found[2]), u"Z\u00FCrich");
    EXPECT_EQ(needlesSent().front(), "caf\xE9");
}

TEST_F(AnsiDocuments, CodePageIsAskedOncePerSearch) {
    search("ab", 0, {u"a", u"b"});
    std::size_t asked = 0;
    for (const SentMessage& sent : editor.messages()) asked += sent.message == SCI_GETCODEPAGE;
    EXPECT_EQ(asked, 1u);
}

TEST_F(AnsiDocuments, AnEntryTheCodePageCannotSpellFindsNothingAndIsNeverSentAsAStandIn) {
    // "?" is in the document: a best-fit or default-character form would find it.
    const MatchList found = search("? a ? \xE9", 0, {u"\u65E5\u672C", u"\u0101", u"\u00E9"});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].entryIndex, 2);
    EXPECT_EQ(needlesSent(), std::vector<std::string>{"\xE9"});
}

TEST_F(AnsiDocuments, DoubleByteCodePageSpellsAndReadsItsCharacters) {
    setSystemAnsiCodePage(932);
    // "日本 abc 日本" in Shift-JIS: four bytes per pair of characters.
    const MatchList found = search("\x93\xFA\x96\x7B abc \x93\xFA\x96\x7B", 0, {u"\u65E5\u672C"});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].position, 0);
    EXPECT_EQ(found[0].length, 4);
    EXPECT_EQ(found[1].position, 9);
    EXPECT_EQ(lineOf(found[0]), u"\u65E5\u672C abc \u65E5\u672C");
}

// A regular expression is spelled like a literal (one that cannot be finds nothing), and an
// empty match is stepped past by a whole character: never onto the trail byte of a DBCS
// character, however it reads as ASCII ("本" is 96 7B, "{" its second byte).
TEST_F(AnsiDocuments, RegularExpressionsAreSpelledInTheCodePageAndStepPastWholeCharacters) {
    const auto regexSearch = [this](std::string bytes, std::uint32_t codePage,
                                    std::initializer_list<const char16_t*> patterns) {
        editor.showDocument(0x1, std::move(bytes), codePage);
        SearchList list;
        for (const char16_t* pattern : patterns) list.append({pattern, true, 0, {.regex = true}});
        return DocumentSearcher{}.searchAll(EditorView(editor.handle()), list);
    };
    const MatchList inAnsi = regexSearch("x\xE9\xE9 \xE9", 1252, {u"\u00E9+", u"\u0101|x"});
    ASSERT_EQ(inAnsi.size(), 2u);
    EXPECT_EQ(inAnsi[0], (SearchMatch{1, 2, 0, 0}));
    EXPECT_EQ(inAnsi[1], (SearchMatch{4, 1, 0, 0}));
    EXPECT_EQ(needlesSent(), (std::vector<std::string>{"\xE9+", "\xE9+", "\xE9+"}));
    EXPECT_TRUE(regexSearch("\x96\x7B", 932, {u"\\{|q*"}).empty());
    EXPECT_EQ(regexSearch("\x96\x7B{", 932, {u"\\{|q*"}), (MatchList{{2, 1, 0, 0}}));
}

TEST_F(AnsiDocuments, ACodePageTheViewNamesIsUsedWhateverTheSystemsIs) {
    setSystemAnsiCodePage(932);
    const MatchList found = search("na\xEFve", 1252, {u"na\u00EFve"});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(lineOf(found[0]), u"na\u00EFve");
}

TEST(DocumentEncoding, Utf8DocumentsAreReadAsBefore) {
    const DocumentEncoding utf8(65001);
    EXPECT_EQ(utf8.encode(u"caf\u00E9"), "caf\xC3\xA9");
    TextArena texts;
    std::u16string units;
    EXPECT_TRUE(utf8.decode("caf\xC3\xA9 \xFF", texts, units) == u"caf\u00E9 \uFFFD");
}

// Whatever the code page, and whatever the string kept for decoding held before.
TEST(DocumentEncoding, TextStoredForAMatchIsTheDecodedText) {
    const std::pair<std::uint32_t, std::string> cases[] = {
        {65001, "ascii"}, {65001, "caf\xC3\xA9 \xFF"}, {65001, "\xE6\x97\xA5"},
        {65001, ""},      {1252, "caf\xE9"},           {932, "\x93\xFA x"}};
    TextArena texts;
    std::u16string units = u"left over from a longer line";
    for (const auto& [codePage, bytes] : cases) {
        SCOPED_TRACE(codePage);
        const std::u16string expected =
            codePage == 65001 ? fromUtf8(bytes) : decodeFromCodePage(codePage, bytes);
        EXPECT_EQ(DocumentEncoding(codePage).decode(bytes, texts, units).str(), expected);
    }
}

TEST(CodePageSubstitute, FailsOnWhatTheCodePageLacksAndReplacesWhatItCannotDecode) {
    EXPECT_EQ(encodeInCodePage(1252, u"\u20AC\u00E9"), std::optional<std::string>("\x80\xE9"));
    EXPECT_EQ(encodeInCodePage(1252, u"\u0101"), std::nullopt);
    EXPECT_EQ(encodeInCodePage(1252, u"a\xD800"), std::nullopt);  // a lone surrogate
    // A lead byte with no trail byte after it.
    EXPECT_TRUE(decodeFromCodePage(932, "ab\x93") == u"ab\uFFFD");
}

}  // namespace
}  // namespace tarnwick::testing
