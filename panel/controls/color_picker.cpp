#include "panel/controls/color_picker.hpp"

#include <commdlg.h>

#include <algorithm>
#include <array>

namespace tarnwick {

namespace {

// The dialog's sixteen custom colours; those the palette leaves over are white, as in a
// dialog nobody has customised.
constexpr std::size_t kCustomColorCount = 16;
constexpr COLORREF kWhite = 0x00FFFFFF;

}  // namespace

std::optional<Colorref> pickColor(HWND owner, Colorref initial) {
    std::array<COLORREF, kCustomColorCount> custom{};
    custom.fill(kWhite);
    std::copy(HighlightPalette.begin(), HighlightPalette.end(), custom.begin());

    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.rgbResult = initial;
    dialog.lpCustColors = custom.data();
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&dialog)) return std::nullopt;
    return static_cast<Colorref>(dialog.rgbResult & kWhite);
}

}  // namespace tarnwick
