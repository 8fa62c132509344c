// A burst of edits that breaks 10,000 results at once, as a column edit or a macro types
// it: with the results held against the same burst with them another document's, in
// turns.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_tools.hpp"
#include "change_figures.hpp"
#include "log_host.hpp"
#include "minihost/scintilla_messages.hpp"

namespace tarnwick::bench {

namespace {

constexpr std::size_t kBrokenResults = 10'000;
constexpr double kBurstTarget = 2.0;
// Each round searches the 20 MB log twice and undoes 10,000 edits twice.
constexpr int kBurstRounds = 3;
// Past the delay after which the plugin searches the edited text again.
constexpr DWORD kPastEditsSearchMs = 150;

// Inside each of 10,000 "status=" from the middle of the log on, each position as it is
// once the characters before it went in.
std::vector<LRESULT> burstPositions(const std::string& text) {
    std::vector<LRESULT> positions;
    for (auto found = text.find("status=", text.size() / 2);
         found != std::string::npos && positions.size() < kBrokenResults;
         found = text.find("status=", found + 1))
        positions.push_back(static_cast<LRESULT>(found + 3 + positions.size()));
    return positions;
}

// The messages of the burst, a posted one to settle the broken rows among them, handled;
// the timer's search of the edited text is left for later, to be timed apart.
void pumpAllButTimers(minihost::MiniHost& host) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
           PeekMessageW(&message, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE))
        host.dispatch(message);
}

// One character in each place, as one undo action, then its messages handled.
void typeBurst(LogInHost& setup, const std::vector<LRESULT>& positions) {
    const HWND view = setup.logView();
    SendMessageW(view, SCI_BEGINUNDOACTION, 0, 0);
    for (const LRESULT position : positions)
        SendMessageW(view, SCI_INSERTTEXT, position, reinterpret_cast<LPARAM>("x"));
    SendMessageW(view, SCI_ENDUNDOACTION, 0, 0);
    pumpAllButTimers(setup.host());
}

void undoBurst(LogInHost& setup) {
    SendMessageW(setup.logView(), SCI_UNDO, 0, 0);
    setup.host().pumpMessages();
}

}  // namespace

void burstFigures(const std::filesystem::path& folder) {
    const DocumentShape log = makeDocumentShape("log");
    const std::vector<LRESULT> positions = burstPositions(log.text);
    LogInHost setup(folder, log, "status=200\r\n");
    Times held, alone, searchedLater;
    std::size_t before = 0;
    std::size_t after = 0;
    for (int round = 0; round < kBurstRounds; ++round) {
        setup.holdLogResults();
        before = setup.listedResults();
        held.add(secondsOf([&] { typeBurst(setup, positions); }));
        after = setup.listedResults();
        Sleep(kPastEditsSearchMs);
        searchedLater.add(secondsOf([&] { setup.host().pumpMessages(); }));
        undoBurst(setup);
        setup.holdOtherResults();
        alone.add(secondsOf([&] { typeBurst(setup, positions); }));
        undoBurst(setup);
    }
    std::printf(
        "a burst of %zu edits in the %.1f MB log, one inside each of %zu results, as "
        "one undo action:\n",
        positions.size(), log.text.size() / 1e6, positions.size());
    held.print("  the burst and the settling of the broken rows, the results the log's");
    alone.print("  the same burst, the results another document's");
    printRatio("held / another document's", held.median() / alone.median(),
               held.fastest() / alone.fastest(), kBurstTarget);
    std::printf("  results listed: %zu before, %zu after\n", before, after);
    searchedLater.print("  the later search of the edited text, once its timer fired");
    std::printf("\n");
}

}  // namespace tarnwick::bench
