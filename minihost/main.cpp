// minihost.exe: a stand-in for the editor to try the plugin in, under Wine on Linux.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "minihost/executable_folder.hpp"
#include "minihost/log_grower.hpp"
#include "minihost/mini_host.hpp"
#include "minihost/program_options.hpp"
#include "dialogs/unique_handle.hpp"
#include "minihost/window_screenshot.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick::minihost {
namespace {

// Long enough for the plugin's panel, the views and the clicks' effects to have painted.
constexpr UINT kSettleMilliseconds = 1000;
// How often the host looks at its watched files, as the editor's tail -f does.
constexpr UINT kFileCheckMilliseconds = 250;
// How often --grow-log appends a line: a few lines before a headless run's screenshot.
constexpr UINT kGrowMilliseconds = 300;

// Written as UTF-8 bytes, which read right in a terminal and in a redirected file alike.
void printLine(std::FILE* stream, std::wstring_view text) {
    const std::string bytes = toUtf8(std::u16string(text.begin(), text.end())) + '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    const UniqueHandle<wchar_t**, &LocalFree> words(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!words) return {};
    return std::vector<std::wstring>(words.get() + std::min(count, 1), words.get() + count);
}

void runUntilClosed(MiniHost& host) {
    MSG message{};
    while (!host.hasExited() && GetMessageW(&message, nullptr, 0, 0) > 0) host.dispatch(message);
}

// The clicks are posted, not sent: one that opens a modal dialog must not hold up start-up.
void postClicks(const MiniHost& host, const std::vector<int>& clicks) {
    const auto panels = host.registeredPanels();
    if (panels.empty()) return;
    for (int id : clicks) PostMessageW(GetDlgItem(panels.front().client, id), BM_CLICK, 0, 0);
}

// The timers' identifiers are the objects they work on; no exception leaves a callback.
template <typename Work>
void reportFailure(const char* what, Work work) {
    try {
        if (work()) return;
        std::fprintf(stderr, "minihost: %s\n", what);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "minihost: %s: %s\n", what, error.what());
    }
}

void CALLBACK checkFiles(HWND, UINT, UINT_PTR host, DWORD) {
    reportFailure("the watched files could not be checked", [host] {
        reinterpret_cast<MiniHost*>(host)->checkFilesOnDisk();
        return true;
    });
}

void CALLBACK growLog(HWND, UINT, UINT_PTR grower, DWORD) {
    reportFailure("the growing log could not be written",
                  [grower] { return reinterpret_cast<LogGrower*>(grower)->appendNext(); });
}

struct OwnedWindowSearch {
    HWND owner;
    HWND found;
};

// A named CALLBACK: on 32-bit Windows a lambda would convert to the wrong calling convention.
BOOL CALLBACK findOwnedWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<OwnedWindowSearch*>(data);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search.owner) return TRUE;
    search.found = window;
    return FALSE;
}

// A visible window the main window owns (a dialog the clicks opened), else the main window.
HWND frontWindow(HWND mainWindow) {
    OwnedWindowSearch search{mainWindow, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findOwnedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr ? search.found : mainWindow;
}

struct ScreenshotJob {
    HWND mainWindow;
    std::filesystem::path file;
    bool taken = false;
    bool saved = false;
};

// The timer's callback runs in whichever message loop is running, a dialog's modal loop
// included; this is the job it works on.
ScreenshotJob* pendingScreenshot = nullptr;

void CALLBACK takeScreenshot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (pendingScreenshot == nullptr) return;
    ScreenshotJob& job = *pendingScreenshot;
    const HWND front = frontWindow(job.mainWindow);
    job.saved = saveWindowAsPng(front, job.file);
    job.taken = true;
    // A dialog in front is closed, so that its modal loop and then ours can end.
    if (front != job.mainWindow) PostMessageW(front, WM_COMMAND, IDCANCEL, 0);
}

int saveScreenshot(MiniHost& host, const std::filesystem::path& file) {
    SetForegroundWindow(host.mainWindow());
    ScreenshotJob job{host.mainWindow(), file};
    pendingScreenshot = &job;
    SetTimer(nullptr, 0, kSettleMilliseconds, &takeScreenshot);
    MSG message{};
    while (!job.taken && !host.hasExited() && GetMessageW(&message, nullptr, 0, 0) > 0)
        host.dispatch(message);
    pendingScreenshot = nullptr;
    host.exit();
    if (!job.saved) {
        printLine(stderr, L"minihost: the screenshot could not be saved: " + file.wstring());
        return 1;
    }
    printLine(stdout, std::filesystem::absolute(file).wstring());
    return 0;
}

bool openFiles(MiniHost& host, const std::vector<FileToOpen>& files) {
    for (const FileToOpen& file : files) {
        if (!host.openFile(file.path, file.ansi ? kAnsiCodePage : kUtf8CodePage)) {
            printLine(stderr, L"minihost: cannot read " + file.path.wstring());
            return false;
        }
        if (file.monitored) host.setMonitoring(host.shownBuffer(MiniHost::kMainViewIndex), true);
    }
    return true;
}

int run(const ProgramOptions& options) {
    // Before the host, so it outlives the host's window and the timer that uses it.
    std::optional<LogGrower> grower;
    if (options.growLog && !(grower = LogGrower::open(*options.growLog))) {
        printLine(stderr, L"minihost: cannot grow the log " + options.growLog->wstring());
        return 1;
    }
    MiniHost host(options.configDirectory, MiniHost::kDefaultFirstIndicator,
                  options.dark ? Appearance::dark : Appearance::light);
    if (!openFiles(host, options.filesToOpen)) return 1;
    if (!host.loadPlugin(options.plugin)) {
        printLine(stderr, L"minihost: cannot load the plugin " + options.plugin.wstring());
        return 1;
    }
    if (options.showPanel) host.runMenuCommand(0);
    postClicks(host, options.clicks);
    // Both timers go with the main window.
    SetTimer(host.mainWindow(), reinterpret_cast<UINT_PTR>(&host), kFileCheckMilliseconds,
             &checkFiles);
    if (grower)
        SetTimer(host.mainWindow(), reinterpret_cast<UINT_PTR>(&*grower), kGrowMilliseconds,
                 &growLog);
    if (options.screenshot) return saveScreenshot(host, *options.screenshot);
    runUntilClosed(host);
    return 0;
}

int runProgram() {
    const std::vector<std::wstring> arguments = commandLineArguments();
    const ParsedOptions parsed = parseProgramOptions(arguments, executableFolder());
    if (!parsed.options) {
        printLine(stderr, L"minihost: " + parsed.error);
        printLine(stderr, programUsage());
        return 2;
    }
    if (parsed.options->help) {
        printLine(stdout, programUsage());
        return 0;
    }
    return run(*parsed.options);
}

}  // namespace
}  // namespace tarnwick::minihost

int main() {
    try {
        return tarnwick::minihost::runProgram();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "minihost: %s\n", error.what());
        return 1;
    }
}
