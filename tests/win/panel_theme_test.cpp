#include <windows.h>

#include "minihost/dark_theme.hpp"
#include "plugin_host_fixture.hpp"
#include "theme_probes.hpp"

namespace tarnwick::testing {
namespace {

constexpr int kStringsLabel = 2008;

using PanelTheme = PluginHostTest;

TEST_F(PanelTheme, ADarkHostThemesThePanelAndThePanelPaintsNothingOverIt) {
    startHost(minihost::Appearance::dark);
    showPanel();
    const COLORREF background = minihost::darkPalette().background;
    // The panel's margin, erased by the dialog with the brush the host answers.
    EXPECT_EQ(pixelOnScreen(panelWindow(), 1, 1), background);
    // A label's free end, filled with the brush its parent answers.
    const HWND label = controls().control(kStringsLabel);
    RECT area{};
    GetClientRect(label, &area);
    EXPECT_EQ(pixelOnScreen(label, area.right - 2, area.bottom / 2), background);
}

TEST_F(PanelTheme, ThePanelAnswersColourAndEraseMessagesAsAPlainDialogDoes) {
    // In a light host nothing stands in front of the panel's own procedure.
    showPanel();
    const WindowOwner plain = createPlainDialog(host->mainWindow());
    ASSERT_TRUE(plain);
    for (const UINT message : {WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT,
                               WM_CTLCOLORLISTBOX, WM_ERASEBKGND})
        EXPECT_EQ(answerTo(panelWindow(), message), answerTo(plain.get(), message)) << message;
}

}  // namespace
}  // namespace tarnwick::testing
