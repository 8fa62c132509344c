#include "settings/settings_store.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
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

// 64-bit FNV-1a: cheap, and a change that leaves the hash as it was is out of reach of
// anything but a deliberate search for one.
std::uint64_t hashOf(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001B3u;
    }
    return hash;
}

}  // namespace

struct SettingsStore::FileText {
    enum class State { missing, unreadable, read };
    State state = State::missing;
    std::string text;

    // What the file holds; none when there is no file.
    std::optional<Contents> contents() const {
        if (state != State::read) return std::nullopt;
        return Contents{text.size(), hashOf(text)};
    }
};

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

// Read through a text-mode stream, as `load` has always read it: on Windows the CR LF line
// ends written by `save` come back as the '\n' it was given.
SettingsStore::FileText SettingsStore::readFile() const {
    std::ifstream in(pathOf(filePath_));
    if (!in.is_open()) {
        std::error_code error;
        const bool missing = !std::filesystem::exists(pathOf(filePath_), error) && !error;
        return {missing ? FileText::State::missing : FileText::State::unreadable, {}};
    }
    // A folder in the file's place opens on some systems and throws at the first read.
    try {
        return {FileText::State::read,
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
    } catch (const std::ios_base::failure&) {
        return {FileText::State::unreadable, {}};
    }
}

// A file that is there but cannot be opened (access denied, held by another program) was
// not read either: it is kept aside before a save may replace it. A missing file needs
// nothing kept.
void SettingsStore::take(const FileText& file, SearchList& list) {
    std::istringstream in(file.text);
    backupBeforeSave_ = file.state == FileText::State::unreadable ||
                        (file.state == FileText::State::read && !readSearchList(in, list));
    if (file.state != FileText::State::unreadable) lastSeen_ = file.contents();
}

void SettingsStore::load(SearchList& list) {
    take(readFile(), list);
}

bool SettingsStore::reloadIfChanged(SearchList& list) {
    const FileText file = readFile();
    if (file.state == FileText::State::unreadable) {
        backupBeforeSave_ = true;
        return false;
    }
    if (file.contents() == lastSeen_) return false;
    take(file, list);
    return true;
}

bool SettingsStore::keepUnreadFile() const {
    std::error_code error;
    if (!std::filesystem::exists(pathOf(filePath_), error)) return !error;
    return std::filesystem::copy_file(pathOf(filePath_), pathOf(backupPath()),
                                      std::filesystem::copy_options::overwrite_existing, error);
}

void SettingsStore::write(const std::string& text) {
    createFolder();
    // Without a backup the file is not overwritten: the list read from it is incomplete.
    if (backupBeforeSave_ && !keepUnreadFile()) return;
    backupBeforeSave_ = false;
    if (writeFileAtomically(pathOf(filePath_), text))
        lastSeen_ = Contents{text.size(), hashOf(text)};
}

void SettingsStore::save(const SearchList& list) {
    write(writeSearchList(list));
}

// A missing file holds no list that could be lost: the list is written again.
void SettingsStore::saveIfDifferent(const SearchList& list) {
    const FileText file = readFile();
    if (file.state == FileText::State::unreadable) return;
    if (file.state == FileText::State::read && file.contents() != lastSeen_) return;
    const std::string text = writeSearchList(list);
    if (file.state == FileText::State::read && file.text == text) return;
    write(text);
}

}  // namespace tarnwick
