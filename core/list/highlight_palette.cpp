#include "core/list/highlight_palette.hpp"

namespace tarnwick {

Colorref paletteColorFor(std::size_t entryCount) {
    return HighlightPalette[entryCount % HighlightPalette.size()];
}

std::u16string colorLabel(Colorref color) {
    static constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
    std::u16string label = u"#";
    for (int shift : {0, 8, 16}) {  // red, green, blue
        const unsigned component = (color >> shift) & 0xFFu;
        label += kHexDigits[component >> 4];
        label += kHexDigits[component & 0xFu];
    }
    return label;
}

}  // namespace tarnwick
