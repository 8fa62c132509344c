#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <sstream>

#include "minihost/plugin_module.hpp"
#include "minihost/scintilla_messages.hpp"
#include "host/host_messages.hpp"
#include "oversized_line_view.hpp"
#include "panel_workflow_fixture.hpp"
#include "scintilla_window.hpp"
#include "settings/settings_format.hpp"
#include "temp_folder.hpp"
#include "test_host_window.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(PanelWorkflow, AddStripsSpacesEmptiesTheEditBoxFocusesItAndSaves) {
    add(L"  abc  ");
    EXPECT_EQ(searchRows(), (Rows{{L"abc", L"#FFFF00"}}));
    EXPECT_EQ(controls().text(kEdit), L"");
    EXPECT_EQ(GetFocus(), controls().control(kEdit));
    EXPECT_TRUE(controls().allBoxChecked());
    const SearchList saved = savedList();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0].text == u"abc");
}

TEST_F(PanelWorkflow, OnlySpacesAddNothingAndStayInTheEditBox) {
    add(L"   ");
    EXPECT_TRUE(searchRows().empty());
    EXPECT_EQ(controls().text(kEdit), L"   ");
    EXPECT_FALSE(fs::exists(settingsFile()));
}

TEST_F(PanelWorkflow, LeadingTabIsKeptAndLongTextIsCutTo511Units) {
    add(L"\tx");
    add(std::wstring(600, L'y'));
    const Rows rows = searchRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], L"\tx");
    EXPECT_EQ(rows[1][0], std::wstring(511, L'y'));
}

TEST_F(PanelWorkflow, LongestEntryOfNonBmpCharactersLosesTheHalfPairTheBufferCutOff) {
    std::wstring text;
    for (int i = 0; i < 300; ++i) text += L"\U0001F600";
    add(text);
    const Rows rows = searchRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], text.substr(0, 510));
    EXPECT_EQ(settingsBytes().find("\xEF\xBF\xBD"), std::string::npos);
    // The list comes back from the file exactly as it was shown (the host reopens the
    // panel that was visible when it closed).
    startHost();
    EXPECT_EQ(searchRows(), rows);
    setDocument(host->mainView(), "plain text");
    controls().click(kSearch);
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 0 matches found");
}

TEST_F(PanelWorkflow, ElevenAdditionsCycleThroughThePaletteSameTextIncluded) {
    for (int i = 0; i < 11; ++i) add(L"same");
    const Rows rows = searchRows();
    ASSERT_EQ(rows.size(), 11u);
    const wchar_t* expected[] = {L"#FFFF00", L"#00FF80", L"#00C8FF", L"#FFA500",
                                 L"#FF69B4", L"#ADD8E6", L"#90EE90", L"#FFB6C1",
                                 L"#DDA0DD", L"#F0E68C", L"#FFFF00"};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(rows[i][1], expected[i]) << i;
    EXPECT_EQ(savedList().size(), 11u);
}

TEST_F(PanelWorkflow, DeleteRemovesTheSelectedRowOnlyAndColoursFollowTheCount) {
    for (const wchar_t* text : {L"a", L"b", L"c", L"d", L"e"}) add(text);
    controls().pressDelete();  // nothing selected
    EXPECT_EQ(searchRows().size(), 5u);

    controls().selectRow(kSearchList, 2);
    controls().pressDelete();
    EXPECT_EQ(
        searchRows(),
        (Rows{{L"a", L"#FFFF00"}, {L"b", L"#00FF80"}, {L"d", L"#FFA500"}, {L"e", L"#FF69B4"}}));
    EXPECT_EQ(savedList().size(), 4u);
    add(L"f");
    EXPECT_EQ(searchRows()[4][1], L"#FF69B4");
}

TEST_F(PanelWorkflow, RemovingTheOnlyEntryUnchecksTheAllBox) {
    add(L"only");
    controls().selectRow(kSearchList, 0);
    controls().pressDelete();
    EXPECT_TRUE(searchRows().empty());
    EXPECT_FALSE(controls().allBoxChecked());
    EXPECT_TRUE(savedList().empty());
}

// The list keeps no check boxes of its own: each click on one, the second of a
// double-click too, toggles its entry once, through the change every edit of the list
// goes through (save, All box), and leaves the results, their marks and the Hits alone.
TEST_F(PanelWorkflow, EachClickOnACheckBoxTogglesItsEntryOnceAndTheAllBoxFollows) {
    setDocument(host->mainView(), "a b");
    add(L"a");
    add(L"b");
    controls().click(kSearch);
    const Rows withHits = controls().rows(kSearchList, 3);
    ASSERT_EQ(withHits, (Rows{{L"a", L"#FFFF00", L"1"}, {L"b", L"#00FF80", L"1"}}));
    controls().clickCheckBox(1);
    EXPECT_EQ(controls().checkState(1), 0x1000u);
    EXPECT_FALSE(controls().allBoxChecked());
    EXPECT_FALSE(savedList()[1].enabled);
    EXPECT_TRUE(savedList()[0].enabled);
    EXPECT_EQ(controls().rows(kSearchList, 3), withHits);
    EXPECT_EQ(resultRows().size(), 2u);
    EXPECT_EQ(markings(host->mainView(), 3), "0.1");

    // Neither a click beside the check box, which selects the row, nor the list's own
    // notice of a changed check box toggles anything.
    const HWND list = controls().control(kSearchList);
    const LPARAM label = rowClickPoint(list, 0);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, label);
    SendMessageW(list, WM_LBUTTONUP, 0, label);
    NMLISTVIEW notice{};
    notice.hdr = {list, static_cast<UINT_PTR>(kSearchList), LVN_ITEMCHANGED};
    notice.uChanged = LVIF_STATE;
    notice.uNewState = 0x1000;
    notice.uOldState = 0x2000;
    SendMessageW(panelWindow(), WM_NOTIFY, kSearchList, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    EXPECT_EQ(controls().checkState(0), 0x2000u);
    EXPECT_TRUE(savedList()[0].enabled);

    controls().clickCheckBox(1, true);  // two toggles, as two clicks
    EXPECT_EQ(controls().checkState(1), 0x1000u);
    controls().clickCheckBox(1);
    EXPECT_TRUE(controls().allBoxChecked());
    EXPECT_TRUE(savedList()[1].enabled);
    add(L"c");  // the new row keeps every flag
    EXPECT_EQ(controls().checkState(0), 0x2000u);
    EXPECT_EQ(controls().checkState(1), 0x2000u);
}

// In a long list a change moves no row but its own: Add and "All" keep the selected row
// and where the list is scrolled, and Delete takes out the one row.
TEST_F(PanelWorkflow, ALongListKeepsItsSelectionAndScrollThroughAddAllAndDelete) {
    std::string json = R"({"entries": [{"text": "s0"})";
    for (int i = 1; i < 300; ++i) json += R"(, {"text": "s)" + std::to_string(i) + "\"}";
    writeSettings(json + "]}");
    startHost();  // the panel open at the last exit opens again
    const HWND list = controls().control(kSearchList);
    controls().selectRow(kSearchList, 150);
    SendMessageW(list, LVM_ENSUREVISIBLE, 150, FALSE);
    const LRESULT top = SendMessageW(list, LVM_GETTOPINDEX, 0, 0);
    ASSERT_GT(top, 100);
    const auto selected = [list] {
        return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    };

    add(L"last");
    EXPECT_EQ(selected(), 150);
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), top);
    ASSERT_EQ(searchRows().size(), 301u);
    EXPECT_EQ(searchRows()[300][0], L"last");
    controls().click(kAll);
    EXPECT_EQ(selected(), 150);
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), top);
    EXPECT_EQ(controls().checkState(150), 0x1000u);
    EXPECT_EQ(controls().checkState(300), 0x1000u);
    controls().pressDelete();
    const Rows rows = searchRows();
    ASSERT_EQ(rows.size(), 300u);
    EXPECT_EQ(rows[149][0], L"s149");
    EXPECT_EQ(rows[150][0], L"s151");
    EXPECT_EQ(savedList().size(), 300u);
}

TEST_F(PanelWorkflow, AllBoxSetsEveryEntryBothWays) {
    add(L"a");
    add(L"b");
    controls().click(kAll);
    EXPECT_FALSE(controls().allBoxChecked());
    EXPECT_EQ(controls().checkState(0), 0x1000u);
    EXPECT_EQ(controls().checkState(1), 0x1000u);
    EXPECT_FALSE(savedList()[0].enabled);
    controls().click(kAll);
    EXPECT_TRUE(controls().allBoxChecked());
    EXPECT_EQ(controls().checkState(1), 0x2000u);
    EXPECT_TRUE(savedList()[1].enabled);
}

TEST_F(PanelWorkflow, AllBoxOnAnEmptyListKeepsTheClickAndTheNextAdd) {
    controls().click(kAll);
    EXPECT_TRUE(controls().allBoxChecked());
    EXPECT_TRUE(searchRows().empty());
    add(L"x");
    EXPECT_TRUE(controls().allBoxChecked());
}

TEST_F(PanelWorkflow, SearchListsMatchesByLineThenPositionWithOneBasedLines) {
    setDocument(host->mainView(), "alpha beta\r\nBETA alpha \t\r\nnone\n");
    add(L"alpha");
    add(L"beta");
    controls().click(kSearch);
    EXPECT_EQ(resultRows(), (Rows{{L"1", L"alpha", L"alpha beta"},
                                  {L"1", L"beta", L"alpha beta"},
                                  {L"2", L"beta", L"BETA alpha \t"},
                                  {L"2", L"alpha", L"BETA alpha \t"}}));
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 4 matches found");
}

TEST_F(PanelWorkflow, LabelCountsNoneAndOneInThePlural) {
    setDocument(host->mainView(), "one line");
    add(L"absent");
    controls().click(kSearch);
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 0 matches found");
    EXPECT_TRUE(resultRows().empty());
    add(L"line");
    controls().click(kSearch);
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 1 matches found");
}

TEST_F(PanelWorkflow, TwelveEntriesAreListedButOnlyTheFirstTenHighlighted) {
    std::string document;
    for (int i = 0; i < 12; ++i) {
        const std::wstring word = L"w" + std::wstring(1, static_cast<wchar_t>(L'a' + i));
        add(word);
        document += std::string(word.begin(), word.end()) + " ";
    }
    setDocument(host->mainView(), document);
    controls().click(kSearch);
    EXPECT_EQ(resultRows().size(), 12u);
    EXPECT_EQ(markings(host->mainView(), 36), "00.11.22.33.44.55.66.77.88.99.......");
}

TEST_F(PanelWorkflow, DisabledEntriesAreNeitherListedNorHighlighted) {
    setDocument(host->mainView(), "keep drop keep");
    add(L"drop");
    add(L"keep");
    controls().clickCheckBox(0);
    controls().click(kSearch);
    EXPECT_EQ(resultRows(),
              (Rows{{L"1", L"keep", L"keep drop keep"}, {L"1", L"keep", L"keep drop keep"}}));
    EXPECT_EQ(markings(host->mainView(), 14), "1111......1111");
}

TEST_F(PanelWorkflow, DoubleClickSelectsTheMatchInUtf8BytesAndBringsItsLineIntoView) {
    std::string document;
    for (int line = 0; line < 300; ++line) document += "filler line\n";
    document += "caf\xC3\xA9 and caf\xC3\xA9\n";
    setDocument(host->mainView(), document);
    add(L"CAF\u00C9");
    controls().click(kSearch);
    ASSERT_EQ(resultRows().size(), 2u);
    controls().doubleClickRow(1);
    const HWND view = host->mainView();
    const LRESULT lineStart = 300 * 12;
    EXPECT_EQ(SendMessageW(view, SCI_GETANCHOR, 0, 0), lineStart + 10);
    EXPECT_EQ(SendMessageW(view, SCI_GETCURRENTPOS, 0, 0), lineStart + 15);
    EXPECT_EQ(SendMessageW(view, SCI_LINEFROMPOSITION, lineStart + 15, 0), 300);
    EXPECT_GT(SendMessageW(view, SCI_GETFIRSTVISIBLELINE, 0, 0), 200);
    EXPECT_EQ(GetFocus(), view);
}

TEST_F(PanelWorkflow, ClearEmptiesTheResultsAndTheHighlightingButNotTheList) {
    setDocument(host->mainView(), "hit hit");
    add(L"hit");
    controls().click(kSearch);
    const std::string saved = settingsBytes();
    controls().click(kClear);
    EXPECT_TRUE(resultRows().empty());
    EXPECT_EQ(controls().text(kResultsLabel), L"Results:");
    EXPECT_EQ(markings(host->mainView(), 7), ".......");
    EXPECT_EQ(searchRows().size(), 1u);
    EXPECT_EQ(settingsBytes(), saved);
}

// A Search in many slices: the old results go at its start, the label shows its progress,
// and the messages handled run it to the same results as a Search in one go. Esc in any of
// the panel's controls and Clear stop it, leaving the state of Clear; with no Search
// running, Esc goes back to the editor.
TEST_F(PanelWorkflow, ASearchInSlicesShowsProgressEndsAsOneInOneGoAndEscOrClearStopIt) {
    const HWND view = host->mainView();
    setDocument(view, linesWith("hit", 300));
    add(L"hit");
    controls().click(kSearch);
    const Rows whole = resultRows();
    ASSERT_EQ(whole.size(), 300u);
    const TinySearchSlices slices;
    controls().click(kSearch);
    EXPECT_EQ(label(), L"Searching\u2026 0 %");
    EXPECT_TRUE(resultRows().empty());
    EXPECT_EQ(markings(view, 12), "............");
    EXPECT_EQ(hitsCells(), std::vector<std::wstring>{L""});
    handleMessagesWhileSearching();
    EXPECT_EQ(label(), L"Results: 300 matches found");
    EXPECT_EQ(resultRows(), whole);
    EXPECT_EQ(markings(view, 12), ".......000..");
    EXPECT_EQ(hitsCells(), std::vector<std::wstring>{L"300"});

    const auto expectStopped = [&](const char* how) {
        SCOPED_TRACE(how);
        EXPECT_EQ(label(), L"Search stopped");
        EXPECT_TRUE(resultRows().empty());
        EXPECT_EQ(markings(view, 12), "............");
        EXPECT_EQ(hitsCells(), std::vector<std::wstring>{L""});
        host->pumpMessages();  // no slice of the stopped Search runs
        EXPECT_EQ(label(), L"Search stopped");
    };
    for (const int control : {kResultsList, kSearchList, kEdit, kSearch}) {
        controls().click(kSearch);
        ASSERT_TRUE(searching());
        focus(control);
        press(VK_ESCAPE);
        expectStopped("Esc");
        EXPECT_NE(GetFocus(), view);
    }
    controls().click(kSearch);
    ASSERT_TRUE(searching());
    controls().click(kClear);
    expectStopped("Clear");
    // A new Search stops the one running and starts again.
    controls().click(kSearch);
    controls().click(kSearch);
    handleMessagesWhileSearching();
    EXPECT_EQ(resultRows(), whole);
    focus(kEdit);
    press(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), view);
}

// Memory running out during a Search, in one go or in slices, releases what it found and
// the old results: the state of Clear, the label says so, and the next Search works.
TEST_F(PanelWorkflow, ASearchOutOfMemoryLeavesTheStateOfClearSaysSoAndTheNextOneWorks) {
    const HWND view = host->mainView();
    setDocument(view, "hit hit\nhit hit hit");
    add(L"hit");
    controls().click(kSearch);
    ASSERT_EQ(markings(view, 3), "000");
    {
        const ScopedEnvironment failing(L"TARNWICK_FAIL_AT_MATCH", L"3");
        controls().click(kSearch);
        EXPECT_EQ(label(), L"Search stopped: not enough memory after 3 matches");
        EXPECT_TRUE(resultRows().empty());
        EXPECT_EQ(markings(view, 19), "...................");
        EXPECT_EQ(hitsCells(), std::vector<std::wstring>{L""});
        const TinySearchSlices slices;
        controls().click(kSearch);
        handleMessagesWhileSearching();
        EXPECT_EQ(label(), L"Search stopped: not enough memory after 3 matches");
        EXPECT_TRUE(resultRows().empty());
    }
    controls().click(kSearch);
    EXPECT_EQ(label(), L"Results: 5 matches found");
    EXPECT_EQ(markings(view, 19), "000.000.000.000.000");
    EXPECT_EQ(hitsCells(), std::vector<std::wstring>{L"5"});
}

// The document searched closes, or the host goes, while a Search runs: no slice runs on
// what is gone, and the next host works.
TEST_F(PanelWorkflow, ClosingTheDocumentOrTheHostDuringASearchIsSafe) {
    add(L"hit");
    const TinySearchSlices slices;
    const minihost::BufferId searched =
        host->newDocument(minihost::MiniHost::kMainViewIndex, linesWith("hit", 300));
    controls().click(kSearch);
    ASSERT_TRUE(searching());
    ASSERT_TRUE(host->closeDocument(searched));
    host->pumpMessages();
    EXPECT_EQ(label(), L"Search stopped");
    EXPECT_TRUE(resultRows().empty());

    setDocument(host->mainView(), linesWith("hit", 300));
    controls().click(kSearch);
    ASSERT_TRUE(searching());
    startHost();
    host->pumpMessages();
    setDocument(host->mainView(), "hit");
    controls().click(kSearch);
    handleMessagesWhileSearching();
    EXPECT_EQ(label(), L"Results: 1 matches found");
}

TEST_F(PanelWorkflow, RemovingAnEntryLeavesResultsAndHighlightingUntilTheNextSearch) {
    setDocument(host->mainView(), "red blue");
    add(L"red");
    add(L"blue");
    controls().click(kSearch);
    controls().selectRow(kSearchList, 0);
    controls().pressDelete();
    EXPECT_EQ(resultRows().size(), 2u);
    EXPECT_EQ(markings(host->mainView(), 8), "000.1111");
    controls().click(kSearch);
    EXPECT_EQ(markings(host->mainView(), 8), "....0000");
}

// A host whose views are missing, or broken, cannot take the panel or the host down.
class PanelWithoutRealViews : public ::testing::Test {
protected:
    void load(HWND view) {
        plugin = minihost::PluginModule::load(tarnwickDllPath(), NppData{host.handle(), view, view},
                                              22000);
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->runCommand(0));
        panel = FindWindowExW(host.hwnd(), nullptr, nullptr, nullptr);
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        plugin.reset();
        fs::remove_all(folder);
    }

    PanelControls controls() const { return PanelControls(panel); }

    fs::path folder = uniqueTempFolder(L"tarnwick-no-views");
    TestHostWindow host{folder.wstring()};
    std::unique_ptr<minihost::PluginModule> plugin;
    HWND panel = nullptr;
};

TEST_F(PanelWithoutRealViews, WithoutAViewSearchDoesNothingAndClearStillResets) {
    load(nullptr);
    controls().setText(kEdit, L"word");
    controls().click(kAdd);
    controls().setText(kResultsLabel, L"stale");
    controls().click(kSearch);
    EXPECT_EQ(controls().text(kResultsLabel), L"stale");
    controls().click(kClear);
    EXPECT_EQ(controls().text(kResultsLabel), L"Results:");
}

// A search holds no line: a line no process could hold leaves its Content cell empty.
TEST_F(PanelWithoutRealViews, ALineTooLongToHoldLeavesItsCellEmptyAndThePanelWorks) {
    OversizedLineView view("find me, find me");
    load(view.handle());
    controls().setText(kEdit, L"find");
    controls().click(kAdd);
    view.reportOversizedLines();
    controls().click(kSearch);
    EXPECT_EQ(controls().rows(kResultsList, 3), (Rows{{L"1", L"find", L""}, {L"1", L"find", L""}}));
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 2 matches found");

    controls().setText(kEdit, L"more");  // the panel goes on working
    controls().click(kAdd);
    EXPECT_EQ(controls().rows(kSearchList, 2).size(), 2u);
}

// A host that gives no buffer ids cannot bring a document forward: the jump then works
// only while the searched document is the one shown, and never selects in another.
using PanelInAHostWithoutBufferIds = PanelWithoutRealViews;

TEST_F(PanelInAHostWithoutBufferIds, JumpsOnlyWhileTheSearchedDocumentIsShown) {
    ScintillaWindow view;
    view.setDocument("one two");
    load(static_cast<HWND>(view.handle()));
    controls().setText(kEdit, L"two");
    controls().click(kAdd);
    controls().click(kSearch);

    // Show another document in the view, keeping the searched one alive.
    const LRESULT searched = view.send(SCI_GETDOCPOINTER);
    view.send(SCI_ADDREFDOCUMENT, 0, searched);
    const LRESULT other = view.send(SCI_CREATEDOCUMENT);
    view.send(SCI_SETDOCPOINTER, 0, other);
    view.setDocument("other text here");
    controls().doubleClickRow(0);
    EXPECT_EQ(view.send(SCI_GETANCHOR), 0);
    EXPECT_EQ(view.send(SCI_GETCURRENTPOS), 0);
    for (const TestHostWindow::Received& received : host.received())
        EXPECT_NE(received.message, static_cast<UINT>(NPPM_ACTIVATEDOC));

    view.send(SCI_SETDOCPOINTER, 0, searched);
    view.send(SCI_RELEASEDOCUMENT, 0, searched);
    view.send(SCI_RELEASEDOCUMENT, 0, other);
    controls().doubleClickRow(0);
    EXPECT_EQ(view.send(SCI_GETANCHOR), 4);
    EXPECT_EQ(view.send(SCI_GETCURRENTPOS), 7);
}

}  // namespace
}  // namespace tarnwick::testing
