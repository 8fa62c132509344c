#pragma once

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "core/search/document_searcher.hpp"
#include "core/search/search_run.hpp"
#include "core/marks/indicator_block.hpp"
#include "core/results/live_matches.hpp"
#include "core/results/live_results.hpp"
#include "core/marks/marked_documents.hpp"
#include "core/results/result_lines.hpp"
#include "core/results/text_check.hpp"
#include "core/results/row_mapping.hpp"
#include "core/list/search_list.hpp"
#include "dialogs/docking_dlg_interface.hpp"
#include "panel/results/document_reader.hpp"
#include "panel/controls/dpi_scale.hpp"
#include "panel/results/entry_hits.hpp"
#include "host/host_records.hpp"
#include "settings/settings_store.hpp"

namespace tarnwick {

// The dockable panel: the search list with its check boxes, the edit box and buttons,
// and the results of the last search.
class TarnwickPanel : public DockingDlgInterface {
public:
    TarnwickPanel();
    ~TarnwickPanel() override;

    // Stores the host's handles, prepares the settings file and the indicators, loads the
    // list, creates the window and registers it with the host's docking manager.
    // `showPanelMenuIndex` is the index of the menu item that opens the panel: the host
    // calls it to reopen a panel that was visible when it last closed.
    void attachToHost(const NppData& host, int showPanelCommandId, int showPanelMenuIndex);

    // At the host's shutdown and at unload: writes the list where it holds changes whose
    // save failed, made to the newer list when another instance of the host saved one
    // since, or where the file lacks it; never an older list over a newer one.
    void saveSearches();
    // Tells the host to stop passing keys to the panel; done while the host's window still
    // exists, before the panel's window goes. Does nothing the second time.
    void stopTakingKeys();
    // The host switched documents, or showed one again after reading it from disk: the
    // results of a searched document shown now are made true to its text, and the document
    // shown gets the results' marks, or loses stale ones.
    void documentActivated();
    // The host replaced text in the document `bufferId` without telling of each change.
    void documentReplaced(std::uintptr_t bufferId);
    // The host is about to close the buffer.
    void documentClosed(std::uintptr_t bufferId);
    // An editor window reports a change to the document it shows: the results of that
    // document follow it.
    void documentModified(const SCNotification& notification);

    // Select the next (previous) result after (before) the selection in the searched
    // document, wrapping round, and its row in the results list. Nothing without results.
    void goToNextResult();
    void goToPreviousResult();

    // Shows each entry's count of the current results in the search list's Hits column;
    // called whenever the results change.
    void refreshHits();

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void runCommand(const std::function<void()>& command);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR onCommand(WORD controlId, WORD notificationCode);
    void onEnter();
    // Esc stops a Search that runs; otherwise it goes back to the editor.
    void onEscape();
    void giveFocusToEditor() const;
    INT_PTR onNotify(WPARAM wParam, LPARAM lParam);
    // A click, or the second click of a double-click, on the search list: on a check box it
    // toggles the row's entry.
    void onSearchListClick(const NMITEMACTIVATE& click);
    bool onContextMenu(HWND control, LPARAM position) const;

    // Set-up and layout.
    void setUpControls();
    void layoutControls(int width, int height) const;
    void onDpiChanged();
    void fillSearchList();
    // The search list's cells and check boxes, given when the list asks for them.
    void describeSearchRow(NMLVDISPINFOW& request) const;
    void redrawSearchRow(std::size_t entry) const;
    // After an Add or a Delete: the one row in or out.
    void showAddedEntry();
    void showRemovedEntry(std::size_t index);
    void updateAllCheckBox() const;
    WindowHandle currentView() const;

    // A change to the search list and what it needs besides the save.
    struct ListChange {
        // Changes the list; false when it changed nothing (only spaces to add, an entry
        // that is gone).
        std::function<bool(SearchList&)> apply;
        bool rebuildsRows = true;
        // The All box keeps the state the user's click gave it.
        bool keepsAllBox = false;
        // Run while the list control tells of a click or a key: it must keep its rows until
        // it is done, so their rebuild waits for the next message.
        bool duringRowNotification = false;
    };

    // Every change to the search list goes through here. When another instance of the
    // host saved its list since this panel last read or wrote the file, the list is loaded
    // again first, with the changes still unsaved made to it, and its rows rebuilt; then
    // the change runs on that list, the rows and the All box follow, and a list that
    // changed or holds unsaved changes is saved. A save that fails is told in the results
    // label until one succeeds. True when the change was made.
    bool changeSearchList(const ListChange& change);
    // Loads the list again, with no change of its own, when the file changed since, and
    // tries again to save changes whose save failed.
    void catchUpWithFile();
    void showSaveProblem();
    // The change of the entry shown in `row`, found again after a reload by its text and
    // place; nothing when that entry is gone. Where the change is made, `changedEntry`, if
    // given, receives the entry's index.
    std::function<bool(SearchList&)> changeOfShownEntry(
        int row, std::function<bool(SearchList&, std::size_t)> change,
        std::optional<std::size_t>* changedEntry = nullptr) const;
    void rebuildSearchList(bool later);
    // Posted to the panel itself: rebuild the search list control, which could not be
    // rebuilt while it was telling of a change of its own.
    static constexpr UINT kRebuildSearchList = WM_APP + 1;

    // Editing the search list; each goes through changeSearchList.
    void addEntry();
    void removeEntry();
    void toggleEntry(int row);
    void toggleSelectedEntry();
    void setAllEnabled();
    void setEntryColor(int row, Colorref color);
    void toggleOption(bool MatchOptions::*option);
    void pickEntryColor();

    // Searching and the results.
    void runSearch();
    void clearResults();
    // No results, no marks and no Hits, as after Clear, with the label `label`.
    void dropResults(const std::u16string& label);

    // A Search that takes long runs in slices, between which the host handles its
    // messages: the first for about half a second, the others for a few tens of
    // milliseconds each. The next slice comes by a posted message, which carries the run's
    // number so that one of a stopped run is ignored, or, while input, paint or timers
    // wait (which a posted message would pass), by a timer behind them.
    static constexpr UINT kSearchSliceMessage = WM_APP + 4;
    static constexpr UINT_PTR kSearchSliceTimer = 3;
    static constexpr std::chrono::milliseconds kFirstSliceTime{500};
    static constexpr std::chrono::milliseconds kSliceTime{70};
    bool searchRunning() const { return running != nullptr; }
    // Runs a slice of the running Search and of its end (the record of the searched text,
    // then the marks); true while slices remain. A Search that is over shows its results,
    // or, out of memory, the state of Clear and what it held.
    bool runSlice(std::chrono::milliseconds budget, bool first);
    // True once the running Search's matches are all found and the record of its text
    // taken: what is left is to show them.
    bool resultsReady() const;
    // A step of the running Search; the previous state stays when it throws.
    SearchRun::State stepSearch(std::chrono::milliseconds budget);
    // Adds the matches' bytes to the record of the searched text until `deadline`; true
    // once all are in.
    bool recordSearchedText(std::chrono::steady_clock::time_point deadline);
    // Paints the marks still to paint until `deadline`; true while some remain.
    bool paintMarksUntil(std::chrono::steady_clock::time_point deadline);
    // The rows of the results changed while their marks are painted: those from the first
    // changed on are painted (again).
    void repaintMarksFrom(const RowsChanged& rows);
    void runNextSlice(WPARAM runNumber);
    void scheduleNextSlice();
    void finishSearch();
    // Stops the running Search, if any: the state of Clear and the label `label`.
    void stopSearch(const std::u16string& label);
    void showSearchProgress();
    // The limits a Search starts with, and the tests' hooks into them.
    SearchRunLimits searchRunLimits();
    void goToMatch();
    void stepToResult(bool forward);
    // Gives the marks of the entry `searchedIndex` of the last Search its colour again.
    void restyleEntryMarks(std::size_t searchedIndex) const;
    void copySelectedLine();
    void copyAllLines();
    void fillResultsList();
    void describeResultRow(NMLVDISPINFOW& request);
    // A view of the searched document to read it through: the panel's own, or where that
    // could not be made, a host's view that shows it; null when none does.
    WindowHandle readingView() const;
    // A result's line and its place in it, read from the searched document; nothing when
    // no view shows it.
    ResultLines::Place placeOf(const SearchMatch& match);
    // The searched document is closed, or the results cleared: nothing is read from it.
    void letGoOfDocument();

    // Following edits of the searched document. The message is posted after an edit: the
    // editor's marks may not change while it notifies, and the rows of the results an edit
    // broke go once a burst of edits is over. The edited text is searched again once the
    // typing pauses.
    static constexpr UINT kSettleEditsMessage = WM_APP + 2;
    static constexpr UINT_PTR kSearchEditsTimer = 2;
    static constexpr UINT kSearchEditsDelayMs = 100;
    void showEditedResults(const ChangeEffect& effect);
    void settleEdits();
    void searchEditedText();
    // A new search or Clear: what waited for the timers belongs to the old results.
    void stopEditTimers();

    // Keeping the results true to changes nobody told of. Each is true when it searched.
    static constexpr UINT kPaintMarksMessage = WM_APP + 3;
    bool catchUpWithDocument(WindowHandle view);
    void searchAgain(WindowHandle view);
    void showAppended(WindowHandle view);
    void paintMarksOfShownDocument();
    // Before results are copied: false when they cannot be known to be true.
    bool resultsTrueForCopy();

    // Where the results list stands, to keep it on the same results through a change.
    struct RowPlaces {
        int selected = -1;
        int focused = -1;
        int top = 0;
        bool atEnd = false;  // scrolled to its last row: it follows rows added at the end
    };
    RowPlaces rowPlaces() const;
    // Reads what the selected and focused rows show now: a change nobody told of leaves no
    // old text to find their results again by.
    void rememberRowsShown();
    // The list shows as many rows as there are results, on the rows `rowNow` gives for the
    // rows it stood on.
    void keepRowPlaces(const RowPlaces& places,
                       const std::function<std::optional<std::size_t>(int)>& rowNow);
    // After the results changed: the list, the marks added and gone, the label and Hits.
    void showChangedResults(WindowHandle view, const RowPlaces& places, const RowsChanged& rows,
                            const std::vector<MarkRange>& marksToClear);
    void paintAllMarks(WindowHandle view);
    void showResultsCount();
    void reapplyHighlights();
    // Rows whose line or Content an edit changed are drawn again after this delay, all
    // those of the keystrokes meanwhile at once.
    static constexpr UINT_PTR kRedrawEditedRowsTimer = 1;
    static constexpr UINT kRedrawEditedRowsDelayMs = 50;
    void redrawEditedRowsLater(std::size_t first, std::size_t end);
    void redrawEditedRows();
    void forgetEditedRows();
    void clearEditedMarks();

    NppData hostHandles{};
    int commandId = 0;
    HWND searchListCtrl = nullptr;
    HWND resultsListCtrl = nullptr;
    HWND editCtrl = nullptr;
    HWND addButton = nullptr;
    HWND searchButton = nullptr;
    HWND clearButton = nullptr;
    HWND resultsLabel = nullptr;
    HWND stringsLabel = nullptr;
    HWND infoButton = nullptr;
    HWND allCheckBox = nullptr;
    DocumentSearcher searcher;
    IndicatorBlock indicators;
    SettingsStore settings;
    SearchList searchList;
    // While the results label tells that the list could not be saved: that text, and the
    // one it replaced.
    struct ShownProblem {
        std::u16string labelBefore;
        std::u16string text;
    };
    std::optional<ShownProblem> saveProblemShown;
    LiveMatches matches;
    MarkedDocuments markedDocuments;
    EntryHits hits;
    // What the label says after the count of the last Search's results: the regular
    // expressions the editor refused.
    std::vector<std::u16string> searchNotes;
    // The Hits cells as the search list shows them: only rows whose count changed are drawn
    // again.
    std::vector<std::u16string> shownHits;
    LiveResults liveResults;
    // The view the results' lines are read through, and the lines it read last.
    DocumentReader reader;
    ResultLines resultLines;
    // What the selected and focused rows showed when last read, by row.
    std::vector<std::pair<int, ShownResult>> rowsShown;
    // The Search that runs in slices, the document it searches (its view must go on showing
    // it) and its number; the progress the label shows.
    std::unique_ptr<SearchRun> running;
    std::optional<DocumentRef> runningIn;
    WPARAM runNumber = 0;
    int shownPercent = -1;
    std::chrono::milliseconds firstSliceTime = kFirstSliceTime;
    std::chrono::milliseconds sliceTime = kSliceTime;
    // The record of the searched text as the Search ends, and how many matches it holds;
    // none before the Search's matches are all found.
    std::optional<TextCheck> searchedText;
    std::size_t rowsRecorded = 0;
    // The marks of many results are painted a slice at a time once the results are shown,
    // by the same messages and timer as the Search's slices: the indicators are cleared
    // and styled first, then the rows before `next` are painted. A change of rows moves
    // `next` back; a document shown in no view is painted on when it is shown again.
    struct MarksPainting {
        std::size_t next = 0;
        bool prepared = false;
    };
    std::optional<MarksPainting> marksPainting;
    // The document the last search looked in, while it is open and not cleared, whether
    // or not it found anything there.
    std::optional<DocumentRef> followed;
    // True while the message that settles edits is on its way, and while the one that
    // paints the marks a reload cleared is: the host's second notice of the reload then
    // leaves them to it.
    bool settlePosted = false;
    bool marksPaintPosted = false;
    // The rows to draw again when the timer fires, numbered as they are now; none while
    // `first` is not below `end`.
    struct RowSpan {
        std::size_t first = 0;
        std::size_t end = 0;
    } editedRows;
    // The DPI the columns' widths were last set for.
    int columnsDpi = kDefaultDpi;
    // True while the host passes the panel's keys through its dialog handling.
    bool takingKeys = false;
};

}  // namespace tarnwick
