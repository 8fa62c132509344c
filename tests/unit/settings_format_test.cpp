#include "settings/settings_format.hpp"

#include <sstream>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

SearchList read(const std::string& text, bool* whole = nullptr) {
    SearchList list;
    std::istringstream in(text);
    const bool tookAll = readSearchList(in, list);
    if (whole) *whole = tookAll;
    return list;
}

// Reads into a list that already holds one entry, to tell "untouched" from "emptied".
SearchList readOverOne(const std::string& text, bool* whole) {
    SearchList list;
    list.add(u"before");
    std::istringstream in(text);
    *whole = readSearchList(in, list);
    return list;
}

TEST(SettingsFormatWrite, TwoEntriesAreTheFifteenLinesOfTheFormat) {
    SearchList list;
    list.append({u"error", true, 255});
    list.append({u"", false, 65535});
    EXPECT_EQ(writeSearchList(list),
              "{\n"
              "  \"entries\": [\n"
              "    {\n"
              "      \"color\": 255,\n"
              "      \"enabled\": true,\n"
              "      \"text\": \"error\"\n"
              "    },\n"
              "    {\n"
              "      \"color\": 65535,\n"
              "      \"enabled\": false,\n"
              "      \"text\": \"\"\n"
              "    }\n"
              "  ],\n"
              "  \"version\": 1\n"
              "}");
}

// Only the options that are on are written, each in its place in the sorted keys; they read
// back as written, and the entry without options reads as it did.
TEST(SettingsFormatWrite, OptionsThatAreOnAreWrittenInKeyOrderAndReadBack) {
    SearchList list;
    list.append({u"a", true, 1, {.matchCase = true, .wholeWord = true, .regex = true}});
    list.append({u"b", true, 2, {.wholeWord = true}});
    list.append({u"c", false, 3});
    const std::string text = writeSearchList(list);
    EXPECT_EQ(
        text,
        "{\n  \"entries\": [\n"
        "    {\n      \"color\": 1,\n      \"enabled\": true,\n      \"matchCase\": true,\n"
        "      \"regex\": true,\n      \"text\": \"a\",\n      \"wholeWord\": true\n    },\n"
        "    {\n      \"color\": 2,\n      \"enabled\": true,\n      \"text\": \"b\",\n"
        "      \"wholeWord\": true\n    },\n"
        "    {\n      \"color\": 3,\n      \"enabled\": false,\n      \"text\": \"c\"\n    }\n"
        "  ],\n  \"version\": 1\n}");
    EXPECT_EQ(text, nlohmann::json::parse(text).dump(2));
    bool whole = false;
    const SearchList back = read(text, &whole);
    ASSERT_TRUE(whole);
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(back[i].options, list[i].options) << i;
    EXPECT_EQ(writeSearchList(back), text);
}

TEST(SettingsFormatWrite, EmptyListIsFourLines) {
    EXPECT_EQ(writeSearchList(SearchList{}), "{\n  \"entries\": [],\n  \"version\": 1\n}");
}

TEST(SettingsFormatWrite, NonAsciiIsRawUtf8AndSpecialCharactersAreEscaped) {
    SearchList list;
    list.append({u"\u00E9 \"q\" back\\slash\ttab\x01", true, 0});
    const std::string text = writeSearchList(list);
    EXPECT_NE(text.find("\"text\": \"\xC3\xA9 \\\"q\\\" back\\\\slash\\ttab\\u0001\""),
              std::string::npos)
        << text;
    bool whole = false;
    const SearchList back = read(text, &whole);
    EXPECT_TRUE(whole);
    EXPECT_TRUE(back[0].text == list[0].text);
}

TEST(SettingsFormatWrite, UnpairedSurrogateIsWrittenAsReplacementCharacter) {
    SearchList list;
    list.append({std::u16string(1, u'\xD800'), true, 0});
    EXPECT_NE(writeSearchList(list).find("\"text\": \"\xEF\xBF\xBD\""), std::string::npos);
}

TEST(SettingsFormatRead, MissingMembersTakeTheirDefaults) {
    bool whole = false;
    const SearchList list = read(R"({"entries": [{}]})", &whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].text.empty());
    EXPECT_TRUE(list[0].enabled);
    EXPECT_EQ(list[0].color, 65535u);
}

TEST(SettingsFormatRead, VersionIsNeverRead) {
    for (const char* version : {"", R"(, "version": 2)", R"(, "version": "one")"}) {
        const SearchList list =
            read(std::string(R"({"entries": [{"text": "a", "color": 7}])") + version + "}");
        ASSERT_EQ(list.size(), 1u) << version;
        EXPECT_EQ(list[0].color, 7u);
    }
}

TEST(SettingsFormatRead, KeyOrderAndUnknownKeysDoNotSurviveTheNextWrite) {
    const SearchList list = read(
        R"({"zzz": 1, "entries": [{"text": "a", "extra": [1], "enabled": false, "color": 5}]})");
    EXPECT_EQ(writeSearchList(list),
              "{\n  \"entries\": [\n    {\n      \"color\": 5,\n      \"enabled\": false,\n"
              "      \"text\": \"a\"\n    }\n  ],\n  \"version\": 1\n}");
}

TEST(SettingsFormatRead, BadElementKeepsTheEntriesBeforeIt) {
    bool whole = true;
    const SearchList list = read(
        R"({"entries": [{"text": "first"}, {"text": "second", "enabled": "yes"}, {"text": "third"}]})",
        &whole);
    EXPECT_FALSE(whole);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].text == u"first");
}

TEST(SettingsFormatRead, WrongTypesAndNullAreBadElements) {
    for (const char* element :
         {R"(5)", R"("text")", R"({"text": 3})", R"({"text": null})", R"({"enabled": 1})",
          R"({"enabled": null})", R"({"color": "red"})", R"({"color": null})", R"({"color": 1e20})",
          R"({"color": -2.5})", R"({"regex": "yes"})", R"({"matchCase": null})"}) {
        bool whole = true;
        const SearchList list =
            read(std::string(R"({"entries": [{"text": "ok"}, )") + element + "]}", &whole);
        EXPECT_FALSE(whole) << element;
        EXPECT_EQ(list.size(), 1u) << element;
    }
}

TEST(SettingsFormatRead, ColourConvertsAsTheLibraryConvertsNumbersAndBooleans) {
    const SearchList list = read(
        R"({"entries": [{"color": true}, {"color": -1}, {"color": 3.7}, {"color": 4294967295}]})");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].color, 1u);
    EXPECT_EQ(list[1].color, 0xFFFFFFFFu);
    EXPECT_EQ(list[2].color, 3u);
    EXPECT_EQ(list[3].color, 0xFFFFFFFFu);
}

TEST(SettingsFormatRead, ValidJsonOfAnotherShapeEmptiesTheList) {
    for (const char* text : {"[]", "{}", R"({"entries": {}})", "42", "null"}) {
        bool whole = true;
        EXPECT_TRUE(readOverOne(text, &whole).empty()) << text;
        EXPECT_FALSE(whole) << text;
    }
}

TEST(SettingsFormatRead, TextThatDoesNotParseLeavesTheListUntouched) {
    for (const char* text : {"", "   ", "{", R"({"entries": []} x)", R"({"entries": [],})",
                             "// note\n{}", "{\"entries\": [{\"text\": \"\xFF\"}]}"}) {
        bool whole = true;
        EXPECT_EQ(readOverOne(text, &whole).size(), 1u) << text;
        EXPECT_FALSE(whole) << text;
    }
}

TEST(SettingsFormatRead, ByteOrderMarkIsAccepted) {
    bool whole = false;
    const SearchList list = read("\xEF\xBB\xBF{\"entries\": [{\"text\": \"\xC3\xA9\"}]}", &whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].text == u"\u00E9");
}

}  // namespace
}  // namespace tarnwick
