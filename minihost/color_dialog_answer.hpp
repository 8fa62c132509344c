#pragma once

#include <windows.h>

#include <array>
#include <optional>

namespace tarnwick::minihost {

// A test's stand-in for the user at the system's colour dialog: while it lives, the first
// colour dialog that opens on this thread is answered at once, with OK on `pick` or, with
// none, Cancel; what the dialog was opened with is kept. One at a time per thread.
class ColorDialogAnswer {
public:
    struct Offer {
        COLORREF initial = 0;
        DWORD flags = 0;
        std::array<COLORREF, 16> customColors{};
    };

    explicit ColorDialogAnswer(std::optional<COLORREF> pick);
    ~ColorDialogAnswer();
    ColorDialogAnswer(const ColorDialogAnswer&) = delete;
    ColorDialogAnswer& operator=(const ColorDialogAnswer&) = delete;

    // What the dialog answered was opened with; none while no dialog has opened.
    const std::optional<Offer>& offer() const { return offer_; }

private:
    static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam);
    void answer(HWND dialog, CHOOSECOLORW& request);

    std::optional<COLORREF> pick_;
    std::optional<Offer> offer_;
    HHOOK hook_ = nullptr;
};

}  // namespace tarnwick::minihost
