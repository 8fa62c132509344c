#include "about/about_theme.hpp"

#include <algorithm>
#include <optional>

#include "host/host_messages.hpp"
#include "host/host_records.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

namespace {

// A COLORREF names a colour in its three low bytes and leaves the high byte zero; what
// the record is preset to is no colour, so a field still holding it was not filled.
constexpr std::uint32_t kNotAColour = 0xFFFFFFFF;

bool isColour(std::uint32_t value) {
    return (value >> 24) == 0;
}

// The host's dark colours when it filled every field of the record.
std::optional<DarkModeColors> hostDarkColours(WindowHandle host) {
    DarkModeColors colours{};
    colours.background = kNotAColour;
    std::ranges::fill(colours.others, kNotAColour);
    const std::intptr_t filled = sendMessage(host, NPPM_GETDARKMODECOLORS, sizeof colours,
                                             reinterpret_cast<std::intptr_t>(&colours));
    // A record filled in part came from a host that means a record of another shape.
    if (filled == 0 || !isColour(colours.background) ||
        !std::ranges::all_of(colours.others, isColour))
        return std::nullopt;
    return colours;
}

}  // namespace

void askHostToThemeDialog(WindowHandle host, WindowHandle dialog) {
    sendMessage(host, NPPM_DARKMODESUBCLASSANDTHEME, kDarkModeThemeDialog,
                reinterpret_cast<std::intptr_t>(dialog));
}

std::uint32_t pictureMarginColour(WindowHandle host) {
    if (sendMessage(host, NPPM_ISDARKMODEENABLED, 0, 0) == 0) return kLightPictureMargin;
    const auto colours = hostDarkColours(host);
    return colours ? colours->background : kLightPictureMargin;
}

}  // namespace tarnwick
