#include <gtest/gtest.h>

#include "panel/match_navigation.hpp"
#include "panel/result_texts.hpp"
#include "fake_editor.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick::testing {
namespace {

TEST(ResultTexts, LabelUsesThePluralForEveryCount) {
    EXPECT_TRUE(resultsLabelText(0) == u"Results: 0 matches found");
    EXPECT_TRUE(resultsLabelText(1) == u"Results: 1 matches found");
    EXPECT_TRUE(resultsLabelText(250000) == u"Results: 250000 matches found");
}

TEST(ResultTexts, LineColumnIsOneBased) {
    EXPECT_TRUE(lineColumnText(0) == u"1");
    EXPECT_TRUE(lineColumnText(41) == u"42");
    EXPECT_TRUE(lineColumnText(-5) == u"-4");
    EXPECT_TRUE(lineColumnText(2147483647) == u"2147483648");
}

// A cell request of 260 units leaves room for 259 and the terminating zero.
TEST(ResultTexts, ContentShowsALineThatFitsWholeAndALongerOneAroundItsMatch) {
    constexpr std::size_t kRoom = 259;
    std::u16string letters(20'000, u'a');
    for (std::size_t i = 0; i < letters.size(); ++i)
        letters[i] = static_cast<char16_t>(u'a' + i % 26);
    std::u16string pairs = letters;  // a pair across the cut at the start, one across the end
    pairs.replace(9959, 2, u"\U0001F600");
    pairs.replace(10216, 2, u"\U0001F600");
    const std::u16string fits = letters.substr(0, kRoom);
    const std::u16string oneTooMany = letters.substr(0, kRoom + 1);
    const struct {
        const std::u16string* line;
        std::size_t column;
        bool leftOut;  // "…" first
        std::size_t from;
        std::size_t count;
    } cases[] = {
        {&letters, 10, false, 0, kRoom},             // near the start
        {&letters, 40, false, 0, kRoom},             // exactly 40 units in
        {&letters, 41, true, 1, kRoom - 1},          // one more: a unit is left out
        {&letters, 10'000, true, 9'960, kRoom - 1},  // the middle
        {&letters, 19'990, true, 19'950, 50},        // near the end: the rest of the line
        {&letters, 30'000, true, 19'960, 40},        // a place past the line is its end
        {&fits, 250, false, 0, kRoom},               // fits exactly: whole, as ever
        {&oneTooMany, 250, true, 210, 50},
        {&pairs, 10'000, true, 9'959, kRoom - 2},  // the pair kept whole at both ends
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("column " + std::to_string(c.column) + " of " +
                     std::to_string(c.line->size()));
        const std::u16string expected =
            (c.leftOut ? std::u16string(u"\u2026") : u"") + c.line->substr(c.from, c.count);
        EXPECT_TRUE(contentColumnText(*c.line, c.column, kRoom) == expected);
    }
    EXPECT_TRUE(contentColumnText(letters, 500, 0).empty());
}

TEST(MatchNavigation, RevealsTheLineThenSelectsFromAnchorToCaret) {
    FakeEditor editor("one\ntwo three\n");
    selectMatch(EditorView(editor.handle()), SearchMatch{1, u"three", u"two three", 8, 5, 0});
    EXPECT_EQ(editor.messages(),
              (std::vector<SentMessage>{{SCI_ENSUREVISIBLEENFORCEPOLICY, 1, 0, {}},
                                        {SCI_GOTOLINE, 1, 0, {}},
                                        {SCI_SETSEL, 8, 13, {}}}));
}

}  // namespace
}  // namespace tarnwick::testing
