#include "panel/result_texts.hpp"

namespace tarnwick {

namespace {

std::u16string decimal(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string resultsLabelText(std::size_t matchCount) {
    return u"Results: " + decimal(static_cast<std::int64_t>(matchCount)) + u" matches found";
}

std::u16string lineColumnText(std::int32_t line) {
    return decimal(static_cast<std::int64_t>(line) + 1);
}

}  // namespace tarnwick
