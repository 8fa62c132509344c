#include "minihost/mini_host.hpp"

#include <climits>
#include <fstream>
#include <iterator>

#include "host/host_messages.hpp"
#include "minihost/host_numbers.hpp"

namespace tarnwick::minihost {

namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 750;
constexpr wchar_t kSessionFileName[] = L"minihost-session.txt";

HWND windowIn(LPARAM lParam) {
    return reinterpret_cast<HWND>(lParam);
}

}  // namespace

MiniHost::MiniHost(std::filesystem::path configDirectory, int firstIndicator)
    : configDirectory_(std::move(configDirectory)),
      indicators_(firstIndicator),
      session_(configDirectory_ / kSessionFileName),
      scintilla_(std::make_unique<ScintillaLibrary>()),
      mainWindow_(std::make_unique<MainWindow>(static_cast<MainWindowHandler&>(*this), kWindowWidth,
                                               kWindowHeight)),
      menuBar_(std::make_unique<MenuBar>(mainWindow_->handle())),
      mainView_(std::make_unique<ScintillaView>(mainWindow_->handle())),
      secondView_(std::make_unique<ScintillaView>(mainWindow_->handle())),
      dock_(std::make_unique<DockManager>(mainWindow_->handle(), [this] { layout(); })) {
    ready_ = true;
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

bool MiniHost::openFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in || !mainView_) return false;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    mainView_->setText(bytes);
    return true;
}

HWND MiniHost::mainWindow() const {
    return mainWindow_ ? mainWindow_->handle() : nullptr;
}

HWND MiniHost::mainView() const {
    return mainView_ ? mainView_->window() : nullptr;
}

HWND MiniHost::secondView() const {
    return secondView_ ? secondView_->window() : nullptr;
}

bool MiniHost::setCurrentView(int view) {
    if (view != kMainViewIndex && view != kSecondViewIndex) return false;
    currentView_ = view;
    return true;
}

void MiniHost::switchDocument() {
    if (exited_) return;
    view(currentView_).switchDocument();
    notifyPlugin(NPPN_BUFFERACTIVATED);
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
    mainView_.reset();
    secondView_.reset();
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
    for (const PanelRegistration* panel : dock_->visiblePanels())
        if (IsDialogMessageW(panel->client, &message)) return;
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
        default: return handleHostMessage(message, wParam, lParam);
    }
}

std::optional<LRESULT> MiniHost::handleHostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case NPPM_GETCURRENTSCINTILLA: return answerCurrentView(lParam);
        case NPPM_GETPLUGINSCONFIGDIR: return answerConfigDirectory(wParam, lParam);
        case NPPM_ALLOCATEINDICATOR: return answerIndicators(wParam, lParam);
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
        case MenuBar::kCommandExit: PostMessageW(mainWindow(), WM_CLOSE, 0, 0); return 0;
        default: break;
    }
    const auto item = plugin_ ? plugin_->itemOfCommand(commandId) : std::nullopt;
    if (!item) return std::nullopt;
    plugin_->runCommand(*item);
    return 0;
}

LRESULT MiniHost::answerCurrentView(LPARAM lParam) const {
    auto* view = reinterpret_cast<int*>(lParam);
    if (view == nullptr) return FALSE;
    *view = currentView_;
    return TRUE;
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

LRESULT MiniHost::registerPanel(LPARAM lParam) {
    const auto* record = reinterpret_cast<const tTbData*>(lParam);
    return record != nullptr && dock_->registerPanel(*record);
}

void MiniHost::layout() {
    if (!mainView_ || !secondView_) return;
    RECT client{};
    GetClientRect(mainWindow(), &client);
    const RECT area = dock_->arrange(client);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    // Side by side: the main view on the left, the second on the right.
    MoveWindow(mainView(), area.left, area.top, width / 2, height, TRUE);
    MoveWindow(secondView(), area.left + width / 2, area.top, width - width / 2, height, TRUE);
}

void MiniHost::notifyPlugin(std::uint32_t code) const {
    if (plugin_) plugin_->notify(mainWindow(), code);
}

void MiniHost::reopenRememberedPanels() {
    // The panel's menu function is the item whose index is the identifier it was registered
    // with; one outside the menu names nothing and is skipped.
    for (const int index : session_.panelsOf(plugin_->fileName()))
        if (index >= 0) plugin_->runCommand(static_cast<std::size_t>(index));
}

ScintillaView& MiniHost::view(int index) const {
    return index == kSecondViewIndex ? *secondView_ : *mainView_;
}

}  // namespace tarnwick::minihost
