// The plugin's face to the host: the six exports, the module entry point and the menu
// commands. The module owns the single panel from the first "Show Panel" to unload.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <memory>

#include "dialogs/exception_barrier.hpp"
#include "host/editor_messages.hpp"
#include "host/host_messages.hpp"
#include "host/host_records.hpp"
#include "host/send_message.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

namespace {

// The menu: "Show Panel", a separator, then the steps through the results, which users
// give keys in the host's shortcut mapping; none by default.
constexpr int kShowPanelMenuIndex = 0;
constexpr int kSeparatorMenuIndex = 1;
constexpr int kNextResultMenuIndex = 2;
constexpr int kPreviousResultMenuIndex = 3;
constexpr int kMenuItemCount = 4;

HINSTANCE moduleInstance = nullptr;
NppData hostData{};
FuncItem menuItems[kMenuItemCount] = {};
std::unique_ptr<TarnwickPanel> panel;

void createPanel() {
    panel = std::make_unique<TarnwickPanel>();
    panel->init(moduleInstance, static_cast<HWND>(hostData._nppHandle));
    panel->attachToHost(hostData, menuItems[kShowPanelMenuIndex]._cmdID, kShowPanelMenuIndex);
    panel->display(true);
}

// Shows the panel, creating it the first time; afterwards hides it when its window is
// visible and shows it otherwise, whoever hid it.
void showPanel() {
    exceptionBarrier([] {
        if (panel)
            panel->display(!panel->isVisible());
        else
            createPanel();
    });
}

// Without a panel there are no results to step through.
void nextResult() {
    exceptionBarrier([] {
        if (panel) panel->goToNextResult();
    });
}

void previousResult() {
    exceptionBarrier([] {
        if (panel) panel->goToPreviousResult();
    });
}

// A command of null with an empty name: the host shows a separator.
void fillMenuItem(FuncItem& item, const wchar_t* name, PluginCommand command) {
    wcsncpy(item._itemName, name, kMenuItemNameLength - 1);
    item._itemName[kMenuItemNameLength - 1] = L'\0';
    item._pFunc = command;
    item._cmdID = 0;
    item._init2Check = false;
    item._pShKey = nullptr;
}

void onNotification(const SCNotification& notification) {
    const SciNotifyHeader& header = notification.nmhdr;
    // The host destroys its views after this: from now on they are sent messages.
    if (header.code == NPPN_SHUTDOWN) setEditorViews(nullptr, nullptr);
    if (!panel) return;
    // The most frequent by far: every keystroke and every mark the host or a plugin sets.
    if (header.code == SCN_MODIFIED) {
        panel->documentModified(notification);
        return;
    }
    if (header.code == NPPN_SHUTDOWN) {
        panel->saveSearches();
        panel->stopTakingKeys();
    }
    // Also hidden, the panel keeps its results true to their document.
    if (header.code == NPPN_BUFFERACTIVATED) panel->documentActivated();
    // The buffer id comes where a window's handle would.
    if (header.code == NPPN_GLOBALMODIFIED)
        panel->documentReplaced(reinterpret_cast<std::uintptr_t>(header.hwndFrom));
    if (header.code == NPPN_FILEBEFORECLOSE) panel->documentClosed(header.idFrom);
}

void onProcessDetach() {
    if (!panel) return;
    panel->saveSearches();
    panel.reset();
}

}  // namespace

}  // namespace tarnwick

using namespace tarnwick;

extern "C" {

__declspec(dllexport) void setInfo(NppData data) {
    exceptionBarrier([&] {
        hostData = data;
        setEditorViews(hostData._scintillaMainHandle, hostData._scintillaSecondHandle);
        fillMenuItem(menuItems[kShowPanelMenuIndex], L"Show Panel", &showPanel);
        fillMenuItem(menuItems[kSeparatorMenuIndex], L"", nullptr);
        fillMenuItem(menuItems[kNextResultMenuIndex], L"Next Result", &nextResult);
        fillMenuItem(menuItems[kPreviousResultMenuIndex], L"Previous Result", &previousResult);
    });
}

__declspec(dllexport) const wchar_t* getName() {
    return L"Tarnwick";
}

__declspec(dllexport) FuncItem* getFuncsArray(int* count) {
    if (count != nullptr) *count = kMenuItemCount;
    return menuItems;
}

__declspec(dllexport) void beNotified(SCNotification* notification) {
    exceptionBarrier([&] {
        if (notification != nullptr) onNotification(*notification);
    });
}

// The plugin handles no host messages of its own.
__declspec(dllexport) LRESULT messageProc(UINT, WPARAM, LPARAM) {
    return TRUE;
}

__declspec(dllexport) BOOL isUnicode() {
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    exceptionBarrier([&] {
        if (reason == DLL_PROCESS_ATTACH) {
            const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                                ICC_LISTVIEW_CLASSES | ICC_LINK_CLASS};
            InitCommonControlsEx(&controls);
            moduleInstance = instance;
        } else if (reason == DLL_PROCESS_DETACH) {
            onProcessDetach();
        }
    });
    return TRUE;
}

}  // extern "C"
