// A Search of a 200 MB log with two strings on every line (2.5 million matches), in the
// hooked minihost: the longest the host's thread leaves a message unanswered while the
// Search runs in slices, the whole sliced Search (to its last mark painted) against the same
// Search in one go, how it
// ended (to the end, or stopped for lack of memory, as a 32-bit process may) and the
// process's peak memory.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "big_log_figures.hpp"
#include "bench_tools.hpp"
#include "minihost/mini_host.hpp"
#include "minihost/scintilla_messages.hpp"
#include "resources/resource.h"

namespace tarnwick::bench {

namespace {

constexpr std::size_t kLogBytes = 200'000'000;
constexpr double kSlicedRatioTarget = 1.10;
constexpr double kAnswerTarget = 0.100;
constexpr int kRounds = 3;
constexpr UINT kSetUndoCollection = 2012;  // SCI_SETUNDOCOLLECTION
constexpr UINT kGetStatus = 2383;          // SCI_GETSTATUS
constexpr UINT kSetStatus = 2382;          // SCI_SETSTATUS
constexpr UINT kIndicatorValueAt = 2507;   // SCI_INDICATORVALUEAT
constexpr WPARAM kIndicators = 36;         // INDICATOR_MAX + 1

// The log in the view, and where its last "request" starts: the last mark a Search paints.
struct LogFilled {
    bool whole = false;
    std::int64_t lastRequest = 0;
};

// Lines of 160 bytes, "worker" and "request" once each, appended a megabyte at a time so
// that the bench never holds the whole text beside the view's copy. A view that runs out
// of memory (a 32-bit process may) keeps what it held: not whole then.
LogFilled fillWithLog(HWND view) {
    LogFilled filled;
    SendMessageW(view, kSetUndoCollection, 0, 0);
    std::string chunk;
    char line[200];
    for (std::size_t written = 0, number = 0; written < kLogBytes;) {
        chunk.clear();
        std::size_t lastRequest = 0;
        while (chunk.size() < 1'000'000) {
            const int length = std::snprintf(
                line, sizeof line,
                "2026-12-08 10:%02zu:%02zu INFO  worker-%02zu handled request %09zu in %3zu ms "
                "status=200 bytes=%07zu client=10.0.%03zu.%03zu path=/api/v1/items\r\n",
                number / 60 % 60, number % 60, number % 16, number, number % 997,
                number * 7919 % 10'000'000, number % 256, number * 13 % 256);
            lastRequest =
                chunk.size() + static_cast<std::size_t>(std::strstr(line, "request") - line);
            chunk.append(line, static_cast<std::size_t>(length));
            ++number;
        }
        SendMessageW(view, SCI_APPENDTEXT, chunk.size(), reinterpret_cast<LPARAM>(chunk.data()));
        if (SendMessageW(view, kGetStatus, 0, 0) != 0) {
            SendMessageW(view, kSetStatus, 0, 0);
            return filled;
        }
        filled.lastRequest = static_cast<std::int64_t>(written + lastRequest);
        written += chunk.size();
    }
    filled.whole = true;
    return filled;
}

// The indicator that marks `position` after a Search; kIndicators if none does.
WPARAM markAt(HWND view, std::int64_t position) {
    WPARAM indicator = 0;
    while (indicator < kIndicators &&
           SendMessageW(view, kIndicatorValueAt, indicator, static_cast<LPARAM>(position)) == 0)
        ++indicator;
    return indicator;
}

// Sends the host's main window a message from another thread every few milliseconds and
// keeps the longest wait for an answer of those sent while it measures: a message waits
// as long as the host's thread is busy in one slice.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window) : window_(window), thread_([this] { run(); }) {}
    ~AnswerProbe() { thread_.join(); }
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    void measure() { measuring_ = true; }
    // Handles the host's messages until the probe's thread is over.
    void stop() {
        stopping_ = true;
        MSG message{};
        while (!finished_) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(1);
        }
    }
    double longestWait() const { return longest_; }
    int probes() const { return probes_; }

private:
    void run() {
        while (!stopping_) {
            const bool counted = measuring_;
            const auto start = std::chrono::steady_clock::now();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 600'000, &answer);
            const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
            if (counted) {
                longest_ = std::max(longest_.load(), waited.count());
                ++probes_;
            }
            Sleep(5);
        }
        finished_ = true;
    }

    HWND window_;
    std::atomic<bool> measuring_ = false;
    std::atomic<bool> stopping_ = false;
    std::atomic<bool> finished_ = false;
    std::atomic<double> longest_ = 0;
    std::atomic<int> probes_ = 0;
    std::thread thread_;
};

std::wstring resultsLabel(HWND panel) {
    wchar_t text[128] = {};
    GetDlgItemTextW(panel, IDC_RESULTS_LABEL, text, 128);
    return text;
}

// Until the Search is over and, if it found its results, their last mark is painted.
void handleMessagesWhileSearching(HWND panel, HWND view, std::int64_t lastMark, WPARAM indicator) {
    const auto lastMarkPainted = [&] {
        return indicator >= kIndicators ||
               SendMessageW(view, kIndicatorValueAt, indicator, static_cast<LPARAM>(lastMark)) != 0;
    };
    const auto running = [&] {
        return searchRunning(panel) ||
               (resultsLabel(panel).rfind(L"Results:", 0) == 0 && !lastMarkPainted());
    };
    MSG message{};
    while (running() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The Search with its first slice long enough for all of it.
void inOneGo(HWND panel) {
    SetEnvironmentVariableW(L"TARNWICK_SEARCH_SLICE_MS", L"100000000");
    searchToEnd(panel);
    SetEnvironmentVariableW(L"TARNWICK_SEARCH_SLICE_MS", nullptr);
}

}  // namespace

void bigLogFigures() {
    const ScratchFolder folder;
    writeSettings(folder.path() / L"big", {"worker", "request"});
    minihost::MiniHost host(folder.path() / L"big");
    loadPlugin(host);
    const LogFilled log = fillWithLog(host.mainView());
    if (!log.whole)
        std::printf("the view ran out of memory holding the log: it holds %.0f MB of %.0f MB\n",
                    static_cast<double>(SendMessageW(host.mainView(), SCI_GETLENGTH, 0, 0)) / 1e6,
                    static_cast<double>(kLogBytes) / 1e6);
    const HWND panel = openPanel(host);
    // Once in one go before anything is timed: a process's first Search takes its memory
    // from the system, later ones reuse what the earlier freed.
    inOneGo(panel);
    const WPARAM lastMarkIndicator = markAt(host.mainView(), log.lastRequest);
    click(panel, IDC_CLEAR_BUTTON);

    // In slices, as a user's Search of it runs: the first, of about half a second, before
    // the click returns, then the others between the host's messages. Then in one go. The
    // rounds take turns, so that a change in the machine's load falls on both alike.
    Times sliced;
    Times whole;
    Times ratios;
    double firstSlice = 0;
    double longestWait = 0;
    int probes = 0;
    std::wstring slicedOutcome;
    std::wstring wholeOutcome;
    for (int round = 0; round < kRounds; ++round) {
        AnswerProbe probe(host.mainWindow());
        const double slicedSeconds = secondsOf([&] {
            firstSlice = secondsOf([&] { click(panel, IDC_SEARCH_BUTTON); });
            probe.measure();
            handleMessagesWhileSearching(panel, host.mainView(), log.lastRequest,
                                         lastMarkIndicator);
        });
        probe.stop();
        longestWait = std::max(longestWait, probe.longestWait());
        probes += probe.probes();
        slicedOutcome = resultsLabel(panel);
        click(panel, IDC_CLEAR_BUTTON);
        const double wholeSeconds = secondsOf([&] { inOneGo(panel); });
        wholeOutcome = resultsLabel(panel);
        click(panel, IDC_CLEAR_BUTTON);
        sliced.add(slicedSeconds);
        whole.add(wholeSeconds);
        ratios.add(slicedSeconds / wholeSeconds);
    }
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);

    std::printf("a Search of a %.0f MB log, \"worker\" and \"request\" on every line (%zu-bit):\n",
                static_cast<double>(SendMessageW(host.mainView(), SCI_GETLENGTH, 0, 0)) / 1e6,
                sizeof(void*) * 8);
    std::printf("  in slices, to its last mark: %ls; the last first slice %.3f s\n",
                slicedOutcome.c_str(), firstSlice);
    sliced.print("  in slices");
    std::printf(
        "  longest wait of the host's answer to a message after the first slice: %.1f ms over "
        "%d messages (target under %.0f ms: %s)\n",
        longestWait * 1000, probes, kAnswerTarget * 1000,
        longestWait < kAnswerTarget ? "met" : "not met");
    std::printf("  in one go: %ls\n", wholeOutcome.c_str());
    whole.print("  in one go");
    printRatio("in slices / in one go, round by round", ratios.median(), ratios.fastest(),
               kSlicedRatioTarget);
    std::printf(
        "  peak memory of the process (all Searches): page file %.0f MB, working set %.0f MB\n\n",
        counters.PeakPagefileUsage / 1e6, counters.PeakWorkingSetSize / 1e6);
}

}  // namespace tarnwick::bench
