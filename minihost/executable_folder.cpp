#include "minihost/executable_folder.hpp"

#include <windows.h>

#include <string>

namespace tarnwick::minihost {

std::filesystem::path executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::filesystem::current_path();
        // A full buffer may hold a cut path: grow and ask again.
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace tarnwick::minihost
