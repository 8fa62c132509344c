#include "dialogs/docking_dlg_interface.hpp"

#include <shlwapi.h>

#include "host/host_messages.hpp"

namespace tarnwick {

namespace {

constexpr std::size_t kTextUnits = MAX_PATH;

}  // namespace

void DockingDlgInterface::init(HINSTANCE moduleInstance, HWND parentWindow) {
    StaticDialog::init(moduleInstance, parentWindow);
    wchar_t path[kTextUnits] = {};
    GetModuleFileNameW(instance, path, kTextUnits);
    moduleName = PathFindFileNameW(path);
}

void DockingDlgInterface::createDockable(tTbData& record) {
    window = createFromTemplate(dialogId);
    wchar_t caption[kTextUnits] = {};
    GetWindowTextW(window, caption, kTextUnits);
    panelName = caption;
    record.hClient = window;
    record.pszName = panelName.c_str();
    record.uMask = 0;
    record.pszAddInfo = nullptr;
}

void DockingDlgInterface::sendToHost(UINT message) const {
    SendMessageW(parent, message, 0, reinterpret_cast<LPARAM>(window));
}

void DockingDlgInterface::display(bool show) {
    sendToHost(show ? NPPM_DMMSHOW : NPPM_DMMHIDE);
}

void DockingDlgInterface::updateDockingInfo() {
    sendToHost(NPPM_DMMUPDATEDISPINFO);
}

INT_PTR DockingDlgInterface::dialogProc(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return FALSE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != parent) return FALSE;
    const UINT code = static_cast<UINT>(header->code);
    switch (code & 0xFFFF) {
        case DMN_DOCK:
            dockedPosition = static_cast<int>(code >> 16);
            isFloating = false;
            break;
        case DMN_FLOAT: isFloating = true; break;
        default: break;
    }
    return FALSE;
}

}  // namespace tarnwick
