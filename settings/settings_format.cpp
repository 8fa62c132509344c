#include "settings/settings_format.hpp"

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>

#include "settings/utf8_conversion.hpp"

namespace tarnwick {

namespace {

using nlohmann::json;

constexpr Colorref kColorWhenMissing = 0x0000FFFF;

// The library converts a floating-point colour with a plain cast, which is undefined
// outside the range of the target type; such a colour counts as a bad element.
void rejectUnrepresentableColor(const json& element) {
    if (!element.contains("color")) return;
    const json& color = element.at("color");
    if (!color.is_number_float()) return;
    const double value = color.get<double>();
    if (!(value > -1.0 && value < 4294967296.0))
        throw std::out_of_range("colour outside the range of a COLORREF");
}

// Throws on a bad element: not an object, or a member of the wrong type.
SearchEntry readEntry(const json& element) {
    const std::string text = element.value("text", std::string());
    const bool enabled = element.value("enabled", true);
    rejectUnrepresentableColor(element);
    const Colorref color = element.value("color", kColorWhenMissing);
    const MatchOptions options{element.value("matchCase", false), element.value("wholeWord", false),
                               element.value("regex", false)};
    return SearchEntry{fromUtf8(text), enabled, color, options};
}

}  // namespace

bool readSearchList(std::istream& in, SearchList& list) {
    json document;
    try {
        document = json::parse(in);
    } catch (const std::exception&) {
        return false;
    }
    list.clear();
    if (!document.is_object() || !document.contains("entries") || !document["entries"].is_array())
        return false;
    try {
        for (const json& element : document["entries"]) list.append(readEntry(element));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// The document {"entries": [...], "version": 1} as the library prints it (an option that is
// off is left out, so a list without options is written as before options existed) with an indent
// of two and its keys in order, written out directly: building the document first made the save of
// ten thousand strings several times slower. The library still escapes each text.
std::string writeSearchList(const SearchList& list) {
    std::string text = "{\n  \"entries\": [";
    for (std::size_t i = 0; i < list.size(); ++i) {
        text += i == 0 ? "\n    {\n      \"color\": " : ",\n    {\n      \"color\": ";
        text += std::to_string(list[i].color);
        text += list[i].enabled ? ",\n      \"enabled\": true" : ",\n      \"enabled\": false";
        const MatchOptions& options = list[i].options;
        if (options.matchCase) text += ",\n      \"matchCase\": true";
        if (options.regex) text += ",\n      \"regex\": true";
        text += ",\n      \"text\": ";
        text += json(toUtf8(list[i].text)).dump(-1, ' ', false, json::error_handler_t::strict);
        if (options.wholeWord) text += ",\n      \"wholeWord\": true";
        text += "\n    }";
    }
    text += list.empty() ? "],\n  \"version\": 1\n}" : "\n  ],\n  \"version\": 1\n}";
    return text;
}

}  // namespace tarnwick
