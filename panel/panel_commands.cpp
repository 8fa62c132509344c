// What the panel's buttons, keys and clicks do: editing the search list, searching,
// clearing and jumping to a match.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "core/current_view.hpp"
#include "panel/match_navigation.hpp"
#include "panel/result_texts.hpp"
#include "dialogs/wide_text.hpp"
#include "panel/list_view.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

namespace {

int firstSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace

void TarnwickPanel::addEntry() {
    wchar_t text[kEntryTextBufferUnits] = {};
    const int length = GetWindowTextW(editCtrl, text, kEntryTextBufferUnits);
    if (!searchList.add(fromWide(text, static_cast<std::size_t>(std::max(length, 0))))) return;
    fillSearchList();
    updateAllCheckBox();
    saveSearches();
    SetWindowTextW(editCtrl, L"");
    SetFocus(editCtrl);
}

void TarnwickPanel::removeEntry() {
    if (!searchList.remove(firstSelectedRow(searchListCtrl))) return;
    fillSearchList();
    updateAllCheckBox();
    saveSearches();
}

void TarnwickPanel::setEntryEnabled(int row, UINT stateBits) {
    if (!searchList.setEnabled(row, enabledFromStateBits(stateBits))) return;
    updateAllCheckBox();
    saveSearches();
}

// The All box keeps the state the click gave it, even on an empty list.
void TarnwickPanel::setAllEnabled() {
    searchList.setAllEnabled(SendMessageW(allCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED);
    fillSearchList();
    saveSearches();
}

void TarnwickPanel::runSearch() {
    const WindowHandle view = currentView();
    if (view == nullptr) return;
    // The results remember their document, so that its marks and jumps never land in
    // another one.
    const DocumentRef searched{documentShownIn(view), currentBufferId(hostHandles)};
    // A search that fails (an editor answer too large to hold, for one) throws before
    // anything is replaced: the previous results, list and highlighting stay.
    matchList = searcher.searchAll(EditorView(view), searchList);
    liveResults.follow(matchList);
    fillResultsList();
    indicators.apply(EditorView(view), searchList, matchList);
    markedDocuments.searched(searched, !matchList.empty());
    SetWindowTextW(resultsLabel, asWide(resultsLabelText(matchList.size())));
}

void TarnwickPanel::clearResults() {
    matchList.clear();
    liveResults.follow(matchList);
    list_view::deleteAllRows(resultsListCtrl);
    const WindowHandle view = currentView();
    // A missing view shows no document (0): the searched one then keeps stale marks.
    markedDocuments.cleared(documentShownIn(view));
    if (view != nullptr) indicators.clear(EditorView(view));
    SetWindowTextW(resultsLabel, asWide(kEmptyResultsLabel));
}

void TarnwickPanel::goToMatch() const {
    const int row = firstSelectedRow(resultsListCtrl);
    // A copy: bringing the document forward re-enters the panel through the host's
    // notification.
    const std::optional<DocumentRef> document = markedDocuments.results();
    if (row < 0 || static_cast<std::size_t>(row) >= matchList.size() || !document) return;
    const WindowHandle view =
        jumpToMatch(hostHandles, *document, matchList[static_cast<std::size_t>(row)]);
    if (view != nullptr) SetFocus(static_cast<HWND>(view));
}

void TarnwickPanel::fillResultsList() const {
    list_view::deleteAllRows(resultsListCtrl);
    list_view::setRowCount(resultsListCtrl, matchList.size());
}

void TarnwickPanel::describeResultRow(NMLVDISPINFOW& request) const {
    if (request.item.iItem < 0 || static_cast<std::size_t>(request.item.iItem) >= matchList.size())
        return;
    const SearchMatch& match = matchList[static_cast<std::size_t>(request.item.iItem)];
    switch (request.item.iSubItem) {
        case 0: list_view::answerText(request, lineColumnText(match.line)); break;
        case 1: list_view::answerText(request, match.entryText); break;
        case 2: list_view::answerText(request, match.lineContent); break;
        default: break;
    }
}

}  // namespace tarnwick
