#include <gtest/gtest.h>

#include <map>

#include "core/list/entry_identity.hpp"
#include "panel/results/entry_hits.hpp"
#include "panel/results/match_navigation.hpp"
#include "panel/results/matching_lines.hpp"
#include "panel/results/result_stepping.hpp"
#include "panel/results/result_texts.hpp"
#include "fake_editor.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick::testing {
namespace {

TEST(ResultTexts, LabelUsesThePluralForEveryCount) {
    EXPECT_TRUE(resultsLabelText(0) == u"Results: 0 matches found");
    EXPECT_TRUE(resultsLabelText(1) == u"Results: 1 matches found");
    EXPECT_TRUE(resultsLabelText(250000) == u"Results: 250000 matches found");
    EXPECT_TRUE(resultsLabelText(12, {rejectionNote(Rejection::invalid, u"fail(ed"),
                                      rejectionNote(Rejection::failed, u"(a*)*b")}) ==
                u"Results: 12 matches found; not a valid regular expression: fail(ed; the "
                u"regular expression failed: (a*)*b");
}

TEST(ResultTexts, OptionsColumnShowsTheOptionsThatAreOn) {
    EXPECT_TRUE(optionsColumnText({}).empty());
    EXPECT_TRUE(optionsColumnText({.matchCase = true, .wholeWord = true, .regex = true}) ==
                u"Aa W .*");
    EXPECT_TRUE(optionsColumnText({.wholeWord = true}) == u"W");
    EXPECT_TRUE(optionsColumnText({.regex = true}) == u".*");
}

TEST(ResultTexts, ProgressAndMemoryLabelsCarryTheirNumbers) {
    EXPECT_TRUE(searchProgressText(0) == u"Searching\u2026 0 %");
    EXPECT_TRUE(searchProgressText(45) == u"Searching\u2026 45 %");
    EXPECT_TRUE(searchOutOfMemoryText(2500000) ==
                u"Search stopped: not enough memory after 2500000 matches");
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
    selectMatch(EditorView(editor.handle()), SearchMatch{8, 5, 0, 1});
    EXPECT_EQ(editor.messages(),
              (std::vector<SentMessage>{{SCI_ENSUREVISIBLEENFORCEPOLICY, 1, 0, {}},
                                        {SCI_GOTOLINE, 1, 0, {}},
                                        {SCI_SETSEL, 8, 13, {}}}));
}

MatchList matchesAt(std::initializer_list<std::pair<std::int32_t, std::int64_t>> entryAndPosition) {
    MatchList matches;
    for (const auto& [entry, position] : entryAndPosition)
        matches.push_back(SearchMatch{static_cast<std::intptr_t>(position), 1, entry, 0});
    return matches;
}

// Strictly after and strictly before the selection's start, wrapping round at both ends;
// two results at one place count as one step.
TEST(ResultStepping, FindsTheNeighbourOfTheSelectionStartAndWrapsRound) {
    const LiveMatches matches(matchesAt({{0, 5}, {1, 5}, {0, 12}, {1, 30}}));
    struct Case {
        std::int64_t start;
        std::size_t next, previous;
    };
    const Case cases[] = {{0, 0, 3},  {4, 0, 3},  {5, 2, 3},  {6, 2, 1},
                          {12, 3, 1}, {13, 3, 2}, {30, 0, 2}, {31, 0, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(nextResultIndex(matches, c.start), c.next) << c.start;
        EXPECT_EQ(previousResultIndex(matches, c.start), c.previous) << c.start;
    }
    EXPECT_EQ(nextResultIndex(LiveMatches(), 3), std::nullopt);
    EXPECT_EQ(previousResultIndex(LiveMatches(), 3), std::nullopt);
    const LiveMatches one(matchesAt({{0, 7}}));
    EXPECT_EQ(nextResultIndex(one, 7), 0u);
    EXPECT_EQ(previousResultIndex(one, 7), 0u);
}

TEST(MatchingLines, EachLineReadOnceInOrderJoinedByCrLfRepeatedTextsKept) {
    const std::u16string nonAscii = u"caf\u00E9 \u2713 \U0001D11E";
    const std::map<std::int32_t, std::u16string> lines = {
        {0, u"a b a"}, {2, u"dup"}, {3, u"dup"}, {7, nonAscii}};
    std::vector<std::int32_t> read;
    const auto lineText = [&](std::int32_t line) {
        read.push_back(line);
        return SharedText(lines.at(line));
    };
    const MatchList matches = {{0, 1, 0, 0}, {2, 1, 1, 0},  {4, 1, 0, 0},
                               {9, 3, 0, 2}, {13, 3, 0, 3}, {20, 3, 0, 7}};
    EXPECT_TRUE(matchingLinesText(matches, lineText) == u"a b a\r\ndup\r\ndup\r\n" + nonAscii);
    EXPECT_EQ(read, (std::vector<std::int32_t>{0, 2, 3, 7}));
    EXPECT_TRUE(matchingLinesText(MatchList(matches.begin() + 5, matches.end()), lineText) ==
                nonAscii);
    EXPECT_TRUE(matchingLinesText({}, lineText).empty());
}

// The counts of the last search stay with their entries through removals and reloads
// (identities carried over by text, in order), follow results dropped since, say "invalid"
// for a refused regular expression, and are empty for strings not looked for and after Clear.
TEST(EntryHits, CountsStayWithTheirEntriesAndFollowTheResults) {
    SearchList list;
    for (const char16_t* text : {u"a", u"b", u"c", u"d", u"x("}) list.add(text);
    list.setEnabled(1, false);
    MatchList matches = matchesAt({{0, 1}, {2, 4}, {0, 9}});
    EntryHits hits;
    using Texts = std::vector<std::u16string>;
    EXPECT_EQ(hits.texts(list, matches), Texts(5));  // before any search
    hits.searched(list, {{4, Rejection::invalid}});
    EXPECT_EQ(hits.texts(list, matches), (Texts{u"2", u"", u"1", u"0", u"invalid"}));
    list.remove(1);
    EXPECT_EQ(hits.texts(list, matches), (Texts{u"2", u"1", u"0", u"invalid"}));
    list.remove(0);
    list.add(u"a");  // the same text, another entry
    EXPECT_EQ(hits.texts(list, matches), (Texts{u"1", u"0", u"invalid", u""}));
    // An edit dropped c's result.
    matches.erase(matches.begin() + 1);
    EXPECT_EQ(hits.texts(list, matches), (Texts{u"0", u"0", u"invalid", u""}));
    // Loaded again as another instance saved it: reordered, with a second "d" after the first.
    SearchList reloaded;
    for (const char16_t* text : {u"d", u"a", u"c", u"d"}) reloaded.add(text);
    carryIdentities(list, reloaded);
    EXPECT_EQ(hits.texts(reloaded, matches), (Texts{u"0", u"", u"0", u""}));
    EXPECT_EQ(reloaded[1].id, list[3].id);
    hits.cleared();
    EXPECT_EQ(hits.texts(list, {}), Texts(4));
}

}  // namespace
}  // namespace tarnwick::testing
