// The results stay true while the user edits the searched document in real Scintilla
// views: matches move, those whose bytes changed go with their marks at once, the edited
// text is searched again once the typing pauses, and every later repaint and jump uses the
// positions as they are now.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "panel_workflow_fixture.hpp"
#include "temp_folder.hpp"
#include "view_text.hpp"

namespace tarnwick::testing {
namespace {

using minihost::BufferId;
constexpr int kMain = minihost::MiniHost::kMainViewIndex;
constexpr int kSecond = minihost::MiniHost::kSecondViewIndex;

class ResultsFollowEdits : public PanelWorkflow {
protected:
    // "needle" searched in the document the main view shows, which then holds `text`.
    BufferId search(const std::string& text) {
        setDocument(host->mainView(), text);
        add(L"needle");
        controls().click(kSearch);
        return host->currentBuffer();
    }

    // As typing and deleting do; then the panel's posted work runs.
    void insert(HWND view, int position, const char* text) const {
        SendMessageW(view, SCI_INSERTTEXT, position, reinterpret_cast<LPARAM>(text));
        host->pumpMessages();
    }
    void erase(HWND view, int position, int length) const {
        SendMessageW(view, SCI_DELETERANGE, position, length);
        host->pumpMessages();
    }

    std::pair<LRESULT, LRESULT> selection(HWND view) const {
        return {SendMessageW(view, SCI_GETANCHOR, 0, 0),
                SendMessageW(view, SCI_GETCURRENTPOS, 0, 0)};
    }

    LRESULT listMessage(UINT message, WPARAM wParam = 0) const {
        return SendMessageW(controls().control(kResultsList), message, wParam, 0);
    }

    // Long enough for the edited text to be searched again once the typing paused.
    void pause() const {
        for (int wait = 0; wait < 30; ++wait) {
            Sleep(10);
            host->pumpMessages();
        }
    }

    // What the panel and the view show of the results: rows, label, Hits, marks, and the
    // text a double-click on the first and on the last row selects.
    struct Shown {
        Rows rows;
        std::wstring label;
        Rows hits;
        std::string marks;
        std::vector<std::string> jumps;
    };
    Shown shown(HWND view) {
        Shown result{resultRows(), label(), controls().rows(kSearchList, 3), "", {}};
        result.marks = markings(view, static_cast<int>(SendMessageW(view, SCI_GETLENGTH, 0, 0)));
        for (const std::size_t row : {std::size_t{0}, result.rows.size() - 1}) {
            if (row >= result.rows.size()) continue;
            listMessage(LVM_ENSUREVISIBLE, row);
            controls().doubleClickRow(static_cast<int>(row));
            const auto [anchor, caret] = selection(view);
            result.jumps.push_back(textOf(view).substr(static_cast<std::size_t>(anchor),
                                                       static_cast<std::size_t>(caret - anchor)));
        }
        return result;
    }
    // The results as they are, against a new search of the text as it is now.
    void expectAsANewSearchFinds(HWND view, const char* what) {
        const Shown kept = shown(view);
        controls().click(kSearch);
        const Shown fresh = shown(view);
        EXPECT_EQ(kept.rows, fresh.rows) << what;
        EXPECT_EQ(kept.label, fresh.label) << what;
        EXPECT_EQ(kept.hits, fresh.hits) << what;
        EXPECT_EQ(kept.marks, fresh.marks) << what;
        EXPECT_EQ(kept.jumps, fresh.jumps) << what;
    }
};

TEST_F(ResultsFollowEdits, MatchesMoveDropAndRepaintWhereTheyAreNow) {
    const HWND view = host->mainView();
    search("x needle needleneedle\nneedle end\n");
    insert(view, 0, "ab");
    EXPECT_EQ(markings(view, 35), "....000000.000000000000.000000.....");
    insert(view, 17, "Q");  // between two adjacent matches: typed, never marked
    EXPECT_EQ(markings(view, 36), "....000000.000000.000000.000000.....");
    insert(view, 13, "Z");  // inside a match: it goes, with its marks
    EXPECT_EQ(markings(view, 37), "....000000.........000000.000000.....");
    EXPECT_EQ(label(), L"Results: 3 matches found");

    // A line end above moves every line; its undo moves them back, once.
    insert(view, 0, "\n");
    EXPECT_EQ(resultRows()[2][0], L"3");
    SendMessageW(view, SCI_UNDO, 0, 0);
    host->pumpMessages();
    insert(view, 36, " more");  // the Content shows the edited lines as they are
    EXPECT_EQ(resultRows(), (Rows{{L"1", L"needle", L"abx needle neZedleQneedle"},
                                  {L"1", L"needle", L"abx needle neZedleQneedle"},
                                  {L"2", L"needle", L"needle end more"}}));
    erase(view, 29, 2);  // overlapping the last match
    EXPECT_EQ(label(), L"Results: 2 matches found");
    EXPECT_EQ(resultRows().size(), 2u);
    EXPECT_EQ(markings(view, 40), "....000000.........000000...............");

    // A repaint after a tab switch and a jump use the positions as they are now.
    host->newDocument(kMain, "other");
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    EXPECT_EQ(markings(view, 40), "....000000.........000000...............");
    controls().doubleClickRow(1);
    EXPECT_EQ(selection(view), std::make_pair(LRESULT{19}, LRESULT{25}));
}

TEST_F(ResultsFollowEdits, EachEditCountsOnceWhateverWindowReportsIt) {
    const BufferId searched = search("needle one\nneedle two\n");
    // Shown in both views, the document reports every edit from each.
    ASSERT_TRUE(host->cloneDocument(searched, kSecond));
    const HWND second = host->secondView();
    insert(second, 0, "ab");
    EXPECT_EQ(markings(second, 14), "..000000.....0");
    controls().doubleClickRow(0);
    EXPECT_EQ(selection(host->mainView()), std::make_pair(LRESULT{2}, LRESULT{8}));

    // Edits of another document change nothing.
    host->newDocument(kMain, "needle needle");
    insert(host->mainView(), 0, "zzzz");
    EXPECT_EQ(markings(second, 14), "..000000.....0");
    EXPECT_EQ(resultRows().size(), 2u);
}

TEST_F(ResultsFollowEdits, TheListKeepsItsSelectionAndScrollOnTheSameResults) {
    std::string text;
    for (int line = 0; line < 300; ++line) text += "needle " + std::to_string(line % 10) + "\n";
    search(text);
    controls().selectRow(kResultsList, 200);
    listMessage(LVM_ENSUREVISIBLE, 250);
    const LRESULT top = listMessage(LVM_GETTOPINDEX);
    ASSERT_GT(top, 10);

    erase(host->mainView(), 9 * 10, 9);  // the tenth line's match and text
    EXPECT_EQ(SendMessageW(controls().control(kResultsList), LVM_GETNEXTITEM,
                           static_cast<WPARAM>(-1), LVNI_SELECTED),
              199);
    EXPECT_EQ(listMessage(LVM_GETTOPINDEX), top - 1);
    EXPECT_EQ(resultRows()[199][2], L"needle 0");
    insert(host->mainView(), 0, "x");  // nothing goes: nothing moves in the list
    EXPECT_EQ(listMessage(LVM_GETTOPINDEX), top - 1);

    // The selected result goes: no other takes its selection.
    erase(host->mainView(), 199 * 9 + 2, 3);
    EXPECT_EQ(SendMessageW(controls().control(kResultsList), LVM_GETNEXTITEM,
                           static_cast<WPARAM>(-1), LVNI_SELECTED),
              -1);
}

// Once the typing pauses, text that reads as a match is one, and one it broke stays gone;
// the same with the panel hidden, whose list is right when it is shown again.
TEST_F(ResultsFollowEdits, TypingThatMakesOrBreaksMatchesEndsAsANewSearch) {
    const HWND view = host->mainView();
    search("needl x\nneedle y needle\n");
    insert(view, 5, "e");      // completes a match
    insert(view, 13, "X");     // breaks one
    insert(view, 25, "NEED");  // with the typing below, makes one
    insert(view, 29, "LE");
    pause();
    EXPECT_EQ(label(), L"Results: 3 matches found");
    expectAsANewSearchFinds(view, "typed");
    for (int undo = 0; undo < 4; ++undo) SendMessageW(view, SCI_UNDO, 0, 0);
    pause();
    expectAsANewSearchFinds(view, "undone");

    ASSERT_TRUE(host->hidePanel(panelWindow()));
    insert(view, 0, "needle ");
    erase(view, 20, 1);
    pause();
    showPanel();
    expectAsANewSearchFinds(view, "while hidden");
}

// The host changes the searched document without telling of each change: it reads the
// file again (a line added at the top, a log grown at its end, a shorter file) or makes a
// Replace All with the view's notifications off. Each time, once the host shows the
// document again, the results are what a new search finds.
TEST_F(ResultsFollowEdits, ReloadsAndReplaceAllEndAsANewSearch) {
    const HWND view = host->mainView();
    std::string text;
    for (int line = 0; line < 40; ++line) text += "row " + std::to_string(line) + " needle\n";
    const BufferId searched = search(text);
    controls().selectRow(kResultsList, 5);  // "row 5": kept through the reload
    ASSERT_TRUE(host->reloadDocument(searched, "needle on top\n" + text));
    host->pumpMessages();
    EXPECT_EQ(resultRows()[6][2], L"row 5 needle");
    EXPECT_EQ(SendMessageW(controls().control(kResultsList), LVM_GETNEXTITEM,
                           static_cast<WPARAM>(-1), LVNI_SELECTED),
              6);
    expectAsANewSearchFinds(view, "line added at the top");

    ASSERT_TRUE(host->reloadDocument(searched, "x needle y\nz\n"));
    host->pumpMessages();
    expectAsANewSearchFinds(view, "shorter file");

    setDocument(view, "foo needle\nboo needle o\n");
    controls().click(kSearch);
    ASSERT_TRUE(host->cloneDocument(searched, kSecond));  // reports each replacement too
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    EXPECT_EQ(host->replaceAll("o", "oOo"), 5);
    host->pumpMessages();
    expectAsANewSearchFinds(view, "Replace All");

    // Hidden, the panel follows too; a document in another tab is read again when shown.
    ASSERT_TRUE(host->hidePanel(panelWindow()));
    ASSERT_TRUE(host->reloadDocument(searched, "needle\n\nneedle\n"));
    host->pumpMessages();
    host->newDocument(kMain, "other");
    ASSERT_TRUE(host->reloadDocument(searched, "needle\nneedle needle\n"));
    ASSERT_TRUE(host->activateDocument(kMain, 0));
    showPanel();
    EXPECT_EQ(label(), L"Results: 3 matches found");
    expectAsANewSearchFinds(view, "hidden, in the background");
}

// A Search is of the text as it was: a typed character, a reload or a Replace All in the
// searched document stops it, leaving the state of Clear; an edit elsewhere does not.
TEST_F(ResultsFollowEdits, AChangeToTheSearchedDocumentStopsASearchThatRuns) {
    const HWND view = host->mainView();
    const std::string text = linesWith("needle", 300);
    const TinySearchSlices slices;
    const BufferId searched = search(text);
    ASSERT_TRUE(searching());
    insert(view, 0, "x");
    EXPECT_EQ(label(), L"Search stopped");
    EXPECT_TRUE(resultRows().empty());

    host->newDocument(kSecond, "needle");
    ASSERT_TRUE(host->setCurrentView(kMain));
    controls().click(kSearch);
    ASSERT_TRUE(searching());
    insert(host->secondView(), 0, "x");
    handleMessagesWhileSearching();
    EXPECT_EQ(label(), L"Results: 300 matches found");

    const auto stoppedBy = [&](const char* how, const std::function<void()>& change) {
        SCOPED_TRACE(how);
        controls().click(kSearch);
        ASSERT_TRUE(searching());
        change();
        host->pumpMessages();
        EXPECT_EQ(label(), L"Search stopped");
        EXPECT_TRUE(resultRows().empty());
        EXPECT_EQ(markings(view, 16), "................");
    };
    stoppedBy("reload", [&] { ASSERT_TRUE(host->reloadDocument(searched, text)); });
    stoppedBy("Replace All", [&] { EXPECT_EQ(host->replaceAll("line", "LINE"), 300); });
}

// The marks of many results are painted in slices once the results show: text typed
// meanwhile moves those still to paint with it, and a result it breaks loses its mark. With
// 9,000 results the marks take three slices, and the broken row goes between the second
// and the third: the rows after it move up a place.
TEST_F(ResultsFollowEdits, EditsWhileTheMarksOfASearchArePaintedMoveThemWithTheText) {
    const HWND view = host->mainView();
    const TinySearchSlices slices;
    const std::string text = linesWith("needle", 9'000);
    search(text);
    // One message at a time, until the results show and their first mark is painted.
    const auto firstMarkShown = [&] {
        return label() == L"Results: 9000 matches found" && marked(view, 0, 7);
    };
    MSG message{};
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 30'000 && !firstMarkShown()) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ASSERT_TRUE(firstMarkShown());
    const auto lastNeedle = static_cast<int>(text.rfind("needle"));
    EXPECT_FALSE(marked(view, 0, lastNeedle));  // still to paint

    SendMessageW(view, SCI_INSERTTEXT, 0, reinterpret_cast<LPARAM>("x"));
    SendMessageW(view, SCI_DELETERANGE, 8, 1);  // the first result's "n"
    pause();
    EXPECT_EQ(label(), L"Results: 8999 matches found");
    std::string edited = text;
    edited.erase(7, 1);
    edited.insert(0, 1, 'x');
    int marks = 0;
    for (int position = 0; position < static_cast<int>(edited.size()); ++position) {
        const bool needle = edited.compare(static_cast<std::size_t>(position), 6, "needle") == 0;
        if (needle) ++marks;
        // Only a match's first byte is compared: the marks are of whole matches.
        if (needle != marked(view, 0, position) && (needle || !marked(view, 0, position - 1)))
            ADD_FAILURE() << "mark wrong at " << position;
    }
    EXPECT_EQ(marks, 8'999);
}

// A watched log that grows on disk: only what was added is searched, and a list scrolled
// to its end follows it.
TEST_F(ResultsFollowEdits, AWatchedLogGrowsWithItsResults) {
    const std::filesystem::path folder = uniqueTempFolder(L"tarnwick-tail");
    std::filesystem::create_directories(folder);
    const std::filesystem::path log = folder / L"app.log";
    std::string text;
    for (int line = 0; line < 60; ++line) text += "request " + std::to_string(line) + " needle\n";
    std::ofstream(log, std::ios::binary) << text;
    ASSERT_TRUE(host->openFile(log));
    const HWND view = host->mainView();
    add(L"needle");
    controls().click(kSearch);
    ASSERT_TRUE(host->setMonitoring(host->currentBuffer(), true));
    listMessage(LVM_ENSUREVISIBLE, 59);
    const std::wstring firstRow = resultRows()[0][2];

    std::ofstream(log, std::ios::binary | std::ios::app) << "late needle\nneedle at last\n";
    host->checkFilesOnDisk();
    host->pumpMessages();
    EXPECT_EQ(label(), L"Results: 62 matches found");
    EXPECT_EQ(resultRows()[0][2], firstRow);
    EXPECT_GE(listMessage(LVM_GETTOPINDEX) + listMessage(LVM_GETCOUNTPERPAGE), 62);
    expectAsANewSearchFinds(view, "grown");
    host->exit();
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarnwick::testing
