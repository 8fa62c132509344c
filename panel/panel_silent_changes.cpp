// How the panel keeps the results true to changes of their document that nobody told of:
// the host reads a file again from disk (a reload, a file watched as it grows) with the
// editor's notifications off, or makes a Replace All with them off and tells only that
// the document changed. Before the results are painted, jumped to, stepped through or
// copied, the text is checked; text added at the end is searched alone, any other change
// has the document searched again.
#include <windows.h>

#include <commctrl.h>

#include "core/marks/current_view.hpp"
#include "core/marks/modification_events_off.hpp"
#include "dialogs/wide_text.hpp"
#include "panel/controls/list_view.hpp"
#include "panel/results/result_texts.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

// While a Search runs, the document it searches may have been read again from disk, or
// its view may show another one now: either way the Search stops.
void TarnwickPanel::documentActivated() {
    stopSearch(kSearchStoppedLabel);
    const bool searched = followed && catchUpWithDocument(currentView());
    if (isVisible() && !searched && !marksPaintPosted) reapplyHighlights();
}

// Shown in no view (a Replace All in every open document), the document is searched when
// it is next shown.
void TarnwickPanel::documentReplaced(std::uintptr_t bufferId) {
    if (runningIn && bufferId != 0 && runningIn->bufferId == bufferId)
        stopSearch(kSearchStoppedLabel);
    if (!followed || bufferId == 0 || followed->bufferId != bufferId) return;
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, followed->pointer);
    if (views.empty()) {
        liveResults.distrust();
        return;
    }
    settleEdits();
    searchAgain(views.front());
}

bool TarnwickPanel::catchUpWithDocument(WindowHandle view) {
    if (!followed || view == nullptr || documentShownIn(view) != followed->pointer) return false;
    settleEdits();
    switch (liveResults.verify(EditorView(view), matches)) {
        case TextCheck::Verdict::changed: searchAgain(view); return true;
        case TextCheck::Verdict::appended: showAppended(view); return true;
        case TextCheck::Verdict::same: break;
    }
    // Edits made while no view showed the document wait for this.
    if (liveResults.hasEdits()) searchEditedText();
    return false;
}

// The list stays on the results that are still there, found again by their string and
// their line's text; the marks are painted anew, as a search paints them.
void TarnwickPanel::searchAgain(WindowHandle view) {
    const RowPlaces places = rowPlaces();
    // The top row was drawn, and its line is kept as it was then.
    std::vector<std::pair<int, ShownResult>> shown = rowsShown;
    if (places.top >= 0 && static_cast<std::size_t>(places.top) < matches.size()) {
        const SearchMatch match = matches.at(static_cast<std::size_t>(places.top));
        shown.emplace_back(places.top, ShownResult{match.entryIndex, placeOf(match)});
    }

    const SearchList entries = liveResults.entries();
    MatchList found = searcher.searchAll(EditorView(view), entries);
    liveResults.searched(EditorView(view), entries, found);
    matches = LiveMatches(std::move(found));
    resultLines.forget();
    const auto placeNow = [this](std::size_t row) { return placeOf(matches.at(row)); };
    keepRowPlaces(places, [&](int row) -> std::optional<std::size_t> {
        for (const auto& [before, result] : shown)
            if (before == row)
                return sameResult(matches, result, static_cast<std::size_t>(row), placeNow);
        return std::nullopt;
    });
    paintAllMarks(view);
    showResultsCount();
}

// The host may have read the whole file again, clearing every mark: then all are painted,
// once the new rows are in the list, so that a watched log shows its new lines at once.
void TarnwickPanel::showAppended(WindowHandle view) {
    const RowPlaces places = rowPlaces();
    const RowsChanged rows = liveResults.searchAppended(EditorView(view), matches);
    resultLines.forget();  // the last line may have grown
    if (indicators.marksKept(EditorView(view), matches.settled())) {
        showChangedResults(view, places, rows, {});
        return;
    }
    keepRowPlaces(places, [&](int row) { return rowAfter(rows, static_cast<std::size_t>(row)); });
    showResultsCount();
    if (!marksPaintPosted)
        marksPaintPosted = PostMessageW(window, kPaintMarksMessage, 0, 0) != FALSE;
}

void TarnwickPanel::paintMarksOfShownDocument() {
    marksPaintPosted = false;
    if (!followed) return;
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, followed->pointer);
    if (!views.empty()) paintAllMarks(views.front());
}

// As a search paints them: the searched document only, with the host's notifications of
// each mark off.
void TarnwickPanel::paintAllMarks(WindowHandle view) {
    marksPainting.reset();
    {
        const ModificationEventsOff quiet(hostHandles, view, followed->pointer);
        indicators.apply(EditorView(view), liveResults.entries(), matches.settled());
    }
    markedDocuments.searched(*followed, !matches.empty());
}

bool TarnwickPanel::resultsTrueForCopy() {
    if (!followed) return true;  // cleared, or its document closed: nothing changes them
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, followed->pointer);
    if (!views.empty()) catchUpWithDocument(views.front());
    return !liveResults.distrusted();
}

void TarnwickPanel::showResultsCount() {
    SetWindowTextW(resultsLabel, asWide(resultsLabelText(matches.size(), searchNotes)));
    refreshHits();
}

}  // namespace tarnwick
