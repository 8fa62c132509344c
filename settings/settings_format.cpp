#include "settings/settings_format.hpp"

#include <nlohmann/json.hpp>

#include <stdexcept>

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
    return SearchEntry{fromUtf8(text), enabled, color};
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

std::string writeSearchList(const SearchList& list) {
    json document;
    document["version"] = 1;
    document["entries"] = json::array();
    for (const SearchEntry& entry : list) {
        json element;
        element["text"] = toUtf8(entry.text);
        element["enabled"] = entry.enabled;
        element["color"] = entry.color;
        document["entries"].push_back(std::move(element));
    }
    return document.dump(2, ' ', false, json::error_handler_t::strict);
}

}  // namespace tarnwick
