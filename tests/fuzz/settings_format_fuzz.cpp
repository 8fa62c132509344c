// Any bytes as a settings file: reading must never crash, and whatever was read must be
// written and read back whole and unchanged.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "settings/settings_format.hpp"

namespace {

bool sameEntries(const tarnwick::SearchList& a, const tarnwick::SearchList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || a[i].enabled != b[i].enabled || a[i].color != b[i].color)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    tarnwick::SearchList list;
    tarnwick::readSearchList(file, list);

    std::istringstream written(tarnwick::writeSearchList(list));
    tarnwick::SearchList reread;
    if (!tarnwick::readSearchList(written, reread) || !sameEntries(list, reread)) std::abort();
    return 0;
}
