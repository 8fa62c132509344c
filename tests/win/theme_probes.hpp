#pragma once

#include <windows.h>

#include <ostream>

#include "dialogs/unique_handle.hpp"

namespace tarnwick::testing {

// The colour the window shows at a point of its client area once it and its controls have
// painted afresh, read back from what the system drew on the screen.
inline COLORREF pixelOnScreen(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// What a window answers to a colour or erase message sent with a device context of its
// own whose colours were set to one no window uses: the result, the device context's text
// and background colours afterwards, the colour its first pixel was erased to, and the
// colour the brush a colour message answers with paints in that device context.
struct ColourAnswer {
    LRESULT result = 0;
    COLORREF text = 0;
    COLORREF background = 0;
    COLORREF erased = 0;
    COLORREF brushPaints = 0;

    bool operator==(const ColourAnswer&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ColourAnswer& answer) {
    return out << std::hex << "result " << answer.result << ", text " << answer.text
               << ", background " << answer.background << ", erased " << answer.erased
               << ", brush paints " << answer.brushPaints;
}

inline constexpr COLORREF kUntouchedColour = 0x00123456;

inline ColourAnswer answerTo(HWND window, UINT message) {
    const MemoryDcOwner dc(CreateCompatibleDC(nullptr));
    const BitmapOwner bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    const HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
    const RECT all{0, 0, 4, 4};
    const BrushOwner untouched(CreateSolidBrush(kUntouchedColour));
    FillRect(dc.get(), &all, untouched.get());
    SetTextColor(dc.get(), kUntouchedColour);
    SetBkColor(dc.get(), kUntouchedColour);
    ColourAnswer answer;
    answer.result = SendMessageW(window, message, reinterpret_cast<WPARAM>(dc.get()),
                                 reinterpret_cast<LPARAM>(window));
    answer.text = GetTextColor(dc.get());
    answer.background = GetBkColor(dc.get());
    answer.erased = GetPixel(dc.get(), 0, 0);
    const bool answersBrush = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    if (answersBrush && answer.result != 0) {
        const RECT last{3, 3, 4, 4};
        FillRect(dc.get(), &last, reinterpret_cast<HBRUSH>(answer.result));
        answer.brushPaints = GetPixel(dc.get(), 3, 3);
    }
    SelectObject(dc.get(), previous);
    return answer;
}

inline INT_PTR CALLBACK answerNothing(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A child dialog without controls whose procedure leaves every message to the system's
// dialog handling: what any dialog answers when it answers nothing itself.
inline WindowOwner createPlainDialog(HWND parent) {
    // The template's 18 bytes, then its menu, class and title, each an empty zero word.
    alignas(DWORD) WORD words[12] = {};
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words);
    header->style = WS_CHILD;
    header->cx = 100;
    header->cy = 50;
    return WindowOwner(
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), header, parent, &answerNothing, 0));
}

}  // namespace tarnwick::testing
