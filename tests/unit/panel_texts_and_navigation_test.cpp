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
