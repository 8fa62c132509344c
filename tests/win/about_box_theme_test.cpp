#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "about/about_dialog.hpp"
#include "about/gdiplus_session.hpp"
#include "about/logo_fit.hpp"
#include "about_box_probes.hpp"
#include "host/host_messages.hpp"
#include "minihost/dark_theme.hpp"
#include "plugin_host_fixture.hpp"
#include "test_host_window.hpp"
#include "theme_probes.hpp"

namespace tarnwick::testing {
namespace {

using minihost::Appearance;

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr int kLogoWidth = 1100;
constexpr int kLogoHeight = 591;

// What one opening of the About box showed: its picture area as the dialog paints it, and
// three points as they are on the screen.
struct AboutLooks {
    std::shared_ptr<MemoryCanvas> picture;
    COLORREF dialogBackground = 0;
    COLORREF textBackground = 0;  // a corner of the text block, away from its centred lines
    COLORREF pictureMargin = 0;   // the picture area's left edge

};

AboutLooks looksOf(HWND about) {
    const HWND picture = GetDlgItem(about, 2101);
    RECT area{};
    GetClientRect(picture, &area);
    AboutLooks looks;
    looks.picture = std::make_shared<MemoryCanvas>(area.right, area.bottom);
    drawItem(about, 2101, *looks.picture);
    looks.dialogBackground = pixelOnScreen(about, 2, 2);
    looks.textBackground = pixelOnScreen(GetDlgItem(about, 2102), 1, 1);
    looks.pictureMargin = pixelOnScreen(picture, 0, area.bottom / 2);
    return looks;
}

int childCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

// The logo's opaque card, in the picture area: inside its rounded corners (the card spans
// 40..1060 by 20..571 of the image, with corners of radius 48), where no margin shows through.
RECT logoCard(const MemoryCanvas& canvas) {
    const RECT area = canvas.area();
    const auto placed = fitLogo({0, 0, area.right, area.bottom}, kLogoWidth, kLogoHeight);
    const float scale = static_cast<float>(placed->width) / kLogoWidth;
    const auto at = [scale](int offset, int imageCoordinate) {
        return offset + static_cast<int>(static_cast<float>(imageCoordinate) * scale);
    };
    return {at(placed->x, 40 + 48), at(placed->y, 20 + 48), at(placed->x, 1060 - 48),
            at(placed->y, 571 - 48)};
}

class AboutBoxTheme : public PluginHostTest {
protected:
    // Opens the About box from the panel of a new host in `appearance` and reads it.
    AboutLooks openAbout(Appearance appearance) {
        startHost(appearance);
        showPanel();
        AboutLooks looks;
        WhileAboutIsOpen probe([&](HWND about) {
            looks = looksOf(about);
            dialog = about;
            controlsOfDialog = childCount(about);
            requestsWhileOpen = host->themeRequests();
            PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
        });
        controls().click(kInfoButton);
        EXPECT_TRUE(probe.ran());
        return looks;
    }

    HWND dialog = nullptr;
    int controlsOfDialog = 0;
    std::vector<minihost::ThemeRequest> requestsWhileOpen;
};

TEST_F(AboutBoxTheme, TheHostIsAskedOnceToThemeTheDialogWhenItsControlsExist) {
    for (const Appearance appearance : {Appearance::dark, Appearance::light}) {
        openAbout(appearance);
        ASSERT_EQ(requestsWhileOpen.size(), 1u);
        const minihost::ThemeRequest& request = requestsWhileOpen.front();
        EXPECT_EQ(request.flags, kDarkModeThemeDialog);
        EXPECT_EQ(request.window, dialog);
        // Made from the template, not yet shown: the dialog was being initialised.
        EXPECT_EQ(request.controls, controlsOfDialog);
        EXPECT_EQ(controlsOfDialog, 5);
        EXPECT_FALSE(request.visible);
        EXPECT_EQ(host->themeRequests().size(), 1u);  // painting asks nothing more
    }
}

TEST_F(AboutBoxTheme, InADarkHostItIsDarkAndTheLogoIsDrawnAsInALightOne) {
    const AboutLooks light = openAbout(Appearance::light);
    const AboutLooks dark = openAbout(Appearance::dark);
    const COLORREF background = minihost::darkPalette().background;
    EXPECT_EQ(dark.dialogBackground, background);
    EXPECT_EQ(dark.textBackground, background);
    EXPECT_EQ(dark.pictureMargin, background);

    const MemoryCanvas& picture = *dark.picture;
    const RECT area = picture.area();
    EXPECT_EQ(picture.colourAt(0, area.bottom / 2), background);
    EXPECT_EQ(picture.colourAt(area.right - 1, area.bottom / 2), background);
    // The logo's transparent corner shows the margin colour: no white box around the card.
    const RECT card = logoCard(picture);
    const auto placed = fitLogo({0, 0, area.right, area.bottom}, kLogoWidth, kLogoHeight);
    EXPECT_EQ(picture.colourAt(placed->x + 1, placed->y + 1), background);

    int differing = 0;
    for (int y = card.top; y < card.bottom; ++y)
        for (int x = card.left; x < card.right; ++x)
            differing += picture.at(x, y) != light.picture->at(x, y);
    EXPECT_GT(card.right - card.left, 100);
    EXPECT_EQ(differing, 0);
}

TEST_F(AboutBoxTheme, ALightHostAndAHostWithoutDarkModeShowTheSameWhiteMargins) {
    const AboutLooks light = openAbout(Appearance::light);
    EXPECT_EQ(light.pictureMargin, kWhite);
    EXPECT_EQ(light.picture->colourAt(0, 0), kWhite);
    EXPECT_NE(light.dialogBackground, minihost::darkPalette().background);

    // A host window that answers none of the dark-mode messages: DefWindowProc's 0.
    const INITCOMMONCONTROLSEX links{sizeof(INITCOMMONCONTROLSEX), ICC_LINK_CLASS};
    InitCommonControlsEx(&links);
    startGdiplusOnce();
    const HMODULE plugin = LoadLibraryW(tarnwickDllPath().c_str());
    ASSERT_NE(plugin, nullptr);
    TestHostWindow unaware(L"");
    AboutLooks unawareLooks;
    WhileAboutIsOpen probe([&](HWND about) {
        unawareLooks = looksOf(about);
        dialog = about;
        PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    });
    showAboutBox(plugin, unaware.hwnd());
    FreeLibrary(plugin);
    ASSERT_TRUE(probe.ran());

    EXPECT_EQ(unawareLooks.dialogBackground, light.dialogBackground);
    EXPECT_EQ(unawareLooks.textBackground, light.textBackground);
    EXPECT_EQ(unawareLooks.pictureMargin, kWhite);
    const RECT area = light.picture->area();
    int differing = 0;
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x)
            differing += unawareLooks.picture->at(x, y) != light.picture->at(x, y);
    EXPECT_EQ(differing, 0);

    // Asked once to theme the dialog; told it is not dark, so never asked for colours.
    int themeRequests = 0;
    for (const auto& received : unaware.received()) {
        EXPECT_NE(received.message, NPPM_GETDARKMODECOLORS);
        if (received.message != NPPM_DARKMODESUBCLASSANDTHEME) continue;
        ++themeRequests;
        EXPECT_EQ(received.wParam, kDarkModeThemeDialog);
        EXPECT_EQ(reinterpret_cast<HWND>(received.lParam), dialog);
    }
    EXPECT_EQ(themeRequests, 1);
}

}  // namespace
}  // namespace tarnwick::testing
