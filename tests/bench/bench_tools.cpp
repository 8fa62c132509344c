#include "bench_tools.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <stdexcept>

#include "host/send_message.hpp"
#include "resources/resource.h"

namespace tarnwick::bench {

namespace fs = std::filesystem;

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Times::add(double seconds) {
    times_.insert(std::upper_bound(times_.begin(), times_.end(), seconds), seconds);
}

void Times::print(const char* what) const {
    const bool short_ = median() < 0.1;
    const double scale = short_ ? 1000 : 1;
    const char* unit = short_ ? "ms" : "s";
    std::printf("%s: median %.3f %s, fastest %.3f %s, of %zu runs\n", what, median() * scale, unit,
                fastest() * scale, unit, times_.size());
}

void printRatio(const char* what, double median, double fastest, double target) {
    std::printf("  ratio %s: median %.2f, fastest %.2f (target %.2f or less: %s)\n", what, median,
                fastest, target, median <= target ? "met" : "not met");
}

fs::path programFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

void runChild(const std::string& arguments) {
    std::fflush(stdout);
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine =
        L"\"" + std::wstring(program) + L"\" " + std::wstring(arguments.begin(), arguments.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &child))
        throw std::runtime_error("could not start " + arguments);
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

ScratchFolder::ScratchFolder()
    : path_(fs::temp_directory_path() /
            (L"tarnwick-bench-" + std::to_wstring(GetCurrentProcessId()))) {
    fs::remove_all(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;  // a folder Wine still holds open stays behind, harmlessly
    fs::remove_all(path_, ignored);
}

std::vector<std::string> numberedEntries(int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back("entry number " + std::to_string(i));
    return texts;
}

SearchList searchListOf(const std::vector<std::string>& texts) {
    SearchList list;
    for (const std::string& text : texts) list.add(std::u16string(text.begin(), text.end()));
    return list;
}

void writeSettings(const fs::path& folder, const std::vector<std::string>& texts) {
    fs::create_directories(folder / L"Tarnwick");
    std::ofstream out(folder / L"Tarnwick" / L"searches.json", std::ios::binary);
    out << "{\"entries\": [";
    for (std::size_t i = 0; i < texts.size(); ++i)
        out << (i ? "," : "") << "{\"text\": \"" << texts[i] << "\"}";
    out << "]}";
}

void loadPlugin(minihost::MiniHost& host) {
    if (!host.loadPlugin(programFolder() / L"Tarnwick.dll"))
        throw std::runtime_error("the plugin did not load");
}

HWND openPanel(minihost::MiniHost& host) {
    host.runMenuCommand(0);
    host.pumpMessages();
    return host.registeredPanels().front().client;
}

void click(HWND panel, int id) {
    SendMessageW(GetDlgItem(panel, id), BM_CLICK, 0, 0);
}

bool searchRunning(HWND panel) {
    wchar_t text[64] = {};
    GetDlgItemTextW(panel, IDC_RESULTS_LABEL, text, 64);
    return std::wcsncmp(text, L"Searching\u2026", 10) == 0;
}

void searchToEnd(HWND panel) {
    click(panel, IDC_SEARCH_BUTTON);
    MSG message{};
    while (searchRunning(panel) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void searchIn(minihost::MiniHost& host, HWND panel, int view) {
    host.setCurrentView(view);
    searchToEnd(panel);
    host.pumpMessages();
}

DirectCallsToViews::DirectCallsToViews(const minihost::MiniHost& host) {
    setEditorViews(host.mainView(), host.secondView());
}

DirectCallsToViews::~DirectCallsToViews() {
    setEditorViews(nullptr, nullptr);
}

}  // namespace tarnwick::bench
