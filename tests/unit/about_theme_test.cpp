#include "about/about_theme.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "fake_host.hpp"
#include "host/host_messages.hpp"
#include "host/host_records.hpp"

namespace tarnwick::testing {
namespace {

constexpr std::uint32_t kDarkBackground = 0x00202020;

// Twelve colours, the background first, as a dark host hands them out.
std::vector<std::uint32_t> darkPalette() {
    std::vector<std::uint32_t> colours{kDarkBackground};
    for (std::uint32_t i = 1; i < 12; ++i) colours.push_back(0x00101010 * i);
    return colours;
}

class AboutTheme : public ::testing::Test {
protected:
    void makeDark(std::vector<std::uint32_t> colours, std::intptr_t answer = 1) {
        host.darkModeEnabled = 1;
        host.darkModeColors = std::move(colours);
        host.darkModeColorsResult = answer;
    }

    FakeHost host;
};

TEST_F(AboutTheme, TheDialogIsHandedToTheHostWithTheDialogFlags) {
    int dialog = 0;
    askHostToThemeDialog(host.handle(), &dialog);
    EXPECT_EQ(host.messages(), (std::vector<SentMessage>{{NPPM_DARKMODESUBCLASSANDTHEME,
                                                          kDarkModeThemeDialog,
                                                          reinterpret_cast<std::intptr_t>(&dialog),
                                                          {}}}));
}

TEST_F(AboutTheme, ALightHostKeepsTheMarginsWhiteAndIsNotAskedForColours) {
    host.darkModeColors = darkPalette();
    host.darkModeColorsResult = 1;
    EXPECT_EQ(pictureMarginColour(host.handle()), kLightPictureMargin);
    EXPECT_EQ(host.messages(), (std::vector<SentMessage>{{NPPM_ISDARKMODEENABLED, 0, 0, {}}}));
}

TEST_F(AboutTheme, ADarkHostGivesTheMarginsItsBackground) {
    makeDark(darkPalette());
    EXPECT_EQ(pictureMarginColour(host.handle()), kDarkBackground);
    // The record's size goes with the request, so the host knows what it may fill.
    EXPECT_EQ(host.messages(), (std::vector<SentMessage>{{NPPM_ISDARKMODEENABLED, 0, 0, {}},
                                                         {NPPM_GETDARKMODECOLORS, 48, 0, {}}}));
}

TEST_F(AboutTheme, ABlackBackgroundIsAColourLikeAnyOther) {
    auto colours = darkPalette();
    colours[0] = 0;
    makeDark(colours);
    EXPECT_EQ(pictureMarginColour(host.handle()), 0u);
}

TEST_F(AboutTheme, AnyTrueAnswerCountsAsDark) {
    makeDark(darkPalette(), 2);
    host.darkModeEnabled = 7;
    EXPECT_EQ(pictureMarginColour(host.handle()), kDarkBackground);
}

TEST_F(AboutTheme, MarginsStayWhiteWhenTheColoursAreRefused) {
    makeDark(darkPalette(), 0);  // written, but the host says it did not fill the record
    EXPECT_EQ(pictureMarginColour(host.handle()), kLightPictureMargin);
}

TEST_F(AboutTheme, MarginsStayWhiteWhenTheRecordIsFilledOnlyInPart) {
    for (std::size_t written : {0u, 1u, 6u, 11u}) {
        auto colours = darkPalette();
        colours.resize(written);
        makeDark(colours);
        EXPECT_EQ(pictureMarginColour(host.handle()), kLightPictureMargin) << written;
    }
}

TEST_F(AboutTheme, MarginsStayWhiteWhenAFieldHoldsNoColour) {
    for (std::size_t field : {0u, 5u, 11u}) {
        auto colours = darkPalette();
        colours[field] = 0xFF000000 | colours[field];
        makeDark(colours);
        EXPECT_EQ(pictureMarginColour(host.handle()), kLightPictureMargin) << field;
    }
}

}  // namespace
}  // namespace tarnwick::testing
