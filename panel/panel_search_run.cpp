// How a Search that takes long runs: in slices between which the host handles its
// messages, with its progress in the label, stopped by Esc, Clear, a new Search or a
// change to its document, and stopped with a message when memory runs out.
#include <windows.h>

#include <cstdlib>
#include <new>
#include <string>

#include "core/marks/current_view.hpp"
#include "dialogs/wide_text.hpp"
#include "panel/results/result_texts.hpp"
#include "panel/tarnwick_panel.hpp"

namespace tarnwick {

namespace {

// A whole number from the environment variable `name`; none when it is unset or not one.
std::optional<long long> environmentNumber(const wchar_t* name) {
    wchar_t text[32] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, 32);
    if (length == 0 || length >= 32) return std::nullopt;
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text, &end, 10);
    if (end == text || *end != L'\0' || value < 0) return std::nullopt;
    return value;
}

}  // namespace

// Tests make a Search take many slices, or its results' allocation fail at a chosen match,
// through two environment variables read as a Search starts; unset, as in normal use, they
// change nothing.
SearchRunLimits TarnwickPanel::searchRunLimits() {
    SearchRunLimits limits;
    if (const auto failAt = environmentNumber(L"TARNWICK_FAIL_AT_MATCH"))
        limits.failAtMatch = static_cast<std::size_t>(*failAt);
    const auto sliceMs = environmentNumber(L"TARNWICK_SEARCH_SLICE_MS");
    sliceTime = sliceMs ? std::chrono::milliseconds(*sliceMs) : kSliceTime;
    firstSliceTime = sliceMs ? sliceTime : kFirstSliceTime;
    return limits;
}

bool TarnwickPanel::runSlice(std::chrono::milliseconds budget) {
    SearchRun::State state = SearchRun::State::running;
    try {
        state = running->step(budget);
    } catch (...) {
        // Anything but memory running out (an editor's answer too large to hold): the
        // previous state stays, as it was before the Search.
        running.reset();
        runningIn.reset();
        throw;
    }
    switch (state) {
        case SearchRun::State::running: return true;
        case SearchRun::State::done: finishSearch(); return false;
        case SearchRun::State::outOfMemory:
            stopSearch(searchOutOfMemoryText(running->matchesHeld()));
            return false;
    }
    return false;
}

// A slice of a stopped run, or one whose view no longer shows its document (another tab,
// or a view that is gone with the host), searches nothing.
void TarnwickPanel::runNextSlice(WPARAM number) {
    KillTimer(window, kSearchSliceTimer);
    if (!running || number != runNumber) return;
    if (documentShownIn(running->view().window()) != runningIn->pointer) {
        stopSearch(kSearchStoppedLabel);
        return;
    }
    if (!runSlice(sliceTime)) return;
    showSearchProgress();
    scheduleNextSlice();
}

// A posted message is taken before input, paint and timers: while any of them waits, the
// next slice waits behind them for a timer instead, so that the host takes input and
// repaints between slices.
void TarnwickPanel::scheduleNextSlice() {
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0)
        SetTimer(window, kSearchSliceTimer, USER_TIMER_MINIMUM, nullptr);
    else
        PostMessageW(window, kSearchSliceMessage, runNumber, 0);
}

// The label is painted at once, so that its progress leaves no paint waiting.
void TarnwickPanel::showSearchProgress() {
    const int percent = running->percentDone();
    if (percent == shownPercent) return;
    shownPercent = percent;
    SetWindowTextW(resultsLabel, asWide(searchProgressText(percent)));
    UpdateWindow(resultsLabel);
}

void TarnwickPanel::finishSearch() {
    const std::unique_ptr<SearchRun> run = std::move(running);
    const DocumentRef searched = *runningIn;
    runningIn.reset();
    shownPercent = -1;
    const WindowHandle view = run->view().window();
    try {
        MatchList found = run->takeMatches();
        liveResults.searched(EditorView(view), run->entries(), found);
        matches = LiveMatches(std::move(found));
        followed = searched;
        reader.attach(window, searched.pointer);
        resultLines.forget();
        stopEditTimers();
        fillResultsList();
        paintAllMarks(view);
        // The Hits of the entries searched, which keep their counts if the list changed
        // since.
        hits.searched(run->entries());
        hits.follow(searchList);
        showResultsCount();
    } catch (const std::bad_alloc&) {
        dropResults(searchOutOfMemoryText(run->matchesHeld()));
    }
}

// Once a Search runs in slices, the old results are gone already; then only the label
// changes, which also makes this safe while an editor notifies, when marks may not change.
void TarnwickPanel::stopSearch(const std::u16string& label) {
    if (!running) return;
    running.reset();
    runningIn.reset();
    shownPercent = -1;
    KillTimer(window, kSearchSliceTimer);
    if (followed || !matches.empty())
        dropResults(label);
    else
        SetWindowTextW(resultsLabel, asWide(label));
}

}  // namespace tarnwick
