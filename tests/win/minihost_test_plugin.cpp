// A tiny plugin for minihost's tests. It records every call of the host, and what it sees
// of the host at that moment, as lines in the file named by MINIHOST_TEST_PLUGIN_LOG, so a
// test can read them back even after the module is unloaded.

#include <windows.h>

#include <cstdint>
#include <string>

#include "host/editor_messages.hpp"
#include "host/host_messages.hpp"
#include "host/host_records.hpp"

namespace {

using namespace tarnwick;

constexpr wchar_t kPanelClass[] = L"MiniHostTestPanel";

HINSTANCE module = nullptr;
NppData host{};
HWND panels[2] = {};
FuncItem items[5] = {};

void record(const std::string& line) {
    wchar_t path[MAX_PATH];
    if (GetEnvironmentVariableW(L"MINIHOST_TEST_PLUGIN_LOG", path, MAX_PATH) == 0) return;
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string number(const void* handle) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

LRESULT CALLBACK panelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        record("panel-notify from=" + number(header->hwndFrom) +
               " id=" + std::to_string(header->idFrom) + " code=" + std::to_string(header->code));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT sendToHost(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(static_cast<HWND>(host._nppHandle), message, wParam, lParam);
}

// The registration's strings live only during the call: they are spoiled right after it,
// so the host must have copied them.
void registerPanel(int index, const wchar_t* name) {
    wchar_t panelName[64];
    wchar_t info[] = L"extra info";
    wchar_t moduleName[MAX_PATH];
    lstrcpynW(panelName, name, 64);
    GetModuleFileNameW(module, moduleName, MAX_PATH);
    tTbData data{};
    data.hClient = panels[index];
    data.pszName = panelName;
    data.dlgID = index;
    data.uMask = DWS_DF_CONT_BOTTOM;
    data.pszAddInfo = index == 0 ? info : nullptr;
    data.rcFloat = {1, 2, 3, 4};
    data.pszModuleName = wcsrchr(moduleName, L'\\') + 1;
    record("register-begin " + std::to_string(index));
    const LRESULT result = sendToHost(NPPM_DMMREGASDCKDLG, 0, reinterpret_cast<LPARAM>(&data));
    // Appended, not prefixed: GCC 12 warns wrongly about a literal put before a temporary.
    record(std::string("register-end ").append(std::to_string(index)) + " result=" +
           std::to_string(result));
    for (wchar_t* text : {panelName, info, moduleName}) wmemset(text, L'#', lstrlenW(text));
}

// Like the plugin's own command: create and show the first time, then toggle by the
// window's real visibility.
void togglePanel(int index, const wchar_t* name) {
    record("command " + std::to_string(index) + " id=" + std::to_string(items[index]._cmdID));
    HWND& panel = panels[index];
    if (panel == nullptr) {
        panel = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10,
                                static_cast<HWND>(host._nppHandle), nullptr, module, nullptr);
        registerPanel(index, name);
    }
    sendToHost(IsWindowVisible(panel) ? NPPM_DMMHIDE : NPPM_DMMSHOW, 0,
               reinterpret_cast<LPARAM>(panel));
}

void toggleNamedPanel() {
    togglePanel(0, L"Named Panel");
}
void toggleUnnamedPanel() {
    togglePanel(1, L"");
}

void askHost() {
    wchar_t folder[MAX_PATH] = {};
    const LRESULT configResult =
        sendToHost(NPPM_GETPLUGINSCONFIGDIR, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    record("config result=" + std::to_string(configResult) + " " + utf8(folder));
    int first = 0;
    const LRESULT granted =
        sendToHost(NPPM_ALLOCATEINDICATOR, 10, reinterpret_cast<LPARAM>(&first));
    record("indicators result=" + std::to_string(granted) + " first=" + std::to_string(first));
    int view = -1;
    sendToHost(NPPM_GETCURRENTSCINTILLA, 0, reinterpret_cast<LPARAM>(&view));
    record("current " + std::to_string(view));
}

// What the host shows while it tells of a document: the current buffer, where the named
// buffer's tab is, and the length of the current view's document.
void recordDocumentState(std::uintptr_t buffer) {
    int view = -1;
    sendToHost(NPPM_GETCURRENTSCINTILLA, 0, reinterpret_cast<LPARAM>(&view));
    const HWND editor =
        static_cast<HWND>(view == 1 ? host._scintillaSecondHandle : host._scintillaMainHandle);
    record("host current=" + std::to_string(sendToHost(NPPM_GETCURRENTBUFFERID, 0, 0)) +
           " pos=" + std::to_string(sendToHost(NPPM_GETPOSFROMBUFFERID, buffer, view)) +
           " length=" + std::to_string(SendMessageW(editor, SCI_GETLENGTH, 0, 0)));
}

// Asks the host to close while this call is still running.
void closeHost() {
    sendToHost(WM_CLOSE, 0, 0);
    record("close-returned");
}

void fill(FuncItem& item, const wchar_t* name, PluginCommand function) {
    lstrcpynW(item._itemName, name, kMenuItemNameLength);
    item._pFunc = function;
}

}  // namespace

extern "C" __declspec(dllexport) void setInfo(NppData data) {
    host = data;
    record("setInfo " + number(data._nppHandle) + " " + number(data._scintillaMainHandle) + " " +
           number(data._scintillaSecondHandle));
    fill(items[0], L"Named Panel", &toggleNamedPanel);
    fill(items[1], L"Unnamed Panel", &toggleUnnamedPanel);
    fill(items[2], L"", nullptr);  // a separator
    fill(items[3], L"Ask Host", &askHost);
    fill(items[4], L"Close Host", &closeHost);
}

extern "C" __declspec(dllexport) const wchar_t* getName() {
    record("getName");
    return L"MiniHost Test Plugin";
}

extern "C" __declspec(dllexport) FuncItem* getFuncsArray(int* count) {
    record("getFuncsArray");
    *count = 5;
    return items;
}

// The editor's own notifications come by the hundred; only changes of text are recorded,
// and only for the tests that ask for them, with the document of the window that sent them.
constexpr std::uint32_t kFirstEditorNotification = 2000;

void recordEdit(const SCNotification& notification) {
    constexpr int kTextBits = SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_MOD_BEFOREINSERT |
                              SC_MOD_BEFOREDELETE;
    if (notification.nmhdr.code != SCN_MODIFIED ||
        (notification.modificationType & kTextBits) == 0 ||
        GetEnvironmentVariableW(L"MINIHOST_TEST_PLUGIN_EDITS", nullptr, 0) == 0)
        return;
    const auto from = static_cast<HWND>(notification.nmhdr.hwndFrom);
    record("edit from=" + number(from) +
           " document=" + std::to_string(SendMessageW(from, SCI_GETDOCPOINTER, 0, 0)) +
           " type=" + std::to_string(notification.modificationType) +
           " position=" + std::to_string(notification.position) +
           " length=" + std::to_string(notification.length) +
           " lines=" + std::to_string(notification.linesAdded));
}

extern "C" __declspec(dllexport) void beNotified(SCNotification* notification) {
    if (notification->nmhdr.code >= kFirstEditorNotification) return recordEdit(*notification);
    record("notify " + std::to_string(notification->nmhdr.code) +
           " from=" + number(notification->nmhdr.hwndFrom) +
           " id=" + std::to_string(notification->nmhdr.idFrom) +
           " panel=" + std::to_string(IsWindow(panels[0]) != 0));
    const auto code = notification->nmhdr.code;
    if (code == NPPN_BUFFERACTIVATED || code == NPPN_FILEBEFORECLOSE)
        recordDocumentState(notification->nmhdr.idFrom);
}

extern "C" __declspec(dllexport) LRESULT messageProc(UINT message, WPARAM, LPARAM) {
    record("messageProc " + std::to_string(message));
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL isUnicode() {
    record("isUnicode");
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        WNDCLASSW panelClass{};
        panelClass.lpfnWndProc = &panelProcedure;
        panelClass.hInstance = instance;
        panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        panelClass.lpszClassName = kPanelClass;
        RegisterClassW(&panelClass);
        record("attach");
    } else if (reason == DLL_PROCESS_DETACH) {
        record(std::string("detach panel=").append(std::to_string(IsWindow(panels[0]) != 0)));
        // The next load registers the class again with its own procedure.
        UnregisterClassW(kPanelClass, instance);
    }
    return TRUE;
}
