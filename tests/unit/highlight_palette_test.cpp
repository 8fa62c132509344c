#include "core/list/highlight_palette.hpp"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(HighlightPalette, ColourFollowsTheEntryCountModuloTen) {
    EXPECT_EQ(paletteColorFor(0), 0x0000FFFFu);
    EXPECT_EQ(paletteColorFor(9), 0x008CE6F0u);
    EXPECT_EQ(paletteColorFor(10), 0x0000FFFFu);
    EXPECT_EQ(paletteColorFor(23), 0x0000A5FFu);
}

TEST(HighlightPalette, LabelShowsRedFirstInUpperCase) {
    EXPECT_TRUE(colorLabel(0x0000FFFF) == u"#FFFF00");
    EXPECT_TRUE(colorLabel(0x0080FF00) == u"#00FF80");
    EXPECT_TRUE(colorLabel(0x00B469FF) == u"#FF69B4");
    EXPECT_TRUE(colorLabel(0x008CE6F0) == u"#F0E68C");
    EXPECT_TRUE(colorLabel(0x00000000) == u"#000000");
}

}  // namespace
}  // namespace tarnwick
