#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fake_window.hpp"

namespace tarnwick::testing {

// A substitute for the host's main window. It answers the host messages the core sends
// with what the test set up, and records what each pointer argument held on arrival
// (the preset integer, or whether the path buffer came zero-filled) as the message's text.
class FakeHost : public FakeWindow {
public:
    std::u16string configDirectory;
    std::intptr_t allocationResult = 0;       // the answer to NPPM_ALLOCATEINDICATOR
    std::int32_t firstGrantedIndicator = 0;   // written only when the allocation succeeds
    std::optional<std::int32_t> currentView;  // nothing written when empty
    std::uintptr_t currentBufferId = 0;       // the answer to NPPM_GETCURRENTBUFFERID
    std::intptr_t tabPosition = -1;           // the answer to NPPM_GETPOSFROMBUFFERID
    // What NPPM_ACTIVATEDOC does (view, tab index), as the real host switches documents.
    std::function<void(std::uintptr_t, std::intptr_t)> activateDocument;
    std::intptr_t darkModeEnabled = 0;  // the answer to NPPM_ISDARKMODEENABLED
    // NPPM_GETDARKMODECOLORS writes these COLORREFs from the record's start, as many as
    // there are, and answers darkModeColorsResult.
    std::vector<std::uint32_t> darkModeColors;
    std::intptr_t darkModeColorsResult = 0;

protected:
    std::intptr_t answer(SentMessage& recorded) override;

private:
    void writeConfigDirectory(SentMessage& recorded) const;
    void writeDarkModeColors(SentMessage& recorded) const;
};

}  // namespace tarnwick::testing
