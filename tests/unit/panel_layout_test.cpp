#include "panel/controls/panel_layout.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tarnwick {
namespace {

TEST(PanelLayout, FourHundredByThreeHundred) {
    const auto layout = layoutPanel(400, 300);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->stringsLabel, (PixelRect{4, 4, 336, 16}));
    EXPECT_EQ(layout->allCheckBox, (PixelRect{344, 4, 52, 16}));
    EXPECT_EQ(layout->searchList, (PixelRect{4, 22, 392, 88}));
    EXPECT_EQ(layout->entryEdit, (PixelRect{4, 114, 182, 22}));
    EXPECT_EQ(layout->addButton, (PixelRect{190, 114, 54, 22}));
    EXPECT_EQ(layout->searchButton, (PixelRect{248, 114, 54, 22}));
    EXPECT_EQ(layout->clearButton, (PixelRect{306, 114, 54, 22}));
    EXPECT_EQ(layout->infoButton, (PixelRect{364, 114, 32, 22}));
    EXPECT_EQ(layout->resultsLabel, (PixelRect{4, 140, 392, 16}));
    EXPECT_EQ(layout->resultsList, (PixelRect{4, 158, 392, 138}));
}

TEST(PanelLayout, ShortPanelKeepsFortyPixelsForEachList) {
    const auto layout = layoutPanel(400, 150);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->searchList.height, 40);
    EXPECT_EQ(layout->entryEdit.y, 66);
    EXPECT_EQ(layout->resultsList.height, 40);
}

TEST(PanelLayout, NarrowPanelKeepsFortyPixelsForTheEditBoxAndRunsPastTheEdge) {
    const auto layout = layoutPanel(200, 300);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->entryEdit.width, 40);
    EXPECT_EQ(layout->infoButton.x + layout->infoButton.width, 254);
}

TEST(PanelLayout, RowEndsFourPixelsFromTheRightFromWidth258) {
    for (int width : {258, 300, 1000}) {
        const auto layout = layoutPanel(width, 300);
        EXPECT_EQ(layout->infoButton.x + layout->infoButton.width, width - 4) << width;
    }
}

// Every rectangle of a layout, side by side, so two layouts compare in one assertion.
std::vector<PixelRect> rectanglesOf(const PanelLayout& layout) {
    return {layout.stringsLabel, layout.allCheckBox, layout.searchList,   layout.entryEdit,
            layout.addButton,    layout.searchButton, layout.clearButton, layout.infoButton,
            layout.resultsLabel, layout.resultsList};
}

PixelRect doubled(const PixelRect& rect) {
    return {2 * rect.x, 2 * rect.y, 2 * rect.width, 2 * rect.height};
}

TEST(PanelLayout, At192DpiEveryConstantIsDoubled) {
    for (const auto& [width, height] : {std::pair{400, 300}, {200, 150}, {1000, 700}}) {
        const auto at96 = layoutPanel(width, height);
        const auto at192 = layoutPanel(2 * width, 2 * height, 192);
        ASSERT_TRUE(at96 && at192);
        std::vector<PixelRect> expected;
        for (const PixelRect& rect : rectanglesOf(*at96)) expected.push_back(doubled(rect));
        EXPECT_EQ(rectanglesOf(*at192), expected) << width << "x" << height;
    }
}

TEST(PanelLayout, At144DpiConstantsScaleByOneAndAHalfRoundingHalvesUp) {
    const auto layout = layoutPanel(600, 450, 144);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->stringsLabel, (PixelRect{6, 6, 504, 24}));
    EXPECT_EQ(layout->searchList, (PixelRect{6, 33, 588, 132}));  // (900 - 240) / 5
    EXPECT_EQ(layout->entryEdit, (PixelRect{6, 171, 273, 33}));
    EXPECT_EQ(layout->addButton, (PixelRect{285, 171, 81, 33}));
    EXPECT_EQ(layout->infoButton, (PixelRect{546, 171, 48, 33}));
    EXPECT_EQ(layout->resultsList, (PixelRect{6, 237, 588, 207}));
}

TEST(DpiScale, RoundsAsTheSystemDoesAndTakesNoDpiForNinetySix) {
    EXPECT_EQ(scaleForDpi(5, 144), 8);    // 7.5
    EXPECT_EQ(scaleForDpi(3, 120), 4);    // 3.75
    EXPECT_EQ(scaleForDpi(1, 120), 1);    // 1.25
    EXPECT_EQ(scaleForDpi(-5, 144), -8);  // halves away from zero
    EXPECT_EQ(scaleForDpi(22, 96), 22);
    EXPECT_EQ(scaleForDpi(22, 0), 22);
    EXPECT_EQ(rescaleForDpi(300, 192, 144), 225);
    EXPECT_EQ(rescaleForDpi(75, 144, 96), 50);
}

TEST(PanelLayout, NoAreaNoLayout) {
    EXPECT_FALSE(layoutPanel(0, 300));
    EXPECT_FALSE(layoutPanel(400, 0));
    EXPECT_FALSE(layoutPanel(-1, -1));
}

}  // namespace
}  // namespace tarnwick
