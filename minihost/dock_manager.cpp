#include "minihost/dock_manager.hpp"

#include <algorithm>
#include <cwchar>

#include "host/host_messages.hpp"
#include "minihost/host_numbers.hpp"

namespace tarnwick::minihost {

namespace {

// The dock container minihost places every panel in, as the high word of DMN_DOCK.
constexpr std::uint32_t kBottomContainer = 3;

// A plugin's string is read up to its terminator but never further than this, so a
// missing terminator cannot make the host read past the plugin's memory at will.
constexpr std::size_t kLongestText = 4096;

std::optional<std::wstring> copyText(const HostChar* text) {
    if (text == nullptr) return std::nullopt;
    return std::wstring(text, wcsnlen(text, kLongestText));
}

PanelRegistration copyRecord(const tTbData& record) {
    PanelRegistration copy;
    copy.client = static_cast<HWND>(record.hClient);
    copy.name = copyText(record.pszName);
    copy.dialogId = record.dlgID;
    copy.mask = record.uMask;
    copy.iconTab = static_cast<HICON>(record.hIconTab);
    copy.additionalInfo = copyText(record.pszAddInfo);
    copy.floatingRect = {record.rcFloat.left, record.rcFloat.top, record.rcFloat.right,
                         record.rcFloat.bottom};
    copy.previousContainer = record.iPrevCont;
    copy.moduleName = copyText(record.pszModuleName);
    return copy;
}

bool isShown(HWND window) {
    // The panel's own style, not IsWindowVisible: a panel counts as shown in the dock even
    // while the main window itself is hidden.
    return IsWindow(window) && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

DockManager::DockManager(HWND mainWindow, std::function<void()> relayout)
    : mainWindow_(mainWindow), relayout_(std::move(relayout)) {}

bool DockManager::registerPanel(const tTbData& record) {
    const auto client = static_cast<HWND>(record.hClient);
    if (client == nullptr || GetParent(client) != mainWindow_ ||
        (GetWindowLongPtrW(client, GWL_STYLE) & WS_CHILD) == 0)
        return false;
    PanelRegistration copy = copyRecord(record);
    // Registering a window again updates its record rather than docking it twice.
    if (PanelRegistration* known = find(client))
        *known = std::move(copy);
    else
        registrations_.push_back(std::move(copy));
    // Placed before it hears where it is docked, but left hidden: the plugin shows it when
    // it wants to.
    relayout_();
    notify(client, DMN_DOCK | (kBottomContainer << 16));
    return true;
}

bool DockManager::show(HWND panel) {
    return setShown(panel, true);
}

bool DockManager::hide(HWND panel) {
    return setShown(panel, false);
}

bool DockManager::close(HWND panel) {
    if (find(panel) == nullptr) return false;
    notify(panel, DMN_CLOSE);
    return setShown(panel, false);
}

RECT DockManager::arrange(RECT area) const {
    for (const PanelRegistration& panel : registrations_) {
        if (!IsWindow(panel.client)) continue;
        const int height = std::min<LONG>(kPanelHeight, area.bottom - area.top);
        MoveWindow(panel.client, area.left, area.bottom - height, area.right - area.left, height,
                   TRUE);
        // A hidden panel waits where it will appear; only a shown one takes room.
        if (isShown(panel.client)) area.bottom -= height;
    }
    return area;
}

std::vector<const PanelRegistration*> DockManager::visiblePanels() const {
    std::vector<const PanelRegistration*> visible;
    for (const PanelRegistration& panel : registrations_)
        if (isShown(panel.client)) visible.push_back(&panel);
    return visible;
}

PanelRegistration* DockManager::find(HWND panel) {
    const auto found = std::ranges::find(registrations_, panel, &PanelRegistration::client);
    return found == registrations_.end() ? nullptr : &*found;
}

void DockManager::notify(HWND panel, std::uint32_t code) const {
    NMHDR header{mainWindow_, 0, code};
    SendMessageW(panel, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

bool DockManager::setShown(HWND panel, bool shown) {
    if (find(panel) == nullptr || !IsWindow(panel)) return false;
    ShowWindow(panel, shown ? SW_SHOW : SW_HIDE);
    relayout_();
    return true;
}

}  // namespace tarnwick::minihost
