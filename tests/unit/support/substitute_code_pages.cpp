// The native stand-in for the platform's code page conversions, over the C library's
// iconv, which knows the Windows code pages by the names CP1252, CP932 and so on.
#include "substitute_code_pages.hpp"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <string>

#include "host/code_pages.hpp"

namespace tarnwick {

namespace {

std::uint32_t ansiCodePage = 1252;

class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : handle_(iconv_open(to.c_str(), from.c_str())) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::invalid_argument("no conversion from " + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; false when it stopped at input it cannot convert, with
    // `in` and `inLeft` at that input.
    bool convert(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[256];
        while (inLeft > 0) {
            char* next = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t done = iconv(handle_, const_cast<char**>(&in), &inLeft, &next, &room);
            out.append(buffer, static_cast<std::size_t>(next - buffer));
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t handle_;
};

std::string iconvName(std::uint32_t codePage) {
    return "CP" + std::to_string(codePage);
}

}  // namespace

namespace testing {

void setSystemAnsiCodePage(std::uint32_t codePage) {
    ansiCodePage = codePage;
}

}  // namespace testing

std::uint32_t systemAnsiCodePage() {
    return ansiCodePage;
}

std::optional<std::string> encodeInCodePage(std::uint32_t codePage, std::u16string_view text) {
    Converter converter(iconvName(codePage), "UTF-16LE");
    const char* in = reinterpret_cast<const char*>(text.data());
    std::size_t inLeft = text.size() * sizeof(char16_t);
    std::string bytes;
    if (!converter.convert(in, inLeft, bytes)) return std::nullopt;
    return bytes;
}

std::u16string decodeFromCodePage(std::uint32_t codePage, std::string_view bytes) {
    Converter converter("UTF-16LE", iconvName(codePage));
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    std::string units;
    // A byte it cannot decode becomes U+FFFD, and decoding goes on after it.
    while (!converter.convert(in, inLeft, units)) {
        units.append("\xFD\xFF", 2);
        ++in;
        --inLeft;
    }
    return std::u16string(reinterpret_cast<const char16_t*>(units.data()), units.size() / 2);
}

}  // namespace tarnwick
