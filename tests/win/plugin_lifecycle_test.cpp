#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_bytes.hpp"
#include "host/host_messages.hpp"
#include "minihost/plugin_module.hpp"
#include "plugin_host_fixture.hpp"
#include "temp_folder.hpp"
#include "test_host_window.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

using PluginLifecycle = PluginHostTest;

// The menu as the host shows it: "Show Panel", a separator (an item without a function),
// and the two steps through the results, none with a key of its own.
TEST_F(PluginLifecycle, ExportsItsMenuItemsThatTheHostNumbersAndShows) {
    EXPECT_EQ(host->pluginName(), L"Tarnwick");
    const std::wstring names[] = {L"Show Panel", L"", L"Next Result", L"Previous Result"};
    const auto items = host->funcItems();
    ASSERT_EQ(items.size(), std::size(names));
    const HMENU submenu = GetSubMenu(GetSubMenu(GetMenu(host->mainWindow()), 1), 0);
    ASSERT_EQ(GetMenuItemCount(submenu), static_cast<int>(std::size(names)));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]._itemName, names[i]) << i;
        EXPECT_EQ(items[i]._pFunc != nullptr, !names[i].empty()) << i;
        EXPECT_EQ(items[i]._cmdID, 22000 + static_cast<int>(i));
        EXPECT_FALSE(items[i]._init2Check);
        EXPECT_EQ(items[i]._pShKey, nullptr);
        wchar_t shown[64] = {};
        GetMenuStringW(submenu, static_cast<UINT>(i), shown, 64, MF_BYPOSITION);
        EXPECT_EQ(shown, names[i]) << i;
        const UINT state = GetMenuState(submenu, static_cast<UINT>(i), MF_BYPOSITION);
        EXPECT_EQ((state & MF_SEPARATOR) != 0, names[i].empty()) << i;
    }
    EXPECT_EQ(host->messageToPlugin(WM_USER, 0, 0), TRUE);
}

TEST_F(PluginLifecycle, NothingIsReadOrWrittenBeforeTheFirstShowPanel) {
    host->newDocument(minihost::MiniHost::kMainViewIndex, "another document");
    host->switchDocument();
    host->exit();
    EXPECT_FALSE(fs::exists(configDirectory / L"Tarnwick"));

    writeSettings("{ not even json");
    startHost();
    host->exit();
    EXPECT_EQ(settingsBytes(), "{ not even json");
    EXPECT_FALSE(fs::exists(fs::path(settingsFile()) += L".bak"));
}

TEST_F(PluginLifecycle, PanelRegistersDockedAtTheBottomUnderItsName) {
    showPanel();
    const auto panels = host->registeredPanels();
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panels[0].name, std::optional<std::wstring>(L"Tarnwick"));
    EXPECT_EQ(panels[0].dialogId, 0);  // the index of "Show Panel" among the menu items
    EXPECT_EQ(panels[0].mask, 0x30000000u);
    EXPECT_EQ(panels[0].moduleName, std::optional<std::wstring>(L"Tarnwick.dll"));
    EXPECT_EQ(panels[0].additionalInfo, std::nullopt);
    EXPECT_TRUE(IsWindowVisible(panels[0].client));
    EXPECT_EQ(GetParent(panels[0].client), host->mainWindow());
}

TEST_F(PluginLifecycle, TemplateStyleIsAChildWithoutTitleBar) {
    showPanel();
    const auto windowStyle = static_cast<DWORD>(GetWindowLongPtrW(panelWindow(), GWL_STYLE));
    EXPECT_EQ(windowStyle & (WS_CHILD | WS_CAPTION), static_cast<DWORD>(WS_CHILD));
    const HMODULE plugin = GetModuleHandleW(L"Tarnwick.dll");
    const HRSRC resource = FindResourceW(plugin, MAKEINTRESOURCEW(2000), RT_DIALOG);
    ASSERT_NE(resource, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(plugin, resource)));
    DWORD style = 0;  // after dlgVer, signature, helpID and exStyle of the extended template
    std::memcpy(&style, bytes + 12, sizeof style);
    EXPECT_EQ(style, 0x40000040u);
}

TEST(PluginFile, VersionResourceNamesTheProductAndItsVersion) {
    const std::wstring dll = tarnwickDllPath().wstring();
    DWORD ignored = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    const auto text = [&](const wchar_t* key) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            return std::wstring();
        return std::wstring(value);
    };
    EXPECT_EQ(text(L"ProductName"), L"Tarnwick");
    EXPECT_EQ(text(L"FileVersion"), L"1.0");
    EXPECT_FALSE(text(L"FileDescription").empty());
}

TEST_F(PluginLifecycle, ShowPanelTogglesFollowingTheWindowsRealVisibility) {
    showPanel();
    const HWND panel = panelWindow();
    showPanel();
    EXPECT_FALSE(IsWindowVisible(panel));
    showPanel();
    EXPECT_TRUE(IsWindowVisible(panel));

    ASSERT_TRUE(host->hidePanel(panel));
    EXPECT_FALSE(IsWindowVisible(panel));
    showPanel();
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(host->registeredPanels().size(), 1u);
}

TEST_F(PluginLifecycle, PanelOpenAtExitIsOpenAgainAtTheNextStart) {
    showPanel();
    startHost();
    ASSERT_NE(panelWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(panelWindow()));

    showPanel();  // hidden at exit: stays closed next time
    startHost();
    EXPECT_EQ(panelWindow(), nullptr);
}

TEST_F(PluginLifecycle, SavedEntriesAreShownWithCheckBoxesColoursAndTheAllBox) {
    writeSettings(R"({"entries": [{"text": "error", "color": 255},
                                  {"text": "warn", "enabled": false, "color": 42405},
                                  {"text": "caf\u00e9"}]})");
    startHost();
    showPanel();
    const PanelControls panel = controls();
    EXPECT_EQ(panel.rows(2001, 2),
              (std::vector<std::vector<std::wstring>>{
                  {L"error", L"#FF0000"}, {L"warn", L"#A5A500"}, {L"caf\u00e9", L"#FFFF00"}}));
    EXPECT_EQ(panel.checkState(0), 0x2000u);
    EXPECT_EQ(panel.checkState(1), 0x1000u);
    EXPECT_EQ(panel.checkState(2), 0x2000u);
    EXPECT_FALSE(panel.allBoxChecked());
    EXPECT_EQ(panel.rows(2002, 3).size(), 0u);
    EXPECT_EQ(panel.text(2007), L"Results:");
}

TEST_F(PluginLifecycle, AllBoxIsCheckedWhenEverySavedEntryIsEnabled) {
    writeSettings(R"({"entries": [{"text": "a"}, {"text": "b"}]})");
    startHost();
    showPanel();
    EXPECT_TRUE(controls().allBoxChecked());
}

// Where a control sits in the panel's client area.
RECT placeOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(PluginLifecycle, ControlsAreLaidOutForTheSizeOfThePanel) {
    showPanel();
    const PanelControls panel = controls();
    SendMessageW(panel.panel(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    const auto expect = [&](int id, RECT want) {
        const RECT got = placeOf(panel.control(id));
        EXPECT_EQ(got.left, want.left) << id;
        EXPECT_EQ(got.top, want.top) << id;
        EXPECT_EQ(got.right, want.right) << id;
        EXPECT_EQ(got.bottom, want.bottom) << id;
    };
    expect(2008, {4, 4, 340, 20});
    expect(2010, {344, 4, 396, 20});
    expect(2001, {4, 22, 396, 110});
    expect(2003, {4, 114, 186, 136});
    expect(2004, {190, 114, 244, 136});
    expect(2005, {248, 114, 302, 136});
    expect(2006, {306, 114, 360, 136});
    expect(2009, {364, 114, 396, 136});
    expect(2007, {4, 140, 396, 156});
    expect(2002, {4, 158, 396, 296});

    SendMessageW(panel.panel(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 150));
    expect(2001, {4, 22, 196, 62});
    expect(2003, {4, 66, 44, 88});
    expect(2009, {222, 66, 254, 88});
    expect(2002, {4, 110, 196, 150});

    SendMessageW(panel.panel(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(0, 300));
    expect(2002, {4, 110, 196, 150});
}

TEST_F(PluginLifecycle, PanelCannotBeDraggedSmallerThan250By200) {
    showPanel();
    MINMAXINFO limits{};
    limits.ptMaxTrackSize = {1234, 987};
    SendMessageW(panelWindow(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 250);
    EXPECT_EQ(limits.ptMinTrackSize.y, 200);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 1234);
}

TEST_F(PluginLifecycle, ListIsSavedAtShutdownAndAgainAtUnload) {
    writeSettings(R"({"entries": [{"text": "kept", "color": 7}]})");
    startHost();
    showPanel();
    const std::string expected =
        "{\r\n  \"entries\": [\r\n    {\r\n      \"color\": 7,\r\n"
        "      \"enabled\": true,\r\n      \"text\": \"kept\"\r\n"
        "    }\r\n  ],\r\n  \"version\": 1\r\n}";
    host->exit();  // NPPN_SHUTDOWN, windows destroyed, then the unload
    EXPECT_EQ(settingsBytes(), expected);
}

// The shutdown notification and the unload each write the list only where the file lacks
// it: the plugin is loaded into a bare host window here, so each step can be watched alone.
TEST(PluginUnload, ShutdownWritesAListTheFileLacksAndTheUnloadKeepsAnotherInstancesNewerOne) {
    const fs::path folder = uniqueTempFolder(L"tarnwick-unload");
    TestHostWindow hostWindow(folder.wstring());
    auto plugin = minihost::PluginModule::load(
        tarnwickDllPath(), NppData{hostWindow.handle(), nullptr, nullptr}, 22000);
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(plugin->runCommand(0));
    const fs::path file = folder / L"Tarnwick" / L"searches.json";
    ASSERT_FALSE(fs::exists(file));  // showing the panel reads, it does not write
    plugin->notify(hostWindow.hwnd(), NPPN_SHUTDOWN);
    EXPECT_EQ(fileBytes(file), "{\r\n  \"entries\": [],\r\n  \"version\": 1\r\n}");
    const std::string theirs = R"({"entries": [{"text": "theirs"}]})";
    std::ofstream(file, std::ios::binary) << theirs;
    plugin.reset();
    EXPECT_EQ(fileBytes(file), theirs);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace tarnwick::testing
