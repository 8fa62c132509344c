#include "core/marks/indicator_block.hpp"

#include <gtest/gtest.h>

#include "fake_editor.hpp"
#include "fake_host.hpp"
#include "host/editor_messages.hpp"
#include "host/host_messages.hpp"
#include "indicator_traces.hpp"

namespace tarnwick::testing {
namespace {

SearchList entries(int count) {
    SearchList list;
    for (int i = 0; i < count; ++i) list.add(u"entry" + std::u16string(1, u'a' + i));
    return list;
}

// One match per entry index, 3 bytes apart.
MatchList oneMatchEach(int count) {
    MatchList matches;
    for (int i = 0; i < count; ++i) matches.push_back(SearchMatch{i * 3, 2, i, 0});
    return matches;
}

IndicatorBlock allocatedBlock(std::intptr_t result, std::int32_t first, FakeHost& host) {
    host.allocationResult = result;
    host.firstGrantedIndicator = first;
    IndicatorBlock block;
    block.allocate(host.handle());
    return block;
}

TEST(IndicatorBlockAllocate, GrantedBlockIsUsedFromItsFirstNumber) {
    FakeHost host;
    const IndicatorBlock block = allocatedBlock(1, 20, host);
    EXPECT_EQ(host.messages(), Trace({{NPPM_ALLOCATEINDICATOR, 10, 0, "0"}}));
    EXPECT_EQ(block.baseIndicator(), 20);

    FakeEditor editor(std::string(40, 'x'));
    block.apply(EditorView(editor.handle()), entries(10), oneMatchEach(10));
    const Trace& sent = editor.messages();
    EXPECT_EQ(Trace(sent.end() - 20, sent.end() - 18), fillTrace(20, 0, 2));
    EXPECT_EQ(Trace(sent.end() - 2, sent.end()), fillTrace(29, 27, 2));
}

TEST(IndicatorBlockAllocate, RefusalOrANonPositiveNumberKeepsNine) {
    FakeHost refusing;
    EXPECT_EQ(allocatedBlock(0, 20, refusing).baseIndicator(), 9);
    FakeHost grantingZero;
    EXPECT_EQ(allocatedBlock(1, 0, grantingZero).baseIndicator(), 9);
    FakeHost grantingNegative;
    EXPECT_EQ(allocatedBlock(1, -4, grantingNegative).baseIndicator(), 9);
}

TEST(IndicatorBlockClear, ClearsAllTenOverTheWholeDocument) {
    FakeEditor editor("some text");
    IndicatorBlock{}.clear(EditorView(editor.handle()));
    EXPECT_EQ(editor.messages(), clearTrace(9, 9));
}

TEST(IndicatorBlockApply, OnlyTheFirstTenEntriesAreStyledAndPainted) {
    FakeEditor editor(std::string(40, 'x'));
    const SearchList list = entries(12);
    IndicatorBlock{}.apply(EditorView(editor.handle()), list, oneMatchEach(12));

    Trace expected = clearTrace(9, 40);
    for (int i = 0; i < 10; ++i) append(expected, styleTrace(9 + i, list[i].color));
    for (int i = 0; i < 10; ++i) append(expected, fillTrace(9 + i, i * 3, 2));
    EXPECT_EQ(editor.messages(), expected);
}

TEST(IndicatorBlockApply, DisabledEntryIsNotStyledAndLaterEntriesKeepTheirIndicator) {
    FakeEditor editor(std::string(40, 'x'));
    SearchList list = entries(4);
    list.setEnabled(2, false);
    // Matches are painted as recorded, even for an entry disabled since the search.
    IndicatorBlock{}.apply(EditorView(editor.handle()), list, oneMatchEach(4));

    Trace expected = clearTrace(9, 40);
    for (int i : {0, 1, 3}) append(expected, styleTrace(9 + i, list[i].color));
    for (int i = 0; i < 4; ++i) append(expected, fillTrace(9 + i, i * 3, 2));
    EXPECT_EQ(editor.messages(), expected);
}

// Prepared once and filled a span of rows at a time, as marks painted in slices are: the
// very messages of one apply.
TEST(IndicatorBlockApply, InPartsSendsTheMessagesOfOneApply) {
    const SearchList list = entries(12);
    const MatchList matches = oneMatchEach(12);
    FakeEditor whole(std::string(40, 'x'));
    IndicatorBlock{}.apply(EditorView(whole.handle()), list, matches);
    for (const std::size_t span :
         {std::size_t{1}, std::size_t{5}, std::size_t{12}, std::size_t{50}}) {
        FakeEditor parts(std::string(40, 'x'));
        const EditorView view(parts.handle());
        IndicatorBlock{}.prepare(view, list);
        for (std::size_t first = 0; first < matches.size(); first += span)
            IndicatorBlock{}.fill(view, matches, first, first + span);
        EXPECT_EQ(parts.messages(), whole.messages()) << span;
    }
}

TEST(IndicatorBlockApply, SearchThatFoundNothingStillClears) {
    FakeEditor editor("abc");
    IndicatorBlock{}.apply(EditorView(editor.handle()), SearchList{}, MatchList{});
    EXPECT_EQ(editor.messages(), clearTrace(9, 3));
}

// A changed colour restyles only that entry's indicator, its marks kept; an entry beyond
// the ten, or outside the list, has none to restyle.
TEST(IndicatorBlockRestyle, RestylesTheOneIndicatorWithTheNewColourAndNothingElse) {
    SearchList list = entries(12);
    ASSERT_TRUE(list.setColor(3, 0x00123456));
    EXPECT_FALSE(list.setColor(12, 0x00123456));
    EXPECT_FALSE(list.setColor(-1, 0x00123456));
    struct Case {
        std::size_t index;
        Trace expected;
    };
    const Case cases[] = {{3, styleTrace(12, 0x00123456)},
                          {0, styleTrace(9, HighlightPalette[0])},
                          {10, {}},
                          {12, {}}};
    for (const Case& c : cases) {
        FakeEditor editor("text");
        IndicatorBlock{}.restyle(EditorView(editor.handle()), list, c.index);
        EXPECT_EQ(editor.messages(), c.expected) << c.index;
    }
}

}  // namespace
}  // namespace tarnwick::testing
