#include "minihost/dark_theme.hpp"

#include <commctrl.h>

#include "dialogs/exception_barrier.hpp"
#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

namespace {

// The record's order: the background first, then the colours the host paints the other
// parts of its windows with.
constexpr DarkModeColors kPalette{0x00202020,
                                  {
                                      0x00383838,  // raised background: controls
                                      0x00454545,  // background under the mouse
                                      0x00151515,  // deepest background
                                      0x000000B0,  // background of an error
                                      0x00E0E0E0,  // text
                                      0x00C0C0C0,  // darker text
                                      0x00808080,  // disabled text
                                      0x00FFC000,  // links
                                      0x00646464,  // edges
                                      0x009B9B9B,  // edges under the mouse
                                      0x00484848,  // disabled edges
                                  }};
constexpr std::size_t kTextIndex = 4;

// The subclass's identifiers: what kind of window it themes.
enum Kind : UINT_PTR { kDialog = 1, kWindow = 2 };

bool isColourMessage(UINT message) {
    return message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN;
}

// The device context's own brush, set to the background: a stock object, which no control
// can delete. Wine's SysLink deletes the brush its parent answers with, which would leave a
// brush of the host's own dead after the first paint of a link.
HBRUSH backgroundBrush(HDC dc) {
    SetDCBrushColor(dc, darkPalette().background);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

LRESULT colourControl(HDC dc) {
    SetTextColor(dc, darkText());
    SetBkColor(dc, darkPalette().background);
    return reinterpret_cast<LRESULT>(backgroundBrush(dc));
}

void eraseBackground(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, backgroundBrush(dc));
}

LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR kind, DWORD_PTR) {
    return exceptionBarrier<LRESULT>(0, [&]() -> LRESULT {
        if (isColourMessage(message)) return colourControl(reinterpret_cast<HDC>(wParam));
        if (message == WM_ERASEBKGND && kind == kWindow) {
            eraseBackground(window, reinterpret_cast<HDC>(wParam));
            return TRUE;
        }
        if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &subclassProcedure, kind);
        return DefSubclassProc(window, message, wParam, lParam);
    });
}

}  // namespace

const DarkModeColors& darkPalette() {
    return kPalette;
}

COLORREF darkText() {
    return kPalette.others[kTextIndex];
}

bool themeDialog(HWND dialog) {
    return SetWindowSubclass(dialog, &subclassProcedure, kDialog, 0) != FALSE;
}

bool themeWindow(HWND window) {
    return SetWindowSubclass(window, &subclassProcedure, kWindow, 0) != FALSE;
}

void themeView(HWND view) {
    SendMessageW(view, SCI_STYLESETBACK, STYLE_DEFAULT, darkPalette().background);
    SendMessageW(view, SCI_STYLESETFORE, STYLE_DEFAULT, darkText());
    SendMessageW(view, SCI_STYLECLEARALL, 0, 0);
    // The caret is black by default and would vanish on the dark background.
    SendMessageW(view, SCI_SETCARETFORE, darkText(), 0);
}

}  // namespace tarnwick::minihost
