#include "fake_window.hpp"

#include "host/send_message.hpp"

namespace tarnwick {

std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    // Like SendMessageW to a window that does not exist: nothing happens, 0 comes back.
    if (window == nullptr) return 0;
    return static_cast<testing::FakeWindow*>(window)->receive(message, wParam, lParam);
}

namespace testing {

std::ostream& operator<<(std::ostream& out, const SentMessage& sent) {
    out << '{' << sent.message << ", " << sent.wParam << ", " << sent.lParam;
    if (!sent.text.empty()) out << ", \"" << sent.text << '"';
    return out << '}';
}

std::intptr_t FakeWindow::receive(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    SentMessage recorded{message, wParam, lParam, {}};
    const std::intptr_t result = answer(recorded);
    messages_.push_back(std::move(recorded));
    return result;
}

}  // namespace testing
}  // namespace tarnwick
