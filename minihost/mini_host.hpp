#pragma once

#include <windows.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/host_records.hpp"
#include "minihost/dock_manager.hpp"
#include "minihost/indicator_allocator.hpp"
#include "minihost/main_window.hpp"
#include "minihost/menu_bar.hpp"
#include "minihost/panel_registration.hpp"
#include "minihost/panel_session.hpp"
#include "minihost/plugin_module.hpp"
#include "minihost/scintilla_library.hpp"
#include "minihost/scintilla_view.hpp"

namespace tarnwick::minihost {

// A small stand-in for the editor that hosts the plugin: a main window with two real
// Scintilla views, one plugin loaded through its exports, the host messages answered and
// the notifications sent as the editor does. Everything runs on the caller's thread.
class MiniHost final : private MainWindowHandler {
public:
    static constexpr int kDefaultFirstIndicator = 20;
    static constexpr int kMainViewIndex = 0;
    static constexpr int kSecondViewIndex = 1;

    // `configDirectory` is what plugins are told their configuration folder is; it need
    // not exist. Indicator blocks are granted from `firstIndicator` on. Throws
    // std::runtime_error when Scintilla or the windows cannot be set up.
    explicit MiniHost(std::filesystem::path configDirectory,
                      int firstIndicator = kDefaultFirstIndicator);
    ~MiniHost();
    MiniHost(const MiniHost&) = delete;
    MiniHost& operator=(const MiniHost&) = delete;

    // Loads the plugin and starts it as the host does at start-up: the exports in order,
    // its menu, the panels it had visible at the last exit, then NPPN_READY. One plugin
    // per host; false when one is loaded already, after exit, or when it does not load.
    bool loadPlugin(const std::filesystem::path& dllPath);

    // Loads a UTF-8 file into the document the main view shows.
    bool openFile(const std::filesystem::path& path);

    HWND mainWindow() const;
    HWND mainView() const;
    HWND secondView() const;

    // 0 for the main view, 1 for the second; other values are ignored (false).
    bool setCurrentView(int view);
    int currentView() const { return currentView_; }

    // Shows the other document in the current view and notifies NPPN_BUFFERACTIVATED.
    void switchDocument();

    std::wstring pluginName() const;
    std::span<const FuncItem> funcItems() const;
    std::optional<int> commandIdOf(std::size_t index) const;
    // Runs the item as a click in the menu does (WM_COMMAND with its identifier); false
    // when there is no such item.
    bool runMenuCommand(std::size_t index);
    // Passes a message to the plugin's messageProc; 0 when no plugin is loaded.
    LRESULT messageToPlugin(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<PanelRegistration> registeredPanels() const;
    // Hides a docked panel as the user closing it would; false for an unknown window.
    bool hidePanel(HWND panel);

    // NPPN_SHUTDOWN while the panels still exist, then the main window with its children,
    // then the plugin's unload. Done once; the destructor does it if nobody did.
    void exit();
    bool hasExited() const { return exited_; }

    // Processes every message waiting on this thread's queue.
    void pumpMessages();
    // Dispatches one message, giving the docked panels their dialog keyboard handling.
    void dispatch(MSG& message);

private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> handleHostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> handleCommand(int commandId);
    LRESULT answerCurrentView(LPARAM lParam) const;
    LRESULT answerConfigDirectory(WPARAM wParam, LPARAM lParam) const;
    LRESULT answerIndicators(WPARAM wParam, LPARAM lParam);
    LRESULT registerPanel(LPARAM lParam);
    void layout();
    void notifyPlugin(std::uint32_t code) const;
    void reopenRememberedPanels();
    ScintillaView& view(int index) const;

    // Set once every part below exists; until then the main window's messages, which start
    // during its creation, get the default handling.
    bool ready_ = false;
    std::filesystem::path configDirectory_;
    IndicatorAllocator indicators_;
    PanelSession session_;
    // Declared in the order they are set up; exit() takes them down in the order the
    // plugin must see.
    std::unique_ptr<ScintillaLibrary> scintilla_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<MenuBar> menuBar_;
    std::unique_ptr<ScintillaView> mainView_;
    std::unique_ptr<ScintillaView> secondView_;
    std::unique_ptr<DockManager> dock_;
    std::unique_ptr<PluginModule> plugin_;
    int currentView_ = kMainViewIndex;
    bool exited_ = false;
};

}  // namespace tarnwick::minihost
