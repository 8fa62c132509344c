#include "minihost/tab_strip.hpp"

#include <commctrl.h>

#include <stdexcept>

namespace tarnwick::minihost {

namespace {

void registerTabClassOnce() {
    static const bool registered = [] {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    if (!registered) throw std::runtime_error("the tab control could not be registered");
}

TCITEMW itemNamed(const std::wstring& name) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    // The control copies the text; it never writes through this pointer.
    item.pszText = const_cast<wchar_t*>(name.c_str());
    return item;
}

}  // namespace

TabStrip::TabStrip(HWND parent) {
    registerTabClassOnce();
    window_.reset(CreateWindowExW(0, WC_TABCONTROLW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_SINGLELINE, 0, 0, 0,
                                  0, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw std::runtime_error("a tab strip could not be created");
    // Without a font of its own the control would use the bold system font.
    SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
}

void TabStrip::insert(std::size_t index, const std::wstring& name) const {
    TCITEMW item = itemNamed(name);
    if (SendMessageW(window(), TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)) < 0)
        throw std::runtime_error("a tab could not be added");
}

void TabStrip::rename(std::size_t index, const std::wstring& name) const {
    TCITEMW item = itemNamed(name);
    SendMessageW(window(), TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}

void TabStrip::remove(std::size_t index) const {
    SendMessageW(window(), TCM_DELETEITEM, index, 0);
}

void TabStrip::select(std::size_t index) const {
    SendMessageW(window(), TCM_SETCURSEL, index, 0);
}

int TabStrip::selected() const {
    return static_cast<int>(SendMessageW(window(), TCM_GETCURSEL, 0, 0));
}

int TabStrip::height() const {
    // The display area of a control placed at the origin starts below the tabs' row.
    RECT area{0, 0, 400, 400};
    SendMessageW(window(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area.top;
}

}  // namespace tarnwick::minihost
