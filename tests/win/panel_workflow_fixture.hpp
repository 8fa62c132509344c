#pragma once

#include <windows.h>

#include <commctrl.h>

#include <sstream>
#include <string>
#include <vector>

#include "minihost/color_dialog_answer.hpp"

#include "minihost/scintilla_messages.hpp"
#include "plugin_host_fixture.hpp"
#include "settings/settings_format.hpp"

namespace tarnwick::testing {

using Rows = std::vector<std::vector<std::wstring>>;

// The panel's controls, by their ids in the dialog template.
inline constexpr int kSearchList = 2001, kResultsList = 2002, kEdit = 2003, kAdd = 2004, kSearch = 2005,
              kClear = 2006, kResultsLabel = 2007, kStringsLabel = 2008, kInfo = 2009,
              kAll = 2010;
inline constexpr int kFirstIndicator = 20;  // what minihost grants

// An environment variable of the process set for the life of the object: the panel reads
// its test hooks from there as a Search starts.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name) {
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedEnvironment() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const wchar_t* name_;
};

// Makes every slice of a Search one target search, so that a small document takes hundreds
// of slices: the Search runs until the messages are handled.
struct TinySearchSlices : ScopedEnvironment {
    TinySearchSlices() : ScopedEnvironment(L"TARNWICK_SEARCH_SLICE_MS", L"0") {}
};

// `count` lines, each with the word once: as many matches.
inline std::string linesWith(const std::string& word, int count) {
    std::string text;
    for (int line = 0; line < count; ++line)
        text += "line " + std::to_string(line) + " " + word + "\n";
    return text;
}

// Tarnwick's panel shown in minihost, driven through its real controls, with the marks read
// back from the real views.
class PanelWorkflow : public PluginHostTest {
protected:
    void SetUp() override {
        PluginHostTest::SetUp();
        showPanel();
    }

    void add(const std::wstring& text) const {
        controls().setText(kEdit, text);
        controls().click(kAdd);
    }

    Rows searchRows() const { return controls().rows(kSearchList, 2); }
    Rows resultRows() const { return controls().rows(kResultsList, 3); }
    std::wstring label() const { return controls().text(kResultsLabel); }
    bool searching() const {
        const std::wstring text = label();
        return text.starts_with(L"Searching\u2026 ");
    }
    // Handles messages until the Search that runs is over: between slices it may wait for
    // a timer, when no message is there to handle. The marks of its results may be painted
    // in the slices after they show: those run too.
    void handleMessagesWhileSearching() const {
        for (int wait = 0; wait < 10'000 && searching(); ++wait) {
            host->pumpMessages();
            if (searching()) Sleep(1);
        }
        for (int wait = 0; wait < 5; ++wait) {
            Sleep(USER_TIMER_MINIMUM);
            host->pumpMessages();
        }
    }
    // The Hits cell of each search row.
    std::vector<std::wstring> hitsCells() const {
        std::vector<std::wstring> cells;
        for (const auto& row : controls().rows(kSearchList, 3)) cells.push_back(row[2]);
        return cells;
    }

    SearchList savedList() const {
        std::istringstream in(settingsBytes());
        SearchList list;
        readSearchList(in, list);
        return list;
    }

    // A key pressed and released where the focus is, as the keyboard delivers it, with
    // Shift or Ctrl held.
    void press(UINT key, bool shift = false, bool control = false) const {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        const BYTE before[] = {keys[VK_SHIFT], keys[VK_CONTROL]};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        if (key == VK_SPACE) PostMessageW(focus, WM_CHAR, L' ', 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        host->pumpMessages();
        keys[VK_SHIFT] = before[0];
        keys[VK_CONTROL] = before[1];
        SetKeyboardState(keys);
    }

    void focus(int id) const {
        SetForegroundWindow(host->mainWindow());
        SetFocus(controls().control(id));
    }

    // The Unicode text on the clipboard; "<none>" when it holds none.
    static std::wstring clipboardText() {
        std::wstring text = L"<none>";
        if (!OpenClipboard(nullptr)) return text;
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    static void putOnClipboard(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str());
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }

    // The list's context menu as Shift+F10 opens it, or a right click on `row`: each
    // item's text, with "(greyed)" after one that cannot be chosen and "(checked)" after a
    // checked one. Choosing `choice`,
    // when given and enabled, sends the panel its command as the menu does.
    std::vector<std::wstring> contextMenu(int listId, const std::wstring& choice = L"",
                                          int row = -1) {
        menuItems.clear();
        menuChoice = choice;
        menuCommand = 0;
        SetTimer(nullptr, 0, 0, &readOpenMenu);
        const HWND list = controls().control(listId);
        if (row < 0) {
            SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
        } else {
            const LPARAM point = rowClickPoint(list, row);
            PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, point);
            PostMessageW(list, WM_RBUTTONUP, 0, point);
        }
        host->pumpMessages();
        if (menuCommand != 0) {
            SendMessageW(panelWindow(), WM_COMMAND, menuCommand, 0);
            host->pumpMessages();
        }
        return menuItems;
    }

    bool marked(HWND view, int entry, int position) const {
        return SendMessageW(view, SCI_INDICATORVALUEAT, kFirstIndicator + entry, position) != 0;
    }

    // Which of the ten indicators mark each position of the document.
    std::string markings(HWND view, int length) const {
        std::string result;
        for (int position = 0; position < length; ++position) {
            char mark = '.';
            for (int entry = 0; entry < 10; ++entry)
                if (marked(view, entry, position)) mark = static_cast<char>('0' + entry);
            result += mark;
        }
        return result;
    }

private:
    // Runs inside the menu's own message loop: reads the menu, notes the command chosen,
    // and closes it.
    static void CALLBACK readOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND menuWindow = FindWindowW(L"#32768", nullptr);
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            const bool greyed = (state & MF_GRAYED) != 0;
            menuItems.push_back(std::wstring(text) + (greyed ? L" (greyed)" : L"") +
                                ((state & MF_CHECKED) != 0 ? L" (checked)" : L""));
            if (!greyed && text == menuChoice) menuCommand = GetMenuItemID(menu, i);
        }
        EndMenu();
    }

    static inline std::vector<std::wstring> menuItems;
    static inline std::wstring menuChoice;
    static inline UINT menuCommand = 0;
};

}  // namespace tarnwick::testing
