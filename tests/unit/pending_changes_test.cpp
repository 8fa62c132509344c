#include "core/list/pending_changes.hpp"

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

constexpr Colorref kRed = 0x0000FF;

SearchEntry on(const char16_t* text) {
    return {text, true, HighlightPalette[0]};
}
SearchEntry off(const char16_t* text) {
    return {text, false, HighlightPalette[0]};
}
SearchEntry red(const char16_t* text) {
    return {text, true, kRed};
}

SearchList listOf(std::initializer_list<SearchEntry> entries) {
    SearchList list;
    for (const SearchEntry& entry : entries) list.append(entry);
    return list;
}

std::vector<SearchEntry> entriesOf(const SearchList& list) {
    return {list.begin(), list.end()};
}

// What a newer list loaded from the file becomes with the changes this instance could not
// save: the list as the file held it (`saved`), the list shown, and the newer list.
TEST(PendingChanges, EveryChangeTheUserMadeIsMadeToTheNewerList) {
    struct Case {
        const char* what;
        SearchList saved, shown, newer;
        std::vector<SearchEntry> merged;
    };
    const Case cases[] = {
        {"nothing pending", listOf({on(u"a")}), listOf({on(u"a")}),
         listOf({on(u"a"), on(u"c")}), {on(u"a"), on(u"c")}},
        {"an Add stays added, after the newer entries", listOf({on(u"a")}),
         listOf({on(u"a"), red(u"x")}), listOf({on(u"a"), on(u"c")}),
         {on(u"a"), on(u"c"), red(u"x")}},
        {"a Delete stays deleted", listOf({on(u"a"), on(u"b")}), listOf({on(u"a")}),
         listOf({on(u"b"), on(u"a"), on(u"c")}), {on(u"a"), on(u"c")}},
        {"deleted in both", listOf({on(u"a"), on(u"b")}), listOf({on(u"a")}),
         listOf({on(u"a")}), {on(u"a")}},
        {"a check box keeps its state where the entry moved", listOf({on(u"a"), on(u"b")}),
         listOf({on(u"a"), off(u"b")}), listOf({on(u"c"), on(u"b")}), {on(u"c"), off(u"b")}},
        {"a colour keeps its value, the other entries theirs", listOf({on(u"a"), on(u"b")}),
         listOf({red(u"a"), on(u"b")}), listOf({on(u"a"), off(u"b")}), {red(u"a"), off(u"b")}},
        {"an entry changed here and deleted there stays deleted", listOf({on(u"a"), on(u"b")}),
         listOf({on(u"a"), off(u"b")}), listOf({on(u"a")}), {on(u"a")}},
        {"All checked keeps entries added there as they are", listOf({off(u"a"), off(u"b")}),
         listOf({on(u"a"), on(u"b")}), listOf({off(u"a"), off(u"b"), off(u"c")}),
         {on(u"a"), on(u"b"), off(u"c")}},
        {"the first of two equal texts deleted", listOf({on(u"a"), red(u"a")}),
         listOf({red(u"a")}), listOf({on(u"a"), red(u"a"), on(u"c")}), {red(u"a"), on(u"c")}},
        {"an Add of a text added there too adds it again", listOf({}), listOf({on(u"x")}),
         listOf({off(u"x")}), {off(u"x"), on(u"x")}},
        {"every kind at once", listOf({on(u"a"), on(u"b"), on(u"c")}),
         listOf({off(u"a"), on(u"c"), on(u"y"), on(u"z")}),
         listOf({on(u"w"), on(u"a"), on(u"b"), red(u"c")}),
         {on(u"w"), off(u"a"), red(u"c"), on(u"y"), on(u"z")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PendingChanges pending(c.saved, c.shown);
        EXPECT_EQ(pending.empty(), std::string(c.what) == "nothing pending");
        EXPECT_EQ(entriesOf(pending.appliedTo(c.newer)), c.merged);
        EXPECT_EQ(entriesOf(pending.appliedTo(c.saved)), entriesOf(c.shown)) << "made to the list"
                                                                               " they were made to";
    }
}

}  // namespace
}  // namespace tarnwick
