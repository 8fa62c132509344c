#include "core/list/search_list.hpp"

#include <optional>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

std::vector<Colorref> colorsOf(const SearchList& list) {
    std::vector<Colorref> colors;
    for (const SearchEntry& entry : list) colors.push_back(entry.color);
    return colors;
}

SearchList listWithTexts(std::initializer_list<const char16_t*> texts) {
    SearchList list;
    for (const char16_t* text : texts) list.add(text);
    return list;
}

TEST(SearchListAdd, StripsSpacesOnlyAndNothingElse) {
    EXPECT_TRUE(stripSpaces(u"  abc  ") == u"abc");
    EXPECT_TRUE(stripSpaces(u" a b ") == u"a b");
    EXPECT_TRUE(stripSpaces(u"\tabc ") == u"\tabc");
    EXPECT_TRUE(stripSpaces(u"\u00A0abc\u00A0") == u"\u00A0abc\u00A0");
    EXPECT_TRUE(stripSpaces(u" line\r\n ") == u"line\r\n");
    EXPECT_TRUE(stripSpaces(u"    ").empty());
    EXPECT_TRUE(stripSpaces(u"").empty());
}

TEST(SearchListAdd, NewEntryIsEnabledWithTheStrippedText) {
    SearchList list;
    ASSERT_TRUE(list.add(u"  abc  "));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].text == u"abc");
    EXPECT_TRUE(list[0].enabled);
}

TEST(SearchListAdd, OnlySpacesAddsNothing) {
    SearchList list = listWithTexts({u"keep"});
    EXPECT_FALSE(list.add(u"   "));
    EXPECT_FALSE(list.add(u""));
    EXPECT_EQ(list.size(), 1u);
}

TEST(SearchListAdd, TakesAtMostWhatTheEditBoxBufferHolds) {
    SearchList list;
    std::u16string text(600, u'x');
    text[509] = u' ';
    text[510] = u' ';
    ASSERT_TRUE(list.add(text));
    // 511 units are taken; the two spaces at their end are then stripped.
    EXPECT_EQ(list[0].text, std::u16string(509, u'x'));
}

TEST(SearchListAdd, AHighSurrogateLeftAtTheEndIsDropped) {
    const SearchList list = listWithTexts({u"ab\xD83D", u"x\U0001F600", u"y\xDE00", u"\xD83D"});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(list[0].text == u"ab");
    EXPECT_TRUE(list[1].text == u"x\U0001F600");  // a whole pair stays
    EXPECT_TRUE(list[2].text == u"y\xDE00");      // only a first half is a cut
    // Dropped before the spaces are stripped: "a \xD83D" is the entry "a".
    EXPECT_TRUE(listWithTexts({u"a \xD83D"})[0].text == u"a");
}

TEST(SearchListAdd, ElevenAdditionsCycleThroughThePalette) {
    SearchList list;
    for (int i = 0; i < 11; ++i) list.add(u"same");
    std::vector<Colorref> expected(HighlightPalette.begin(), HighlightPalette.end());
    expected.push_back(HighlightPalette[0]);
    EXPECT_EQ(colorsOf(list), expected);
}

TEST(SearchListAdd, ColourFollowsTheCountSoItRepeatsAfterARemoval) {
    SearchList list = listWithTexts({u"a", u"b", u"c", u"d", u"e"});
    ASSERT_TRUE(list.remove(2));
    ASSERT_TRUE(list.add(u"f"));
    EXPECT_EQ(list[4].color, HighlightPalette[4]);
    EXPECT_EQ(list[3].color, HighlightPalette[4]);
}

TEST(SearchListRemove, LaterEntriesMoveUpUnchanged) {
    SearchList list = listWithTexts({u"a", u"b", u"c"});
    list.setEnabled(2, false);
    ASSERT_TRUE(list.remove(1));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[1].text == u"c");
    EXPECT_FALSE(list[1].enabled);
    EXPECT_EQ(list[1].color, HighlightPalette[2]);
}

TEST(SearchListRemove, IndexOutsideTheListChangesNothing) {
    SearchList list = listWithTexts({u"a", u"b"});
    EXPECT_FALSE(list.remove(-1));
    EXPECT_FALSE(list.remove(2));
    EXPECT_FALSE(list.setEnabled(-1, false));
    EXPECT_FALSE(list.setEnabled(2, false));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_TRUE(list.allEnabled());
}

TEST(SearchListRemove, RemovingTheOnlyEntryLeavesTheAllBoxUnchecked) {
    SearchList list = listWithTexts({u"a"});
    ASSERT_TRUE(list.remove(0));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.allEnabled());
}

TEST(SearchListFind, NamesTheEntryWithTheRowsTextNearestItsPlaceTheEarlierOnATie) {
    const SearchList list = listWithTexts({u"a", u"b", u"a", u"c", u"a"});
    struct Case {
        const char16_t* text;
        std::size_t place;
        std::optional<std::size_t> found;
    };
    const Case cases[] = {{u"a", 2, 2},
                          {u"a", 1, 0},
                          {u"a", 3, 2},
                          {u"a", 9, 4},
                          {u"c", 0, 3},
                          {u"b", 4, 1},
                          {u"d", 0, std::nullopt},
                          {u"", 0, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(list.find(c.text, c.place), c.found) << "case " << (&c - cases);
    EXPECT_EQ(SearchList().find(u"a", 0), std::nullopt);
}

TEST(SearchListCheckBoxes, TheCheckedAndUncheckedImagesShowTheFlag) {
    EXPECT_EQ(stateBitsFor(true), 0x2000u);
    EXPECT_EQ(stateBitsFor(false), 0x1000u);
}

TEST(SearchListAllBox, CheckedExactlyWhenNonEmptyAndEveryEntryEnabled) {
    SearchList list;
    EXPECT_FALSE(list.allEnabled());
    list.add(u"a");
    list.add(u"b");
    EXPECT_TRUE(list.allEnabled());
    list.setEnabled(1, false);
    EXPECT_FALSE(list.allEnabled());
    list.setEnabled(1, true);
    EXPECT_TRUE(list.allEnabled());
}

TEST(SearchListAllBox, SetAllReachesEveryEntryAndLeavesAnEmptyListEmpty) {
    SearchList list = listWithTexts({u"a", u"b", u"c"});
    list.setAllEnabled(false);
    for (const SearchEntry& entry : list) EXPECT_FALSE(entry.enabled);
    list.setAllEnabled(true);
    EXPECT_TRUE(list.allEnabled());

    SearchList empty;
    empty.setAllEnabled(true);
    EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace tarnwick
