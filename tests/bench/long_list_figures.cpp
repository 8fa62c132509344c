// What a user waits for with a long list of strings, in the hooked minihost: every message
// the panel sends its search list passes the host's hook, so a list that cost messages per
// row would show here.
#include "long_list_figures.hpp"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_tools.hpp"
#include "resources/resource.h"

namespace tarnwick::bench {

namespace {

constexpr int kEntries = 10'000;
constexpr double kOpenTarget = 1.0;
constexpr double kAllBoxTarget = 0.5;
constexpr double kAddTarget = 0.05;

// The times, and below them whether their median meets the target.
void printAgainst(const Times& times, const char* what, double target) {
    times.print(what);
    std::printf("    target under %g s: %s\n", target, times.median() < target ? "met" : "not met");
}

}  // namespace

void longListFigures(const std::filesystem::path& folder) {
    const std::vector<std::string> texts = numberedEntries(kEntries);
    Times loads, opens, allBoxes, adds;
    for (int run = 0; run < kRuns; ++run) {
        const std::filesystem::path config = folder / (L"list" + std::to_wstring(run));
        writeSettings(config, texts);
        minihost::MiniHost host(config);
        loads.add(secondsOf([&] { loadPlugin(host); }));
        HWND panel = nullptr;
        opens.add(secondsOf([&] { panel = openPanel(host); }));
        // Every entry off, then on again: each click saves the whole list.
        for (int turn = 0; turn < 2; ++turn)
            allBoxes.add(secondsOf([&] {
                click(panel, IDC_ALL_CHECKBOX);
                host.pumpMessages();
            }));
        for (int turn = 0; turn < 3; ++turn) {
            SetDlgItemTextW(panel, IDC_ENTRY_EDIT, L"one more");
            adds.add(secondsOf([&] {
                click(panel, IDC_ADD_BUTTON);
                host.pumpMessages();
            }));
        }
    }
    std::printf("a list of %d strings in the settings file:\n", kEntries);
    loads.print("  the plugin loaded by the host (reads the list)");
    printAgainst(opens, "  the panel opened with them, drawn", kOpenTarget);
    printAgainst(allBoxes, "  a click on the All box, the list saved and drawn", kAllBoxTarget);
    printAgainst(adds, "  Add, the list saved and drawn", kAddTarget);
    std::printf("\n");
}

}  // namespace tarnwick::bench
