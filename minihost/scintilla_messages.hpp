#pragma once

#include <cstdint>

#include "host/editor_messages.hpp"
#include "host/host_records.hpp"

namespace tarnwick {

// Editor messages that the stand-in host and the tests send, beside the plugin's own.
inline constexpr std::uint32_t SCI_INSERTTEXT = 2003;
inline constexpr std::uint32_t SCI_CLEARALL = 2004;
inline constexpr std::uint32_t SCI_GETCURRENTPOS = 2008;
inline constexpr std::uint32_t SCI_GETANCHOR = 2009;
inline constexpr std::uint32_t SCI_SETSAVEPOINT = 2014;
inline constexpr std::uint32_t SCI_SETCODEPAGE = 2037;
inline constexpr std::uint32_t SCI_STYLECLEARALL = 2050;
inline constexpr std::uint32_t SCI_BEGINUNDOACTION = 2078;
inline constexpr std::uint32_t SCI_ENDUNDOACTION = 2079;
inline constexpr std::uint32_t SCI_STYLESETFORE = 2051;
inline constexpr std::uint32_t SCI_STYLESETBACK = 2052;
inline constexpr std::uint32_t SCI_SETCARETFORE = 2069;
inline constexpr std::uint32_t SCI_INDICGETSTYLE = 2081;
inline constexpr std::uint32_t SCI_INDICGETFORE = 2083;
inline constexpr std::uint32_t SCI_GETFIRSTVISIBLELINE = 2152;
inline constexpr std::uint32_t SCI_GETMODIFY = 2159;
inline constexpr std::uint32_t SCI_CANUNDO = 2174;
inline constexpr std::uint32_t SCI_EMPTYUNDOBUFFER = 2175;
inline constexpr std::uint32_t SCI_UNDO = 2176;
inline constexpr std::uint32_t SCI_SETTEXT = 2181;
inline constexpr std::uint32_t SCI_GETTEXT = 2182;
inline constexpr std::uint32_t SCI_GETTARGETSTART = 2191;
inline constexpr std::uint32_t SCI_REPLACETARGET = 2194;
inline constexpr std::uint32_t SCI_APPENDTEXT = 2282;
inline constexpr std::uint32_t SCI_CREATEDOCUMENT = 2375;
inline constexpr std::uint32_t SCI_ADDREFDOCUMENT = 2376;
inline constexpr std::uint32_t SCI_RELEASEDOCUMENT = 2377;
inline constexpr std::uint32_t SCI_STYLEGETFORE = 2481;
inline constexpr std::uint32_t SCI_STYLEGETBACK = 2482;
inline constexpr std::uint32_t SCI_INDICGETUNDER = 2511;
inline constexpr std::uint32_t SCI_INDICGETALPHA = 2524;
inline constexpr std::uint32_t SCI_INDICGETOUTLINEALPHA = 2559;
inline constexpr std::uint32_t SCI_SETFIRSTVISIBLELINE = 2613;
inline constexpr std::uint32_t SCI_DELETERANGE = 2645;

// The changes the editor asks its views to notify: text inserted or deleted, undo and
// redo, and indicators set or cleared.
inline constexpr int kHostModificationMask = SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT |
                                             SC_PERFORMED_UNDO | SC_PERFORMED_REDO |
                                             SC_MOD_CHANGEINDICATOR;
static_assert(kHostModificationMask == 0x4063);

// The style every other style starts from.
inline constexpr std::uintptr_t STYLE_DEFAULT = 32;

}  // namespace tarnwick
