// The plugin in a host with documents in tabs: the marks stay with the document that was
// searched, a jump brings that document forward, and ANSI documents are searched in their
// own bytes.
#include <windows.h>

#include "panel_workflow_fixture.hpp"
#include "view_text.hpp"

namespace tarnwick::testing {
namespace {

using minihost::BufferId;
constexpr int kMain = minihost::MiniHost::kMainViewIndex;
constexpr int kSecond = minihost::MiniHost::kSecondViewIndex;

class ResultsFollowTheirDocument : public PanelWorkflow {
protected:
    // "needle" searched in the first tab of the main view, which then holds `text`.
    BufferId searchFirstTab(const std::string& text) {
        setDocument(host->mainView(), text);
        add(L"needle");
        controls().click(kSearch);
        return host->currentBuffer();
    }

    std::pair<LRESULT, LRESULT> selection(HWND view) const {
        return {SendMessageW(view, SCI_GETANCHOR, 0, 0), SendMessageW(view, SCI_GETCURRENTPOS, 0, 0)};
    }
};

TEST_F(ResultsFollowTheirDocument, OnlyTheSearchedDocumentIsMarkedAndStaleMarksGo) {
    const HWND view = host->mainView();
    searchFirstTab("needle here");
    EXPECT_EQ(markings(view, 11), "000000.....");

    host->newDocument(kMain, "zzzz needle zzzz");
    EXPECT_EQ(markings(view, 16), "................");
    controls().click(kSearch);
    EXPECT_EQ(markings(view, 16), ".....000000.....");

    ASSERT_TRUE(host->activateDocument(kMain, 0));  // its marks are the last search's no more
    EXPECT_EQ(markings(view, 11), "...........");
    ASSERT_TRUE(host->activateDocument(kMain, 1));
    EXPECT_EQ(markings(view, 16), ".....000000.....");
}

TEST_F(ResultsFollowTheirDocument, ClearInAnotherTabClearsTheSearchedDocumentWhenItIsShown) {
    const HWND view = host->mainView();
    searchFirstTab("needle here");
    host->newDocument(kMain, "other");
    controls().click(kClear);
    EXPECT_TRUE(resultRows().empty());
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    EXPECT_EQ(markings(view, 11), "...........");
}

TEST_F(ResultsFollowTheirDocument, TheSameDocumentInTheSecondViewIsMarkedWithItsLooksThere) {
    const BufferId searched = searchFirstTab("needle here");
    const HWND second = host->secondView();
    EXPECT_NE(SendMessageW(second, SCI_INDICGETSTYLE, kFirstIndicator, 0), 7);
    ASSERT_TRUE(host->setCurrentView(kSecond));
    ASSERT_TRUE(host->cloneDocument(searched, kSecond));
    EXPECT_EQ(SendMessageW(second, SCI_INDICGETSTYLE, kFirstIndicator, 0), 7);
    EXPECT_EQ(SendMessageW(second, SCI_INDICGETFORE, kFirstIndicator, 0), 0x00FFFF);  // #FFFF00
    EXPECT_EQ(markings(second, 11), "000000.....");
}

TEST_F(ResultsFollowTheirDocument, WhileThePanelIsHiddenASwitchPaintsNothing) {
    const HWND view = host->mainView();
    searchFirstTab("needle here");
    SendMessageW(view, SCI_SETINDICATORCURRENT, kFirstIndicator, 0);
    SendMessageW(view, SCI_INDICATORCLEARRANGE, 0, 11);
    host->newDocument(kMain, "other");
    showPanel();  // hides it
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    EXPECT_EQ(markings(view, 11), "...........");
    showPanel();
    host->switchDocument();
    host->switchDocument();
    EXPECT_EQ(markings(view, 11), "000000.....");
}

TEST_F(ResultsFollowTheirDocument, AJumpFromAnotherTabSelectsInTheSearchedDocumentOnly) {
    const BufferId searched = searchFirstTab("a needle");
    const HWND view = host->mainView();
    host->newDocument(kMain, "other text in front");
    controls().doubleClickRow(0);
    EXPECT_EQ(host->shownBuffer(kMain), searched);
    EXPECT_EQ(selection(view), std::make_pair(LRESULT{2}, LRESULT{8}));
    EXPECT_EQ(GetFocus(), view);
    ASSERT_TRUE(host->activateDocument(kMain, 1));
    EXPECT_EQ(selection(view), std::make_pair(LRESULT{0}, LRESULT{0}));
    EXPECT_EQ(textOf(view), "other text in front");
}

TEST_F(ResultsFollowTheirDocument, AJumpFromTheOtherViewMakesTheSearchedOneCurrent) {
    searchFirstTab("a needle");
    ASSERT_TRUE(host->setCurrentView(kSecond));
    controls().doubleClickRow(0);
    EXPECT_EQ(host->currentView(), kMain);
    EXPECT_EQ(selection(host->mainView()), std::make_pair(LRESULT{2}, LRESULT{8}));
    EXPECT_EQ(selection(host->secondView()), std::make_pair(LRESULT{0}, LRESULT{0}));
}

// Results read their lines from their document, which must be open: they go with it.
TEST_F(ResultsFollowTheirDocument, TheResultsOfAClosedDocumentGoWithIt) {
    const BufferId searched = searchFirstTab("a needle");
    const HWND view = host->mainView();
    const BufferId other = host->newDocument(kMain, "other text in front");
    EXPECT_EQ(resultRows(), (Rows{{L"1", L"needle", L"a needle"}}));  // read from the tab behind
    ASSERT_TRUE(host->closeDocument(searched));
    EXPECT_TRUE(resultRows().empty());
    EXPECT_EQ(controls().text(kResultsLabel), L"Results:");
    controls().doubleClickRow(0);
    EXPECT_EQ(host->shownBuffer(kMain), other);
    EXPECT_EQ(selection(view), std::make_pair(LRESULT{0}, LRESULT{0}));
    EXPECT_EQ(textOf(view), "other text in front");
}

TEST_F(ResultsFollowTheirDocument, AnAnsiDocumentIsSearchedInItsOwnBytes) {
    ASSERT_EQ(GetACP(), 1252u) << "the test prefix's ANSI code page";
    const HWND view = host->mainView();
    host->newDocument(kMain, "Caf\xE9 au lait\r\nna\xEFve caf\xE9 ??", 0);
    add(L"caf\u00E9");
    add(L"\u65E5\u672C");  // not in Windows-1252: finds nothing, not the "?" it would become
    controls().click(kSearch);
    EXPECT_EQ(resultRows(), (Rows{{L"1", L"caf\u00E9", L"Caf\u00E9 au lait"},
                                  {L"2", L"caf\u00E9", L"na\u00EFve caf\u00E9 ??"}}));
    EXPECT_EQ(markings(view, 24), "0000................0000");
    controls().doubleClickRow(1);
    EXPECT_EQ(selection(view), std::make_pair(LRESULT{20}, LRESULT{24}));
}

}  // namespace
}  // namespace tarnwick::testing
