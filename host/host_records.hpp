#pragma once

#include <cstddef>
#include <cstdint>

#include "host/window_handle.hpp"

namespace tarnwick {

// The host exchanges wide text as two-byte units. On Windows that is wchar_t; natively
// char16_t keeps the records the same size so their layout can be checked here too.
#if defined(_WIN32)
using HostChar = wchar_t;
#else
using HostChar = char16_t;
#endif

using IconHandle = void*;

// The host's three windows, in the order the host hands them to setInfo.
struct NppData {
    WindowHandle _nppHandle;
    WindowHandle _scintillaMainHandle;
    WindowHandle _scintillaSecondHandle;
};

struct ShortcutKey {
    bool _isCtrl;
    bool _isAlt;
    bool _isShift;
    unsigned char _key;
};

using PluginCommand = void (*)();

inline constexpr std::size_t kMenuItemNameLength = 64;

// One item of the plugin's menu; the host writes the command identifier into _cmdID.
struct FuncItem {
    HostChar _itemName[kMenuItemNameLength];
    PluginCommand _pFunc;
    int _cmdID;
    bool _init2Check;
    ShortcutKey* _pShKey;
};

// Same layout as the Win32 RECT.
struct HostRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// Docking registration of a panel, valid only during NPPM_DMMREGASDCKDLG.
struct tTbData {
    WindowHandle hClient;
    const HostChar* pszName;
    int dlgID;
    std::uint32_t uMask;
    IconHandle hIconTab;
    const HostChar* pszAddInfo;
    HostRect rcFloat;
    int iPrevCont;
    const HostChar* pszModuleName;
};

// The header that starts every editor and host notification; the plugin reads `code`
// and, for the notifications about documents, the buffer id in `idFrom`.
struct SciNotifyHeader {
    void* hwndFrom;
    std::uintptr_t idFrom;
    std::uint32_t code;
};

// The editor's record of a notification: the header, then the editor's fields. The plugin
// reads those of a modification; the host's record goes on past them with fields the
// plugin never reads, so the plugin reads it through the host's pointer, never a copy.
struct SCNotification {
    SciNotifyHeader nmhdr;
    std::intptr_t position;  // where text was inserted, or where the deleted text began
    int ch;
    int modifiers;
    int modificationType;    // SC_MOD_* and SC_PERFORMED_* bits
    const char* text;
    std::intptr_t length;      // bytes inserted or deleted
    std::intptr_t linesAdded;  // line ends inserted, or minus the line ends deleted
};

// The host's dark-mode colours, as NPPM_GETDARKMODECOLORS fills them: twelve COLORREFs
// (0x00BBGGRR), the background first. The plugin uses the background only.
struct DarkModeColors {
    std::uint32_t background;
    std::uint32_t others[11];
};

// The same on every platform and width: twelve 32-bit colours.
static_assert(sizeof(DarkModeColors) == 48);

// The host reads these records by its own layout, which the plugin must match in each
// build: the 64-bit host's with 8-byte pointers, the 32-bit host's with 4-byte ones.
#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(sizeof(NppData) == 24);
static_assert(sizeof(ShortcutKey) == 4);
static_assert(offsetof(FuncItem, _pFunc) == 128);
static_assert(offsetof(FuncItem, _cmdID) == 136);
static_assert(offsetof(FuncItem, _init2Check) == 140);
static_assert(offsetof(FuncItem, _pShKey) == 144);
static_assert(sizeof(FuncItem) == 152);
static_assert(offsetof(tTbData, dlgID) == 16);
static_assert(offsetof(tTbData, uMask) == 20);
static_assert(offsetof(tTbData, hIconTab) == 24);
static_assert(offsetof(tTbData, rcFloat) == 40);
static_assert(offsetof(tTbData, iPrevCont) == 56);
static_assert(offsetof(tTbData, pszModuleName) == 64);
static_assert(sizeof(tTbData) == 72);
static_assert(offsetof(SciNotifyHeader, code) == 16);
static_assert(sizeof(SciNotifyHeader) == 24);
static_assert(offsetof(SCNotification, position) == 24);
static_assert(offsetof(SCNotification, modificationType) == 40);
static_assert(offsetof(SCNotification, text) == 48);
static_assert(offsetof(SCNotification, length) == 56);
static_assert(offsetof(SCNotification, linesAdded) == 64);
#elif UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(NppData) == 12);
static_assert(sizeof(ShortcutKey) == 4);
static_assert(offsetof(FuncItem, _pFunc) == 128);
static_assert(offsetof(FuncItem, _cmdID) == 132);
static_assert(offsetof(FuncItem, _init2Check) == 136);
static_assert(offsetof(FuncItem, _pShKey) == 140);
static_assert(sizeof(FuncItem) == 144);
static_assert(offsetof(tTbData, pszName) == 4);
static_assert(offsetof(tTbData, dlgID) == 8);
static_assert(offsetof(tTbData, uMask) == 12);
static_assert(offsetof(tTbData, hIconTab) == 16);
static_assert(offsetof(tTbData, pszAddInfo) == 20);
static_assert(offsetof(tTbData, rcFloat) == 24);
static_assert(offsetof(tTbData, iPrevCont) == 40);
static_assert(offsetof(tTbData, pszModuleName) == 44);
static_assert(sizeof(tTbData) == 48);
static_assert(offsetof(SciNotifyHeader, idFrom) == 4);
static_assert(offsetof(SciNotifyHeader, code) == 8);
static_assert(sizeof(SciNotifyHeader) == 12);
static_assert(offsetof(SCNotification, position) == 12);
static_assert(offsetof(SCNotification, modificationType) == 24);
static_assert(offsetof(SCNotification, text) == 28);
static_assert(offsetof(SCNotification, length) == 32);
static_assert(offsetof(SCNotification, linesAdded) == 36);
#else
#error "the host's records are laid out for 4-byte and 8-byte pointers only"
#endif

}  // namespace tarnwick
