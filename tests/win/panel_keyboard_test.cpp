// The panel from the keyboard: real key messages posted to the focused control and run
// through minihost's message loop, which gives registered dialogs their dialog keys as
// the host does.
#include <windows.h>

#include <commctrl.h>

#include "host/host_messages.hpp"
#include "minihost/plugin_module.hpp"
#include "panel_workflow_fixture.hpp"
#include "temp_folder.hpp"
#include "test_host_window.hpp"

namespace tarnwick::testing {
namespace {

class PanelKeyboard : public PanelWorkflow {
protected:
    int focusedId() const { return GetDlgCtrlID(GetFocus()); }
};

TEST_F(PanelKeyboard, TheHostPassesThePanelsKeysThroughItsDialogHandling) {
    EXPECT_EQ(host->modelessDialogs(), std::vector<HWND>{panelWindow()});
}

TEST_F(PanelKeyboard, TabAndShiftTabMoveThroughTheControlsInTheTemplatesOrder) {
    const std::vector<int> order = {kAll, kSearchList, kEdit, kAdd, kSearch, kClear, kInfo, kResultsList};
    focus(kAll);
    std::vector<int> forward = {focusedId()};
    for (std::size_t i = 1; i <= order.size(); ++i) {
        press(VK_TAB);
        forward.push_back(focusedId());
    }
    std::vector<int> expected = order;
    expected.push_back(kAll);  // round again
    EXPECT_EQ(forward, expected);

    std::vector<int> backward;
    for (std::size_t i = 0; i < order.size(); ++i) {
        press(VK_TAB, true);
        backward.push_back(focusedId());
    }
    EXPECT_EQ(backward, std::vector<int>(order.rbegin(), order.rend()));
}

TEST_F(PanelKeyboard, EnterInTheEditBoxAddsTheTextAndStaysThereForTheNext) {
    focus(kEdit);
    controls().setText(kEdit, L" first ");
    press(VK_RETURN);
    controls().setText(kEdit, L"second");
    press(VK_RETURN);
    EXPECT_EQ(searchRows(), (Rows{{L"first", L"#FFFF00"}, {L"second", L"#00FF80"}}));
    EXPECT_EQ(focusedId(), kEdit);
    EXPECT_EQ(controls().text(kEdit), L"");
    EXPECT_EQ(savedList().size(), 2u);
}

TEST_F(PanelKeyboard, EnterOnASelectedResultJumpsToIt) {
    setDocument(host->mainView(), "one two\nthree two");
    add(L"two");
    controls().click(kSearch);
    focus(kResultsList);
    controls().selectRow(kResultsList, 1);
    press(VK_RETURN);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETANCHOR, 0, 0), 14);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETCURRENTPOS, 0, 0), 17);
    EXPECT_EQ(GetFocus(), host->mainView());
}

TEST_F(PanelKeyboard, SpaceTogglesTheSelectedSearchRowOnceThroughTheSameRulesAsAClick) {
    add(L"a");
    add(L"b");
    focus(kSearchList);
    press(VK_SPACE);  // no row selected
    EXPECT_TRUE(savedList().allEnabled());
    controls().selectRow(kSearchList, 1);
    press(VK_SPACE);
    EXPECT_EQ(controls().checkState(1), static_cast<UINT>(kStateUnchecked));
    EXPECT_FALSE(controls().allBoxChecked());
    SearchList saved = savedList();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(saved[0].enabled);
    EXPECT_FALSE(saved[1].enabled);
    press(VK_SPACE);
    EXPECT_EQ(controls().checkState(1), static_cast<UINT>(kStateChecked));
    EXPECT_TRUE(controls().allBoxChecked());
    saved = savedList();
    EXPECT_TRUE(saved.allEnabled());
    EXPECT_EQ(SendMessageW(controls().control(kSearchList), LVM_GETNEXTITEM,
                           static_cast<WPARAM>(-1), LVNI_SELECTED),
              1);
}

TEST_F(PanelKeyboard, DeleteRemovesTheSelectedSearchRow) {
    add(L"a");
    add(L"b");
    focus(kSearchList);
    controls().selectRow(kSearchList, 0);
    press(VK_DELETE);
    EXPECT_EQ(searchRows(), (Rows{{L"b", L"#00FF80"}}));
}

TEST_F(PanelKeyboard, EscapeGivesTheFocusBackToTheCurrentEditorView) {
    focus(kEdit);
    press(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), host->mainView());
    ASSERT_TRUE(host->setCurrentView(minihost::MiniHost::kSecondViewIndex));
    focus(kSearchList);
    press(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), host->secondView());
}

// The registration as the host sees it, message by message.
TEST(PanelKeyRegistration, ComesRightAfterTheWindowAndBeforeDockingAndGoesAtShutdown) {
    const std::filesystem::path folder = uniqueTempFolder(L"tarnwick-keys");
    {
        TestHostWindow host(folder.wstring());
        auto plugin = minihost::PluginModule::load(
            tarnwickDllPath(), NppData{host.handle(), nullptr, nullptr}, 22000);
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->runCommand(0));
        const HWND panel = FindWindowExW(host.hwnd(), nullptr, nullptr, nullptr);
        const auto panelParam = reinterpret_cast<LPARAM>(panel);
        std::vector<TestHostWindow::Received> keysAndDocking;
        const auto keep = [&] {
            keysAndDocking.clear();
            for (const auto& received : host.received())
                if (received.message == NPPM_MODELESSDIALOG ||
                    received.message == NPPM_DMMREGASDCKDLG)
                    keysAndDocking.push_back(received);
        };
        keep();
        ASSERT_EQ(keysAndDocking.size(), 2u);
        EXPECT_EQ(keysAndDocking[0], (TestHostWindow::Received{NPPM_MODELESSDIALOG, 0, panelParam}));
        EXPECT_EQ(keysAndDocking[1].message, static_cast<UINT>(NPPM_DMMREGASDCKDLG));

        plugin->notify(host.hwnd(), NPPN_SHUTDOWN);
        plugin.reset();  // the unload asks nothing more
        keep();
        ASSERT_EQ(keysAndDocking.size(), 3u);
        EXPECT_EQ(keysAndDocking[2], (TestHostWindow::Received{NPPM_MODELESSDIALOG, 1, panelParam}));
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarnwick::testing
