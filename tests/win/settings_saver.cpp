// Saves one text into one settings file many times over, as one of several host processes
// sharing a settings folder does. Its exit code is the number of saves that failed.
// usage: settings_saver.exe FILE LETTER LENGTH TIMES   (the text: LENGTH times LETTER)
#include <algorithm>
#include <string>

#include "settings/atomic_file.hpp"

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) return 255;
    const std::string text(std::stoul(argv[3]), static_cast<char>(argv[2][0]));
    const int times = std::stoi(argv[4]);
    int failures = 0;
    for (int i = 0; i < times; ++i)
        failures += tarnwick::writeFileAtomically(argv[1], text) ? 0 : 1;
    return std::min(failures, 254);
}
