#include "core/search/document_encoding.hpp"

#include "host/code_pages.hpp"
#include "host/editor_messages.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick {

DocumentEncoding DocumentEncoding::of(const EditorView& view) {
    const auto codePage = static_cast<std::uint32_t>(view.send(SCI_GETCODEPAGE));
    return DocumentEncoding(codePage == 0 ? systemAnsiCodePage() : codePage);
}

std::string DocumentEncoding::encode(std::u16string_view text) const {
    if (codePage_ == SC_CP_UTF8) return toUtf8(text);
    return encodeInCodePage(codePage_, text).value_or(std::string());
}

SharedText DocumentEncoding::decode(std::string_view bytes, TextArena& texts,
                                    std::u16string& units) const {
    if (codePage_ != SC_CP_UTF8) return texts.add(decodeFromCodePage(codePage_, bytes));
    if (isAscii(bytes)) return texts.addLatin1(bytes);
    fromUtf8(bytes, units);
    return texts.add(units);
}

std::size_t DocumentEncoding::unitCount(std::string_view bytes, std::u16string& units) const {
    if (codePage_ != SC_CP_UTF8) return decodeFromCodePage(codePage_, bytes).size();
    if (isAscii(bytes)) return bytes.size();
    fromUtf8(bytes, units);
    return units.size();
}

}  // namespace tarnwick
