// The panel's controls: finding and preparing them, filling the search list, laying
// them out on every resize.
#include <windows.h>

#include <commctrl.h>

#include <iterator>

#include "about/gdiplus_session.hpp"
#include "dialogs/window_dpi.hpp"
#include "panel/controls/panel_layout.hpp"
#include "panel/controls/list_view.hpp"
#include "panel/results/result_texts.hpp"
#include "panel/tarnwick_panel.hpp"
#include "resources/resource.h"

namespace tarnwick {

namespace {

constexpr DWORD kSearchListStyle = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
constexpr DWORD kResultsListStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

void place(HWND control, const PixelRect& rect) {
    if (control != nullptr) MoveWindow(control, rect.x, rect.y, rect.width, rect.height, TRUE);
}

}  // namespace

void TarnwickPanel::setUpControls() {
    HWND* const controls[] = {&searchListCtrl, &resultsListCtrl, &editCtrl,     &addButton,
                              &searchButton,   &clearButton,     &resultsLabel, &stringsLabel,
                              &infoButton,     &allCheckBox};
    for (std::size_t i = 0; i < std::size(controls); ++i)
        *controls[i] = GetDlgItem(window, IDC_SEARCH_LIST + static_cast<int>(i));
    startGdiplusOnce();

    columnsDpi = windowDpi(window);
    const auto width = [this](int pixels) { return scaleForDpi(pixels, columnsDpi); };
    list_view::setExtendedStyle(searchListCtrl, kSearchListStyle);
    // The check boxes are the entries' flags, given when the list asks, as its texts are.
    list_view::setCallbackMask(searchListCtrl, kStateImageMask);
    list_view::insertColumn(searchListCtrl, 0, L"Search String", width(kSearchColumnWidths[0]));
    list_view::insertColumn(searchListCtrl, 1, L"Color", width(kSearchColumnWidths[1]));
    list_view::insertColumn(searchListCtrl, 2, L"Hits", width(kSearchColumnWidths[2]));
    list_view::insertColumn(searchListCtrl, 3, L"Options", width(kSearchColumnWidths[3]));

    list_view::setExtendedStyle(resultsListCtrl, kResultsListStyle);
    list_view::insertColumn(resultsListCtrl, 0, L"Line", width(kResultsColumnWidths[0]));
    list_view::insertColumn(resultsListCtrl, 1, L"Match", width(kResultsColumnWidths[1]));
    list_view::insertColumn(resultsListCtrl, 2, L"Content", width(kResultsColumnWidths[2]));

    fillSearchList();
    updateAllCheckBox();
}

// The rows are the list's: a rebuild is a new count, whatever the list's length.
void TarnwickPanel::fillSearchList() {
    shownHits = hits.texts(searchList, matches.settled());
    list_view::deleteAllRows(searchListCtrl);
    list_view::setRowCount(searchListCtrl, searchList.size());
}

void TarnwickPanel::describeSearchRow(NMLVDISPINFOW& request) const {
    const int row = request.item.iItem;
    if (row < 0 || static_cast<std::size_t>(row) >= searchList.size()) return;
    const SearchEntry& entry = searchList[static_cast<std::size_t>(row)];
    list_view::answerState(request, stateBitsFor(entry.enabled), kStateImageMask);
    switch (request.item.iSubItem) {
        case 0: list_view::answerText(request, entry.text); break;
        case 1: list_view::answerText(request, colorLabel(entry.color)); break;
        case 2:
            if (static_cast<std::size_t>(row) < shownHits.size())
                list_view::answerText(request, shownHits[static_cast<std::size_t>(row)]);
            break;
        case 3: list_view::answerText(request, optionsColumnText(entry.options)); break;
        default: break;
    }
}

// An entry added or removed moves one row, the others keep their places and the list its
// scroll, unless a reload of the list has rebuilt them all already.
void TarnwickPanel::showAddedEntry() {
    if (list_view::rowCount(searchListCtrl) == searchList.size()) return;
    shownHits.emplace_back();
    list_view::setRowCount(searchListCtrl, searchList.size(),
                           LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    refreshHits();
}

void TarnwickPanel::showRemovedEntry(std::size_t index) {
    if (list_view::rowCount(searchListCtrl) == searchList.size()) return;
    if (index < shownHits.size())
        shownHits.erase(shownHits.begin() + static_cast<std::ptrdiff_t>(index));
    list_view::deleteRow(searchListCtrl, static_cast<int>(index));
    refreshHits();
}

void TarnwickPanel::updateAllCheckBox() const {
    if (allCheckBox == nullptr) return;
    SendMessageW(allCheckBox, BM_SETCHECK, searchList.allEnabled() ? BST_CHECKED : BST_UNCHECKED,
                 0);
}

void TarnwickPanel::layoutControls(int width, int height) const {
    const auto layout = layoutPanel(width, height, windowDpi(window));
    if (!layout) return;
    place(stringsLabel, layout->stringsLabel);
    place(allCheckBox, layout->allCheckBox);
    place(searchListCtrl, layout->searchList);
    place(editCtrl, layout->entryEdit);
    place(addButton, layout->addButton);
    place(searchButton, layout->searchButton);
    place(clearButton, layout->clearButton);
    place(infoButton, layout->infoButton);
    place(resultsLabel, layout->resultsLabel);
    place(resultsListCtrl, layout->resultsList);
}

// The system moved the panel to another DPI: the columns keep their size on the screen
// (a width the user dragged included) and the controls are laid out again.
void TarnwickPanel::onDpiChanged() {
    const int dpi = windowDpi(window);
    list_view::rescaleColumns(searchListCtrl, columnsDpi, dpi);
    list_view::rescaleColumns(resultsListCtrl, columnsDpi, dpi);
    columnsDpi = dpi;
    RECT client{};
    GetClientRect(window, &client);
    layoutControls(client.right, client.bottom);
}

}  // namespace tarnwick
