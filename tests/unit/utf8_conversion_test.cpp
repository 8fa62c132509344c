#include "settings/utf8_conversion.hpp"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(Utf8Conversion, WellFormedTextRoundTrips) {
    const std::u16string text = u"a\u00E9\u20AC\U0001F600z";
    const std::string bytes = toUtf8(text);
    EXPECT_EQ(bytes, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
    EXPECT_TRUE(fromUtf8(bytes) == text);
}

TEST(Utf8Conversion, ZeroBytesAreTextLikeAnyOther) {
    const std::string bytes("a\0b", 3);
    EXPECT_TRUE(fromUtf8(bytes) == std::u16string(u"a\0b", 3));
    EXPECT_EQ(toUtf8(std::u16string(u"a\0b", 3)), bytes);
}

TEST(Utf8Conversion, MalformedBytesBecomeReplacementAndDecodingGoesOn) {
    EXPECT_TRUE(fromUtf8("a\xFF"
                         "b") == u"a\uFFFDb");
    EXPECT_TRUE(fromUtf8("a\xC3") == u"a\uFFFD");    // truncated at the end
    EXPECT_TRUE(fromUtf8("\xC3(x") == u"\uFFFD(x");  // lead without its trail
    EXPECT_TRUE(fromUtf8("\x80x") == u"\uFFFDx");    // stray continuation
    EXPECT_TRUE(fromUtf8("\xC0\xAF"
                         "x") == u"\uFFFDx");  // overlong
    EXPECT_TRUE(fromUtf8("\xED\xA0\x80"
                         "x") == u"\uFFFDx");  // encoded surrogate
    EXPECT_TRUE(fromUtf8("\xF4\x90\x80\x80"
                         "x") == u"\uFFFDx");  // beyond U+10FFFF
}

TEST(Utf8Conversion, UnpairedSurrogatesBecomeReplacement) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(toUtf8(std::u16string(u"a") + u'\xD800'), "a" + replacement);
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xDC00') + u"b"), replacement + "b");
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xD83D') + u"x"), replacement + "x");
    EXPECT_EQ(toUtf8(std::u16string{u'\xDE00', u'\xD83D', u'\xDE00'}),
              replacement + "\xF0\x9F\x98\x80");
}

TEST(Utf8Conversion, DecodingIntoAUsedStringGivesTheSameText) {
    std::u16string text = u"left over from a longer line before";
    for (const char* bytes : {"ascii", "caf\xC3\xA9",
                              "a\xFF"
                              "b",
                              ""}) {
        SCOPED_TRACE(bytes);
        fromUtf8(bytes, text);
        EXPECT_EQ(text, fromUtf8(bytes));
    }
}

// The check goes eight bytes at a time: a high bit anywhere, in a whole word or in the
// bytes after the last one, is found.
TEST(Utf8Conversion, AsciiIsBytesBelow0x80Only) {
    EXPECT_TRUE(isAscii(""));
    EXPECT_TRUE(isAscii(std::string("\0\x7F abcdefghijklmnop", 19)));
    for (std::size_t length = 1; length <= 19; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string bytes(length, 'a');
            bytes[at] = '\x80';
            EXPECT_FALSE(isAscii(bytes)) << length << " bytes, high bit at " << at;
        }
        EXPECT_TRUE(isAscii(std::string(length, 'a')));
    }
}

}  // namespace
}  // namespace tarnwick
