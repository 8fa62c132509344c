// How a Search that takes long runs: in slices between which the host handles its
// messages, with its progress in the label, stopped by Esc, Clear, a new Search or a
// change to its document, and stopped with a message when memory runs out.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>

#include "core/marks/current_view.hpp"
#include "core/marks/modification_events_off.hpp"
#include "core/search/work_in_parts.hpp"
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

// A Search in one go runs all of this in its first slice. After the first slice, the
// results are shown in a slice of their own, which ends there: with millions, showing them
// and their first paint take most of one.
bool TarnwickPanel::runSlice(std::chrono::milliseconds budget, bool first) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    if (running) {
        if (!resultsReady()) {
            switch (stepSearch(budget)) {
                case SearchRun::State::running: return true;
                case SearchRun::State::outOfMemory:
                    stopSearch(searchOutOfMemoryText(running->matchesHeld()));
                    return false;
                case SearchRun::State::done: break;
            }
            if (!recordSearchedText(deadline) || !first) return true;
        }
        finishSearch();
        if (!first) return marksPainting.has_value();
    }
    return paintMarksUntil(deadline);
}

SearchRun::State TarnwickPanel::stepSearch(std::chrono::milliseconds budget) {
    try {
        return running->step(budget);
    } catch (...) {
        // Anything but memory running out (an editor's answer too large to hold): the
        // previous state stays, as it was before the Search.
        running.reset();
        runningIn.reset();
        throw;
    }
}

bool TarnwickPanel::resultsReady() const {
    return running->state() == SearchRun::State::done && searchedText &&
           rowsRecorded >= running->matches().size();
}

// The text cannot change meanwhile: a change to it stops the Search.
bool TarnwickPanel::recordSearchedText(std::chrono::steady_clock::time_point deadline) {
    const MatchList& found = running->matches();
    if (!searchedText) {
        searchedText.emplace();
        searchedText->record(running->view(), {});
        rowsRecorded = 0;
    }
    rowsRecorded = searchedText->add(running->view(), found, rowsRecorded, deadline);
    return rowsRecorded >= found.size();
}

bool TarnwickPanel::paintMarksUntil(std::chrono::steady_clock::time_point deadline) {
    if (!marksPainting || !followed) return false;
    const std::vector<WindowHandle> views = viewsShowing(hostHandles, followed->pointer);
    if (views.empty()) return false;
    const EditorView view(views.front());
    const MatchList& all = matches.settled();
    {
        const ModificationEventsOff quiet(hostHandles, view.window(), followed->pointer);
        if (!marksPainting->prepared) indicators.prepare(view, liveResults.entries());
        marksPainting->prepared = true;
        // A few milliseconds of messages between two reads of the clock.
        constexpr std::size_t kRowsBetweenClockReads = 4096;
        marksPainting->next = workInPartsUntil(
            marksPainting->next, all.size(), kRowsBetweenClockReads, deadline,
            [&](std::size_t first, std::size_t end) { indicators.fill(view, all, first, end); });
    }
    if (marksPainting->next < all.size()) return true;
    marksPainting.reset();
    return false;
}

void TarnwickPanel::repaintMarksFrom(const RowsChanged& rows) {
    if (!marksPainting) return;
    std::size_t& next = marksPainting->next;
    if (!rows.removed.empty()) next = std::min(next, rows.removed.front());
    if (!rows.added.empty()) next = std::min(next, rows.added.front());
}

// A slice of a stopped run, or one whose view no longer shows its document (another tab,
// or a view that is gone with the host), searches nothing.
void TarnwickPanel::runNextSlice(WPARAM number) {
    KillTimer(window, kSearchSliceTimer);
    if (number != runNumber) return;
    if (running && documentShownIn(running->view().window()) != runningIn->pointer) {
        stopSearch(kSearchStoppedLabel);
        return;
    }
    if (!runSlice(sliceTime, false)) return;
    if (running) showSearchProgress();
    scheduleNextSlice();
}

// A posted message is taken before input, paint and timers: while any of them waits, the
// next slice waits behind them for a timer instead, so that the host takes input and
// repaints between slices. The paint a slice leaves (its marks, the list, the label) is
// done at once instead: a timer costs a round trip of at least ten milliseconds a slice.
void TarnwickPanel::scheduleNextSlice() {
    if (HIWORD(GetQueueStatus(QS_PAINT)) != 0) {
        const UINT everything = RDW_UPDATENOW | RDW_ALLCHILDREN;
        RedrawWindow(static_cast<HWND>(hostHandles._nppHandle), nullptr, nullptr, everything);
        RedrawWindow(window, nullptr, nullptr, everything);  // when it floats
    }
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
    const TextCheck check = *std::exchange(searchedText, std::nullopt);
    try {
        liveResults.searched(run->entries(), check);
        liveResults.recolorFrom(searchList);
        matches = LiveMatches(run->takeMatches());
        followed = searched;
        reader.attach(window, searched.pointer);
        resultLines.forget();
        stopEditTimers();
        fillResultsList();
        // Painted as the slices go on, or at once by the rest of a first slice.
        marksPainting = MarksPainting{};
        markedDocuments.searched(searched, !matches.empty());
        // The Hits of the entries searched, which keep their counts if the list changed
        // since, and which regular expressions the editor refused.
        hits.searched(run->entries(), run->rejected());
        searchNotes.clear();
        for (const RejectedEntry& entry : run->rejected())
            searchNotes.push_back(rejectionNote(
                entry.why, run->entries()[static_cast<std::size_t>(entry.entryIndex)].text));
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
