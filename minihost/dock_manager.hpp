#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "host/host_records.hpp"
#include "minihost/panel_registration.hpp"

namespace tarnwick::minihost {

// The host's docking: keeps the registered panels, docks each at the bottom of the main
// window's client area at full width and a fixed height, and shows and hides them. The
// panels are the plugin's child windows; the dock only places them.
class DockManager {
public:
    static constexpr int kPanelHeight = 300;

    // `relayout` places the panels and the editor views again; it is called whenever a
    // panel is docked, shown or hidden.
    DockManager(HWND mainWindow, std::function<void()> relayout);

    // Copies the record and tells the panel where it is docked. Refused (false) for a
    // record whose window is not a child of the main window: there is nowhere to dock it.
    bool registerPanel(const tTbData& record);

    // Shows, hides or closes a registered panel; false for any other window. Closing is the
    // host's own hide, as when the user closes the panel: the panel hears DMN_CLOSE first.
    bool show(HWND panel);
    bool hide(HWND panel);
    bool close(HWND panel);

    // Places the panels in `area` (client coordinates) and returns what is left for the
    // editor views: all of it when no panel is visible.
    RECT arrange(RECT area) const;

    const std::vector<PanelRegistration>& registrations() const { return registrations_; }

    // The registered windows that exist and are shown now.
    std::vector<const PanelRegistration*> visiblePanels() const;

private:
    PanelRegistration* find(HWND panel);
    void notify(HWND panel, std::uint32_t code) const;
    bool setShown(HWND panel, bool shown);

    HWND mainWindow_;
    std::function<void()> relayout_;
    std::vector<PanelRegistration> registrations_;
};

}  // namespace tarnwick::minihost
