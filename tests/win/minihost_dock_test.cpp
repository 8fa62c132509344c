#include <string>

#include "host/host_messages.hpp"
#include "minihost/host_numbers.hpp"
#include "minihost_fixture.hpp"

namespace tarnwick::minihost::testing {
namespace {

constexpr int kPanelHeight = 300;

class MiniHostDock : public MiniHostTest {
protected:
    HWND showNamedPanel() {
        startHost();
        host->runMenuCommand(0);
        return host->registeredPanels().at(0).client;
    }

    // The layout minihost promises, read back from the real windows.
    void expectLayout(HWND panel, bool panelShown) {
        const RECT client = clientArea(host->mainWindow());
        const int width = client.right;
        const int viewsBottom = panelShown ? client.bottom - kPanelHeight : client.bottom;
        EXPECT_EQ(IsWindowVisible(panel) != 0, panelShown);
        EXPECT_EQ(describe(placement(panel)),
                  describe({0, client.bottom - kPanelHeight, width, client.bottom}));
        // Each view has its row of tabs above it.
        const int tabsBottom = placement(host->tabStrip(0)).bottom;
        EXPECT_GT(tabsBottom, 0);
        EXPECT_LT(tabsBottom, viewsBottom);
        EXPECT_EQ(describe(placement(host->tabStrip(0))), describe({0, 0, width / 2, tabsBottom}));
        EXPECT_EQ(describe(placement(host->tabStrip(1))),
                  describe({width / 2, 0, width, tabsBottom}));
        EXPECT_EQ(describe(placement(host->mainView())),
                  describe({0, tabsBottom, width / 2, viewsBottom}));
        EXPECT_EQ(describe(placement(host->secondView())),
                  describe({width / 2, tabsBottom, width, viewsBottom}));
    }

    // A registration of the test's own, with a window the test made.
    LRESULT registerWindow(HWND window) {
        tTbData record{};
        record.hClient = window;
        record.uMask = DWS_DF_CONT_BOTTOM;
        return SendMessageW(host->mainWindow(), NPPM_DMMREGASDCKDLG, 0,
                            reinterpret_cast<LPARAM>(&record));
    }

    HWND childOfMainWindow() {
        return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host->mainWindow(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    }
};

TEST_F(MiniHostDock, RegistrationIsCopiedWithItsStrings) {
    startHost();
    host->runMenuCommand(0);
    host->runMenuCommand(1);
    const auto panels = host->registeredPanels();
    ASSERT_EQ(panels.size(), 2u);

    const PanelRegistration& named = panels[0];
    EXPECT_EQ(GetParent(named.client), host->mainWindow());
    EXPECT_EQ(named.name, L"Named Panel");  // the plugin spoiled its own copy after the call
    EXPECT_EQ(named.additionalInfo, L"extra info");
    EXPECT_EQ(named.moduleName, L"minihost_test_plugin.dll");
    EXPECT_EQ(named.dialogId, 0);
    EXPECT_EQ(named.mask, DWS_DF_CONT_BOTTOM);
    EXPECT_EQ(describe(named.floatingRect), "1,2,3,4");

    const PanelRegistration& unnamed = panels[1];
    EXPECT_NE(unnamed.client, named.client);
    EXPECT_EQ(unnamed.name, L"");
    EXPECT_EQ(unnamed.additionalInfo, std::nullopt);
    EXPECT_EQ(unnamed.dialogId, 1);
}

TEST_F(MiniHostDock, ThePanelHearsWhereItIsDockedDuringItsRegistration) {
    startHost();
    host->runMenuCommand(0);
    const auto lines = log();
    const std::ptrdiff_t begin = find("register-begin 0");
    ASSERT_GE(begin, 0);
    ASSERT_LT(begin + 2, static_cast<std::ptrdiff_t>(lines.size()));
    const std::string expected = "panel-notify from=" + number(host->mainWindow()) +
                                 " id=0 code=" + std::to_string(DMN_DOCK | (3u << 16));
    EXPECT_EQ(lines[begin + 1], expected);
    EXPECT_EQ(lines[begin + 2], "register-end 0 result=1");
    EXPECT_EQ(count("panel-notify"), 1u);
}

TEST_F(MiniHostDock, RegistrationPlacesThePanelAtTheBottomButLeavesItHidden) {
    host = std::make_unique<MiniHost>(configDirectory);
    const HWND panel = childOfMainWindow();
    EXPECT_EQ(registerWindow(panel), TRUE);
    expectLayout(panel, false);
}

TEST_F(MiniHostDock, AShownPanelTakesTheBottomAndTheViewsShareTheRestSideBySide) {
    const HWND panel = showNamedPanel();
    expectLayout(panel, true);
    host->runMenuCommand(0);  // the plugin hides it again
    expectLayout(panel, false);
}

TEST_F(MiniHostDock, StayDockedWhenTheMainWindowIsResized) {
    const HWND panel = showNamedPanel();
    SetWindowPos(host->mainWindow(), nullptr, 0, 0, 700, 600, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_LT(clientArea(host->mainWindow()).right, 700);
    expectLayout(panel, true);
}

TEST_F(MiniHostDock, TheHostsOwnHideClosesThePanelAndGivesTheViewsTheRoom) {
    const HWND panel = showNamedPanel();
    clearLog();
    EXPECT_TRUE(host->hidePanel(panel));
    expectLayout(panel, false);
    EXPECT_EQ(log(), std::vector<std::string>{"panel-notify from=" + number(host->mainWindow()) +
                                              " id=0 code=" + std::to_string(DMN_CLOSE)});
    host->runMenuCommand(0);  // the plugin's toggle sees a hidden window and shows it
    expectLayout(panel, true);
}

TEST_F(MiniHostDock, OnlyRegisteredPanelsAreShownOrHidden) {
    host = std::make_unique<MiniHost>(configDirectory);
    const HWND stranger = childOfMainWindow();
    EXPECT_EQ(SendMessageW(host->mainWindow(), NPPM_DMMSHOW, 0, reinterpret_cast<LPARAM>(stranger)),
              FALSE);
    EXPECT_FALSE(IsWindowVisible(stranger));
    EXPECT_FALSE(host->hidePanel(host->mainView()));
    EXPECT_TRUE(IsWindowVisible(host->mainView()));
    EXPECT_EQ(SendMessageW(host->mainWindow(), NPPM_DMMUPDATEDISPINFO, 0,
                           reinterpret_cast<LPARAM>(stranger)),
              TRUE);
}

TEST_F(MiniHostDock, AWindowThatIsNotAChildOfTheMainWindowIsNotDocked) {
    host = std::make_unique<MiniHost>(configDirectory);
    const WindowOwner topLevel(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                               nullptr, GetModuleHandleW(nullptr), nullptr));
    EXPECT_EQ(registerWindow(topLevel.get()), FALSE);
    EXPECT_EQ(registerWindow(nullptr), FALSE);
    EXPECT_EQ(SendMessageW(host->mainWindow(), NPPM_DMMREGASDCKDLG, 0, 0), FALSE);
    EXPECT_TRUE(host->registeredPanels().empty());
}

TEST_F(MiniHostDock, RegisteringAWindowAgainUpdatesItsRecord) {
    host = std::make_unique<MiniHost>(configDirectory);
    const HWND panel = childOfMainWindow();
    registerWindow(panel);
    tTbData again{};
    again.hClient = panel;
    again.pszName = L"renamed";
    again.dlgID = 5;
    SendMessageW(host->mainWindow(), NPPM_DMMREGASDCKDLG, 0, reinterpret_cast<LPARAM>(&again));
    const auto panels = host->registeredPanels();
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panels[0].name, L"renamed");
    EXPECT_EQ(panels[0].dialogId, 5);
}

}  // namespace
}  // namespace tarnwick::minihost::testing
