#include "panel/matching_lines.hpp"

namespace tarnwick {

namespace {

inline constexpr std::u16string_view kLineBreak = u"\r\n";

// The results of one line are neighbours in the ordered list.
template <typename Visit>
void forEachMatchingLine(const MatchList& matches, Visit visit) {
    for (std::size_t i = 0; i < matches.size(); ++i)
        if (i == 0 || matches[i].line != matches[i - 1].line) visit(matches[i].lineContent);
}

}  // namespace

std::u16string matchingLinesText(const MatchList& matches) {
    std::size_t units = 0;
    forEachMatchingLine(matches,
                        [&](const SharedText& line) { units += line.size() + kLineBreak.size(); });
    std::u16string text;
    text.reserve(units);
    forEachMatchingLine(matches, [&](const SharedText& line) {
        const std::size_t start = text.size();
        text.resize(start + line.size());
        line.copy(text.data() + start, line.size());
        text += kLineBreak;
    });
    // The break after the last line goes: the lines are joined, not terminated.
    if (!matches.empty()) text.resize(text.size() - kLineBreak.size());
    return text;
}

}  // namespace tarnwick
