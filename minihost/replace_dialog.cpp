#include "minihost/replace_dialog.hpp"

#include <algorithm>
#include <exception>
#include <iterator>
#include <string_view>
#include <vector>

#include "minihost/buffer.hpp"

namespace tarnwick::minihost {

namespace {

// Predefined window classes by their atoms, as a dialog template names them.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct DialogItem {
    DWORD style;
    short x, y, width, height;
    WORD id;
    WORD windowClass;
    const wchar_t* text;
};

// In dialog units: two labelled boxes, and the two buttons under them.
constexpr DialogItem kItems[] = {
    {SS_LEFT, 7, 9, 50, 8, 0xFFFF, kStaticClass, L"Find what:"},
    {ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 7, 153, 12, kReplaceFindBox, kEditClass, L""},
    {SS_LEFT, 7, 26, 50, 8, 0xFFFF, kStaticClass, L"Replace with:"},
    {ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 24, 153, 12, kReplaceReplacementBox, kEditClass,
     L""},
    {BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 46, 50, 14, IDOK, kButtonClass, L"Replace All"},
    {BS_PUSHBUTTON | WS_TABSTOP, 163, 46, 50, 14, IDCANCEL, kButtonClass, L"Cancel"},
};

// A dialog template in memory, built from WORDs as the format lays it out: the dialog's
// header, then each item starting on a DWORD boundary.
class TemplateWriter {
public:
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void word(WORD value) { words_.push_back(value); }
    void text(std::wstring_view value) {
        for (const wchar_t character : value) word(static_cast<WORD>(character));
        word(0);
    }
    void alignToDword() {
        if (words_.size() % 2 != 0) word(0);
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    // DWORDs start on even WORDs: the vector's storage is aligned for both.
    std::vector<WORD> words_;
};

void writeItem(TemplateWriter& out, const DialogItem& item) {
    out.alignToDword();
    out.dword(WS_CHILD | WS_VISIBLE | item.style);
    out.dword(0);
    for (const short value : {item.x, item.y, item.width, item.height})
        out.word(static_cast<WORD>(value));
    out.word(item.id);
    out.word(0xFFFF);  // a predefined class follows as an atom
    out.word(item.windowClass);
    out.text(item.text);
    out.word(0);  // no creation data
}

TemplateWriter replaceTemplate() {
    TemplateWriter out;
    out.dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    out.dword(0);
    out.word(static_cast<WORD>(std::size(kItems)));
    for (const short value : {0, 0, 220, 67}) out.word(static_cast<WORD>(value));
    out.word(0);  // no menu
    out.word(0);  // the standard dialog class
    out.text(L"Replace All");
    out.word(9);
    out.text(L"Segoe UI");
    for (const DialogItem& item : kItems) writeItem(out, item);
    return out;
}

std::string bytesOfBox(HWND dialog, int box, UINT codePage) {
    const HWND edit = GetDlgItem(dialog, box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    const UINT converter = codePage == kUtf8CodePage ? CP_UTF8 : CP_ACP;
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(converter, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(converter, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

struct DialogState {
    UINT codePage;
    std::optional<ReplaceRequest> request;
};

void takeRequest(HWND dialog, DialogState& state) {
    state.request = ReplaceRequest{bytesOfBox(dialog, kReplaceFindBox, state.codePage),
                                   bytesOfBox(dialog, kReplaceReplacementBox, state.codePage)};
}

INT_PTR CALLBACK replaceProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
        return FALSE;
    auto& state = *reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    try {
        if (LOWORD(wParam) == IDOK) takeRequest(dialog, state);
    } catch (const std::exception&) {
        // Nothing may unwind through the dialog manager; the dialog ends as cancelled.
        state.request.reset();
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

}  // namespace

std::optional<ReplaceRequest> askReplaceAll(HWND owner, UINT codePage) {
    const TemplateWriter dialog = replaceTemplate();
    DialogState state{codePage, std::nullopt};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, &replaceProcedure,
                            reinterpret_cast<LPARAM>(&state));
    return state.request;
}

}  // namespace tarnwick::minihost
