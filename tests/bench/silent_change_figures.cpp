// Changes of the log that the host makes without telling of each: reloads and a Replace
// All. Each is timed with the plugin's results those of the log and with them another
// document's, in turns, so that the machine's drift falls on both alike.
#include <cstdio>
#include <functional>
#include <string>

#include "bench_tools.hpp"
#include "change_figures.hpp"
#include "log_host.hpp"
#include "resources/resource.h"

namespace tarnwick::bench {

namespace {

// What following 1 MB added to the log may cost: two whole Searches of the 1 MB alone.
constexpr double kAppendedTarget = 2.0;
constexpr std::size_t kAppendedBytes = 1'000'000;
// A change that has the whole log searched again against the host's own work on it and a
// Search of its new text.
constexpr double kSearchedAgainTarget = 1.2;
// Each round searches the 20 MB log up to three times and reloads it four times: a few
// rounds are all the bench's run time affords.
constexpr int kSearchedAgainRounds = 3;
constexpr int kAppendedRounds = 3;

void printListed(std::size_t held, std::size_t searched) {
    std::printf("  results listed after the change: %zu; a Search of the changed log lists %zu%s\n",
                held, searched, held == searched ? "" : " (NOT THE SAME)");
}

// With the results elsewhere, the host's change then a Search of the log, against the
// change alone with the results the log's. The log is put back before each turn.
void searchedAgainFigures(LogInHost& setup, const std::string& log, const char* what,
                          const std::function<void()>& change) {
    minihost::MiniHost& host = setup.host();
    Times held, alone;
    std::size_t heldListed = 0;
    std::size_t searchedListed = 0;
    setup.holdLogResults();
    for (int round = 0; round < kSearchedAgainRounds; ++round) {
        setup.reloadLog(log);  // searched again by the plugin, which follows the log
        held.add(secondsOf([&] {
            change();
            host.pumpMessages();
        }));
        heldListed = setup.listedResults();
        setup.holdOtherResults();
        setup.reloadLog(log);
        alone.add(secondsOf([&] {
            change();
            searchToEnd(setup.panel());
            host.pumpMessages();
        }));
        searchedListed = setup.listedResults();
    }
    std::printf("  %s:\n", what);
    held.print("    the results the log's");
    alone.print("    the results another document's, then a whole Search of the log");
    printRatio("held / host's work and a Search", held.median() / alone.median(),
               held.fastest() / alone.fastest(), kSearchedAgainTarget);
    printListed(heldListed, searchedListed);
}

}  // namespace

// 1 MB of log lines added at the end by a reload, as a watched log grows: what the plugin
// adds to the reload until the new results are listed, against a Search of that 1 MB
// alone. The repaint of every mark the reload cleared follows from a posted message.
void appendedFigures(const std::filesystem::path& folder) {
    const DocumentShape log = makeDocumentShape("log");
    const std::string added = logLinesAfter(log, kAppendedBytes);
    const std::string grown = log.text + added;
    LogInHost setup(folder, log, added);  // the other document is the added text alone
    minihost::MiniHost& host = setup.host();
    Times held, alone, searchOfAdded, pumpHeld, pumpAlone;
    std::size_t heldResults = 0;
    std::size_t listed = 0;
    for (int round = 0; round < kAppendedRounds; ++round) {
        setup.reloadLog(log.text);
        setup.holdLogResults();
        heldResults = setup.listedResults();
        held.add(secondsOf([&] { host.reloadDocument(setup.log(), grown); }));
        listed = setup.listedResults();
        pumpHeld.add(secondsOf([&] { host.pumpMessages(); }));
        searchOfAdded.add(setup.holdOtherResults());
        setup.reloadLog(log.text);
        alone.add(secondsOf([&] { host.reloadDocument(setup.log(), grown); }));
        pumpAlone.add(secondsOf([&] { host.pumpMessages(); }));
    }
    setup.holdLogResults();

    std::printf("%.1f MB of log lines appended to the %.1f MB log by a reload, %zu results held:\n",
                added.size() / 1e6, log.text.size() / 1e6, heldResults);
    held.print("  the reload, the results the log's");
    alone.print("  the reload, the results another document's (the host's own work)");
    const double addedMedian = held.median() - alone.median();
    std::printf(
        "  added by the plugin until the new results are listed: median %.3f ms, "
        "fastest %.3f ms\n",
        addedMedian * 1000, (held.fastest() - alone.fastest()) * 1000);
    searchOfAdded.print("  whole Search command of the 1 MB alone");
    printRatio("added / Search of the 1 MB", addedMedian / searchOfAdded.median(),
               (held.fastest() - alone.fastest()) / searchOfAdded.fastest(), kAppendedTarget);
    pumpHeld.print(
        "  then the messages after the reload: the posted repaint of every mark, "
        "and the views' and list's painting");
    pumpAlone.print("  the same, the results another document's: the painting alone");
    printListed(listed, setup.listedResults());
    std::printf("\n");
}

// A line added at the top by a reload, and a Replace All: the log is searched again.
void replacedFigures(const std::filesystem::path& folder) {
    const DocumentShape log = makeDocumentShape("log");
    LogInHost setup(folder, log, "status=200\r\n");
    const std::string topLine = log.text.substr(0, log.text.find('\n') + 1);
    const std::string longer = topLine + log.text;
    int replaced = 0;
    std::printf("the %.1f MB log changed without a report of each change, searched again:\n",
                log.text.size() / 1e6);
    searchedAgainFigures(setup, log.text, "a line added at the top, by a reload",
                         [&] { setup.host().reloadDocument(setup.log(), longer); });
    // A rare string: minihost replaces about one match a millisecond in the 20 MB log, so a
    // common one ("worker", on every line) would take minutes a turn, all of it the host's.
    searchedAgainFigures(setup, log.text, "Replace All of \"in 996 ms\" by \"in 0996 ms\"",
                         [&] { replaced = setup.host().replaceAll("in 996 ms", "in 0996 ms"); });
    std::printf("  (%d replaced by each Replace All)\n\n", replaced);
}

}  // namespace tarnwick::bench
