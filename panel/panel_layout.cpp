#include "panel/panel_layout.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr int kMinimumExtent = 40;
constexpr int kRowHeight = 22;
constexpr int kLabelHeight = 16;

}  // namespace

std::optional<PanelLayout> layoutPanel(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const int listHeight = std::max((2 * height - 160) / 5, kMinimumExtent);
    const int rowY = listHeight + 26;
    const int editWidth = std::max(width - 218, kMinimumExtent);
    const int resultsHeight = std::max(height - rowY - 48, kMinimumExtent);

    PanelLayout layout;
    layout.stringsLabel = {4, 4, width - 64, kLabelHeight};
    layout.allCheckBox = {width - 56, 4, 52, kLabelHeight};
    layout.searchList = {4, 22, width - 8, listHeight};
    layout.entryEdit = {4, rowY, editWidth, kRowHeight};
    layout.addButton = {editWidth + 8, rowY, 54, kRowHeight};
    layout.searchButton = {editWidth + 66, rowY, 54, kRowHeight};
    layout.clearButton = {editWidth + 124, rowY, 54, kRowHeight};
    layout.infoButton = {editWidth + 182, rowY, 32, kRowHeight};
    layout.resultsLabel = {4, rowY + 26, width - 8, kLabelHeight};
    layout.resultsList = {4, rowY + 44, width - 8, resultsHeight};
    return layout;
}

}  // namespace tarnwick
