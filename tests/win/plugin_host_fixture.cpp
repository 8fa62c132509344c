#include "plugin_host_fixture.hpp"

#include <windows.h>

#include <commctrl.h>

#include <fstream>

#include "file_bytes.hpp"
#include "minihost/scintilla_messages.hpp"
#include "temp_folder.hpp"

namespace tarnwick::testing {

namespace fs = std::filesystem;

namespace {

std::wstring cellText(HWND list, int row, int column, int units) {
    std::wstring buffer(static_cast<std::size_t>(units), L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = units;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer.c_str();
}

}  // namespace

std::vector<std::vector<std::wstring>> PanelControls::rows(int listId, int columns,
                                                           int units) const {
    const HWND list = control(listId);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<std::vector<std::wstring>> result(count);
    for (int row = 0; row < count; ++row)
        for (int column = 0; column < columns; ++column)
            result[row].push_back(cellText(list, row, column, units));
    return result;
}

UINT PanelControls::checkState(int row) const {
    return static_cast<UINT>(
        SendMessageW(control(2001), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
}

bool PanelControls::allBoxChecked() const {
    return SendMessageW(control(2010), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring PanelControls::text(int id) const {
    wchar_t buffer[2048] = {};
    GetWindowTextW(control(id), buffer, 2048);
    return buffer;
}

void PanelControls::setText(int id, const std::wstring& text) const {
    SetWindowTextW(control(id), text.c_str());
}

// What a click on a button makes the system send to the panel.
void PanelControls::click(int id) const {
    SendMessageW(control(id), BM_CLICK, 0, 0);
}

void PanelControls::selectRow(int listId, int row) const {
    LVITEMW item{};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(control(listId), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The check box is where the list's own hit test finds the row's state image.
void PanelControls::clickCheckBox(int row, bool twice) const {
    const HWND list = control(2001);
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    LVHITTESTINFO hit{};
    hit.pt.y = (label.top + label.bottom) / 2;
    for (hit.pt.x = 0; hit.pt.x < label.left; ++hit.pt.x) {
        SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0) break;
    }
    ASSERT_LT(hit.pt.x, label.left) << "no check box in row " << row;
    const LPARAM point = MAKELPARAM(hit.pt.x, hit.pt.y);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
    if (!twice) return;
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
}

// The list control turns the key into its LVN_KEYDOWN notification to the panel.
void PanelControls::pressDelete() const {
    SendMessageW(control(2001), WM_KEYDOWN, VK_DELETE, 0);
}

LPARAM rowClickPoint(HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2);
}

void PanelControls::doubleClickRow(int row) const {
    const HWND list = control(2002);
    const LPARAM point = rowClickPoint(list, row);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
}

fs::path tarnwickDllPath() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return fs::path(exe).parent_path() / L"Tarnwick.dll";
}

void PluginHostTest::SetUp() {
    configDirectory = uniqueTempFolder(L"tarnwick-host") / L"plugins" / L"Config";
    startHost();
}

void PluginHostTest::TearDown() {
    host.reset();
    fs::remove_all(configDirectory.parent_path().parent_path());
}

void PluginHostTest::startHost(minihost::Appearance appearance) {
    host.reset();
    host = std::make_unique<minihost::MiniHost>(
        configDirectory, minihost::MiniHost::kDefaultFirstIndicator, appearance);
    ASSERT_TRUE(host->loadPlugin(tarnwickDllPath()));
    host->pumpMessages();
}

void PluginHostTest::showPanel() {
    ASSERT_TRUE(host->runMenuCommand(0));
    host->pumpMessages();
}

HWND PluginHostTest::panelWindow() const {
    const auto panels = host->registeredPanels();
    return panels.empty() ? nullptr : panels.front().client;
}

fs::path PluginHostTest::settingsFile() const {
    return configDirectory / L"Tarnwick" / L"searches.json";
}

std::string PluginHostTest::settingsBytes() const {
    return fileBytes(settingsFile());
}

void PluginHostTest::writeSettings(const std::string& json) const {
    fs::create_directories(settingsFile().parent_path());
    std::ofstream(settingsFile(), std::ios::binary) << json;
}

void PluginHostTest::setDocument(HWND view, const std::string& utf8) const {
    SendMessageW(view, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(utf8.c_str()));
}

}  // namespace tarnwick::testing
