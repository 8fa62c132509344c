#pragma once

#include <string>

#include <windows.h>

#include <commctrl.h>

#include <cstddef>

#include "core/search/shared_text.hpp"

namespace tarnwick::list_view {

// Thin wrappers over the list-view messages the panel sends.
void setExtendedStyle(HWND list, DWORD style);
void insertColumn(HWND list, int column, const wchar_t* title, int width);
// Every column's width, measured at `fromDpi`, made the same size at `toDpi`.
void rescaleColumns(HWND list, int fromDpi, int toDpi);
void deleteAllRows(HWND list);
void deleteRow(HWND list, int row);
std::size_t rowCount(HWND list);
// The first selected row; -1 when none is.
int firstSelectedRow(HWND list);
void setState(HWND list, int row, UINT state, UINT mask);
// Makes `row` the one selected and focused row and scrolls it into view.
void selectOnly(HWND list, int row);
// For a list that asks its owner for every text: how many rows it shows. `flags` are
// LVM_SETITEMCOUNT's (LVSICF_NOSCROLL keeps the list where it is scrolled).
void setRowCount(HWND list, std::size_t count, DWORD flags = 0);
// For such a list: the state bits under `mask` it asks its owner for instead of keeping them.
void setCallbackMask(HWND list, UINT mask);
// Draws the rows from `first` to before `end` again, those on the screen only when they are
// many; nothing while the list is hidden.
void redrawShownRows(HWND list, std::size_t first, std::size_t end);
// Copies `text` into the buffer a display-info request offers, cut to fit.
void answerText(NMLVDISPINFOW& request, const std::u16string& text);
void answerText(NMLVDISPINFOW& request, const SharedText& text);
// Gives the state bits under `mask` when the request asks for the row's state.
void answerState(NMLVDISPINFOW& request, UINT state, UINT mask);

}  // namespace tarnwick::list_view
