#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "core/search/search_match.hpp"

namespace tarnwick {
namespace {

SearchMatch at(std::int32_t line, std::int64_t position, std::int32_t entryIndex) {
    return {static_cast<std::intptr_t>(position), 1, entryIndex, line};
}

// (line, position, entry) of every record, in order.
using Places = std::vector<std::tuple<std::int32_t, std::int64_t, std::int32_t>>;

Places placesOf(const MatchList& list) {
    Places places;
    for (const SearchMatch& match : list)
        places.emplace_back(match.line, match.position, match.entryIndex);
    return places;
}

TEST(MatchMerge, InterleavesRunsByLineThenPosition) {
    std::vector<MatchList> runs = {
        {at(0, 5, 0), at(2, 30, 0), at(2, 40, 0)},
        {},
        {at(0, 1, 2), at(1, 12, 2), at(2, 35, 2), at(7, 90, 2)},
    };
    const MatchList merged = mergeByLineAndPosition(std::move(runs));
    EXPECT_EQ(
        placesOf(merged),
        (Places{{0, 1, 2}, {0, 5, 0}, {1, 12, 2}, {2, 30, 0}, {2, 35, 2}, {2, 40, 0}, {7, 90, 2}}));
    EXPECT_EQ(merged.capacity(), merged.size()) << "the list is kept: no spare capacity";
}

TEST(MatchMerge, SamePlaceComesInRunOrder) {
    std::vector<MatchList> runs = {{at(3, 7, 0)}, {at(3, 7, 1)}, {at(3, 7, 2), at(4, 9, 2)}};
    EXPECT_EQ(placesOf(mergeByLineAndPosition(std::move(runs))),
              (Places{{3, 7, 0}, {3, 7, 1}, {3, 7, 2}, {4, 9, 2}}));
}

// An editor whose line numbers do not grow with the position still yields an ordered list.
TEST(MatchMerge, RunOutOfOrderIsStillOrdered) {
    std::vector<MatchList> runs = {{at(5, 0, 0), at(1, 8, 0), at(3, 9, 0)}, {at(2, 4, 1)}};
    EXPECT_EQ(placesOf(mergeByLineAndPosition(std::move(runs))),
              (Places{{1, 8, 0}, {2, 4, 1}, {3, 9, 0}, {5, 0, 0}}));
}

// A frequent entry's long stretches between a rare entry's matches, ties among them.
TEST(MatchMerge, LongStretchesOfOneRunBetweenOthersKeepTheOrder) {
    std::vector<MatchList> runs(3);
    Places expected;
    for (std::int32_t line = 0; line < 300; ++line) {
        runs[0].push_back(at(line, 10 * line, 0));
        if (line % 21 == 0) runs[1].push_back(at(line, 10 * line, 1));
        if (line % 50 == 7) runs[2].push_back(at(line, 10 * line + 3, 2));
    }
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const Places places = placesOf(runs[run]);
        expected.insert(expected.end(), places.begin(), places.end());
    }
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return std::get<0>(a) != std::get<0>(b) ? std::get<0>(a) < std::get<0>(b)
                                                : std::get<1>(a) < std::get<1>(b);
    });
    EXPECT_EQ(placesOf(mergeByLineAndPosition(runs)), expected);
    // Taken a part at a time, as a Search in slices merges, the list is the same.
    for (const std::size_t part : {std::size_t{1}, std::size_t{7}, std::size_t{299}}) {
        MatchMerge merge(runs);
        std::size_t parts = 1;
        while (!merge.take(part)) ++parts;
        EXPECT_EQ(placesOf(merge.merged()), expected) << part;
        EXPECT_EQ(parts, (expected.size() + part - 1) / part) << part;
    }
}

TEST(MatchMerge, NoRunsOrOnlyEmptyRunsGiveAnEmptyList) {
    EXPECT_TRUE(mergeByLineAndPosition({}).empty());
    EXPECT_TRUE(mergeByLineAndPosition({MatchList{}, MatchList{}}).empty());
}

}  // namespace
}  // namespace tarnwick
