#pragma once

#include <cstdint>

namespace tarnwick {

// Scintilla messages sent to an editor view. Positions and lengths are byte offsets
// into the document's text, in the document's code page; lines are numbered from 0.
inline constexpr std::uint32_t SCI_GOTOLINE = 2024;
inline constexpr std::uint32_t SCI_GETLENGTH = 2006;
inline constexpr std::uint32_t SCI_INDICSETSTYLE = 2080;
inline constexpr std::uint32_t SCI_INDICSETFORE = 2082;
inline constexpr std::uint32_t SCI_GETCODEPAGE = 2137;
inline constexpr std::uint32_t SCI_GETSELECTIONSTART = 2143;
inline constexpr std::uint32_t SCI_GETLINE = 2153;
inline constexpr std::uint32_t SCI_SETSEL = 2160;
inline constexpr std::uint32_t SCI_LINEFROMPOSITION = 2166;
inline constexpr std::uint32_t SCI_POSITIONFROMLINE = 2167;
inline constexpr std::uint32_t SCI_GETDIRECTFUNCTION = 2184;
inline constexpr std::uint32_t SCI_GETDIRECTPOINTER = 2185;
inline constexpr std::uint32_t SCI_SETTARGETSTART = 2190;
inline constexpr std::uint32_t SCI_SETTARGETEND = 2192;
inline constexpr std::uint32_t SCI_GETTARGETEND = 2193;
inline constexpr std::uint32_t SCI_SEARCHINTARGET = 2197;
inline constexpr std::uint32_t SCI_SETSEARCHFLAGS = 2198;
inline constexpr std::uint32_t SCI_ENSUREVISIBLEENFORCEPOLICY = 2234;
inline constexpr std::uint32_t SCI_LINELENGTH = 2350;
inline constexpr std::uint32_t SCI_GETDOCPOINTER = 2357;
inline constexpr std::uint32_t SCI_SETDOCPOINTER = 2358;
inline constexpr std::uint32_t SCI_SETMODEVENTMASK = 2359;
inline constexpr std::uint32_t SCI_GETMODEVENTMASK = 2378;
inline constexpr std::uint32_t SCI_SETINDICATORCURRENT = 2500;
inline constexpr std::uint32_t SCI_INDICATORFILLRANGE = 2504;
inline constexpr std::uint32_t SCI_INDICATORCLEARRANGE = 2505;
inline constexpr std::uint32_t SCI_INDICSETUNDER = 2510;
inline constexpr std::uint32_t SCI_INDICSETALPHA = 2523;
inline constexpr std::uint32_t SCI_INDICSETOUTLINEALPHA = 2558;
// A pointer to the bytes from wParam on, lParam of them, valid until the next change; it
// moves the editor's gap only when the range spans it.
inline constexpr std::uint32_t SCI_GETRANGEPOINTER = 2643;
// Where the gap of the editor's buffer is: the bytes before it and those after it are
// each contiguous.
inline constexpr std::uint32_t SCI_GETGAPPOSITION = 2644;
inline constexpr std::uint32_t SCI_INDICATORVALUEAT = 2507;
inline constexpr std::uint32_t SCI_GETCHARAT = 2007;
// How the view shows white space; setting it, even to what it is, repaints the whole view.
inline constexpr std::uint32_t SCI_GETVIEWWS = 2020;
inline constexpr std::uint32_t SCI_SETVIEWWS = 2021;
// The start of the whole character before (after) a position: UTF-8, DBCS and CR LF alike.
inline constexpr std::uint32_t SCI_POSITIONBEFORE = 2417;
inline constexpr std::uint32_t SCI_POSITIONAFTER = 2418;
// The editor's error status; a regular expression it cannot read sets SC_STATUS_WARN_REGEX.
inline constexpr std::uint32_t SCI_SETSTATUS = 2382;
inline constexpr std::uint32_t SCI_GETSTATUS = 2383;
inline constexpr std::intptr_t SC_STATUS_WARN_REGEX = 1001;

// SCI_SETSEARCHFLAGS's bits. A regular expression asks for both: plain Scintilla then
// reads it as ECMAScript, the host reads it with its own engine.
inline constexpr std::uintptr_t SCFIND_WHOLEWORD = 0x2;
inline constexpr std::uintptr_t SCFIND_MATCHCASE = 0x4;
inline constexpr std::uintptr_t SCFIND_REGEXP = 0x00200000;
inline constexpr std::uintptr_t SCFIND_CXX11REGEX = 0x00800000;
// SCI_SEARCHINTARGET's answers beside -1 (nothing found) from the host's engine: the
// pattern is not a valid regular expression, or the engine failed on it otherwise.
inline constexpr std::intptr_t kSearchInvalidRegex = -2;
inline constexpr std::intptr_t kSearchEngineFailed = -3;

// The editor's notification of a change to a document shown in the view that sends it.
inline constexpr std::uint32_t SCN_MODIFIED = 2008;

// Bits of a modification's type. Only the first two say that text changed; the undo and
// redo bits qualify them, and also come with the announcement of a change still to come.
inline constexpr int SC_MOD_INSERTTEXT = 0x1;
inline constexpr int SC_MOD_DELETETEXT = 0x2;
inline constexpr int SC_PERFORMED_UNDO = 0x20;
inline constexpr int SC_PERFORMED_REDO = 0x40;
inline constexpr int SC_MOD_BEFOREINSERT = 0x400;
inline constexpr int SC_MOD_BEFOREDELETE = 0x800;
inline constexpr int SC_MOD_CHANGEINDICATOR = 0x4000;

// The code page of a view that holds UTF-8; 0 is the system's ANSI code page.
inline constexpr std::uint32_t SC_CP_UTF8 = 65001;

// Indicator style: a translucent box with rounded corners.
inline constexpr std::intptr_t INDIC_ROUNDBOX = 7;

}  // namespace tarnwick
