#include "minihost/panel_session.hpp"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <fstream>

#include "settings/atomic_file.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick::minihost {

namespace {

constexpr std::string_view kHeader =
    "# minihost: docked panels visible at exit (identifier, tab, module)\n";

bool sameModule(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring toWide(std::string_view utf8) {
    const std::u16string text = fromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string toUtf8(std::wstring_view text) {
    return tarnwick::toUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace

PanelSession::PanelSession(std::filesystem::path file) : file_(std::move(file)) {
    std::ifstream in(file_);
    std::string line;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (line.starts_with('#') || tab == std::string::npos || tab + 1 == line.size()) continue;
        int dialogId = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + tab, dialogId);
        if (error != std::errc() || end != line.data() + tab) continue;
        entries_.push_back({toWide(std::string_view(line).substr(tab + 1)), dialogId});
    }
}

std::vector<int> PanelSession::panelsOf(std::wstring_view moduleName) const {
    std::vector<int> dialogIds;
    for (const Entry& entry : entries_) {
        const bool known = std::ranges::find(dialogIds, entry.dialogId) != dialogIds.end();
        if (sameModule(entry.moduleName, moduleName) && !known) dialogIds.push_back(entry.dialogId);
    }
    return dialogIds;
}

void PanelSession::remember(std::wstring_view moduleName,
                            const std::vector<const PanelRegistration*>& visiblePanels) {
    std::erase_if(entries_,
                  [&](const Entry& entry) { return sameModule(entry.moduleName, moduleName); });
    for (const PanelRegistration* panel : visiblePanels) {
        const bool named = panel->name && !panel->name->empty();
        if (named && panel->moduleName && sameModule(*panel->moduleName, moduleName))
            entries_.push_back({std::wstring(moduleName), panel->dialogId});
    }
}

bool PanelSession::save() const {
    std::string text(kHeader);
    for (const Entry& entry : entries_)
        text += std::to_string(entry.dialogId) + '\t' + toUtf8(entry.moduleName) + '\n';
    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    return writeFileAtomically(file_, text);
}

}  // namespace tarnwick::minihost
