// How the panel follows edits of the searched document: the results move and drop as the
// core's rules say, the list keeps its place, marks on changed bytes go afterwards, and
// the edited text is searched again once the typing pauses.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/marks/current_view.hpp"
#include "core/marks/modification_events_off.hpp"
#include "dialogs/wide_text.hpp"
#include "host/editor_messages.hpp"
#include "panel/controls/list_view.hpp"
#include "panel/results/result_texts.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

namespace {

int rowHeight(HWND list) {
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    if (SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds)) == FALSE)
        return 0;
    return bounds.bottom - bounds.top;
}

int countPerPage(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
}

}  // namespace

void TarnwickPanel::documentModified(const SCNotification& notification) {
    // A Search is of the text as it was: a change to it stops the Search. Marks and other
    // reports that change no text leave it running.
    if (runningIn && (notification.modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) &&
        documentShownIn(notification.nmhdr.hwndFrom) == runningIn->pointer)
        stopSearch(kSearchStoppedLabel);
    const Modification modification{notification.modificationType, notification.position,
                                    notification.length, notification.linesAdded};
    const EditorView from(notification.nmhdr.hwndFrom);
    const auto effect =
        liveResults.apply(from, followed ? followed->pointer : 0, modification, matches);
    if (effect) showEditedResults(*effect);
}

void TarnwickPanel::showEditedResults(const ChangeEffect& effect) {
    resultLines.forget();
    redrawEditedRowsLater(effect.firstRedrawn, effect.endRedrawn);
    if ((matches.hasDropped() || liveResults.hasMarksToClear()) && !settlePosted)
        settlePosted = PostMessageW(window, kSettleEditsMessage, 0, 0) != FALSE;
    // Set again at every edit: it fires once the typing pauses.
    if (liveResults.hasEdits()) SetTimer(window, kSearchEditsTimer, kSearchEditsDelayMs, nullptr);
}

// The rows of the results the edits broke go together, once the burst of edits is over.
void TarnwickPanel::settleEdits() {
    settlePosted = false;
    clearEditedMarks();
    if (!matches.hasDropped()) return;
    const RowPlaces places = rowPlaces();
    const RowsChanged rows{matches.compact(), {}};
    if (const WindowHandle view = readingView()) liveResults.settled(EditorView(view), matches);
    keepRowPlaces(places, [&](int row) { return rowAfter(rows, static_cast<std::size_t>(row)); });
    repaintMarksFrom(rows);
    showResultsCount();
}

// Once the typing paused: the edited text is searched again, through a view that shows it;
// where none does, when it is next shown.
void TarnwickPanel::searchEditedText() {
    KillTimer(window, kSearchEditsTimer);
    if (!followed || !liveResults.hasEdits()) return;
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, followed->pointer);
    if (views.empty()) return;
    settleEdits();
    const RowPlaces places = rowPlaces();
    std::vector<MarkRange> marksToClear;
    const RowsChanged rows =
        liveResults.searchEdits(EditorView(views.front()), matches, marksToClear);
    showChangedResults(views.front(), places, rows, marksToClear);
    rememberRowsShown();  // the typing may have changed their lines
}

void TarnwickPanel::stopEditTimers() {
    KillTimer(window, kSearchEditsTimer);
    forgetEditedRows();
}

TarnwickPanel::RowPlaces TarnwickPanel::rowPlaces() const {
    const auto next = [&](UINT flags) {
        return static_cast<int>(
            SendMessageW(resultsListCtrl, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags));
    };
    const auto top = static_cast<int>(SendMessageW(resultsListCtrl, LVM_GETTOPINDEX, 0, 0));
    const auto count = static_cast<int>(list_view::rowCount(resultsListCtrl));
    return {next(LVNI_SELECTED), next(LVNI_FOCUSED), top,
            count > 0 && top + countPerPage(resultsListCtrl) >= count};
}

void TarnwickPanel::rememberRowsShown() {
    rowsShown.clear();
    const RowPlaces places = rowPlaces();
    for (const int row : {places.selected, places.focused}) {
        if (row < 0 || static_cast<std::size_t>(row) >= matches.size()) continue;
        const SearchMatch match = matches.at(static_cast<std::size_t>(row));
        rowsShown.emplace_back(row, ShownResult{match.entryIndex, placeOf(match)});
    }
}

void TarnwickPanel::keepRowPlaces(const RowPlaces& places,
                                  const std::function<std::optional<std::size_t>(int)>& rowNow) {
    const int height = rowHeight(resultsListCtrl);
    forgetEditedRows();  // numbered before the change; the whole list is drawn again
    // Only the rows that hold them: clearing every row's state (row -1) walks the whole
    // list, seconds for a quarter of a million rows.
    for (const int row : {places.selected, places.focused})
        if (row >= 0) list_view::setState(resultsListCtrl, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(resultsListCtrl, LVM_SETITEMCOUNT, matches.size(),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    const auto restore = [&](int row, UINT state) {
        if (row < 0) return;
        if (const auto now = rowNow(row))
            list_view::setState(resultsListCtrl, static_cast<int>(*now), state, state);
    };
    restore(places.focused, LVIS_FOCUSED);
    restore(places.selected, LVIS_SELECTED);
    if (places.atEnd && !matches.empty()) {
        SendMessageW(resultsListCtrl, LVM_ENSUREVISIBLE, matches.size() - 1, FALSE);
    } else if (const auto top = rowNow(places.top); top && height > 0) {
        const int scrolledBy =
            static_cast<int>(*top) -
            static_cast<int>(SendMessageW(resultsListCtrl, LVM_GETTOPINDEX, 0, 0));
        if (scrolledBy != 0) SendMessageW(resultsListCtrl, LVM_SCROLL, 0, scrolledBy * height);
    }
    InvalidateRect(resultsListCtrl, nullptr, FALSE);
    rememberRowsShown();
}

void TarnwickPanel::showChangedResults(WindowHandle view, const RowPlaces& places,
                                       const RowsChanged& rows,
                                       const std::vector<MarkRange>& marksToClear) {
    if (rows.removed.empty() && rows.added.empty()) return;
    keepRowPlaces(places, [&](int row) { return rowAfter(rows, static_cast<std::size_t>(row)); });
    repaintMarksFrom(rows);
    MatchList added;
    for (const std::size_t row : rows.added) added.push_back(matches.at(row));
    {
        const ModificationEventsOff quiet(hostHandles, view, followed->pointer);
        indicators.clearRanges(EditorView(view), marksToClear);
        indicators.fill(EditorView(view), added);
    }
    markedDocuments.searched(*followed, !matches.empty());
    showResultsCount();
}

// Drawing a row sends the list and the panel a dozen messages, each costing much in a host
// whose hook every message passes: the rows an edit changed are drawn a moment later,
// together with those of the keystrokes that follow meanwhile, so that typing itself never
// waits for the list. A hidden list is painted whole when it is shown.
void TarnwickPanel::redrawEditedRowsLater(std::size_t first, std::size_t end) {
    if (first >= end || !IsWindowVisible(resultsListCtrl)) return;
    if (editedRows.first < editedRows.end) {
        editedRows = {std::min(editedRows.first, first), std::max(editedRows.end, end)};
        return;
    }
    editedRows = {first, end};
    SetTimer(window, kRedrawEditedRowsTimer, kRedrawEditedRowsDelayMs, nullptr);
}

void TarnwickPanel::redrawEditedRows() {
    KillTimer(window, kRedrawEditedRowsTimer);
    list_view::redrawShownRows(resultsListCtrl, editedRows.first,
                               std::min(editedRows.end, matches.size()));
    forgetEditedRows();
}

void TarnwickPanel::forgetEditedRows() {
    editedRows = {};
}

void TarnwickPanel::clearEditedMarks() {
    const std::vector<MarkRange> ranges = liveResults.takeMarksToClear();
    const auto& document = followed;
    if (ranges.empty() || !document) return;
    // Marks belong to the document: any view that shows it will do. Where none does, the
    // whole document is painted again when it is next shown.
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, document->pointer);
    if (!views.empty()) indicators.clearRanges(EditorView(views.front()), ranges);
}

}  // namespace tarnwick
