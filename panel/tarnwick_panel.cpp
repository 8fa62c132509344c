#include "panel/tarnwick_panel.hpp"

#include "core/current_view.hpp"
#include "core/panel_layout.hpp"
#include "host/host_messages.hpp"
#include "resources/resource.h"

namespace tarnwick {

TarnwickPanel::TarnwickPanel() : DockingDlgInterface(IDD_TARNWICK_PANEL) {}

void TarnwickPanel::attachToHost(const NppData& host, int showPanelCommandId,
                                 int showPanelMenuIndex) {
    hostHandles = host;
    commandId = showPanelCommandId;
    settings.initPaths(hostHandles._nppHandle);
    indicators.allocate(hostHandles._nppHandle);
    settings.load(searchList);

    tTbData registration{};
    createDockable(registration);
    registration.dlgID = showPanelMenuIndex;
    registration.uMask = DWS_DF_CONT_BOTTOM;
    registration.pszModuleName = getModuleName().c_str();
    SendMessageW(static_cast<HWND>(hostHandles._nppHandle), NPPM_DMMREGASDCKDLG, 0,
                 reinterpret_cast<LPARAM>(&registration));
}

void TarnwickPanel::saveSearches() { settings.save(searchList); }

void TarnwickPanel::reapplyHighlights() const {
    tarnwick::reapplyHighlights(hostHandles, searchList, matchList, indicators);
}

WindowHandle TarnwickPanel::currentView() const { return tarnwick::currentView(hostHandles); }

INT_PTR TarnwickPanel::dialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: setUpControls(); return TRUE;
        case WM_SIZE: layoutControls(LOWORD(lParam), HIWORD(lParam)); return TRUE;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {kPanelMinimumWidth, kPanelMinimumHeight};
            return TRUE;
        }
        default: return DockingDlgInterface::dialogProc(message, wParam, lParam);
    }
}

}  // namespace tarnwick
