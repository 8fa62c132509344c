#include "panel/panel_layout.hpp"

#include <gtest/gtest.h>

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

TEST(PanelLayout, NoAreaNoLayout) {
    EXPECT_FALSE(layoutPanel(0, 300));
    EXPECT_FALSE(layoutPanel(400, 0));
    EXPECT_FALSE(layoutPanel(-1, -1));
}

}  // namespace
}  // namespace tarnwick
