#include "settings/settings_store.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/list/entry_identity.hpp"
#include "core/list/pending_changes.hpp"
#include "host/host_messages.hpp"
#include "host/send_message.hpp"
#include "settings/atomic_file.hpp"
#include "settings/file_lock.hpp"
#include "settings/settings_format.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick {

namespace {

constexpr std::size_t kHostPathUnits = 260;
// Another instance holds the lock for one read and write of the list: a few tens of
// milliseconds at most, unless something is wrong with it.
constexpr std::chrono::milliseconds kLockWait{1000};
// Backups are numbered up to this; past it a file not read whole is not replaced.
constexpr int kBackupNames = 999;
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
    int error = 0;  // why a file that is there could not be read

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

std::u16string SettingsStore::backupPath(int number) const {
    if (number <= 1) return filePath_ + u".bak";
    const std::string digits = std::to_string(number);
    return filePath_ + u"." + std::u16string(digits.begin(), digits.end()) + u".bak";
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
        const int error = lastSystemError();
        std::error_code existence;
        const bool missing = !std::filesystem::exists(pathOf(filePath_), existence) && !existence;
        return {missing ? FileText::State::missing : FileText::State::unreadable, {}, error};
    }
    // A folder in the file's place opens on some systems and throws at the first read.
    try {
        return {FileText::State::read,
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
    } catch (const std::ios_base::failure&) {
        return {FileText::State::unreadable, {}, lastSystemError()};
    }
}

void SettingsStore::load(SearchList& list) {
    saved_ = list;
    pending_ = false;
    lastSeen_.reset();
    catchUp(readFile(), list);
}

// A file that cannot be read is left for `update` to refuse. A file another instance
// deleted holds no list that could be lost: the one shown stays, pending, to be written
// again.
bool SettingsStore::catchUp(const FileText& file, SearchList& list) {
    if (file.state == FileText::State::unreadable || file.contents() == lastSeen_) return false;
    lastSeen_ = file.contents();
    lastSeenWhole_ = true;
    if (file.state == FileText::State::missing) {
        saved_.clear();
        pending_ = !list.empty();
        return true;
    }
    // A text that does not parse leaves the list as it was last seen.
    SearchList newer = saved_;
    std::istringstream in(file.text);
    lastSeenWhole_ = readSearchList(in, newer);
    SearchList loaded = pending_ ? PendingChanges(saved_, list).appliedTo(newer) : newer;
    // The entries it still holds stay who they were, so their results, marks and Hits stay
    // theirs.
    carryIdentities(list, loaded);
    list = std::move(loaded);
    saved_ = std::move(newer);
    return true;
}

SettingsStore::Update SettingsStore::update(SearchList& list,
                                            const std::function<bool(SearchList&)>& change) {
    return updateUnderLock(list, change, false);
}

void SettingsStore::saveAtShutdown(SearchList& list) {
    updateUnderLock(
        list, [](SearchList&) { return false; }, true);
}

SettingsStore::Update SettingsStore::updateUnderLock(SearchList& list,
                                                     const std::function<bool(SearchList&)>& change,
                                                     bool rewrite) {
    createFolder();
    const FileLock lock(pathOf(lockPath()), kLockWait);
    const FileText file = readFile();
    Update result;
    result.reloaded = catchUp(file, list);
    result.changed = change(list);
    pending_ = pending_ || result.changed ||
               (rewrite && !result.reloaded && file.state != FileText::State::unreadable &&
                file.text != writeSearchList(list));
    if (!pending_)
        saveProblem_.reset();
    else if (!lock.held())
        failed(systemErrorText(lock.error()));
    else if (file.state == FileText::State::unreadable)
        failed(systemErrorText(file.error));
    else
        write(list);
    return result;
}

void SettingsStore::save(const SearchList& list) {
    SearchList replaced;
    update(replaced, [&list](SearchList& newest) {
        newest = list;
        return true;
    });
}

void SettingsStore::failed(std::u16string why) {
    saveProblem_ = std::move(why);
}

// The file as last seen is the one in place: the lock keeps others from replacing it.
bool SettingsStore::keepFileAside() {
    std::error_code error;
    for (int number = 1; number <= kBackupNames; ++number) {
        if (std::filesystem::exists(pathOf(backupPath(number)), error)) continue;
        if (!error &&
            std::filesystem::copy_file(pathOf(filePath_), pathOf(backupPath(number)), error))
            return true;
        break;
    }
    failed(error ? fromUtf8(error.message()) : u"No backup name left");
    return false;
}

// Without a backup a file not read whole is not replaced: the user may still want what
// was left out of the list.
void SettingsStore::write(const SearchList& list) {
    if (!lastSeenWhole_ && !keepFileAside()) return;
    const std::string text = writeSearchList(list);
    int error = 0;
    if (!writeFileAtomically(pathOf(filePath_), text, &error))
        return failed(systemErrorText(error));
    lastSeen_ = Contents{text.size(), hashOf(text)};
    lastSeenWhole_ = true;
    saved_ = list;
    pending_ = false;
    saveProblem_.reset();
}

}  // namespace tarnwick
