#include "panel/tarnwick_panel.hpp"

#include <commctrl.h>

#include <new>

#include "about/about_dialog.hpp"
#include "dialogs/wide_text.hpp"
#include "dialogs/window_dpi.hpp"
#include "core/marks/current_view.hpp"
#include "panel/controls/list_view.hpp"
#include "panel/controls/panel_layout.hpp"
#include "panel/controls/popup_menu.hpp"
#include "panel/results/result_texts.hpp"
#include "host/host_messages.hpp"
#include "resources/resource.h"

namespace tarnwick {

TarnwickPanel::TarnwickPanel() : DockingDlgInterface(IDD_TARNWICK_PANEL) {}

TarnwickPanel::~TarnwickPanel() {
    stopTakingKeys();
}

void TarnwickPanel::attachToHost(const NppData& host, int showPanelCommandId,
                                 int showPanelMenuIndex) {
    hostHandles = host;
    commandId = showPanelCommandId;
    settings.initPaths(hostHandles._nppHandle);
    indicators.allocate(hostHandles._nppHandle);
    settings.load(searchList);

    tTbData registration{};
    createDockable(registration);
    // The host passes keys through IsDialogMessage only to the dialogs it knows of: without
    // this, Tab, Enter and Escape do nothing in the panel.
    SendMessageW(static_cast<HWND>(hostHandles._nppHandle), NPPM_MODELESSDIALOG, MODELESSDIALOGADD,
                 reinterpret_cast<LPARAM>(window));
    takingKeys = true;
    registration.dlgID = showPanelMenuIndex;
    registration.uMask = DWS_DF_CONT_BOTTOM;
    registration.pszModuleName = getModuleName().c_str();
    SendMessageW(static_cast<HWND>(hostHandles._nppHandle), NPPM_DMMREGASDCKDLG, 0,
                 reinterpret_cast<LPARAM>(&registration));
}

void TarnwickPanel::saveSearches() {
    settings.saveAtShutdown(searchList);
}

void TarnwickPanel::stopTakingKeys() {
    const auto host = static_cast<HWND>(hostHandles._nppHandle);
    if (!takingKeys || window == nullptr || !IsWindow(host)) return;
    SendMessageW(host, NPPM_MODELESSDIALOG, MODELESSDIALOGREMOVE, reinterpret_cast<LPARAM>(window));
    takingKeys = false;
}

// Marks still being painted when their document was hidden are painted anew, in slices,
// once it is shown again: the host may show it in the other view, without the styles.
void TarnwickPanel::reapplyHighlights() {
    if (marksPainting && documentShownIn(currentView()) == followed->pointer) {
        marksPainting = MarksPainting{};
        ++runNumber;  // the slices of the painting before are left to end
        scheduleNextSlice();
        return;
    }
    tarnwick::reapplyHighlights(hostHandles, liveResults.entries(), matches.settled(), indicators,
                                markedDocuments);
}

void TarnwickPanel::documentClosed(std::uintptr_t bufferId) {
    if (runningIn && runningIn->bufferId == bufferId) stopSearch(kSearchStoppedLabel);
    markedDocuments.closed(bufferId);
    // The results of a document that is gone can be neither shown nor jumped to.
    if (followed && followed->bufferId == bufferId) dropResults(kEmptyResultsLabel);
}

WindowHandle TarnwickPanel::currentView() const {
    return tarnwick::currentView(hostHandles);
}

// Every command of the panel comes through here: those of its controls by the dialog
// procedure, Next and Previous Result from the host's menu. One that runs out of memory
// stops where it failed, which each leaves as it was, and says so instead of doing nothing
// in silence.
void TarnwickPanel::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::bad_alloc&) {
        SetWindowTextW(resultsLabel, asWide(kCommandOutOfMemoryLabel));
    }
}

INT_PTR TarnwickPanel::dialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR handled = TRUE;
    runCommand([&] { handled = handleMessage(message, wParam, lParam); });
    return handled;
}

INT_PTR TarnwickPanel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: layoutControls(LOWORD(lParam), HIWORD(lParam)); return TRUE;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const int dpi = windowDpi(window);
            limits->ptMinTrackSize = {scaleForDpi(kPanelMinimumWidth, dpi),
                                      scaleForDpi(kPanelMinimumHeight, dpi)};
            return TRUE;
        }
        // The parent has moved to another DPI.
        case WM_DPICHANGED_AFTERPARENT: onDpiChanged(); return TRUE;
        case WM_NOTIFY: return onNotify(wParam, lParam);
        case WM_INITDIALOG: setUpControls(); return TRUE;
        // Shown by "Show Panel" or by the host: the list another instance saved meanwhile
        // is shown. The default handling goes on.
        case WM_SHOWWINDOW:
            if (wParam != FALSE) catchUpWithFile();
            return FALSE;
        case kRebuildSearchList: fillSearchList(); return TRUE;
        case kSettleEditsMessage: settleEdits(); return TRUE;
        case kPaintMarksMessage: paintMarksOfShownDocument(); return TRUE;
        case kSearchSliceMessage: runNextSlice(wParam); return TRUE;
        case WM_TIMER:
            if (wParam == kSearchSliceTimer)
                runNextSlice(runNumber);
            else if (wParam == kRedrawEditedRowsTimer)
                redrawEditedRows();
            else if (wParam == kSearchEditsTimer)
                searchEditedText();
            else
                return FALSE;
            return TRUE;
        case WM_COMMAND: return onCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_CONTEXTMENU: return onContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        default: return FALSE;
    }
}

INT_PTR TarnwickPanel::onCommand(WORD controlId, WORD notificationCode) {
    switch (controlId) {
        case IDC_ADD_BUTTON: addEntry(); return TRUE;
        case IDC_SEARCH_BUTTON: runSearch(); return TRUE;
        case IDC_CLEAR_BUTTON: clearResults(); return TRUE;
        case IDC_INFO_BUTTON:
            showAboutBox(instance, static_cast<HWND>(hostHandles._nppHandle));
            return TRUE;
        case IDC_ALL_CHECKBOX:
            if (notificationCode == BN_CLICKED) setAllEnabled();
            return TRUE;
        // The context menus' commands.
        case IDM_COPY_LINE: copySelectedLine(); return TRUE;
        case IDM_COPY_ALL_LINES: copyAllLines(); return TRUE;
        case IDM_PICK_COLOR: pickEntryColor(); return TRUE;
        case IDM_DELETE_ENTRY: removeEntry(); return TRUE;
        case IDM_MATCH_CASE: toggleOption(&MatchOptions::matchCase); return TRUE;
        case IDM_WHOLE_WORD: toggleOption(&MatchOptions::wholeWord); return TRUE;
        case IDM_REGEX: toggleOption(&MatchOptions::regex); return TRUE;
        // What the host's dialog handling makes of Enter and Escape.
        case IDOK: onEnter(); return TRUE;
        case IDCANCEL: onEscape(); return TRUE;
        default: return FALSE;
    }
}

// Enter adds the edit box's text, as "Add" does, or jumps to the selected result, as a
// double-click does; elsewhere it does nothing.
void TarnwickPanel::onEnter() {
    const HWND focus = GetFocus();
    if (focus == editCtrl) addEntry();
    if (focus == resultsListCtrl) goToMatch();
}

void TarnwickPanel::onEscape() {
    if (searchRunning())
        stopSearch(kSearchStoppedLabel);
    else
        giveFocusToEditor();
}

void TarnwickPanel::giveFocusToEditor() const {
    if (const WindowHandle view = currentView()) SetFocus(static_cast<HWND>(view));
}

INT_PTR TarnwickPanel::onNotify(WPARAM wParam, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    // Enter reaches the list itself where no dialog handling takes it first.
    if (header.hwndFrom == resultsListCtrl && (header.code == NM_DBLCLK || header.code == NM_RETURN)) {
        goToMatch();
        return TRUE;
    }
    if (header.hwndFrom == resultsListCtrl && header.code == LVN_GETDISPINFOW) {
        describeResultRow(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return TRUE;
    }
    // Escape reaches a list itself where no dialog handling turns it into IDCANCEL first.
    if ((header.hwndFrom == resultsListCtrl || header.hwndFrom == searchListCtrl) &&
        header.code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_ESCAPE) {
        onEscape();
        return TRUE;
    }
    if (header.hwndFrom == resultsListCtrl && header.code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == 'C' && GetKeyState(VK_CONTROL) < 0) {
        copySelectedLine();
        return TRUE;
    }
    if (header.hwndFrom == searchListCtrl && header.code == LVN_GETDISPINFOW) {
        describeSearchRow(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return TRUE;
    }
    // Not consumed: the notification goes on to the docking part.
    if (header.hwndFrom == resultsListCtrl && header.code == LVN_ITEMCHANGED) rememberRowsShown();
    // Whether the list notifies a toggle of its own differs between systems: only the click
    // and Space, seen here, toggle an entry. A click is not consumed: the notification goes
    // on to the docking part.
    if (header.hwndFrom == searchListCtrl &&
        (header.code == NM_CLICK || header.code == NM_DBLCLK)) {
        onSearchListClick(*reinterpret_cast<const NMITEMACTIVATE*>(lParam));
    } else if (header.hwndFrom == searchListCtrl && header.code == LVN_KEYDOWN) {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
        if (key == VK_DELETE) removeEntry();
        if (key == VK_SPACE) toggleSelectedEntry();
        if (key == VK_DELETE || key == VK_SPACE) return TRUE;
    }
    return DockingDlgInterface::dialogProc(WM_NOTIFY, wParam, lParam);
}

// Right click, the menu key or Shift+F10 on either list; false for any other window.
bool TarnwickPanel::onContextMenu(HWND control, LPARAM position) const {
    const int row = list_view::firstSelectedRow(control);
    const bool rowSelected = row >= 0;
    if (control == resultsListCtrl) {
        const PopupMenuItem items[] = {
            {IDM_COPY_LINE, L"Copy Line", rowSelected},
            {IDM_COPY_ALL_LINES, L"Copy All Lines", !matches.empty()},
        };
        showContextMenu(window, control, position, items);
        return true;
    }
    if (control == searchListCtrl) {
        const MatchOptions options = row >= 0 && static_cast<std::size_t>(row) < searchList.size()
                                         ? searchList[static_cast<std::size_t>(row)].options
                                         : MatchOptions{};
        const PopupMenuItem items[] = {
            {IDM_PICK_COLOR, L"Color\u2026", rowSelected},
            {IDM_DELETE_ENTRY, L"Delete", rowSelected},
            {IDM_MATCH_CASE, L"Match Case", rowSelected, options.matchCase},
            {IDM_WHOLE_WORD, L"Whole Word", rowSelected, options.wholeWord},
            {IDM_REGEX, L"Regular Expression", rowSelected, options.regex},
        };
        showContextMenu(window, control, position, items);
        return true;
    }
    return false;
}

// The list's own hit test: the check box is the row's state image.
void TarnwickPanel::onSearchListClick(const NMITEMACTIVATE& click) {
    LVHITTESTINFO hit{};
    hit.pt = click.ptAction;
    const int row = static_cast<int>(
        SendMessageW(searchListCtrl, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0) toggleEntry(row);
}

}  // namespace tarnwick
