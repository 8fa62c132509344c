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
void insertRow(HWND list, int row, const std::u16string& text);
void setCellText(HWND list, int row, int column, const std::u16string& text);
void setState(HWND list, int row, UINT state, UINT mask);
// Makes `row` the one selected and focused row and scrolls it into view.
void selectOnly(HWND list, int row);
// For a list that asks its owner for every text: how many rows it shows.
void setRowCount(HWND list, std::size_t count);
// Copies `text` into the buffer a display-info request offers, cut to fit.
void answerText(NMLVDISPINFOW& request, const std::u16string& text);
void answerText(NMLVDISPINFOW& request, const SharedText& text);

// Stops a list from redrawing while it is rebuilt row by row, and repaints it once after.
class RedrawPause {
public:
    explicit RedrawPause(HWND list);
    ~RedrawPause();
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND list_;
};

}  // namespace tarnwick::list_view
