#pragma once

#include <windows.h>

#include <commctrl.h>

#include "core/document_searcher.hpp"
#include "core/indicator_block.hpp"
#include "core/marked_documents.hpp"
#include "core/search_list.hpp"
#include "core/search_match.hpp"
#include "dialogs/docking_dlg_interface.hpp"
#include "panel/dpi_scale.hpp"
#include "panel/entry_hits.hpp"
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

    void saveSearches();
    // Tells the host to stop passing keys to the panel; done while the host's window still
    // exists, before the panel's window goes. Does nothing the second time.
    void stopTakingKeys();
    // The host switched documents: the one shown gets the results' marks, or loses stale ones.
    void reapplyHighlights();
    // The host is about to close the buffer.
    void documentClosed(std::uintptr_t bufferId);

    // Select the next (previous) result after (before) the selection in the searched
    // document, wrapping round, and its row in the results list. Nothing without results.
    void goToNextResult();
    void goToPreviousResult();

    // Shows each entry's count of the current results in the search list's Hits column;
    // called whenever the results change.
    void refreshHits() const;

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    INT_PTR onCommand(WORD controlId, WORD notificationCode);
    void onEnter();
    void giveFocusToEditor() const;
    INT_PTR onNotify(WPARAM wParam, LPARAM lParam);
    void onSearchRowChanged(const NMLISTVIEW& change);
    bool onContextMenu(HWND control, LPARAM position) const;

    // Set-up and layout.
    void setUpControls();
    void layoutControls(int width, int height) const;
    void onDpiChanged();
    void fillSearchList();
    void updateAllCheckBox() const;
    WindowHandle currentView() const;

    // Editing the search list; each saves the whole list afterwards.
    void addEntry();
    void removeEntry();
    void setEntryEnabled(int row, UINT stateBits);
    void setAllEnabled();
    void setEntryColor(int row, Colorref color);
    void pickEntryColor();

    // Searching and the results.
    void runSearch();
    void clearResults();
    void goToMatch() const;
    void stepToResult(bool forward);
    void selectResultRow(std::size_t row) const;
    void restyleEntryMarks(std::size_t entryIndex) const;
    void copySelectedLine() const;
    void copyAllLines() const;
    void fillResultsList() const;
    void describeResultRow(NMLVDISPINFOW& request) const;

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
    MatchList matchList;
    MarkedDocuments markedDocuments;
    EntryHits hits;
    // The DPI the columns' widths were last set for.
    int columnsDpi = kDefaultDpi;
    // True while the host passes the panel's keys through its dialog handling.
    bool takingKeys = false;
    // True while the search list control is rebuilt: the control's own item-changed
    // notifications during a rebuild are not the user's clicks.
    bool fillingSearchList = false;
};

}  // namespace tarnwick
