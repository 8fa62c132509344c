#include "core/search/shared_text.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/search/text_arena.hpp"

namespace tarnwick {
namespace {

// Every way of reading a text gives `expected`.
void expectReadsAs(const SharedText& text, const std::u16string& expected) {
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_EQ(text.empty(), expected.empty());
    EXPECT_EQ(text.str(), expected);
    EXPECT_TRUE(text == expected);
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(text[i], expected[i]) << i;
    std::u16string copied(expected.size() + 2, u'#');
    EXPECT_EQ(text.copy(copied.data(), copied.size()), expected.size());
    EXPECT_EQ(copied, expected + u"##");
}

TEST(SharedText, TextsOfEveryKindOfUnitReadBackAsTheyWent) {
    TextArena arena;
    const std::vector<std::u16string> texts = {
        u"plain ASCII",
        u"caf\u00E9 \u00FF",                // below U+0100: one byte a unit
        u"\u65E5\u672C abc",                // above: two bytes a unit
        u"a\U0001F600b",                    // a surrogate pair
        std::u16string(u"\xD800 lone", 6),  // an unpaired surrogate
        std::u16string(u"a\0b", 3),         // a zero unit inside
        u"x\u0100",                         // the first unit that needs two bytes
    };
    std::vector<SharedText> stored;
    for (const std::u16string& text : texts) stored.push_back(arena.add(text));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        expectReadsAs(stored[i], texts[i]);
    }
}

TEST(SharedText, Latin1BytesAreTheirOwnUnits) {
    TextArena arena;
    expectReadsAs(arena.addLatin1("abc \xE9\xFF"), u"abc \u00E9\u00FF");
}

TEST(SharedText, EmptyTextNeedsNoStorageAndSharesNothing) {
    TextArena arena;
    const SharedText empty = arena.add(u"");
    expectReadsAs(empty, u"");
    expectReadsAs(arena.addLatin1(""), u"");
    EXPECT_FALSE(empty.sharesStorageWith(SharedText()));
    EXPECT_TRUE(empty == SharedText());
}

TEST(SharedText, CopiesShareOneStoredFormThatOutlivesTheArena) {
    SharedText copy;
    SharedText other;
    {
        TextArena arena;
        const SharedText text = arena.add(u"kept after the arena");
        copy = text;
        other = arena.add(u"kept after the arena");
        EXPECT_TRUE(copy.sharesStorageWith(text));
        EXPECT_FALSE(other.sharesStorageWith(text));
    }
    expectReadsAs(copy, u"kept after the arena");
    expectReadsAs(other, u"kept after the arena");
    EXPECT_TRUE(copy == other);
}

TEST(SharedText, MovedFromTextIsEmptyAndAssignmentToItselfKeepsTheText) {
    SharedText text = u"moved";
    SharedText moved = std::move(text);
    EXPECT_TRUE(text.empty());
    expectReadsAs(moved, u"moved");
    const SharedText& same = moved;
    moved = same;
    expectReadsAs(moved, u"moved");
}

TEST(SharedText, TextOfItsOwnReadsLikeAStoredOne) {
    const std::u16string source = u"\u00C9t\u00E9 \u65E5";
    const SharedText fromString = source;
    const SharedText fromLiteral = u"\u00C9t\u00E9 \u65E5";
    expectReadsAs(fromString, source);
    EXPECT_TRUE(fromString == fromLiteral);
    EXPECT_FALSE(fromString.sharesStorageWith(fromLiteral));
}

TEST(SharedText, EqualityComparesUnitsWhateverTheirStorage) {
    TextArena arena;
    EXPECT_TRUE(arena.add(u"abc") == arena.addLatin1("abc"));
    EXPECT_FALSE(arena.add(u"abc") == arena.add(u"abd"));
    EXPECT_FALSE(arena.add(u"abc") == arena.add(u"ab"));
    EXPECT_FALSE(arena.add(u"ab\u00E9") == arena.add(u"ab\u0101"));
    EXPECT_TRUE(arena.add(u"\u0101x") == arena.add(u"\u0101x"));
    EXPECT_TRUE(arena.add(u"ab") == u"ab");
    EXPECT_FALSE(arena.add(u"ab") == std::u16string(u"ab\0", 3));
}

TEST(SharedText, CopyFromAPositionStopsAtTheEndAndPastItThrows) {
    const SharedText text = u"abc\u65E5";
    char16_t out[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(text.copy(out, 2, 2), 2u);
    EXPECT_EQ(std::u16string(out, 4), u"c\u65E5##");
    EXPECT_EQ(text.copy(out, 4, 4), 0u);
    EXPECT_THROW(text.copy(out, 1, 5), std::out_of_range);
}

// Thousands of texts of every size across many blocks, among them texts too large for a
// block; each stays its own while others are released around it.
TEST(SharedText, ManyTextsInManyBlocksStayIntactWhileOthersGo) {
    std::vector<std::u16string> sources;
    for (int i = 0; i < 5000; ++i) {
        std::u16string text(static_cast<std::size_t>(i * 37 % 3001), u'a' + i % 26);
        if (i % 7 == 0) text += u'\u4E00' + i;
        sources.push_back(text);
    }
    sources.push_back(std::u16string(300'000, u'z'));
    sources.push_back(std::u16string(200'000, u'\u0100'));
    std::vector<SharedText> stored;
    {
        TextArena arena;
        for (const std::u16string& source : sources) stored.push_back(arena.add(source));
    }
    for (std::size_t i = 0; i < stored.size(); i += 2) stored[i] = SharedText();
    for (std::size_t i = 1; i < stored.size(); i += 2) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(stored[i] == sources[i]);
    }
}

}  // namespace
}  // namespace tarnwick
