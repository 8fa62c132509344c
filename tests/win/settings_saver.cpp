// Saves into one settings file as another host process sharing the settings folder does.
// usage: settings_saver.exe FILE LETTER LENGTH TIMES   saves LENGTH times LETTER, TIMES times;
//                                                      the exit code counts the failed saves
//        settings_saver.exe FILE SOURCE                saves the text of SOURCE once; 0 when
//                                                      that save succeeded
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/atomic_file.hpp"

int wmain(int argc, wchar_t** argv) {
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
