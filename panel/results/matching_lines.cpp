#include "panel/results/matching_lines.hpp"

namespace tarnwick {

std::u16string matchingLinesText(const MatchList& matches,
                                 const std::function<SharedText(std::int32_t line)>& lineText) {
    std::u16string text;
    // The results of one line are neighbours in the ordered list.
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (i > 0 && matches[i].line == matches[i - 1].line) continue;
        if (i > 0) text += u"\r\n";  // the lines are joined, not terminated
        const SharedText line = lineText(matches[i].line);
        const std::size_t start = text.size();
        text.resize(start + line.size());
        line.copy(text.data() + start, line.size());
    }
    return text;
}

}  // namespace tarnwick
