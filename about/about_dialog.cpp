#include "about/about_dialog.hpp"

#include <commctrl.h>
#include <shellapi.h>

#include "about/about_theme.hpp"
#include "about/logo_painter.hpp"
#include "dialogs/exception_barrier.hpp"
#include "resources/resource.h"
#include "resources/version.h"

namespace tarnwick {

namespace {

// The module whose resources hold the logo, recorded by showAboutBox for the procedure.
HINSTANCE aboutModule = nullptr;

bool isLinkActivation(const NMHDR& header) {
    const bool fromLink =
        header.idFrom == IDC_ABOUT_WEB_LINK || header.idFrom == IDC_ABOUT_MAIL_LINK;
    return fromLink && (header.code == NM_CLICK || header.code == NM_RETURN);
}

// The host's main window, which showAboutBox made the dialog's owner.
HWND hostOf(HWND dialog) {
    return GetWindow(dialog, GW_OWNER);
}

void initialise(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_ABOUT_TEXT, aboutText());
    // The controls exist by now, so a dark host themes them with the dialog.
    askHostToThemeDialog(hostOf(dialog), dialog);
}

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: initialise(dialog); return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != IDC_ABOUT_PICTURE) return FALSE;
            // Asked at every paint, as the logo is decoded at every paint: nothing is kept.
            paintLogo(aboutModule, item.hDC, item.rcItem, pictureMarginColour(hostOf(dialog)));
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (!isLinkActivation(header)) return FALSE;
            const auto& link = *reinterpret_cast<const NMLINK*>(lParam);
            ShellExecuteW(dialog, L"open", link.item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
            return TRUE;
        }
        case WM_COMMAND: {
            const WORD command = LOWORD(wParam);
            if (command != IDOK && command != IDCANCEL) return FALSE;
            EndDialog(dialog, command);
            return TRUE;
        }
        default: return FALSE;
    }
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return exceptionBarrier<INT_PTR>(
        FALSE, [&] { return handleMessage(dialog, message, wParam, lParam); });
}

}  // namespace

const wchar_t* aboutText() {
    return L"Tarnwick Plugin for Notepad++\r\nVersion " TARNWICK_VERSION L"  |  Build 2026\r\n"
           L"Copyright \u00A9 2026 The Tarnwick developers";
}

void showAboutBox(HINSTANCE module, HWND owner) {
    aboutModule = module;
    DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_ABOUT), owner, &aboutDialogProc, 0);
}

}  // namespace tarnwick
