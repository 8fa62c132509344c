#include "about/logo_fit.hpp"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

constexpr unsigned kLogoWidth = 1100;
constexpr unsigned kLogoHeight = 591;

TEST(LogoFit, WiderAreaTakesTheFullHeightAndCentresHorizontally) {
    const auto placed = fitLogo({10, 20, 401, 100}, kLogoWidth, kLogoHeight);
    ASSERT_TRUE(placed);
    // 100 / 591 of 1100 is 186.1..., truncated; the margins of 215 split 107 left, 108 right.
    EXPECT_EQ(*placed, (PixelRect{10 + 107, 20, 186, 100}));
}

TEST(LogoFit, NarrowerAreaTakesTheFullWidthAndCentresVertically) {
    const auto placed = fitLogo({0, 0, 300, 400}, kLogoWidth, kLogoHeight);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->width, 300);
    EXPECT_EQ(placed->height, 161);  // 300 / 1100 of 591 is 161.18...
    EXPECT_EQ(placed->y, (400 - 161) / 2);
    EXPECT_EQ(placed->x, 0);
}

TEST(LogoFit, SinglePrecisionProductMayLeaveOnePixel) {
    // The About box's picture area: whichever way the float product falls, the logo
    // is at most one pixel short of the area in the direction it fills.
    for (int height = 50; height < 200; ++height) {
        const auto placed = fitLogo({0, 0, 1000, height}, kLogoWidth, kLogoHeight);
        ASSERT_TRUE(placed);
        EXPECT_GE(placed->height, height - 1) << height;
        EXPECT_LE(placed->height, height) << height;
        EXPECT_EQ(placed->y, (height - placed->height) / 2) << height;
        EXPECT_EQ(placed->x, (1000 - placed->width) / 2) << height;
    }
}

TEST(LogoFit, SameAspectFillsTheArea) {
    EXPECT_EQ(*fitLogo({5, 5, 550, 295}, 1100, 590), (PixelRect{5, 5, 550, 295}));
}

TEST(LogoFit, ImageWithoutASizeIsNotDrawn) {
    EXPECT_FALSE(fitLogo({0, 0, 300, 100}, 0, 591));
    EXPECT_FALSE(fitLogo({0, 0, 300, 100}, 1100, 0));
}

}  // namespace
}  // namespace tarnwick
