#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "host/host_records.hpp"
#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

// A plugin DLL loaded through its six exports, in the order the host calls them at
// start-up. Unloading it (the destructor) is the plugin's process detach.
class PluginModule {
public:
    // Loads the DLL, resolves all six exports, then calls setInfo, getName, getFuncsArray
    // and isUnicode, and writes consecutive command identifiers from `firstCommandId` into
    // the items. Null when the DLL does not load, lacks an export or is not a wide plugin.
    static std::unique_ptr<PluginModule> load(const std::filesystem::path& path,
                                              const NppData& host, int firstCommandId);

    const std::wstring& name() const { return name_; }
    // The module's file name without folder, as it was loaded.
    const std::wstring& fileName() const { return fileName_; }
    // The plugin's own array: the host reads the names and wrote the identifiers into it.
    std::span<FuncItem> items() const { return items_; }

    // Calls the menu function of item `index`; false when there is no such item or it has
    // no function.
    bool runCommand(std::size_t index) const;
    // The item whose command identifier is `commandId`, if any.
    std::optional<std::size_t> itemOfCommand(int commandId) const;

    // beNotified with a record whose header is {from, idFrom, code}; the notifications
    // about a document name its buffer id in idFrom.
    void notify(HWND from, std::uint32_t code, std::uintptr_t idFrom = 0) const;
    // beNotified with an editor's own record, which begins with this header.
    void forward(const NMHDR& header) const;
    LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) const;

    // True while one of the plugin's functions is running: the module must not be unloaded
    // under its own code.
    bool isRunning() const { return activeCalls_ > 0; }

private:
    using SetInfo = void (*)(NppData);
    using GetName = const wchar_t* (*)();
    using GetFuncsArray = FuncItem* (*)(int*);
    using BeNotified = void (*)(SCNotification*);
    using MessageProc = LRESULT (*)(UINT, WPARAM, LPARAM);
    using IsUnicode = BOOL (*)();

    class CallScope;

    explicit PluginModule(ModuleOwner module);
    bool resolveExports();
    bool start(const NppData& host, int firstCommandId);

    ModuleOwner module_;
    SetInfo setInfo_ = nullptr;
    GetName getName_ = nullptr;
    GetFuncsArray getFuncsArray_ = nullptr;
    BeNotified beNotified_ = nullptr;
    MessageProc messageProc_ = nullptr;
    IsUnicode isUnicode_ = nullptr;
    std::wstring name_;
    std::wstring fileName_;
    std::span<FuncItem> items_;
    mutable int activeCalls_ = 0;
};

}  // namespace tarnwick::minihost
