#include "panel/controls/clipboard.hpp"

#include <cstring>

#include "dialogs/unique_handle.hpp"

namespace tarnwick {

namespace {

// Closes the clipboard when the scope is left.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_) CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

// The text and its terminating NUL in movable global memory, as the clipboard takes it.
GlobalMemoryOwner globalCopy(std::u16string_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    GlobalMemoryOwner memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return memory;
    void* const target = GlobalLock(memory.get());
    if (target == nullptr) return nullptr;
    std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(target)[text.size()] = u'\0';
    GlobalUnlock(memory.get());
    return memory;
}

}  // namespace

bool putTextOnClipboard(HWND owner, std::u16string_view text) {
    GlobalMemoryOwner memory = globalCopy(text);
    if (!memory) return false;
    const ClipboardScope clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard()) return false;
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace tarnwick
