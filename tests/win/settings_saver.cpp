// Saves into one settings file as another host process sharing the settings folder does.
// usage: settings_saver.exe FILE LETTER LENGTH TIMES   saves LENGTH times LETTER, TIMES times;
//                                                      the exit code counts the failed saves
//        settings_saver.exe FILE SOURCE                saves the text of SOURCE once; 0 when
//                                                      that save succeeded
//        settings_saver.exe --add CONFIG PREFIX TIMES  adds PREFIX followed by 0, 1, ... to
//                                                      the list of the host configuration
//                                                      folder CONFIG, one change at a time, as
//                                                      an instance of the host does; 0 when
//                                                      nothing is left unsaved at the end
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/atomic_file.hpp"
#include "settings/settings_store.hpp"
#include "test_host_window.hpp"

namespace {

int addEntries(const std::wstring& configDirectory, const std::wstring& prefix, int times) {
    const tarnwick::testing::TestHostWindow host(configDirectory);
    tarnwick::SettingsStore store;
    store.initPaths(host.handle());
    tarnwick::SearchList list;
    store.load(list);
    for (int i = 0; i < times; ++i) {
        const std::wstring text = prefix + std::to_wstring(i);
        store.update(list, [&text](tarnwick::SearchList& newest) {
            return newest.add(std::u16string(text.begin(), text.end()));
        });
    }
    // What could not be saved is tried again, as the host does at shutdown.
    for (int attempt = 0; attempt < 100 && store.saveProblem(); ++attempt) {
        Sleep(10);
        store.update(list, [](tarnwick::SearchList&) { return false; });
    }
    return store.saveProblem() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && std::wstring(argv[1]) == L"--add")
        return addEntries(argv[2], argv[3], std::stoi(argv[4]));
    if (argc == 3) {
        std::ifstream source(argv[2]);
        if (!source.is_open()) return 255;
        const std::string text(std::istreambuf_iterator<char>(source), {});
        return tarnwick::writeFileAtomically(argv[1], text) ? 0 : 1;
    }
    if (argc != 5) return 255;
    const std::string text(std::stoul(argv[3]), static_cast<char>(argv[2][0]));
    const int times = std::stoi(argv[4]);
    int failures = 0;
    for (int i = 0; i < times; ++i)
        failures += tarnwick::writeFileAtomically(argv[1], text) ? 0 : 1;
    return std::min(failures, 254);
}
