#include "settings/settings_store.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "host/host_messages.hpp"
#include "host/send_message.hpp"
#include "settings/atomic_file.hpp"
#include "settings/settings_format.hpp"

namespace tarnwick {

namespace {

constexpr std::size_t kHostPathUnits = 260;
// A backslash on Windows, as the host's own paths have it.
constexpr char16_t kSeparator = static_cast<char16_t>(std::filesystem::path::preferred_separator);

std::filesystem::path pathOf(const std::u16string& text) {
    return std::filesystem::path(text);
}

}  // namespace

void SettingsStore::initPaths(WindowHandle host) {
    char16_t buffer[kHostPathUnits] = {};
    sendMessage(host, NPPM_GETPLUGINSCONFIGDIR, kHostPathUnits,
                reinterpret_cast<std::intptr_t>(buffer));
    const std::u16string directory(buffer, std::find(buffer, buffer + kHostPathUnits, u'\0'));
    folderPath_ = directory + kSeparator + u"Tarnwick";
    filePath_ = folderPath_ + kSeparator + u"searches.json";
    createFolder();
}

void SettingsStore::createFolder() const {
    std::error_code ignored;
    std::filesystem::create_directories(pathOf(folderPath_), ignored);
}

void SettingsStore::load(SearchList& list) {
    std::ifstream in(pathOf(filePath_));
    // A file that is there but cannot be opened (access denied, held by another program)
    // was not read either: it is kept aside before a save may replace it. A missing file
    // needs nothing kept.
    backupBeforeSave_ = !in.is_open() || !readSearchList(in, list);
}

bool SettingsStore::keepUnreadFile() const {
    std::error_code error;
    if (!std::filesystem::exists(pathOf(filePath_), error)) return !error;
    return std::filesystem::copy_file(pathOf(filePath_), pathOf(backupPath()),
                                      std::filesystem::copy_options::overwrite_existing, error);
}

void SettingsStore::save(const SearchList& list) {
    createFolder();
    // Without a backup the file is not overwritten: the list read from it is incomplete.
    if (backupBeforeSave_ && !keepUnreadFile()) return;
    backupBeforeSave_ = false;
    writeFileAtomically(pathOf(filePath_), writeSearchList(list));
}

}  // namespace tarnwick
