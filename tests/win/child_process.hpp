#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace tarnwick::testing {

inline std::wstring quoted(const std::filesystem::path& path) {
    return L"\"" + path.wstring() + L"\"";
}

// A program run as a process of its own, as another instance of the host is.
class ChildProcess {
public:
    ChildProcess(const std::filesystem::path& program, const std::wstring& arguments) {
        std::wstring commandLine = quoted(program) + L" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != 0;
    }
    ~ChildProcess() {
        if (!started_) return;
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return started_; }
    HANDLE handle() const { return process_.hProcess; }
    DWORD id() const { return process_.dwProcessId; }

    // Its exit code once it has ended; -1 when it never started.
    int exitCode() const {
        if (!started_) return -1;
        WaitForSingleObject(process_.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

}  // namespace tarnwick::testing
