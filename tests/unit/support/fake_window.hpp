#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "host/window_handle.hpp"

namespace tarnwick::testing {

// One message as a fake window received it. Addresses are not comparable between runs,
// so a pointer argument is recorded as 0 and what it points to, where the fake knows
// its size, as `text`.
struct SentMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::string text;

    bool operator==(const SentMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SentMessage& sent);

// A window that native tests hand to the core instead of a real one. Its handle is its
// own address; the test build's sendMessage routes there and the window records every
// message before answering it.
class FakeWindow {
public:
    virtual ~FakeWindow() = default;

    WindowHandle handle() { return this; }
    std::intptr_t receive(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    const std::vector<SentMessage>& messages() const { return messages_; }
    void forgetMessages() { messages_.clear(); }

protected:
    // Answers the message and fills in what should be recorded of its pointer argument.
    virtual std::intptr_t answer(SentMessage& recorded) = 0;

private:
    std::vector<SentMessage> messages_;
};

}  // namespace tarnwick::testing
