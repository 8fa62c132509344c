#include "panel/results/result_texts.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

std::u16string decimal(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// How much of the line before the match an excerpt shows, at most half the room.
constexpr std::size_t kUnitsBeforeMatch = 40;
constexpr char16_t kLeftOut = u'\u2026';

bool isLeadSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isTrailSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string resultsLabelText(std::size_t matchCount, const std::vector<std::u16string>& notes) {
    std::u16string text =
        u"Results: " + decimal(static_cast<std::int64_t>(matchCount)) + u" matches found";
    for (const std::u16string& note : notes) text += u"; " + note;
    return text;
}

std::u16string rejectionNote(Rejection why, const std::u16string& pattern) {
    return (why == Rejection::failed ? u"the regular expression failed: "
                                     : u"not a valid regular expression: ") +
           pattern;
}

// Separated by a space, so that all three read apart in a narrow column.
std::u16string optionsColumnText(const MatchOptions& options) {
    std::u16string text;
    const auto append = [&text](bool on, const char16_t* mark) {
        if (!on) return;
        if (!text.empty()) text += u' ';
        text += mark;
    };
    append(options.matchCase, u"Aa");
    append(options.wholeWord, u"W");
    append(options.regex, u".*");
    return text;
}

// Built by appending: GCC 12 wrongly warns of freeing the literal in `literal + string`.
std::u16string searchProgressText(int percent) {
    std::u16string text = u"Searching\u2026 ";
    text += decimal(percent);
    text += u" %";
    return text;
}

std::u16string searchOutOfMemoryText(std::size_t matchCount) {
    return u"Search stopped: not enough memory after " +
           decimal(static_cast<std::int64_t>(matchCount)) + u" matches";
}

std::u16string listNotSavedText(std::u16string_view why) {
    return u"The list could not be saved: " + std::u16string(why);
}

std::u16string lineColumnText(std::int32_t line) {
    return decimal(static_cast<std::int64_t>(line) + 1);
}

std::u16string contentColumnText(const SharedText& line, std::size_t column, std::size_t room) {
    if (line.size() <= room) return line.str();
    column = std::min(column, line.size());
    std::size_t start = column - std::min({column, kUnitsBeforeMatch, room / 2});
    if (start > 0 && isTrailSurrogate(line[start]) && isLeadSurrogate(line[start - 1])) --start;
    std::u16string text;
    if (start > 0) {
        if (room == 0) return text;
        text += kLeftOut;
    }
    const std::size_t count = std::min(room - text.size(), line.size() - start);
    text.resize(text.size() + count);
    line.copy(text.data() + text.size() - count, count, start);
    if (start + count < line.size() && !text.empty() && isLeadSurrogate(text.back()) &&
        isTrailSurrogate(line[start + count]))
        text.pop_back();
    return text;
}

}  // namespace tarnwick
