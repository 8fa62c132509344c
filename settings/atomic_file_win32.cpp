#include <windows.h>

#include <string>

#include "settings/atomic_file.hpp"

namespace tarnwick {

bool flushToDisk(const std::filesystem::path& file) {
    // FlushFileBuffers writes out the file's cached data whichever handle wrote it; it needs
    // write access. Other programs may go on using the file meanwhile.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(handle) != 0;
    return CloseHandle(handle) != 0 && flushed;
}

namespace {

// While another process replaces or reads the same file it holds the file open for a
// moment, and a replace meanwhile is refused. Such a refusal is met again a few times, a
// moment apart: at most a tenth of a second before the save gives up.
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplacePauseMilliseconds = 10;

bool isRefusedForNow(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool replaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == kReplaceAttempts || !isRefusedForNow(GetLastError())) return false;
        Sleep(kReplacePauseMilliseconds);
    }
}

unsigned long currentProcessId() {
    return GetCurrentProcessId();
}

int lastSystemError() {
    return static_cast<int>(GetLastError());
}

std::u16string systemErrorText(int error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ' ||
                             text.back() == u'.'))
        text.pop_back();
    if (!text.empty()) return text;
    const std::string number = "Error " + std::to_string(error);
    return std::u16string(number.begin(), number.end());
}

}  // namespace tarnwick
