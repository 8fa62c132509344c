#include "panel/controls/panel_layout.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr int kMinimumExtent = 40;
constexpr int kRowHeight = 22;
constexpr int kLabelHeight = 16;

}  // namespace

std::optional<PanelLayout> layoutPanel(int width, int height, int dpi) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const auto px = [dpi](int pixels) { return scaleForDpi(pixels, dpi); };
    const int minimum = px(kMinimumExtent);
    const int rowHeight = px(kRowHeight);
    const int labelHeight = px(kLabelHeight);
    const int listHeight = std::max((2 * height - px(160)) / 5, minimum);
    const int rowY = listHeight + px(26);
    const int editWidth = std::max(width - px(218), minimum);
    const int resultsHeight = std::max(height - rowY - px(48), minimum);
    const int buttonWidth = px(54);

    PanelLayout layout;
    layout.stringsLabel = {px(4), px(4), width - px(64), labelHeight};
    layout.allCheckBox = {width - px(56), px(4), px(52), labelHeight};
    layout.searchList = {px(4), px(22), width - px(8), listHeight};
    layout.entryEdit = {px(4), rowY, editWidth, rowHeight};
    layout.addButton = {editWidth + px(8), rowY, buttonWidth, rowHeight};
    layout.searchButton = {editWidth + px(66), rowY, buttonWidth, rowHeight};
    layout.clearButton = {editWidth + px(124), rowY, buttonWidth, rowHeight};
    layout.infoButton = {editWidth + px(182), rowY, px(32), rowHeight};
    layout.resultsLabel = {px(4), rowY + px(26), width - px(8), labelHeight};
    layout.resultsList = {px(4), rowY + px(44), width - px(8), resultsHeight};
    return layout;
}

}  // namespace tarnwick
