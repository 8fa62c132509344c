#include "option_figures.hpp"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench_tools.hpp"
#include "core/search/document_searcher.hpp"
#include "document_shapes.hpp"
#include "host/editor_messages.hpp"
#include "minihost/mini_host.hpp"
#include "minihost/scintilla_messages.hpp"
#include "settings/settings_format.hpp"

namespace tarnwick::bench {

namespace {

constexpr double kOptionRatioTarget = 1.5;

struct OptionCase {
    const char* what;
    SearchEntry entry;
    std::uintptr_t flags;  // what the host's own search of the pattern sends
};

// The host's own search: each target search from where the previous match ended; the
// count of matches.
std::size_t hostSearch(HWND view, const std::string& pattern, std::uintptr_t flags) {
    const auto function = reinterpret_cast<std::intptr_t (*)(std::intptr_t, unsigned int,
                                                             std::uintptr_t, std::intptr_t)>(
        SendMessageW(view, SCI_GETDIRECTFUNCTION, 0, 0));
    const std::intptr_t pointer = SendMessageW(view, SCI_GETDIRECTPOINTER, 0, 0);
    const auto call = [&](unsigned int message, std::uintptr_t wParam = 0,
                          std::intptr_t lParam = 0) {
        return function(pointer, message, wParam, lParam);
    };
    std::size_t matches = 0;
    const std::intptr_t length = call(SCI_GETLENGTH);
    for (std::intptr_t start = 0; start < length;) {
        call(SCI_SETTARGETSTART, static_cast<std::uintptr_t>(start));
        call(SCI_SETTARGETEND, static_cast<std::uintptr_t>(length));
        call(SCI_SETSEARCHFLAGS, flags);
        if (call(SCI_SEARCHINTARGET, pattern.size(),
                 reinterpret_cast<std::intptr_t>(pattern.data())) < 0)
            break;
        ++matches;
        start = call(SCI_GETTARGETEND);
    }
    return matches;
}

void figuresOf(const OptionCase& option, const DocumentShape& log, const ScratchFolder& folder) {
    const std::filesystem::path settings = folder.path() / option.what;
    SearchList list;
    list.append(option.entry);
    std::filesystem::create_directories(settings / L"Tarnwick");
    std::ofstream(settings / L"Tarnwick" / L"searches.json", std::ios::binary)
        << writeSearchList(list);
    minihost::MiniHost host(settings);
    loadPlugin(host);
    SendMessageW(host.mainView(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(log.text.c_str()));
    const HWND panel = openPanel(host);
    const DirectCallsToViews directCalls(host);
    const std::string pattern(option.entry.text.begin(), option.entry.text.end());
    std::size_t hostMatches = 0;
    std::size_t coreMatches = 0;
    // One Search first, untimed: the first one of a process pays for memory the others reuse.
    searchToEnd(panel);
    Times own, core, whole;
    for (int round = 0; round < kRuns; ++round) {
        own.add(
            secondsOf([&] { hostMatches = hostSearch(host.mainView(), pattern, option.flags); }));
        core.add(secondsOf([&] {
            coreMatches = DocumentSearcher{}.searchAll(EditorView(host.mainView()), list).size();
        }));
        whole.add(secondsOf([&] { searchToEnd(panel); }));
    }
    std::printf("%s \"%s\": %zu matches (the host's own search: %zu)\n", option.what,
                pattern.c_str(), coreMatches, hostMatches);
    own.print("the host's own search, one target search a match by direct calls");
    core.print("the core's search of the entry");
    printRatio("core's search / host's own search", core.median() / own.median(),
               core.fastest() / own.fastest(), kOptionRatioTarget);
    whole.print("whole Search command (results list and highlighting)");
    std::printf("  ratio whole Search / host's own search: median %.2f\n",
                whole.median() / own.median());
}

}  // namespace

void optionFigures() {
    const DocumentShape log = makeDocumentShape("log");
    const ScratchFolder folder;
    const OptionCase cases[] = {
        {"literal", {u"status=", true, 0}, 0},
        {"whole word", {u"worker", true, 0, {.wholeWord = true}}, SCFIND_WHOLEWORD},
        {"regular expression",
         {u"in \\d+ ms", true, 0, {.regex = true}},
         SCFIND_REGEXP | SCFIND_CXX11REGEX},
    };
    std::printf("document: %s; %.1f MB\n", log.description.c_str(), log.text.size() / 1e6);
    for (const OptionCase& option : cases) figuresOf(option, log, folder);
}

}  // namespace tarnwick::bench
