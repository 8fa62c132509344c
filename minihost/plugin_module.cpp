#include "minihost/plugin_module.hpp"

#include <array>
#include <cstddef>
#include <cwchar>

namespace tarnwick::minihost {

namespace {

// The plugin's name is read up to its terminator, but never further than this.
constexpr std::size_t kLongestName = 256;

// The host's notification record goes on past the header with the editor's fields. A
// plugin that reads one of them finds zeros rather than whatever lay on the host's stack.
struct NotificationRecord {
    SCNotification notification;
    std::array<std::byte, 256> editorFields{};
};

template <typename Function>
bool resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

std::wstring moduleFileName(HMODULE module) {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return std::filesystem::path(path).filename().wstring();
}

}  // namespace

// Counts a call into the plugin for as long as it runs.
class PluginModule::CallScope {
public:
    explicit CallScope(const PluginModule& plugin) : plugin_(plugin) { ++plugin_.activeCalls_; }
    ~CallScope() { --plugin_.activeCalls_; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    const PluginModule& plugin_;
};

std::unique_ptr<PluginModule> PluginModule::load(const std::filesystem::path& path,
                                                 const NppData& host, int firstCommandId) {
    // An absolute path, so the plugin's folder is searched for what the plugin itself loads.
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    if (error) return nullptr;
    ModuleOwner module(LoadLibraryExW(absolute.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module) return nullptr;
    std::unique_ptr<PluginModule> plugin(new PluginModule(std::move(module)));
    if (!plugin->resolveExports() || !plugin->start(host, firstCommandId)) return nullptr;
    return plugin;
}

PluginModule::PluginModule(ModuleOwner module)
    : module_(std::move(module)), fileName_(moduleFileName(module_.get())) {}

bool PluginModule::resolveExports() {
    HMODULE module = module_.get();
    return resolve(module, "setInfo", setInfo_) && resolve(module, "getName", getName_) &&
           resolve(module, "getFuncsArray", getFuncsArray_) &&
           resolve(module, "beNotified", beNotified_) &&
           resolve(module, "messageProc", messageProc_) && resolve(module, "isUnicode", isUnicode_);
}

bool PluginModule::start(const NppData& host, int firstCommandId) {
    const CallScope call(*this);
    setInfo_(host);
    if (const wchar_t* name = getName_()) name_.assign(name, wcsnlen(name, kLongestName));
    int count = 0;
    FuncItem* items = getFuncsArray_(&count);
    if (items != nullptr && count > 0) items_ = {items, static_cast<std::size_t>(count)};
    // The host speaks wide text only: a plugin that does not is not kept.
    if (!isUnicode_()) return false;
    for (std::size_t index = 0; index < items_.size(); ++index)
        items_[index]._cmdID = firstCommandId + static_cast<int>(index);
    return true;
}

bool PluginModule::runCommand(std::size_t index) const {
    if (index >= items_.size() || items_[index]._pFunc == nullptr) return false;
    const CallScope call(*this);
    items_[index]._pFunc();
    return true;
}

std::optional<std::size_t> PluginModule::itemOfCommand(int commandId) const {
    for (std::size_t index = 0; index < items_.size(); ++index)
        if (items_[index]._cmdID == commandId) return index;
    return std::nullopt;
}

void PluginModule::notify(HWND from, std::uint32_t code, std::uintptr_t idFrom) const {
    NotificationRecord record{};
    record.notification.nmhdr = {from, idFrom, code};
    const CallScope call(*this);
    beNotified_(&record.notification);
}

void PluginModule::forward(const NMHDR& header) const {
    const CallScope call(*this);
    beNotified_(reinterpret_cast<SCNotification*>(const_cast<NMHDR*>(&header)));
}

LRESULT PluginModule::message(UINT message, WPARAM wParam, LPARAM lParam) const {
    const CallScope call(*this);
    return messageProc_(message, wParam, lParam);
}

}  // namespace tarnwick::minihost
