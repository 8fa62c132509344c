#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dialogs/docking_dlg_interface.hpp"
#include "host/host_messages.hpp"
#include "test_host_window.hpp"

namespace tarnwick::testing {
namespace {

constexpr int kProbeTemplate = 100;
constexpr int kProbeEdit = 101;

// A docking dialog that records the messages its own procedure receives and answers
// FALSE to WM_INITDIALOG.
class ProbeDialog : public DockingDlgInterface {
public:
    explicit ProbeDialog(std::vector<UINT>& log) : DockingDlgInterface(kProbeTemplate), log_(log) {}

    using DockingDlgInterface::dialogProc;

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        log_.push_back(message);
        if (message == WM_INITDIALOG) return FALSE;
        return DockingDlgInterface::dialogProc(message, wParam, lParam);
    }

private:
    std::vector<UINT>& log_;
};

class DialogFramework : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<ProbeDialog>(log);
        dialog->init(GetModuleHandleW(nullptr), host.hwnd());
    }

    void createDialog() {
        tTbData record{};
        dialog->createDockable(record);
        registration = record;
    }

    void notifyFrom(HWND sender, UINT code) {
        NMHDR header{sender, 0, code};
        SendMessageW(dialog->handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }

    TestHostWindow host{L"C:\\unused"};
    std::vector<UINT> log;
    std::unique_ptr<ProbeDialog> dialog;
    tTbData registration{};
};

TEST_F(DialogFramework, InitRecordsTheModulesFileName) {
    EXPECT_EQ(dialog->getModuleName(), L"tarnwick_win_tests.exe");
}

TEST_F(DialogFramework, CreateDockableFillsTheRecordFromTheWindow) {
    registration.dlgID = 77;
    createDialog();
    EXPECT_EQ(registration.hClient, dialog->handle());
    EXPECT_EQ(dialog->getPanelName(), L"Probe");
    EXPECT_STREQ(registration.pszName, L"Probe");
    EXPECT_EQ(registration.uMask, 0u);
    EXPECT_EQ(registration.pszAddInfo, nullptr);
}

TEST_F(DialogFramework, MessagesBeforeInitDialogReachNoObject) {
    createDialog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), static_cast<UINT>(WM_INITDIALOG));  // WM_SETFONT came first
}

TEST_F(DialogFramework, SystemIsToldTrueWhateverTheDialogAnswersToInitDialog) {
    createDialog();
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog->handle(), kProbeEdit));
}

TEST_F(DialogFramework, IsCreatedFollowsTheWindow) {
    EXPECT_FALSE(dialog->isCreated());
    createDialog();
    EXPECT_TRUE(dialog->isCreated());
    dialog->destroy();
    EXPECT_FALSE(dialog->isCreated());
}

TEST_F(DialogFramework, HeightOfAHiddenWindowIsZeroWidthIsNot) {
    createDialog();
    ShowWindow(dialog->handle(), SW_HIDE);
    EXPECT_EQ(dialog->getHeight(), 0);
    EXPECT_GT(dialog->getWidth(), 0);
    ShowWindow(dialog->handle(), SW_SHOW);
    EXPECT_GT(dialog->getHeight(), 0);
}

TEST_F(DialogFramework, ResizeToTakesRightAndBottomAsWidthAndHeight) {
    createDialog();
    dialog->resizeTo(RECT{10, 20, 300, 200});
    RECT placed{};
    dialog->getWindowRect(placed);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.right - placed.left, 300);
    EXPECT_EQ(placed.bottom - placed.top, 200);
}

TEST_F(DialogFramework, DisplayAndUpdateGoThroughTheHost) {
    createDialog();
    const auto window = reinterpret_cast<LPARAM>(dialog->handle());
    dialog->display(false);
    dialog->display(true);
    dialog->updateDockingInfo();
    EXPECT_EQ(host.received(),
              (std::vector<TestHostWindow::Received>{{NPPM_DMMHIDE, 0, window},
                                                     {NPPM_DMMSHOW, 0, window},
                                                     {NPPM_DMMUPDATEDISPINFO, 0, window}}));
}

TEST_F(DialogFramework, DockAndFloatAreRecordedOnlyFromTheParent) {
    createDialog();
    EXPECT_TRUE(dialog->getIsFloating());
    notifyFrom(host.hwnd(), DMN_DOCK | (3u << 16));
    EXPECT_EQ(dialog->getDockedPosition(), 3);
    EXPECT_FALSE(dialog->getIsFloating());
    notifyFrom(host.hwnd(), DMN_FLOAT);
    EXPECT_TRUE(dialog->getIsFloating());
    EXPECT_EQ(dialog->getDockedPosition(), 3);

    notifyFrom(dialog->handle(), DMN_DOCK | (1u << 16));
    EXPECT_EQ(dialog->getDockedPosition(), 3);
    EXPECT_TRUE(dialog->getIsFloating());
}

TEST_F(DialogFramework, DeletingTheObjectDestroysItsWindowWithoutReachingTheDerivedPart) {
    createDialog();
    const HWND window = dialog->handle();
    // The derived part is gone before the window: a message reaching its procedure now
    // would be a call of a pure virtual function and end the process.
    dialog.reset();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DialogFramework, WindowDestroyedByTheSystemIsForgotten) {
    createDialog();
    DestroyWindow(dialog->handle());
    EXPECT_FALSE(dialog->isCreated());
    EXPECT_EQ(log.back(), static_cast<UINT>(WM_NCDESTROY));
}

}  // namespace
}  // namespace tarnwick::testing
