// The core's work on the log's results, timed directly in this process on a view of
// minihost: the text check a tab switch makes, and the later search of one edited line.
// The results are the bench's own, found and held as the plugin finds and holds them.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_tools.hpp"
#include "change_figures.hpp"
#include "core/search/document_searcher.hpp"
#include "core/results/live_results.hpp"
#include "document_shapes.hpp"
#include "minihost/scintilla_messages.hpp"

namespace tarnwick::bench {

namespace {

// A tab switch's check may take 2 ms or less; the later search of an edited line under
// 1 ms with 10 strings, under 20 ms with 10,000.
constexpr double kCheckTarget = 0.002;
constexpr double kFewStringsTarget = 0.001;
constexpr double kManyStringsTarget = 0.020;
constexpr int kCheckRuns = 21;
constexpr int kEditRuns = 21;

struct HeldResults {
    LiveResults live;
    LiveMatches matches;
};

HeldResults holdResults(const EditorView& view, const SearchList& entries, MatchList found) {
    HeldResults held;
    held.live.searched(view, entries, found);
    held.matches = LiveMatches(std::move(found));
    return held;
}

void setText(HWND view, const std::string& text) {
    SendMessageW(view, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void printTarget(const std::string& what, const Times& times, const char* target, bool met) {
    times.print(what.c_str());
    std::printf("      (target %s: %s)\n", target, met ? "met" : "not met");
}

// The check of unchanged text, which must find it the same every time.
void printCheckTimes(const EditorView& view, const HeldResults& held, const char* gap) {
    Times times;
    int wrong = 0;
    for (int run = 0; run < kCheckRuns; ++run)
        times.add(secondsOf(
            [&] { wrong += held.live.verify(view, held.matches) != TextCheck::Verdict::same; }));
    const std::string what = std::string("  the editor's gap ") + gap + " (byte " +
                             std::to_string(view.send(SCI_GETGAPPOSITION)) + ")";
    printTarget(what, times, "2 ms or less", times.median() <= kCheckTarget);
    if (wrong > 0)
        std::printf("  THE CHECK FOUND A CHANGE %d times; the text is the same\n", wrong);
}

// One character typed at `at` and heard as the editor reports it, then the edited text
// searched again as the plugin does once its timer fires: timed is that search. The
// character is deleted again the same way, untimed.
Times editedLineSearches(const EditorView& view, std::int64_t at, HeldResults& held) {
    const std::intptr_t document = view.send(SCI_GETDOCPOINTER);
    std::vector<MarkRange> marksToClear;
    const auto edit = [&](std::uint32_t message, int type) {
        if (message == SCI_INSERTTEXT)
            view.send(message, static_cast<std::uintptr_t>(at),
                      reinterpret_cast<std::intptr_t>("x"));
        else
            view.send(message, static_cast<std::uintptr_t>(at), 1);
        held.live.apply(view, document, Modification{type, at, 1, 0}, held.matches);
    };
    Times times;
    for (int run = 0; run < kEditRuns; ++run) {
        edit(SCI_INSERTTEXT, SC_MOD_INSERTTEXT);
        times.add(secondsOf([&] { held.live.searchEdits(view, held.matches, marksToClear); }));
        edit(SCI_DELETERANGE, SC_MOD_DELETETEXT);
        held.live.searchEdits(view, held.matches, marksToClear);
    }
    return times;
}

// The log's strings, then strings no document holds, up to `count`: a whole search finds
// with them what it finds with the log's strings alone.
SearchList entriesOf(const DocumentShape& shape, int count) {
    std::vector<std::string> texts = shape.needles;
    for (std::string& absent : numberedEntries(count - static_cast<int>(texts.size())))
        texts.push_back(std::move(absent));
    return searchListOf(texts);
}

void editedLineFigures(HWND window, const DocumentShape& shape) {
    setText(window, shape.text);
    const EditorView view(window);
    const MatchList found = DocumentSearcher{}.searchAll(view, searchListOf(shape.needles));
    // Inside a word of a line in the middle: no result breaks, none appears.
    const auto at =
        static_cast<std::int64_t>(shape.text.find("handled", shape.text.size() / 2) + 3);
    std::printf("  %s, %zu results held:\n", shape.description.c_str(), found.size());
    for (const int strings : {10, 10'000}) {
        HeldResults held = holdResults(view, entriesOf(shape, strings), found);
        const Times times = editedLineSearches(view, at, held);
        const bool few = strings == 10;
        const double target = few ? kFewStringsTarget : kManyStringsTarget;
        printTarget(few ? "    10 strings" : "    10,000 strings", times,
                    few ? "under 1 ms" : "under 20 ms", times.median() < target);
        if (held.matches.size() != found.size())
            std::printf("    THE RESULTS CHANGED: %zu held, %zu before\n", held.matches.size(),
                        found.size());
    }
}

}  // namespace

void checkFigures(const std::filesystem::path& folder) {
    minihost::MiniHost host(folder);
    const DirectCallsToViews direct(host);
    const DocumentShape log = makeDocumentShape("log");
    setText(host.mainView(), log.text);
    const EditorView view(host.mainView());
    const SearchList entries = searchListOf(log.needles);
    const HeldResults held =
        holdResults(view, entries, DocumentSearcher{}.searchAll(view, entries));
    std::printf("the text check of a tab switch, the %.1f MB log, %zu results held:\n",
                log.text.size() / 1e6, held.matches.size());
    printCheckTimes(view, held, "at the end");
    // An edit in the middle, undone: the same text, the gap where the edit was.
    const auto middle = static_cast<WPARAM>(log.text.size() / 2);
    SendMessageW(host.mainView(), SCI_INSERTTEXT, middle, reinterpret_cast<LPARAM>("x"));
    SendMessageW(host.mainView(), SCI_DELETERANGE, middle, 1);
    printCheckTimes(view, held, "in the middle");
    std::printf("\n");
}

void typingFigures(const std::filesystem::path& folder) {
    minihost::MiniHost host(folder);
    const DirectCallsToViews direct(host);
    std::printf(
        "one character typed in a line in the middle, heard, then the later search of "
        "the edited line:\n");
    editedLineFigures(host.mainView(), makeDocumentShape("log"));
    editedLineFigures(host.mainView(), makeLongLinePair("log").first);
    std::printf("\n");
}

}  // namespace tarnwick::bench
