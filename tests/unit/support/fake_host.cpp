#include "fake_host.hpp"

#include <algorithm>

#include "host/host_messages.hpp"

namespace tarnwick::testing {

namespace {

std::int32_t& integerAt(SentMessage& recorded) {
    auto* value = reinterpret_cast<std::int32_t*>(recorded.lParam);
    recorded.lParam = 0;
    recorded.text = std::to_string(*value);
    return *value;
}

}  // namespace

std::intptr_t FakeHost::answer(SentMessage& recorded) {
    switch (recorded.message) {
        case NPPM_ALLOCATEINDICATOR: {
            std::int32_t& first = integerAt(recorded);
            if (allocationResult != 0) first = firstGrantedIndicator;
            return allocationResult;
        }
        case NPPM_GETCURRENTSCINTILLA: {
            std::int32_t& which = integerAt(recorded);
            if (currentView) which = *currentView;
            return 0;
        }
        case NPPM_GETPLUGINSCONFIGDIR: writeConfigDirectory(recorded); return 1;
        case NPPM_GETCURRENTBUFFERID: return static_cast<std::intptr_t>(currentBufferId);
        case NPPM_GETPOSFROMBUFFERID: return tabPosition;
        case NPPM_ACTIVATEDOC:
            if (activateDocument) activateDocument(recorded.wParam, recorded.lParam);
            return 1;
        case NPPM_ISDARKMODEENABLED: return darkModeEnabled;
        case NPPM_GETDARKMODECOLORS: writeDarkModeColors(recorded); return darkModeColorsResult;
        default: return 0;
    }
}

void FakeHost::writeConfigDirectory(SentMessage& recorded) const {
    auto* buffer = reinterpret_cast<char16_t*>(recorded.lParam);
    const std::size_t capacity = recorded.wParam;
    recorded.lParam = 0;
    recorded.text = std::all_of(buffer, buffer + capacity, [](char16_t c) { return c == 0; })
                        ? "zero-filled"
                        : "dirty";
    const std::size_t length = std::min(configDirectory.size(), capacity - 1);
    std::copy_n(configDirectory.begin(), length, buffer);
    buffer[length] = u'\0';
}

void FakeHost::writeDarkModeColors(SentMessage& recorded) const {
    auto* record = reinterpret_cast<std::uint32_t*>(recorded.lParam);
    recorded.lParam = 0;
    std::copy_n(darkModeColors.begin(),
                std::min(darkModeColors.size(), recorded.wParam / sizeof(std::uint32_t)), record);
}

}  // namespace tarnwick::testing
