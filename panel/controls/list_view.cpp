#include "panel/controls/list_view.hpp"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/wide_text.hpp"
#include "panel/controls/dpi_scale.hpp"

namespace tarnwick::list_view {

void setExtendedStyle(HWND list, DWORD style) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
}

void insertColumn(HWND list, int column, const wchar_t* title, int width) {
    LVCOLUMNW info{};
    info.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;  // left-aligned: fmt stays 0
    info.cx = width;
    info.pszText = const_cast<wchar_t*>(title);
    info.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
}

void rescaleColumns(HWND list, int fromDpi, int toDpi) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column,
                     MAKELPARAM(rescaleForDpi(width, fromDpi, toDpi), 0));
    }
}

void selectOnly(HWND list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

void deleteAllRows(HWND list) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

void deleteRow(HWND list, int row) {
    SendMessageW(list, LVM_DELETEITEM, row, 0);
}

std::size_t rowCount(HWND list) {
    return static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int firstSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void setState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void setRowCount(HWND list, std::size_t count, DWORD flags) {
    SendMessageW(list, LVM_SETITEMCOUNT, count, flags);
}

void setCallbackMask(HWND list, UINT mask) {
    SendMessageW(list, LVM_SETCALLBACKMASK, mask, 0);
}

// Rows added or removed renumber every row after them: that run is cut to the rows on the
// screen first, as redrawing a few hundred thousand rows takes long.
void redrawShownRows(HWND list, std::size_t first, std::size_t end) {
    constexpr std::size_t kFewRows = 64;
    if (first >= end || !IsWindowVisible(list)) return;
    if (end - first > kFewRows) {
        const auto top = static_cast<std::size_t>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        const auto shown = static_cast<std::size_t>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        first = std::max(first, top);
        end = std::min(end, top + shown + 1);  // with the row cut at the bottom
        if (first >= end) return;
    }
    SendMessageW(list, LVM_REDRAWITEMS, first, end - 1);
}

namespace {

// Both kinds of text copy out the same way, std::u16string::copy's.
template <class Text>
void answerWith(NMLVDISPINFOW& request, const Text& text) {
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
    const std::size_t length = std::min<std::size_t>(text.size(), item.cchTextMax - 1);
    text.copy(reinterpret_cast<char16_t*>(item.pszText), length);
    item.pszText[length] = L'\0';
}

}  // namespace

void answerText(NMLVDISPINFOW& request, const std::u16string& text) {
    answerWith(request, text);
}

void answerText(NMLVDISPINFOW& request, const SharedText& text) {
    answerWith(request, text);
}

void answerState(NMLVDISPINFOW& request, UINT state, UINT mask) {
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_STATE) == 0 || item.iSubItem != 0) return;
    item.state = (item.state & ~mask) | (state & mask);
    item.stateMask |= mask;
}

}  // namespace tarnwick::list_view
