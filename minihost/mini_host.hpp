#pragma once

#include <windows.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_records.hpp"
#include "minihost/buffer.hpp"
#include "minihost/dock_manager.hpp"
#include "minihost/document_tabs.hpp"
#include "minihost/indicator_allocator.hpp"
#include "minihost/main_window.hpp"
#include "minihost/menu_bar.hpp"
#include "minihost/message_hook.hpp"
#include "minihost/modeless_dialogs.hpp"
#include "minihost/panel_registration.hpp"
#include "minihost/panel_session.hpp"
#include "minihost/plugin_module.hpp"
#include "minihost/scintilla_library.hpp"
#include "minihost/theme_request.hpp"

namespace tarnwick::minihost {

// A light host answers the dark-mode messages as a host without dark mode does: FALSE,
// nothing themed. A dark one hands out its palette and themes its main window, its views,
// the panels it docks and the dialogs a plugin asks it to.
enum class Appearance { light, dark };

// A small stand-in for the editor that hosts the plugin: a main window with two real
// Scintilla views, each with a row of tabs over the documents it has open, one plugin
// loaded through its exports, the host messages answered and the notifications sent as
// the editor does. It costs what the editor costs a plugin: a hook on its thread that every
// sent message passes, and views that notify indicator changes, each of which repaints the
// whole view. Everything runs on the caller's thread.
class MiniHost final : private MainWindowHandler {
public:
    static constexpr int kDefaultFirstIndicator = 20;
    static constexpr int kMainViewIndex = 0;
    static constexpr int kSecondViewIndex = 1;

    // `configDirectory` is what plugins are told their configuration folder is; it need
    // not exist. Indicator blocks are granted from `firstIndicator` on. Throws
    // std::runtime_error when Scintilla or the windows cannot be set up.
    explicit MiniHost(std::filesystem::path configDirectory,
                      int firstIndicator = kDefaultFirstIndicator,
                      Appearance appearance = Appearance::light);
    ~MiniHost();
    MiniHost(const MiniHost&) = delete;
    MiniHost& operator=(const MiniHost&) = delete;

    // Loads the plugin and starts it as the host does at start-up: the exports in order,
    // its menu, the panels it had visible at the last exit, then NPPN_READY. One plugin
    // per host; false when one is loaded already, after exit, or when it does not load.
    bool loadPlugin(const std::filesystem::path& dllPath);

    // Opens a file in the main view, named after it, with its bytes as they are in
    // `codePage` (65001 UTF-8, or 0 the system's ANSI code page). While the main view's
    // only tab is an empty, unmodified "new N" document, the file takes its place (that
    // document is closed, NPPN_FILEBEFORECLOSE first); otherwise it gets a new tab. False
    // when the file cannot be read or the code page is neither.
    bool openFile(const std::filesystem::path& path, UINT codePage = kUtf8CodePage);

    // A new "new N" document holding `bytes` (unmodified, nothing to undo) in a new tab at
    // the end of `view`, shown there; NPPN_BUFFERACTIVATED when `view` is the current
    // view. 0 for a view that does not exist or a code page other than 65001 and 0.
    BufferId newDocument(int view, std::string_view bytes, UINT codePage = kUtf8CodePage);

    // As NPPM_ACTIVATEDOC does: makes `view` current, shows its tab `tabIndex`, then
    // notifies NPPN_BUFFERACTIVATED. False, doing nothing, for a view or tab that does
    // not exist.
    bool activateDocument(int view, int tabIndex);

    // Shows an open document in `toView` too, in a new tab at its end that shares the
    // document; NPPN_BUFFERACTIVATED when `toView` is current. False for a document that
    // is not open or that `toView` has already.
    bool cloneDocument(BufferId id, int toView);

    // NPPN_FILEBEFORECLOSE while the document still exists, then its tabs go from both
    // views and the document with them. A view left without tabs gets an empty "new N";
    // where the shown tab went, its right neighbour is shown, else its left, and when the
    // current view now shows another document, NPPN_BUFFERACTIVATED names it. False for a
    // document that is not open.
    bool closeDocument(BufferId id);

    // Replaces the document's text with `bytes` as the editor does when it reloads a file
    // from disk: into the same document, through a hidden editor whose modification events
    // are off, so that no window reports the change; the document's indicators go with the
    // old text, and it is left unmodified with nothing to undo. For a document a view
    // shows, NPPN_BUFFERACTIVATED naming it then comes twice, whichever view is current. A
    // document no view shows is reloaded, silently, when a view shows it next, before that
    // showing is announced. False for a document that is not open.
    bool reloadDocument(BufferId id, std::string_view bytes);
    // The same with the bytes of the document's file, as File > Reload from Disk. False,
    // changing nothing, for a document that is not open, has no file, or whose file cannot
    // be read.
    bool reloadFromDisk(BufferId id);

    // Turns the watch on the document's file (tail -f) on or off. False for a document
    // that is not open or has no file.
    bool setMonitoring(BufferId id, bool on);
    bool isMonitoring(BufferId id) const;
    // Reloads, as reloadFromDisk does, every watched document whose file's size or
    // last-write time changed since the document last read it. The program runs it from a
    // timer; a file that cannot be looked at or read leaves its document as it is.
    void checkFilesOnDisk();

    // Replace All on the current view's document: every match of `find` (literal, ignoring
    // case) becomes `replacement`, as one undo action, with that view's modification events
    // off, so only the other view, when it shows the same document, reports the changes as
    // they happen. When something was replaced, the plugin then gets NPPN_GLOBALMODIFIED
    // with the buffer id in the header's hwndFrom and 0 in idFrom. Bytes in the document's
    // code page; returns how many were replaced, 0 for an empty `find`.
    int replaceAll(std::string_view find, std::string_view replacement);

    // The documents of the view's tabs in their order; none for a view that does not exist.
    std::vector<BufferId> tabs(int view) const;
    // The document the view shows; 0 for a view that does not exist.
    BufferId shownBuffer(int view) const;
    // The document the current view shows.
    BufferId currentBuffer() const;

    HWND mainWindow() const;
    HWND mainView() const;
    HWND secondView() const;
    // The tab control above the view; null for a view that does not exist.
    HWND tabStrip(int view) const;

    // 0 for the main view, 1 for the second; other values are ignored (false). Nothing
    // is notified: the documents shown stay the same.
    bool setCurrentView(int view);
    int currentView() const { return currentView_; }

    // Shows the next tab of the current view, the first after the last, and notifies
    // NPPN_BUFFERACTIVATED; nothing happens in a view with one tab.
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
    // The dialogs plugins registered for the host's dialog key handling.
    const std::vector<HWND>& modelessDialogs() const { return modelessDialogs_.dialogs(); }
    // Every NPPM_DARKMODESUBCLASSANDTHEME so far, in order.
    const std::vector<ThemeRequest>& themeRequests() const { return themeRequests_; }
    // Hides a docked panel as the user closing it would; false for an unknown window.
    bool hidePanel(HWND panel);

    // NPPN_SHUTDOWN while the panels still exist, then the main window with its children,
    // then the plugin's unload. Done once; the destructor does it if nobody did.
    void exit();
    bool hasExited() const { return exited_; }

    // Processes every message waiting on this thread's queue.
    void pumpMessages();
    // Dispatches one message, first offering it to the registered modeless dialogs.
    void dispatch(MSG& message);

private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> handleHostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> handleCommand(int commandId);
    void askAndReplaceAll();
    void showDocumentInMenu() const;
    std::optional<LRESULT> handleNotify(const NMHDR& header);
    void repaintOnIndicatorChange(const NMHDR& header) const;
    bool forwardEditorNotification(const NMHDR& header) const;
    LRESULT answerCurrentView(LPARAM lParam) const;
    LRESULT answerPosition(WPARAM wParam, LPARAM lParam) const;
    LRESULT answerActivation(WPARAM wParam, LPARAM lParam);
    LRESULT answerConfigDirectory(WPARAM wParam, LPARAM lParam) const;
    LRESULT answerIndicators(WPARAM wParam, LPARAM lParam);
    LRESULT answerDarkModeColours(WPARAM wParam, LPARAM lParam) const;
    LRESULT answerTheming(WPARAM wParam, LPARAM lParam);
    LRESULT registerPanel(LPARAM lParam);
    void themeOwnWindows() const;
    void layout();
    // Runs `change` on the tabs and tells the plugin when the current view shows another
    // document afterwards.
    template <typename Change>
    auto changeTabs(Change change);
    void notifyPlugin(std::uint32_t code, BufferId id = 0) const;
    void notifyGlobalModified(BufferId id) const;
    void reopenRememberedPanels();

    // Set once every part below exists; until then the main window's messages, which start
    // during its creation, get the default handling.
    bool ready_ = false;
    // Every message sent to the host's windows, its views' included, passes through it.
    MessageHook hook_;
    std::filesystem::path configDirectory_;
    IndicatorAllocator indicators_;
    PanelSession session_;
    bool dark_;
    std::vector<ThemeRequest> themeRequests_;
    // Declared in the order they are set up; exit() takes them down in the order the
    // plugin must see.
    std::unique_ptr<ScintillaLibrary> scintilla_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<MenuBar> menuBar_;
    std::unique_ptr<DocumentTabs> documents_;
    std::unique_ptr<DockManager> dock_;
    ModelessDialogs modelessDialogs_;
    std::unique_ptr<PluginModule> plugin_;
    int currentView_ = kMainViewIndex;
    bool exited_ = false;
};

}  // namespace tarnwick::minihost
