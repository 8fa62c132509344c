#include <windows.h>

#include <algorithm>
#include <string>

#include "host/host_messages.hpp"
#include "host/host_records.hpp"
#include "minihost/dark_theme.hpp"
#include "minihost/scintilla_messages.hpp"
#include "minihost_fixture.hpp"
#include "theme_probes.hpp"

namespace tarnwick::minihost::testing {
namespace {

using tarnwick::testing::answerTo;
using tarnwick::testing::ColourAnswer;
using tarnwick::testing::createPlainDialog;

constexpr std::uint32_t kUntouched = 0x00ABCDEF;

class MiniHostDarkMode : public MiniHostTest {
protected:
    LRESULT ask(UINT message, WPARAM wParam, LPARAM lParam = 0) const {
        return SendMessageW(host->mainWindow(), message, wParam, lParam);
    }

    // A record the host has not written to yet.
    static DarkModeColors untouchedRecord() {
        DarkModeColors record{kUntouched, {}};
        std::ranges::fill(record.others, kUntouched);
        return record;
    }

    LRESULT askForColours(DarkModeColors& record, WPARAM size = sizeof(DarkModeColors)) const {
        return ask(NPPM_GETDARKMODECOLORS, size, reinterpret_cast<LPARAM>(&record));
    }

    LRESULT askToTheme(WPARAM flags, HWND window) const {
        return ask(NPPM_DARKMODESUBCLASSANDTHEME, flags, reinterpret_cast<LPARAM>(window));
    }

    static bool isUntouched(const DarkModeColors& record) {
        return record.background == kUntouched &&
               std::ranges::all_of(record.others, [](auto c) { return c == kUntouched; });
    }
};

TEST_F(MiniHostDarkMode, ALightHostAnswersAsAHostWithoutDarkModeAndThemesNothing) {
    startHost();
    EXPECT_EQ(ask(NPPM_ISDARKMODEENABLED, 0), FALSE);
    DarkModeColors record = untouchedRecord();
    EXPECT_EQ(askForColours(record), FALSE);
    EXPECT_TRUE(isUntouched(record));

    const WindowOwner dialog = createPlainDialog(host->mainWindow());
    const ColourAnswer before = answerTo(dialog.get(), WM_CTLCOLORSTATIC);
    EXPECT_EQ(askToTheme(kDarkModeThemeDialog, dialog.get()), FALSE);
    EXPECT_EQ(answerTo(dialog.get(), WM_CTLCOLORSTATIC), before);
    // Scintilla's own default: black on white.
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_STYLEGETBACK, STYLE_DEFAULT, 0), 0xFFFFFF);
    EXPECT_EQ(host->themeRequests().size(), 1u);  // kept all the same
}

TEST_F(MiniHostDarkMode, ADarkHostFillsOnlyARecordOfTwelveColours) {
    startHost(Appearance::dark);
    EXPECT_EQ(ask(NPPM_ISDARKMODEENABLED, 0), TRUE);
    DarkModeColors record = untouchedRecord();
    ASSERT_EQ(askForColours(record), TRUE);
    EXPECT_EQ(record.background, 0x00202020u);
    EXPECT_TRUE(std::ranges::equal(record.others, darkPalette().others));
    // A record of another size is refused and left alone, and so is none.
    for (const WPARAM size : {sizeof(DarkModeColors) - 4, sizeof(DarkModeColors) + 4, WPARAM{0}}) {
        DarkModeColors other = untouchedRecord();
        EXPECT_EQ(askForColours(other, size), FALSE) << size;
        EXPECT_TRUE(isUntouched(other)) << size;
    }
    EXPECT_EQ(ask(NPPM_GETDARKMODECOLORS, sizeof(DarkModeColors), 0), FALSE);
}

TEST_F(MiniHostDarkMode, ADarkHostThemesADialogAskedWithTheDialogFlags) {
    startHost(Appearance::dark);
    const WindowOwner dialog = createPlainDialog(host->mainWindow());
    const ColourAnswer light = answerTo(dialog.get(), WM_CTLCOLORSTATIC);
    EXPECT_EQ(askToTheme(0x1, dialog.get()), FALSE);  // flags it does not know: nothing done
    EXPECT_EQ(answerTo(dialog.get(), WM_CTLCOLORSTATIC), light);
    EXPECT_EQ(askToTheme(kDarkModeThemeDialog, nullptr), FALSE);

    EXPECT_EQ(askToTheme(kDarkModeThemeDialog, dialog.get()), TRUE);
    const COLORREF background = darkPalette().background;
    for (const UINT message : {WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN}) {
        const ColourAnswer dark = answerTo(dialog.get(), message);
        EXPECT_EQ(dark.text, darkText()) << message;
        EXPECT_EQ(dark.background, background) << message;
        EXPECT_EQ(dark.brushPaints, background) << message;
    }
    // The dialog erases itself with the brush it is answered.
    EXPECT_EQ(answerTo(dialog.get(), WM_ERASEBKGND).erased, background);
    // Edit boxes and lists keep their own colours.
    EXPECT_EQ(answerTo(dialog.get(), WM_CTLCOLOREDIT).background, GetSysColor(COLOR_WINDOW));

    ASSERT_EQ(host->themeRequests().size(), 3u);
    EXPECT_EQ(host->themeRequests()[2].window, dialog.get());
    EXPECT_EQ(host->themeRequests()[2].flags, kDarkModeThemeDialog);
}

TEST_F(MiniHostDarkMode, ADarkHostsViewsAndMainWindowAreDark) {
    startHost(Appearance::dark);
    for (const HWND view : {host->mainView(), host->secondView()}) {
        for (const WPARAM style : {WPARAM{0}, STYLE_DEFAULT}) {
            EXPECT_EQ(SendMessageW(view, SCI_STYLEGETBACK, style, 0), darkPalette().background);
            EXPECT_EQ(SendMessageW(view, SCI_STYLEGETFORE, style, 0), darkText());
        }
    }
    EXPECT_EQ(answerTo(host->mainWindow(), WM_ERASEBKGND).erased, darkPalette().background);
}

}  // namespace
}  // namespace tarnwick::minihost::testing
