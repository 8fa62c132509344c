// How the panel follows edits of the searched document: the results move and drop as the
// core's rules say, the list keeps its place, and marks on changed bytes go afterwards.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/current_view.hpp"
#include "dialogs/wide_text.hpp"
#include "panel/list_view.hpp"
#include "panel/result_texts.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

namespace {

// Where a row is after the rows `dropped` (ascending) went: the row itself when it stayed,
// else the first row after it that stayed.
int rowAfterDrops(int row, const std::vector<std::size_t>& dropped) {
    const auto before =
        std::lower_bound(dropped.begin(), dropped.end(), static_cast<std::size_t>(row));
    return row - static_cast<int>(before - dropped.begin());
}

bool isDropped(int row, const std::vector<std::size_t>& dropped) {
    return std::binary_search(dropped.begin(), dropped.end(), static_cast<std::size_t>(row));
}

int rowHeight(HWND list) {
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    if (SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds)) == FALSE)
        return 0;
    return bounds.bottom - bounds.top;
}

}  // namespace

void TarnwickPanel::documentModified(const SCNotification& notification) {
    const auto& document = markedDocuments.results();
    const Modification modification{notification.modificationType, notification.position,
                                    notification.length, notification.linesAdded};
    const EditorView from(notification.nmhdr.hwndFrom);
    const auto effect =
        liveResults.apply(from, document ? document->pointer : 0, modification, matches);
    if (effect) showEditedResults(*effect, from.window());
}

void TarnwickPanel::showEditedResults(const ChangeEffect& effect, WindowHandle from) {
    // Reading is allowed while the editor notifies; changing the marks is not.
    refreshContent(EditorView(from), matches, effect.changedLines);
    if (effect.droppedRows.empty()) {
        redrawEditedRowsLater(effect.firstRedrawn, effect.endRedrawn);
    } else {
        keepRowsAfterDrops(effect.droppedRows);
        SetWindowTextW(resultsLabel, asWide(resultsLabelText(matches.size())));
        refreshHits();
        InvalidateRect(resultsListCtrl, nullptr, FALSE);  // the rows after a dropped one moved up
    }
    if (liveResults.hasMarksToClear() && !marksClearPosted)
        marksClearPosted = PostMessageW(window, kClearEditedMarksMessage, 0, 0) != FALSE;
}

// The list shows as many rows as there are results; the selected result stays selected
// and the result at the top stays at the top, where they survive.
void TarnwickPanel::keepRowsAfterDrops(const std::vector<std::size_t>& droppedRows) {
    const auto selected = static_cast<int>(
        SendMessageW(resultsListCtrl, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const auto focused = static_cast<int>(
        SendMessageW(resultsListCtrl, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    const auto top = static_cast<int>(SendMessageW(resultsListCtrl, LVM_GETTOPINDEX, 0, 0));
    const int height = rowHeight(resultsListCtrl);
    forgetEditedRows();  // numbered before the drops; the whole list is drawn again

    list_view::setState(resultsListCtrl, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(resultsListCtrl, LVM_SETITEMCOUNT, matches.size(),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (focused >= 0 && !isDropped(focused, droppedRows))
        list_view::setState(resultsListCtrl, rowAfterDrops(focused, droppedRows), LVIS_FOCUSED,
                            LVIS_FOCUSED);
    if (selected >= 0 && !isDropped(selected, droppedRows))
        list_view::setState(resultsListCtrl, rowAfterDrops(selected, droppedRows), LVIS_SELECTED,
                            LVIS_SELECTED);
    const int scrolledBy = rowAfterDrops(top, droppedRows) -
                           static_cast<int>(SendMessageW(resultsListCtrl, LVM_GETTOPINDEX, 0, 0));
    if (scrolledBy != 0 && height > 0)
        SendMessageW(resultsListCtrl, LVM_SCROLL, 0, scrolledBy * height);
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
    redrawShownRows(editedRows.first, std::min(editedRows.end, matches.size()));
    forgetEditedRows();
}

void TarnwickPanel::forgetEditedRows() {
    editedRows = {};
}

// Lines added or removed renumber every row after them: that run is cut to the rows on the
// screen first, as redrawing a few hundred thousand rows takes long.
void TarnwickPanel::redrawShownRows(std::size_t first, std::size_t end) const {
    constexpr std::size_t kFewRows = 64;
    if (first >= end || !IsWindowVisible(resultsListCtrl)) return;
    if (end - first > kFewRows) {
        const auto top =
            static_cast<std::size_t>(SendMessageW(resultsListCtrl, LVM_GETTOPINDEX, 0, 0));
        const auto shown =
            static_cast<std::size_t>(SendMessageW(resultsListCtrl, LVM_GETCOUNTPERPAGE, 0, 0));
        first = std::max(first, top);
        end = std::min(end, top + shown + 1);  // with the row cut at the bottom
        if (first >= end) return;
    }
    SendMessageW(resultsListCtrl, LVM_REDRAWITEMS, first, end - 1);
}

void TarnwickPanel::clearEditedMarks() {
    marksClearPosted = false;
    const std::vector<MarkRange> ranges = liveResults.takeMarksToClear();
    const auto& document = markedDocuments.results();
    if (ranges.empty() || !document) return;
    // Marks belong to the document: any view that shows it will do. Where none does, the
    // whole document is painted again when it is next shown.
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, document->pointer);
    if (!views.empty()) indicators.clearRanges(EditorView(views.front()), ranges);
}

}  // namespace tarnwick
