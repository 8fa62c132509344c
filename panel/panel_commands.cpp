// What the panel's buttons, keys, clicks and menus do: editing the search list, searching,
// clearing, jumping and stepping to a match, copying the results' lines.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/marks/current_view.hpp"
#include "core/marks/modification_events_off.hpp"
#include "dialogs/wide_text.hpp"
#include "host/editor_messages.hpp"
#include "panel/controls/clipboard.hpp"
#include "panel/controls/color_picker.hpp"
#include "panel/controls/list_view.hpp"
#include "panel/results/match_navigation.hpp"
#include "panel/results/matching_lines.hpp"
#include "panel/results/result_stepping.hpp"
#include "panel/results/result_texts.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

namespace {

std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return fromWide(text.c_str(), text.size());
}

}  // namespace

bool TarnwickPanel::changeSearchList(const ListChange& change) {
    const auto [reloaded, changed] = settings.update(searchList, change.apply);
    if (reloaded || (changed && change.rebuildsRows))
        rebuildSearchList(change.duringRowNotification);
    if (changed ? !change.keepsAllBox : reloaded) updateAllCheckBox();
    showSaveProblem();
    return changed;
}

// The results label tells while the list holds changes that could not be saved; once they
// are, it shows again what it showed before, unless something else was shown meanwhile.
void TarnwickPanel::showSaveProblem() {
    const std::optional<std::u16string>& problem = settings.saveProblem();
    if (problem) {
        if (!saveProblemShown) saveProblemShown = ShownProblem{windowText(resultsLabel), {}};
        saveProblemShown->text = listNotSavedText(*problem);
        SetWindowTextW(resultsLabel, asWide(saveProblemShown->text));
    } else if (saveProblemShown) {
        if (windowText(resultsLabel) == saveProblemShown->text)
            SetWindowTextW(resultsLabel, asWide(saveProblemShown->labelBefore));
        saveProblemShown.reset();
    }
}

void TarnwickPanel::catchUpWithFile() {
    changeSearchList({.apply = [](SearchList&) { return false; }});
}

std::function<bool(SearchList&)> TarnwickPanel::changeOfShownEntry(
    int row, std::function<bool(SearchList&, std::size_t)> change,
    std::optional<std::size_t>* changedEntry) const {
    if (row < 0 || static_cast<std::size_t>(row) >= searchList.size())
        return [](SearchList&) { return false; };
    return [text = searchList[static_cast<std::size_t>(row)].text,
            place = static_cast<std::size_t>(row), change = std::move(change),
            changedEntry](SearchList& list) {
        const std::optional<std::size_t> entry = list.find(text, place);
        if (!entry || !change(list, *entry)) return false;
        if (changedEntry != nullptr) *changedEntry = entry;
        return true;
    };
}

void TarnwickPanel::rebuildSearchList(bool later) {
    if (later)
        PostMessageW(window, kRebuildSearchList, 0, 0);
    else
        fillSearchList();
}

// Add always adds, to the list as the file now holds it.
void TarnwickPanel::addEntry() {
    wchar_t text[kEntryTextBufferUnits] = {};
    const int length = GetWindowTextW(editCtrl, text, kEntryTextBufferUnits);
    const std::u16string typed = fromWide(text, static_cast<std::size_t>(std::max(length, 0)));
    const auto add = [&typed](SearchList& list) { return list.add(typed); };
    if (!changeSearchList({.apply = add, .rebuildsRows = false})) return;
    showAddedEntry();
    SetWindowTextW(editCtrl, L"");
    SetFocus(editCtrl);
}

void TarnwickPanel::removeEntry() {
    const int row = list_view::firstSelectedRow(searchListCtrl);
    if (row < 0) return;
    std::optional<std::size_t> removed;
    const auto remove = [](SearchList& list, std::size_t entry) {
        return list.remove(static_cast<std::ptrdiff_t>(entry));
    };
    if (changeSearchList(
            {.apply = changeOfShownEntry(row, remove, &removed), .rebuildsRows = false}))
        showRemovedEntry(*removed);
}

void TarnwickPanel::toggleSelectedEntry() {
    toggleEntry(list_view::firstSelectedRow(searchListCtrl));
}

// The entry shown in `row` takes the other state than the one shown; the list's own
// notifications of its check boxes are never a change, so each click or Space is one toggle.
void TarnwickPanel::toggleEntry(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= searchList.size()) return;
    std::optional<std::size_t> toggled;
    const auto setFlag = [enabled = !searchList[static_cast<std::size_t>(row)].enabled](
                             SearchList& list, std::size_t entry) {
        return list.setEnabled(static_cast<std::ptrdiff_t>(entry), enabled);
    };
    if (changeSearchList({.apply = changeOfShownEntry(row, setFlag, &toggled),
                          .rebuildsRows = false,
                          .duringRowNotification = true}))
        redrawSearchRow(*toggled);
}

// The All box keeps the state the click gave it, even on an empty list. The rows stay as
// they are, selection and scroll included, and show their new check boxes.
void TarnwickPanel::setAllEnabled() {
    const bool checked = SendMessageW(allCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const auto setAll = [checked](SearchList& list) {
        list.setAllEnabled(checked);
        return true;
    };
    changeSearchList({.apply = setAll, .rebuildsRows = false, .keepsAllBox = true});
    list_view::redrawShownRows(searchListCtrl, 0, searchList.size());
}

void TarnwickPanel::setEntryColor(int row, Colorref color) {
    std::optional<std::size_t> recolored;
    const auto setColor = [color](SearchList& list, std::size_t entry) {
        return list.setColor(static_cast<std::ptrdiff_t>(entry), color);
    };
    if (!changeSearchList(
            {.apply = changeOfShownEntry(row, setColor, &recolored), .rebuildsRows = false}))
        return;
    redrawSearchRow(*recolored);
    const SearchEntry& entry = searchList[*recolored];
    if (const std::optional<std::size_t> searched = liveResults.recolor(entry.id, entry.color))
        restyleEntryMarks(*searched);
}

// The option the selected row shows turns to its other state; the entry's other options
// stay as the file holds them.
void TarnwickPanel::toggleOption(bool MatchOptions::*option) {
    const int row = list_view::firstSelectedRow(searchListCtrl);
    if (row < 0 || static_cast<std::size_t>(row) >= searchList.size()) return;
    std::optional<std::size_t> changed;
    const auto setOption = [option, on = !(searchList[static_cast<std::size_t>(row)].options.*
                                           option)](SearchList& list, std::size_t entry) {
        MatchOptions options = list[entry].options;
        options.*option = on;
        return list.setOptions(static_cast<std::ptrdiff_t>(entry), options);
    };
    if (changeSearchList(
            {.apply = changeOfShownEntry(row, setOption, &changed), .rebuildsRows = false}))
        redrawSearchRow(*changed);
}

void TarnwickPanel::redrawSearchRow(std::size_t entry) const {
    list_view::redrawShownRows(searchListCtrl, entry, entry + 1);
}

void TarnwickPanel::pickEntryColor() {
    const int row = list_view::firstSelectedRow(searchListCtrl);
    if (row < 0 || static_cast<std::size_t>(row) >= searchList.size()) return;
    const std::optional<Colorref> color =
        pickColor(static_cast<HWND>(hostHandles._nppHandle), searchList[row].color);
    if (color) setEntryColor(row, *color);
}

// The searched document may be shown in both views, each with its own indicator styles.
void TarnwickPanel::restyleEntryMarks(std::size_t searchedIndex) const {
    const std::optional<DocumentRef>& document = markedDocuments.results();
    if (!document) return;
    for (const WindowHandle view : viewsShowing(hostHandles, document->pointer))
        indicators.restyle(EditorView(view), liveResults.entries(), searchedIndex);
}

// A Search that is done within its first slice looks as it always did: its results replace
// the old ones at once (the marks of very many are painted in the slices after). One that
// takes longer drops the old results at once, shows its progress and goes on in slices.
void TarnwickPanel::runSearch() {
    stopSearch(kSearchStoppedLabel);
    const WindowHandle view = currentView();
    if (view == nullptr) return;
    // The results remember their document, so that its marks and jumps never land in
    // another one, and they follow it from now on.
    runningIn = DocumentRef{documentShownIn(view), currentBufferId(hostHandles)};
    running = std::make_unique<SearchRun>(EditorView(view), searchList, searchRunLimits());
    searchedText.reset();
    ++runNumber;
    const bool slicesRemain = runSlice(firstSliceTime, true);
    if (running) {
        dropResults(kEmptyResultsLabel);
        showSearchProgress();
    }
    if (slicesRemain) scheduleNextSlice();
}

void TarnwickPanel::clearResults() {
    if (searchRunning())
        stopSearch(kSearchStoppedLabel);
    else
        dropResults(kEmptyResultsLabel);
}

void TarnwickPanel::dropResults(const std::u16string& label) {
    marksPainting.reset();
    matches = LiveMatches();
    liveResults.follow();
    followed.reset();
    letGoOfDocument();
    stopEditTimers();
    list_view::deleteAllRows(resultsListCtrl);
    const WindowHandle view = currentView();
    // A missing view shows no document (0): the searched one then keeps stale marks.
    const std::intptr_t shown = documentShownIn(view);
    markedDocuments.cleared(shown);
    if (view != nullptr) {
        const ModificationEventsOff quiet(hostHandles, view, shown);
        indicators.clear(EditorView(view));
    }
    SetWindowTextW(resultsLabel, asWide(label));
    searchNotes.clear();
    hits.cleared();
    refreshHits();
}

void TarnwickPanel::letGoOfDocument() {
    reader.detach();
    resultLines.forget();
}

// Typing that drops a result recounts the hits: with thousands of strings, drawing every
// row again would make each such keystroke lag, so only the rows whose count changed are.
void TarnwickPanel::refreshHits() {
    std::vector<std::u16string> texts = hits.texts(searchList, matches.settled());
    std::size_t first = texts.size();
    std::size_t end = 0;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        if (row < shownHits.size() && texts[row] == shownHits[row]) continue;
        first = std::min(first, row);
        end = row + 1;
    }
    shownHits = std::move(texts);
    list_view::redrawShownRows(searchListCtrl, first, end);
}

// The document is brought forward and its results made true first: the row selected is
// then read, as the check may have found the document changed and searched it again.
void TarnwickPanel::goToMatch() {
    // A copy: bringing the document forward re-enters the panel through the host's
    // notification.
    const std::optional<DocumentRef> document = markedDocuments.results();
    if (list_view::firstSelectedRow(resultsListCtrl) < 0 || !document) return;
    const WindowHandle view =
        jumpToMatch(hostHandles, *document, [&](WindowHandle shown) -> std::optional<SearchMatch> {
            catchUpWithDocument(shown);
            const int row = list_view::firstSelectedRow(resultsListCtrl);
            if (row < 0 || static_cast<std::size_t>(row) >= matches.size()) return std::nullopt;
            return matches.at(static_cast<std::size_t>(row));
        });
    if (view != nullptr) SetFocus(static_cast<HWND>(view));
}

void TarnwickPanel::goToNextResult() {
    runCommand([this] { stepToResult(true); });
}

void TarnwickPanel::goToPreviousResult() {
    runCommand([this] { stepToResult(false); });
}

// The step starts from the selection in the searched document, brought forward first as
// a jump does.
void TarnwickPanel::stepToResult(bool forward) {
    const std::optional<DocumentRef> document = markedDocuments.results();
    if (!document || matches.empty()) return;
    const WindowHandle view = showDocument(hostHandles, *document);
    if (view == nullptr) return;
    catchUpWithDocument(view);
    if (matches.empty()) return;
    const EditorView editor(view);
    const std::int64_t selectionStart = editor.send(SCI_GETSELECTIONSTART);
    const std::optional<std::size_t> index = forward ? nextResultIndex(matches, selectionStart)
                                                     : previousResultIndex(matches, selectionStart);
    if (!index) return;
    selectMatch(editor, matches.at(*index));
    list_view::selectOnly(resultsListCtrl, static_cast<int>(*index));
    SetFocus(static_cast<HWND>(view));
}

void TarnwickPanel::copySelectedLine() {
    if (!resultsTrueForCopy()) return;
    const int row = list_view::firstSelectedRow(resultsListCtrl);
    if (row < 0 || static_cast<std::size_t>(row) >= matches.size()) return;
    putTextOnClipboard(window, placeOf(matches.at(static_cast<std::size_t>(row))).text.str());
}

void TarnwickPanel::copyAllLines() {
    if (!resultsTrueForCopy() || matches.empty()) return;
    putTextOnClipboard(window, matchingLinesText(matches.settled(), [this](std::int32_t line) {
                           return placeOf(SearchMatch{0, 0, 0, line}).text;
                       }));
}

void TarnwickPanel::fillResultsList() {
    forgetEditedRows();
    rowsShown.clear();
    list_view::deleteAllRows(resultsListCtrl);
    list_view::setRowCount(resultsListCtrl, matches.size());
}

void TarnwickPanel::describeResultRow(NMLVDISPINFOW& request) {
    if (request.item.iItem < 0 || static_cast<std::size_t>(request.item.iItem) >= matches.size())
        return;
    const SearchMatch match = matches.at(static_cast<std::size_t>(request.item.iItem));
    switch (request.item.iSubItem) {
        case 0: list_view::answerText(request, lineColumnText(match.line)); break;
        case 1: {
            const SearchList& entries = liveResults.entries();
            if (static_cast<std::size_t>(match.entryIndex) < entries.size())
                list_view::answerText(request, entries[match.entryIndex].text);
            break;
        }
        case 2: {
            // The list asks for at most a few hundred units of a cell: a long line is shown
            // around its match.
            const auto room = static_cast<std::size_t>(std::max(request.item.cchTextMax - 1, 0));
            const ResultLines::Place place = placeOf(match);
            list_view::answerText(
                request,
                contentColumnText(place.text, static_cast<std::size_t>(place.column), room));
            break;
        }
        default: break;
    }
}

WindowHandle TarnwickPanel::readingView() const {
    if (const WindowHandle view = reader.view()) return view;
    if (!followed) return nullptr;
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, followed->pointer);
    return views.empty() ? nullptr : views.front();
}

// A line too long to hold shows nothing, as it copies nothing: the rows around it and the
// panel go on working.
ResultLines::Place TarnwickPanel::placeOf(const SearchMatch& match) {
    const WindowHandle view = readingView();
    if (view == nullptr) return {};
    try {
        return resultLines.read(EditorView(view), match.line, match.position);
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const std::length_error&) {
        return {};
    }
}

}  // namespace tarnwick
