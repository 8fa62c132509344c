#pragma once

#include <windows.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/list/search_list.hpp"
#include "minihost/mini_host.hpp"

namespace tarnwick::bench {

// Runs of each timed thing, unless a figure says otherwise.
constexpr int kRuns = 5;

double secondsOf(const std::function<void()>& work);

// The times of one thing over several runs.
class Times {
public:
    void add(double seconds);
    double median() const { return times_[times_.size() / 2]; }
    double fastest() const { return times_.front(); }
    // In milliseconds when a run takes less than a tenth of a second.
    void print(const char* what) const;

private:
    std::vector<double> times_;  // ascending
};

// "  ratio WHAT: median M, fastest F (target T or less: met)".
void printRatio(const char* what, double median, double fastest, double target);

std::filesystem::path programFolder();
// Runs this program again with `arguments`, printing to the same output, and waits for it.
void runChild(const std::string& arguments);

// A folder of the process's own under the temporary folder, gone with it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// "entry number 0", "entry number 1" and so on, `count` strings that no document shape
// holds.
std::vector<std::string> numberedEntries(int count);
// The strings as the panel's list holds them, all enabled.
SearchList searchListOf(const std::vector<std::string>& texts);

// A settings folder whose search list holds `texts`, in that order.
void writeSettings(const std::filesystem::path& folder, const std::vector<std::string>& texts);
// The plugin beside this program, loaded into `host`.
void loadPlugin(minihost::MiniHost& host);
// Opens the plugin's panel as its menu item does; returns its dialog.
HWND openPanel(minihost::MiniHost& host);
void click(HWND panel, int id);
// True while the panel's label shows a Search's progress.
bool searchRunning(HWND panel);
// Clicks Search and handles the host's messages until the Search is done: one that takes
// longer than its first slice goes on between them.
void searchToEnd(HWND panel);
// Makes `view` current and clicks Search there: the results are that view's document's.
void searchIn(minihost::MiniHost& host, HWND panel, int view);

// Names minihost's views to the bench's own seam, so its searches call them directly, as
// the plugin's do.
class DirectCallsToViews {
public:
    explicit DirectCallsToViews(const minihost::MiniHost& host);
    ~DirectCallsToViews();
    DirectCallsToViews(const DirectCallsToViews&) = delete;
    DirectCallsToViews& operator=(const DirectCallsToViews&) = delete;
};

}  // namespace tarnwick::bench
