// minihost.exe: a stand-in for the editor to try the plugin in, under Wine on Linux.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "minihost/executable_folder.hpp"
#include "minihost/mini_host.hpp"
#include "minihost/program_options.hpp"
#include "minihost/unique_handle.hpp"
#include "minihost/window_screenshot.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick::minihost {
namespace {

// Long enough for the plugin's panel and the views to have painted after start-up.
constexpr UINT kSettleMilliseconds = 1000;

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

int saveScreenshot(MiniHost& host, const std::filesystem::path& file) {
    SetForegroundWindow(host.mainWindow());
    const UINT_PTR timer = SetTimer(nullptr, 0, kSettleMilliseconds, nullptr);
    MSG message{};
    while (!host.hasExited() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer)
            break;
        host.dispatch(message);
    }
    KillTimer(nullptr, timer);
    const bool saved = !host.hasExited() && saveWindowAsPng(host.mainWindow(), file);
    host.exit();
    if (!saved) {
        printLine(stderr, L"minihost: the screenshot could not be saved: " + file.wstring());
        return 1;
    }
    printLine(stdout, std::filesystem::absolute(file).wstring());
    return 0;
}

int run(const ProgramOptions& options) {
    MiniHost host(options.configDirectory);
    if (options.fileToOpen && !host.openFile(*options.fileToOpen)) {
        printLine(stderr, L"minihost: cannot read " + options.fileToOpen->wstring());
        return 1;
    }
    if (!host.loadPlugin(options.plugin)) {
        printLine(stderr, L"minihost: cannot load the plugin " + options.plugin.wstring());
        return 1;
    }
    if (options.showPanel) host.runMenuCommand(0);
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
