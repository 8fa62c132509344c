#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "about/about_theme.hpp"
#include "about/gdiplus_session.hpp"
#include "about/logo_painter.hpp"
#include "about/logo_fit.hpp"
#include "about_box_probes.hpp"
#include "plugin_host_fixture.hpp"

namespace tarnwick::testing {
namespace {

std::wstring windowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::wstring className(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

using AboutBox = PluginHostTest;

TEST_F(AboutBox, InfoOpensItOwnedByTheHostWithItsTextsLinksAndOkButton) {
    showPanel();
    HWND seen = nullptr;
    WhileAboutIsOpen probe([&](HWND about) {
        seen = about;
        EXPECT_EQ(GetWindow(about, GW_OWNER), host->mainWindow());
        EXPECT_FALSE(IsWindowEnabled(host->mainWindow()));
        EXPECT_EQ(windowText(GetDlgItem(about, 2102)),
                  L"Tarnwick Plugin for Notepad++\r\nVersion 1.0  |  Build 2026\r\n"
                  L"Copyright \u00A9 2026 The Tarnwick developers");
        for (int link : {2103, 2104}) {
            ASSERT_NE(GetDlgItem(about, link), nullptr) << link;
            EXPECT_EQ(className(GetDlgItem(about, link)), L"SysLink") << link;
        }
        EXPECT_NE(windowText(GetDlgItem(about, 2103)).find(L"https://"), std::wstring::npos);
        EXPECT_NE(windowText(GetDlgItem(about, 2104)).find(L"mailto:"), std::wstring::npos);
        EXPECT_EQ(windowText(GetDlgItem(about, IDOK)), L"OK");
        SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    });
    controls().click(kInfoButton);
    EXPECT_TRUE(probe.ran());
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_TRUE(IsWindowEnabled(host->mainWindow()));
}

TEST_F(AboutBox, EscapeClosesIt) {
    showPanel();
    HWND seen = nullptr;
    WhileAboutIsOpen probe([&](HWND about) {
        seen = about;
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    controls().click(kInfoButton);
    EXPECT_TRUE(probe.ran());
    EXPECT_FALSE(IsWindow(seen));
}

TEST_F(AboutBox, OpeningAndClosingFiftyTimesLeavesNoWindowsBehind) {
    showPanel();
    int closed = 0;
    for (int i = 0; i < 50; ++i) {
        WhileAboutIsOpen probe([&](HWND about) {
            ++closed;
            SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        });
        controls().click(kInfoButton);
    }
    EXPECT_EQ(closed, 50);
    EXPECT_EQ(FindWindowW(L"#32770", L"About Tarnwick"), nullptr);
}

TEST_F(AboutBox, PictureAreaGetsTheLogoCentredWithWhiteMargins) {
    showPanel();
    WhileAboutIsOpen probe([&](HWND about) {
        RECT area{};
        GetClientRect(GetDlgItem(about, 2101), &area);
        MemoryCanvas canvas(area.right, area.bottom);
        canvas.fill(0);
        drawItem(about, 2101, canvas);
        const int middle = area.bottom / 2;
        // The area is wider than the logo: white left and right, the logo's dark card between.
        EXPECT_EQ(canvas.at(0, middle), 0xFFFFFFu);
        EXPECT_EQ(canvas.at(area.right - 1, middle), 0xFFFFFFu);
        const auto placed = fitLogo({0, 0, area.right, area.bottom}, 1100, 591);
        ASSERT_TRUE(placed);
        const float scale = static_cast<float>(placed->height) / 591.0f;
        const std::uint32_t card = canvas.at(placed->x + static_cast<int>(70 * scale),
                                             placed->y + static_cast<int>(300 * scale));
        EXPECT_LT((card & 0xFF) + ((card >> 8) & 0xFF) + (card >> 16), 3u * 100)
            << std::hex << card;
        // Centred at any DPI: as much margin on the left as on the right of the middle row.
        int left = 0;
        while (left < area.right && canvas.at(left, middle) == 0xFFFFFFu) ++left;
        int right = 0;
        while (right < area.right && canvas.at(area.right - 1 - right, middle) == 0xFFFFFFu) ++right;
        EXPECT_GT(left, 0);
        EXPECT_LE(std::abs(left - right), 1) << left << " " << right;

        canvas.fill(0);
        drawItem(about, 2102, canvas);  // any other owner-drawn item is not the dialog's to paint
        EXPECT_EQ(canvas.at(0, middle), 0u);
        PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    });
    controls().click(kInfoButton);
    EXPECT_TRUE(probe.ran());
}

// Painting straight into a memory bitmap, many times over, by every path: the logo, a
// module without the logo, and a module whose logo is not an image.
class LogoPainting : public ::testing::Test {
protected:
    void SetUp() override { startGdiplusOnce(); }

    // Paints `times` times and returns how much the process's private memory grew.
    SIZE_T paint(HMODULE module, int times, COLORREF margin = kLightPictureMargin) {
        paintLogo(module, canvas.dc(), canvas.area(),
                  margin);  // first paint: GDI+'s one-off set-up
        const SIZE_T before = privateBytes();
        for (int i = 0; i < times; ++i) paintLogo(module, canvas.dc(), canvas.area(), margin);
        const SIZE_T after = privateBytes();
        return after > before ? after - before : 0;
    }

    static SIZE_T privateBytes() {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters);
        return counters.PrivateUsage;
    }

    MemoryCanvas canvas{300, 100};
};

// Every leaked paint would keep a decoded 1100 x 591 image (2.6 MB) or the 8 KB copy of
// the file: hundreds of paints must not add up to more than noise.
constexpr SIZE_T kNoise = 4 * 1024 * 1024;

TEST_F(LogoPainting, LogoPathDrawsAndReleasesEverything) {
    const HMODULE plugin = LoadLibraryW(tarnwickDllPath().c_str());
    ASSERT_NE(plugin, nullptr);
    EXPECT_LT(paint(plugin, 600), kNoise);
    EXPECT_FALSE(canvas.allWhite());
    EXPECT_EQ(canvas.at(0, 50), 0xFFFFFFu);  // margin
    FreeLibrary(plugin);
}

TEST_F(LogoPainting, ModuleWithoutTheLogoLeavesTheAreaWhite) {
    const HMODULE withoutLogo = GetModuleHandleW(L"kernel32.dll");
    EXPECT_LT(paint(withoutLogo, 600), kNoise);
    EXPECT_TRUE(canvas.allWhite());
}

TEST_F(LogoPainting, AreaTheLogoLeavesTakesTheMarginColour) {
    constexpr COLORREF kMargin = RGB(0x10, 0x20, 0x40);  // three different bytes: their order shows
    paint(GetModuleHandleW(L"kernel32.dll"), 1, kMargin);
    EXPECT_EQ(canvas.colourAt(0, 0), kMargin);
    EXPECT_EQ(canvas.colourAt(299, 99), kMargin);
}

TEST_F(LogoPainting, EveryPaintDeletesItsBrush) {
    // More paints than a process may hold GDI objects (10,000 on Windows, 16,384 under
    // Wine): had each kept its brush, the last one could not make one and fill white.
    const HMODULE withoutLogo = GetModuleHandleW(L"kernel32.dll");
    paint(withoutLogo, 17000);
    canvas.fill(0);
    paint(withoutLogo, 1);
    EXPECT_TRUE(canvas.allWhite());
}

TEST_F(LogoPainting, LogoThatIsNotAnImageLeavesTheAreaWhite) {
    // This test program's own resource 3000 holds text, not a PNG.
    EXPECT_LT(paint(GetModuleHandleW(nullptr), 600), kNoise);
    EXPECT_TRUE(canvas.allWhite());
}

}  // namespace
}  // namespace tarnwick::testing
