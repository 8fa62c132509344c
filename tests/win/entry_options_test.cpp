// Each string's own way of matching, set from the search list's context menu, shown in its
// Options column, saved and searched with real Scintilla; and results, marks, Hits and
// "Color…" that keep to their string's identity, not its row.
#include <windows.h>

#include "panel_workflow_fixture.hpp"

namespace tarnwick::testing {
namespace {

using minihost::ColorDialogAnswer;
constexpr int kMain = minihost::MiniHost::kMainViewIndex;

class EntryOptions : public PanelWorkflow {
protected:
    // Chooses `option` in the context menu of `row`, and returns the menu as it showed.
    std::vector<std::wstring> toggle(int row, const std::wstring& option) {
        controls().selectRow(kSearchList, row);
        return contextMenu(kSearchList, option);
    }
    std::vector<std::wstring> optionsCells() const {
        std::vector<std::wstring> cells;
        for (const auto& row : controls().rows(kSearchList, 4)) cells.push_back(row[3]);
        return cells;
    }
    Colorref indicatorColor(int entry) const {
        return static_cast<Colorref>(
            SendMessageW(host->mainView(), SCI_INDICGETFORE, kFirstIndicator + entry, 0));
    }
};

TEST_F(EntryOptions, OptionsAreToggledFromTheMenuShownSavedAndSearchedWith) {
    setDocument(host->mainView(), "ERROR error_count\nfail failed user=12 concat cat\n");
    for (const wchar_t* text : {L"ERROR", L"fail(ed)?", L"\\buser=\\d+", L"cat"}) add(text);
    EXPECT_EQ(toggle(0, L"Match Case"),
              (std::vector<std::wstring>{L"Color\u2026", L"Delete", L"Match Case", L"Whole Word",
                                         L"Regular Expression"}));
    EXPECT_EQ(toggle(0, L"Whole Word")[2], L"Match Case (checked)");
    toggle(1, L"Regular Expression");
    toggle(2, L"Regular Expression");
    toggle(3, L"Whole Word");
    toggle(3, L"Regular Expression");
    EXPECT_EQ(toggle(3, L"Regular Expression")[4], L"Regular Expression (checked)");
    EXPECT_EQ(optionsCells(), (std::vector<std::wstring>{L"Aa W", L".*", L".*", L"W"}));
    const SearchList saved = savedList();
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(saved[0].options, (MatchOptions{.matchCase = true, .wholeWord = true}));
    EXPECT_EQ(saved[3].options, (MatchOptions{.wholeWord = true}));

    controls().click(kSearch);
    EXPECT_EQ(resultRows(), (Rows{{L"1", L"ERROR", L"ERROR error_count"},
                                  {L"2", L"fail(ed)?", L"fail failed user=12 concat cat"},
                                  {L"2", L"fail(ed)?", L"fail failed user=12 concat cat"},
                                  {L"2", L"\\buser=\\d+", L"fail failed user=12 concat cat"},
                                  {L"2", L"cat", L"fail failed user=12 concat cat"}}));
    EXPECT_EQ(hitsCells(), (std::vector<std::wstring>{L"1", L"2", L"1", L"1"}));
    EXPECT_EQ(markings(host->mainView(), 24), "00000.............1111.1");
}

TEST_F(EntryOptions, AnInvalidPatternIsNamedInTheLabelAndItsHitsWhileTheOthersAreListed) {
    setDocument(host->mainView(), "ok fail(ed ok");
    add(L"fail(ed");
    add(L"ok");
    toggle(0, L"Regular Expression");
    controls().click(kSearch);
    EXPECT_EQ(label(), L"Results: 2 matches found; not a valid regular expression: fail(ed");
    EXPECT_EQ(hitsCells(), (std::vector<std::wstring>{L"invalid", L"2"}));
    EXPECT_EQ(resultRows().size(), 2u);
    controls().click(kClear);
    EXPECT_EQ(label(), L"Results:");
    EXPECT_EQ(hitsCells(), (std::vector<std::wstring>{L"", L""}));
}

// The marks keep the colour of the string that found them through a Delete and a tab
// switch, and "Color…" recolours the marks of the string chosen, not of its row at the
// Search; the deleted string's marks keep theirs until the next Search.
TEST_F(EntryOptions, MarksAndColoursFollowTheirStringThroughDeleteTabSwitchAndColor) {
    setDocument(host->mainView(), "ab cd ef");
    for (const wchar_t* text : {L"ab", L"cd", L"ef"}) add(text);
    controls().click(kSearch);
    ASSERT_EQ(markings(host->mainView(), 8), "00.11.22");
    controls().selectRow(kSearchList, 0);
    controls().pressDelete();
    host->newDocument(kMain, "another tab");
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    EXPECT_EQ(markings(host->mainView(), 8), "00.11.22");
    for (int entry = 0; entry < 3; ++entry)
        EXPECT_EQ(indicatorColor(entry), HighlightPalette[static_cast<std::size_t>(entry)])
            << entry;
    EXPECT_EQ(hitsCells(), (std::vector<std::wstring>{L"1", L"1"}));
    EXPECT_EQ(resultRows()[1][1], L"cd");

    const ColorDialogAnswer pick(0x00336699);
    controls().selectRow(kSearchList, 0);
    contextMenu(kSearchList, L"Color\u2026");
    ASSERT_TRUE(pick.offer());
    EXPECT_EQ(indicatorColor(0), HighlightPalette[0]);
    EXPECT_EQ(indicatorColor(1), 0x00336699u);
    host->newDocument(kMain, "a third tab");
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    EXPECT_EQ(indicatorColor(1), 0x00336699u);

    controls().click(kSearch);
    EXPECT_EQ(markings(host->mainView(), 8), "...00.11");
    EXPECT_EQ(indicatorColor(0), 0x00336699u);
}

}  // namespace
}  // namespace tarnwick::testing
