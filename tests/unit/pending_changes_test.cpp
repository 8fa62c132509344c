#include "core/list/pending_changes.hpp"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// A list written as its texts between spaces; "-" after a text unchecks its entry, "*"
// gives it a colour of its own.
SearchList listOf(std::string_view words) {
    SearchList list;
    for (std::size_t start = 0; start < words.size();) {
        std::size_t end = words.find(' ', start);
        if (end == std::string_view::npos) end = words.size();
        std::string_view word = words.substr(start, end - start);
        SearchEntry entry{{}, true, HighlightPalette[0]};
        for (; word.ends_with('-') || word.ends_with('*'); word.remove_suffix(1)) {
            if (word.back() == '-')
                entry.enabled = false;
            else
                entry.color = 0x0000FF;
        }
        entry.text.assign(word.begin(), word.end());
        list.append(entry);
        start = end + 1;
    }
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
        const char *saved, *shown, *newer, *merged;
    };
    const Case cases[] = {
        {"nothing pending", "a", "a", "a c", "a c"},
        {"an Add stays added, after the newer entries", "a", "a x*", "a c", "a c x*"},
        {"a Delete stays deleted", "a b", "a", "b a c", "a c"},
        {"deleted in both", "a b", "a", "a", "a"},
        {"a check box keeps its state where the entry moved", "a b", "a b-", "c b", "c b-"},
        {"a colour keeps its value, the others theirs", "a b", "a* b", "a b-", "a* b-"},
        {"changed here, deleted there: stays deleted", "a b", "a b-", "a", "a"},
        {"All checked leaves entries added there as they are", "a- b-", "a b", "a- b- c-",
         "a b c-"},
        {"the first of two equal texts deleted", "a a*", "a*", "a a* c", "a* c"},
        {"an Add of a text added there too adds it again", "", "x", "x-", "x- x"},
        {"every kind at once", "a b c", "a- c y z", "w a b c*", "w a- c* y z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PendingChanges pending(listOf(c.saved), listOf(c.shown));
        EXPECT_EQ(pending.empty(), std::string(c.what) == "nothing pending");
        EXPECT_EQ(entriesOf(pending.appliedTo(listOf(c.newer))), entriesOf(listOf(c.merged)));
        EXPECT_EQ(entriesOf(pending.appliedTo(listOf(c.saved))), entriesOf(listOf(c.shown)))
            << "made to the list they were made to";
    }
}

}  // namespace
}  // namespace tarnwick
