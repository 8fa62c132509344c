#include "minihost/mini_host.hpp"

#include <commctrl.h>

#include <climits>
#include <utility>

#include "host/host_messages.hpp"
#include "minihost/dark_theme.hpp"
#include "minihost/host_numbers.hpp"
#include "minihost/replace_all.hpp"
#include "minihost/replace_dialog.hpp"
#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 750;
constexpr wchar_t kSessionFileName[] = L"minihost-session.txt";

HWND windowIn(LPARAM lParam) {
    return reinterpret_cast<HWND>(lParam);
}

bool isKnownCodePage(UINT codePage) {
    return codePage == kUtf8CodePage || codePage == kAnsiCodePage;
}

int childWindowCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

}  // namespace

MiniHost::MiniHost(std::filesystem::path configDirectory, int firstIndicator, Appearance appearance)
    : configDirectory_(std::move(configDirectory)),
      indicators_(firstIndicator),
      session_(configDirectory_ / kSessionFileName),
      dark_(appearance == Appearance::dark),
      scintilla_(std::make_unique<ScintillaLibrary>()),
      mainWindow_(std::make_unique<MainWindow>(static_cast<MainWindowHandler&>(*this), kWindowWidth,
                                               kWindowHeight)),
      menuBar_(std::make_unique<MenuBar>(mainWindow_->handle())),
      documents_(std::make_unique<DocumentTabs>(mainWindow_->handle())),
      dock_(std::make_unique<DockManager>(mainWindow_->handle(), [this] { layout(); })) {
    ready_ = true;
    if (dark_) themeOwnWindows();
    layout();
    ShowWindow(mainWindow(), SW_SHOWNORMAL);
    UpdateWindow(mainWindow());
}

MiniHost::~MiniHost() {
    exit();
}

bool MiniHost::loadPlugin(const std::filesystem::path& dllPath) {
    if (plugin_ || exited_) return false;
    const NppData host{mainWindow(), mainView(), secondView()};
    plugin_ = PluginModule::load(dllPath, host, kFirstPluginCommandId);
    if (!plugin_) return false;
    menuBar_->addPlugin(plugin_->name(), plugin_->items());
    reopenRememberedPanels();
    notifyPlugin(NPPN_READY);
    return true;
}

template <typename Change>
auto MiniHost::changeTabs(Change change) {
    const BufferId before = currentBuffer();
    const auto result = change();
    if (currentBuffer() != before) notifyPlugin(NPPN_BUFFERACTIVATED, currentBuffer());
    return result;
}

bool MiniHost::openFile(const std::filesystem::path& path, UINT codePage) {
    if (!documents_ || !isKnownCodePage(codePage)) return false;
    DiskFile file(path);
    const auto bytes = file.read();
    if (!bytes) return false;
    const BufferId replaced = documents_->replaceableBuffer(kMainViewIndex);
    if (replaced != 0) notifyPlugin(NPPN_FILEBEFORECLOSE, replaced);
    const DocumentContent content{*bytes, codePage, std::move(file)};
    changeTabs([&] { return documents_->open(kMainViewIndex, content, replaced); });
    return true;
}

BufferId MiniHost::newDocument(int view, std::string_view bytes, UINT codePage) {
    if (!documents_ || !DocumentTabs::isView(view) || !isKnownCodePage(codePage)) return 0;
    return changeTabs([&] { return documents_->open(view, {bytes, codePage, std::nullopt}); });
}

bool MiniHost::activateDocument(int view, int tabIndex) {
    if (!documents_ || tabIndex < 0 || !documents_->show(view, static_cast<std::size_t>(tabIndex)))
        return false;
    currentView_ = view;
    notifyPlugin(NPPN_BUFFERACTIVATED, currentBuffer());
    return true;
}

bool MiniHost::cloneDocument(BufferId id, int toView) {
    if (!documents_) return false;
    return changeTabs([&] { return documents_->clone(id, toView); });
}

bool MiniHost::closeDocument(BufferId id) {
    if (!documents_ || !documents_->isOpen(id)) return false;
    notifyPlugin(NPPN_FILEBEFORECLOSE, id);
    return changeTabs([&] { return documents_->close(id); });
}

bool MiniHost::reloadDocument(BufferId id, std::string_view bytes) {
    if (!documents_) return false;
    const ReloadOutcome outcome = documents_->reload(id, bytes);
    if (outcome == ReloadOutcome::reloaded) {
        // The editor activates the reloaded buffer anew, and announces it each time.
        notifyPlugin(NPPN_BUFFERACTIVATED, id);
        notifyPlugin(NPPN_BUFFERACTIVATED, id);
    }
    return outcome != ReloadOutcome::notOpen;
}

bool MiniHost::reloadFromDisk(BufferId id) {
    Buffer* buffer = documents_ ? documents_->buffer(id) : nullptr;
    if (buffer == nullptr || !buffer->file) return false;
    const auto bytes = buffer->file->read();
    return bytes && reloadDocument(id, *bytes);
}

bool MiniHost::setMonitoring(BufferId id, bool on) {
    Buffer* buffer = documents_ ? documents_->buffer(id) : nullptr;
    if (buffer == nullptr || !buffer->file) return false;
    buffer->monitored = on;
    return true;
}

bool MiniHost::isMonitoring(BufferId id) const {
    const Buffer* buffer = documents_ ? documents_->buffer(id) : nullptr;
    return buffer != nullptr && buffer->monitored;
}

void MiniHost::checkFilesOnDisk() {
    if (!documents_) return;
    for (const BufferId id : documents_->monitoredBuffers()) {
        // Looked up again each time: the plugin may have closed it while told of another.
        const Buffer* buffer = documents_->buffer(id);
        if (buffer != nullptr && buffer->monitored && buffer->file->changedOnDisk())
            reloadFromDisk(id);
    }
}

int MiniHost::replaceAll(std::string_view find, std::string_view replacement) {
    if (!documents_) return 0;
    const BufferId id = currentBuffer();
    const int count = replaceAllInView(documents_->view(currentView_).editor(), find, replacement);
    if (count > 0) notifyGlobalModified(id);
    return count;
}

std::vector<BufferId> MiniHost::tabs(int view) const {
    if (!documents_ || !DocumentTabs::isView(view)) return {};
    return documents_->view(view).tabs();
}

BufferId MiniHost::shownBuffer(int view) const {
    if (!documents_ || !DocumentTabs::isView(view)) return 0;
    return documents_->view(view).shownBuffer();
}

BufferId MiniHost::currentBuffer() const {
    return shownBuffer(currentView_);
}

HWND MiniHost::mainWindow() const {
    return mainWindow_ ? mainWindow_->handle() : nullptr;
}

HWND MiniHost::mainView() const {
    return documents_ ? documents_->view(kMainViewIndex).window() : nullptr;
}

HWND MiniHost::secondView() const {
    return documents_ ? documents_->view(kSecondViewIndex).window() : nullptr;
}

HWND MiniHost::tabStrip(int view) const {
    if (!documents_ || !DocumentTabs::isView(view)) return nullptr;
    return documents_->view(view).tabStrip();
}

bool MiniHost::setCurrentView(int view) {
    if (!DocumentTabs::isView(view)) return false;
    currentView_ = view;
    return true;
}

void MiniHost::switchDocument() {
    if (!documents_) return;
    const TabbedView& view = documents_->view(currentView_);
    if (view.size() < 2) return;
    activateDocument(currentView_, static_cast<int>((view.shownIndex() + 1) % view.size()));
}

std::wstring MiniHost::pluginName() const {
    return plugin_ ? plugin_->name() : std::wstring();
}

std::span<const FuncItem> MiniHost::funcItems() const {
    if (!plugin_) return {};
    return plugin_->items();
}

std::optional<int> MiniHost::commandIdOf(std::size_t index) const {
    const auto items = funcItems();
    if (index >= items.size()) return std::nullopt;
    return items[index]._cmdID;
}

bool MiniHost::runMenuCommand(std::size_t index) {
    const auto commandId = commandIdOf(index);
    if (!commandId || exited_) return false;
    SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(*commandId, 0), 0);
    return true;
}

LRESULT MiniHost::messageToPlugin(UINT message, WPARAM wParam, LPARAM lParam) {
    return plugin_ ? plugin_->message(message, wParam, lParam) : 0;
}

std::vector<PanelRegistration> MiniHost::registeredPanels() const {
    return dock_->registrations();
}

bool MiniHost::hidePanel(HWND panel) {
    return !exited_ && dock_->close(panel);
}

void MiniHost::exit() {
    if (exited_) return;
    exited_ = true;
    if (plugin_) {
        // What the user left on the screen is remembered, whatever the plugin does with its
        // panels when it hears of the shutdown.
        session_.remember(plugin_->fileName(), dock_->visiblePanels());
        notifyPlugin(NPPN_SHUTDOWN);
        session_.save();
    }
    documents_.reset();
    // The docked panels are children of the main window and go with it, so the plugin's
    // unload finds its panel window already destroyed, as it does under the real editor.
    mainWindow_->destroy();
    plugin_.reset();
}

void MiniHost::pumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dispatch(message);
}

void MiniHost::dispatch(MSG& message) {
    if (modelessDialogs_.handle(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::optional<LRESULT> MiniHost::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!ready_) return std::nullopt;
    switch (message) {
        case WM_SIZE: layout(); return 0;
        case WM_CLOSE:
            // Asked from inside the plugin, the exit waits until its call has returned.
            if (plugin_ && plugin_->isRunning())
                PostMessageW(mainWindow(), WM_CLOSE, 0, 0);
            else
                exit();
            return 0;
        case WM_COMMAND:
            // Only the menu's commands; the views report their changes this way too.
            if (lParam != 0) return std::nullopt;
            return handleCommand(LOWORD(wParam));
        case WM_NOTIFY: return handleNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_INITMENUPOPUP: showDocumentInMenu(); return std::nullopt;
        default: return handleHostMessage(message, wParam, lParam);
    }
}

std::optional<LRESULT> MiniHost::handleHostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case NPPM_GETCURRENTSCINTILLA: return answerCurrentView(lParam);
        case NPPM_MODELESSDIALOG: return modelessDialogs_.update(wParam, windowIn(lParam));
        case NPPM_GETCURRENTBUFFERID: return static_cast<LRESULT>(currentBuffer());
        case NPPM_GETPOSFROMBUFFERID: return answerPosition(wParam, lParam);
        case NPPM_ACTIVATEDOC: return answerActivation(wParam, lParam);
        case NPPM_GETPLUGINSCONFIGDIR: return answerConfigDirectory(wParam, lParam);
        case NPPM_ALLOCATEINDICATOR: return answerIndicators(wParam, lParam);
        case NPPM_ISDARKMODEENABLED: return dark_;
        case NPPM_GETDARKMODECOLORS: return answerDarkModeColours(wParam, lParam);
        case NPPM_DARKMODESUBCLASSANDTHEME: return answerTheming(wParam, lParam);
        case NPPM_DMMREGASDCKDLG: return registerPanel(lParam);
        case NPPM_DMMSHOW: return dock_->show(windowIn(lParam));
        case NPPM_DMMHIDE: return dock_->hide(windowIn(lParam));
        case NPPM_DMMUPDATEDISPINFO: return TRUE;  // no captions or tabs to update
        default: return std::nullopt;
    }
}

std::optional<LRESULT> MiniHost::handleCommand(int commandId) {
    switch (commandId) {
        case MenuBar::kCommandSwitchView: setCurrentView(1 - currentView_); return 0;
        case MenuBar::kCommandSwitchDocument: switchDocument(); return 0;
        case MenuBar::kCommandCloseDocument: closeDocument(currentBuffer()); return 0;
        case MenuBar::kCommandReloadFromDisk: reloadFromDisk(currentBuffer()); return 0;
        case MenuBar::kCommandMonitoring:
            setMonitoring(currentBuffer(), !isMonitoring(currentBuffer()));
            return 0;
        case MenuBar::kCommandReplaceAll: askAndReplaceAll(); return 0;
        case MenuBar::kCommandExit: PostMessageW(mainWindow(), WM_CLOSE, 0, 0); return 0;
        default: break;
    }
    const auto item = plugin_ ? plugin_->itemOfCommand(commandId) : std::nullopt;
    if (!item) return std::nullopt;
    plugin_->runCommand(*item);
    return 0;
}

void MiniHost::askAndReplaceAll() {
    const Buffer* buffer = documents_ ? documents_->buffer(currentBuffer()) : nullptr;
    if (buffer == nullptr) return;
    const auto request = askReplaceAll(mainWindow(), buffer->codePage);
    if (request) replaceAll(request->find, request->replacement);
}

void MiniHost::showDocumentInMenu() const {
    const Buffer* buffer = documents_ ? documents_->buffer(currentBuffer()) : nullptr;
    menuBar_->showDocument(buffer != nullptr && buffer->file, isMonitoring(currentBuffer()));
}

// Every notification of the host's editor windows goes to the plugin, as it came.
bool MiniHost::forwardEditorNotification(const NMHDR& header) const {
    if (!documents_ || !documents_->isEditor(header.hwndFrom)) return false;
    if (plugin_) plugin_->forward(header);
    return true;
}

std::optional<LRESULT> MiniHost::handleNotify(const NMHDR& header) {
    repaintOnIndicatorChange(header);
    if (forwardEditorNotification(header)) return 0;
    if (header.code != TCN_SELCHANGE || !documents_) return std::nullopt;
    for (int view = 0; view < DocumentTabs::kViewCount; ++view) {
        if (header.hwndFrom != tabStrip(view)) continue;
        // The user picked the tab: the view becomes current and shows it.
        activateDocument(view, documents_->view(view).selectedTab());
        return 0;
    }
    return std::nullopt;
}

// As the editor does: every notice of changed indicators repaints the whole view, which is
// what makes filling many ranges one by one with the notices on so slow.
void MiniHost::repaintOnIndicatorChange(const NMHDR& header) const {
    if (header.code != SCN_MODIFIED ||
        (header.hwndFrom != mainView() && header.hwndFrom != secondView()))
        return;
    const auto& notice = reinterpret_cast<const SCNotification&>(header);
    if ((notice.modificationType & SC_MOD_CHANGEINDICATOR) != 0)
        InvalidateRect(header.hwndFrom, nullptr, TRUE);
}

LRESULT MiniHost::answerCurrentView(LPARAM lParam) const {
    auto* view = reinterpret_cast<int*>(lParam);
    if (view == nullptr) return FALSE;
    *view = currentView_;
    return TRUE;
}

LRESULT MiniHost::answerPosition(WPARAM wParam, LPARAM lParam) const {
    const int firstView = lParam == kSecondViewIndex ? kSecondViewIndex : kMainViewIndex;
    const auto position =
        documents_ ? documents_->position(static_cast<BufferId>(wParam), firstView) : std::nullopt;
    if (!position) return -1;
    return (static_cast<LRESULT>(position->view) << 30) | static_cast<LRESULT>(position->index);
}

LRESULT MiniHost::answerActivation(WPARAM wParam, LPARAM lParam) {
    // Checked before narrowing, so that a large number cannot pass for a small one.
    if (wParam >= DocumentTabs::kViewCount || lParam < 0 || lParam > INT_MAX) return FALSE;
    return activateDocument(static_cast<int>(wParam), static_cast<int>(lParam));
}

LRESULT MiniHost::answerConfigDirectory(WPARAM wParam, LPARAM lParam) const {
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (buffer == nullptr || wParam == 0) return FALSE;
    const std::wstring& path = configDirectory_.native();
    // A cut path would name some other folder: when it does not fit, the plugin gets an
    // empty one and a refusal instead.
    if (path.size() >= wParam) {
        buffer[0] = L'\0';
        return FALSE;
    }
    path.copy(buffer, path.size());
    buffer[path.size()] = L'\0';
    return TRUE;
}

LRESULT MiniHost::answerIndicators(WPARAM wParam, LPARAM lParam) {
    auto* first = reinterpret_cast<int*>(lParam);
    if (first == nullptr || wParam > INT_MAX) return FALSE;
    const auto block = indicators_.allocate(static_cast<int>(wParam));
    if (!block) return FALSE;
    *first = *block;
    return TRUE;
}

LRESULT MiniHost::answerDarkModeColours(WPARAM wParam, LPARAM lParam) const {
    auto* record = reinterpret_cast<DarkModeColors*>(lParam);
    // A record of another size belongs to another version; filling it could write past it.
    if (!dark_ || record == nullptr || wParam != sizeof(DarkModeColors)) return FALSE;
    *record = darkPalette();
    return TRUE;
}

LRESULT MiniHost::answerTheming(WPARAM wParam, LPARAM lParam) {
    const HWND window = windowIn(lParam);
    const bool exists = IsWindow(window) != FALSE;
    themeRequests_.push_back({wParam, window, exists ? childWindowCount(window) : 0,
                              exists && IsWindowVisible(window) != FALSE});
    // Minihost knows the flags for a dialog whose controls are made, and no others.
    if (!dark_ || wParam != kDarkModeThemeDialog || !exists) return FALSE;
    return themeDialog(window);
}

LRESULT MiniHost::registerPanel(LPARAM lParam) {
    const auto* record = reinterpret_cast<const tTbData*>(lParam);
    if (record == nullptr || !dock_->registerPanel(*record)) return FALSE;
    // The host themes the panels it docks itself; the plugin need not ask.
    if (dark_) themeDialog(static_cast<HWND>(record->hClient));
    return TRUE;
}

void MiniHost::themeOwnWindows() const {
    themeWindow(mainWindow());
    themeView(mainView());
    themeView(secondView());
}

void MiniHost::layout() {
    if (!documents_) return;
    RECT client{};
    GetClientRect(mainWindow(), &client);
    const RECT area = dock_->arrange(client);
    // Side by side: the main view on the left, the second on the right.
    const LONG middle = area.left + (area.right - area.left) / 2;
    documents_->view(kMainViewIndex).place({area.left, area.top, middle, area.bottom});
    documents_->view(kSecondViewIndex).place({middle, area.top, area.right, area.bottom});
}

void MiniHost::notifyPlugin(std::uint32_t code, BufferId id) const {
    if (plugin_) plugin_->notify(mainWindow(), code, id);
}

// The notice names the changed document in the header's window field, where the other
// notices name the host's window: the plugin must not take it for a window.
void MiniHost::notifyGlobalModified(BufferId id) const {
    if (plugin_) plugin_->notify(reinterpret_cast<HWND>(id), NPPN_GLOBALMODIFIED);
}

void MiniHost::reopenRememberedPanels() {
    // The panel's menu function is the item whose index is the identifier it was registered
    // with; one outside the menu names nothing and is skipped.
    for (const int index : session_.panelsOf(plugin_->fileName()))
        if (index >= 0) plugin_->runCommand(static_cast<std::size_t>(index));
}

}  // namespace tarnwick::minihost
