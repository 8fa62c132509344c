// Reading the results from the editor and the lists: the next and previous result, the
// hits of each string, copying the matching lines and giving a string a colour of one's
// own, through minihost's menu, real list views, the real clipboard and real Scintilla.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <utility>

#include "panel_workflow_fixture.hpp"

namespace tarnwick::testing {
namespace {

using minihost::BufferId;
using minihost::ColorDialogAnswer;
constexpr int kMain = minihost::MiniHost::kMainViewIndex;
constexpr std::size_t kNextResult = 2, kPreviousResult = 3;

class WorkingThroughResults : public PanelWorkflow {
protected:
    std::pair<LRESULT, LRESULT> selection(HWND view) const {
        return {SendMessageW(view, SCI_GETANCHOR, 0, 0),
                SendMessageW(view, SCI_GETCURRENTPOS, 0, 0)};
    }

    // Runs the menu command and says where it left the selection and the selected row.
    std::tuple<LRESULT, LRESULT, int> step(std::size_t command) {
        EXPECT_TRUE(host->runMenuCommand(command));
        host->pumpMessages();
        const auto [anchor, caret] = selection(host->mainView());
        const int row =
            static_cast<int>(SendMessageW(controls().control(kResultsList), LVM_GETNEXTITEM,
                                          static_cast<WPARAM>(-1), LVNI_SELECTED));
        return {anchor, caret, row};
    }

    std::vector<std::wstring> hitsColumn() const {
        std::vector<std::wstring> column;
        for (const auto& row : controls().rows(kSearchList, 3)) column.push_back(row[2]);
        return column;
    }
};

// "ab" at 0, 8 and 21 (line 2), "cd" at 3: results ordered 0, 3, 8, 21.
constexpr char kDocument[] = "ab cd / ab\nfiller\nzz ab";

TEST_F(WorkingThroughResults, NextAndPreviousStepFromTheSelectionWrapAndShowTheRowEvenHidden) {
    setDocument(host->mainView(), kDocument);
    add(L"ab");
    add(L"cd");
    controls().click(kSearch);
    SendMessageW(host->mainView(), SCI_SETSEL, 5, 6);  // between "cd" and the second "ab"
    using Step = std::tuple<LRESULT, LRESULT, int>;
    EXPECT_EQ(step(kNextResult), (Step{8, 10, 2}));
    EXPECT_EQ(step(kNextResult), (Step{21, 23, 3}));
    EXPECT_EQ(step(kNextResult), (Step{0, 2, 0}));  // round past the last
    EXPECT_EQ(GetFocus(), host->mainView());
    // Hidden, the list still follows.
    showPanel();
    EXPECT_EQ(step(kPreviousResult), (Step{21, 23, 3}));  // round past the first
    EXPECT_EQ(step(kPreviousResult), (Step{8, 10, 2}));
    SendMessageW(host->mainView(), SCI_SETSEL, 4, 4);  // inside "cd"
    EXPECT_EQ(step(kPreviousResult), (Step{3, 5, 1}));

    controls().click(kClear);  // no results: nothing moves
    EXPECT_EQ(step(kNextResult), (Step{3, 5, -1}));
}

TEST_F(WorkingThroughResults, FromAnotherDocumentTheSearchedOneComesForwardUntilItCloses) {
    setDocument(host->mainView(), kDocument);
    add(L"cd");
    controls().click(kSearch);
    const BufferId searched = host->currentBuffer();
    const BufferId other = host->newDocument(kMain, "cd elsewhere");
    ASSERT_EQ(host->currentBuffer(), other);
    EXPECT_EQ(std::get<0>(step(kNextResult)), 3);
    EXPECT_EQ(host->currentBuffer(), searched);

    // Its results go with it.
    ASSERT_TRUE(host->closeDocument(searched));
    SendMessageW(host->mainView(), SCI_SETSEL, 0, 0);
    EXPECT_EQ(step(kPreviousResult), (std::tuple<LRESULT, LRESULT, int>{0, 0, -1}));
    EXPECT_EQ(controls().text(kResultsLabel), L"Results:");
    EXPECT_EQ(host->currentBuffer(), other);
}

TEST_F(WorkingThroughResults, HitsCountEachStringSearchedFollowEditsAndStayWithItUntilClear) {
    setDocument(host->mainView(), kDocument);
    for (const wchar_t* text : {L"ab", L"off", L"cd", L"absent"}) add(text);
    controls().clickCheckBox(1);
    EXPECT_EQ(hitsColumn(), (std::vector<std::wstring>(4)));
    controls().click(kSearch);
    EXPECT_EQ(hitsColumn(), (std::vector<std::wstring>{L"3", L"", L"1", L"0"}));
    SendMessageW(host->mainView(), SCI_DELETERANGE, 4, 1);  // "cd" changed: its result goes
    host->pumpMessages();
    EXPECT_EQ(hitsColumn(), (std::vector<std::wstring>{L"3", L"", L"0", L"0"}));
    add(L"new");
    controls().selectRow(kSearchList, 0);
    controls().pressDelete();
    EXPECT_EQ(hitsColumn(), (std::vector<std::wstring>{L"", L"0", L"0", L""}));
    controls().click(kClear);
    EXPECT_EQ(hitsColumn(), (std::vector<std::wstring>(4)));
}

TEST_F(WorkingThroughResults, CtrlCAndTheMenuCopyOneLineOrEveryLineOnceAsUnicode) {
    setDocument(host->mainView(),
                "caf\xC3\xA9 \xE2\x9C\x93 caf\xC3\xA9\nsame\nsame caf\xC3\xA9\nsame");
    add(L"caf\u00E9");
    add(L"same");
    EXPECT_EQ(contextMenu(kResultsList),
              (std::vector<std::wstring>{L"Copy Line (greyed)", L"Copy All Lines (greyed)"}));
    controls().click(kSearch);
    putOnClipboard(L"before");
    focus(kResultsList);
    press('C', false, true);  // nothing selected: the clipboard stays
    EXPECT_EQ(clipboardText(), L"before");
    controls().selectRow(kResultsList, 0);
    press('C');  // without Ctrl: nothing
    EXPECT_EQ(clipboardText(), L"before");
    press('C', false, true);
    EXPECT_EQ(clipboardText(), L"caf\u00E9 \u2713 caf\u00E9");

    // A right click selects the row it opens the menu on.
    EXPECT_EQ(contextMenu(kResultsList, L"Copy Line", 3),
              (std::vector<std::wstring>{L"Copy Line", L"Copy All Lines"}));
    EXPECT_EQ(clipboardText(), L"same caf\u00E9");
    contextMenu(kResultsList, L"Copy All Lines");
    const std::wstring allLines = L"caf\u00E9 \u2713 caf\u00E9\r\nsame\r\nsame caf\u00E9\r\nsame";
    EXPECT_EQ(clipboardText(), allLines);

    // The lines are read from the searched document when copied, also from behind a tab.
    host->newDocument(kMain, "same other text");
    putOnClipboard(L"before");
    contextMenu(kResultsList, L"Copy All Lines");
    EXPECT_EQ(clipboardText(), allLines);
}

TEST_F(WorkingThroughResults, AColourPickedRecolorsRowFileAndMarksWhileCancelChangesNothing) {
    setDocument(host->mainView(), kDocument);
    add(L"ab");
    add(L"cd");
    controls().click(kSearch);
    EXPECT_EQ(contextMenu(kSearchList),
              (std::vector<std::wstring>{L"Color\u2026 (greyed)", L"Delete (greyed)",
                                         L"Match Case (greyed)", L"Whole Word (greyed)",
                                         L"Regular Expression (greyed)"}));
    controls().selectRow(kSearchList, 1);
    const std::string savedBefore = settingsBytes();
    {
        const ColorDialogAnswer cancel(std::nullopt);
        contextMenu(kSearchList, L"Color\u2026");
        ASSERT_TRUE(cancel.offer());
    }
    EXPECT_EQ(searchRows()[1][1], L"#00FF80");
    EXPECT_EQ(settingsBytes(), savedBefore);

    // The searched document shown in the second view too: both views take the colour.
    ASSERT_TRUE(host->cloneDocument(host->currentBuffer(), minihost::MiniHost::kSecondViewIndex));
    const ColorDialogAnswer pick(0x00336699);
    EXPECT_EQ(contextMenu(kSearchList, L"Color\u2026"),
              (std::vector<std::wstring>{L"Color\u2026", L"Delete", L"Match Case", L"Whole Word",
                                         L"Regular Expression"}));
    ASSERT_TRUE(pick.offer());
    EXPECT_EQ(pick.offer()->initial, HighlightPalette[1]);
    EXPECT_EQ(pick.offer()->flags & (CC_FULLOPEN | CC_RGBINIT), DWORD{CC_FULLOPEN | CC_RGBINIT});
    for (std::size_t i = 0; i < HighlightPalette.size(); ++i)
        EXPECT_EQ(pick.offer()->customColors[i], HighlightPalette[i]) << i;

    EXPECT_EQ(searchRows(), (Rows{{L"ab", L"#FFFF00"}, {L"cd", L"#996633"}}));
    EXPECT_EQ(savedList()[1].color, 0x00336699u);
    for (const HWND view : {host->mainView(), host->secondView()})
        EXPECT_EQ(SendMessageW(view, SCI_INDICGETFORE, kFirstIndicator + 1, 0), 0x336699);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_INDICGETFORE, kFirstIndicator, 0), 0x00FFFF);
    EXPECT_EQ(markings(host->mainView(), 5), "00.11");  // the marks stay
    add(L"next");  // a new string still takes the next palette colour
    EXPECT_EQ(searchRows()[2][1], L"#00C8FF");

    contextMenu(kSearchList, L"Delete", 0);  // right-clicked, row 0 is the one selected
    EXPECT_EQ(searchRows(), (Rows{{L"cd", L"#996633"}, {L"next", L"#00C8FF"}}));
}

}  // namespace
}  // namespace tarnwick::testing
