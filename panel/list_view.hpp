#pragma once

#include <string>

#include <windows.h>

namespace tarnwick::list_view {

// Thin wrappers over the list-view messages the panel sends.
void setExtendedStyle(HWND list, DWORD style);
void insertColumn(HWND list, int column, const wchar_t* title, int width);
void deleteAllRows(HWND list);
void insertRow(HWND list, int row, const std::u16string& text);
void setCellText(HWND list, int row, int column, const std::u16string& text);
void setState(HWND list, int row, UINT state, UINT mask);

}  // namespace tarnwick::list_view
