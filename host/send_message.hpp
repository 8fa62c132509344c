#pragma once

#include <cstdint>

#include "host/window_handle.hpp"

namespace tarnwick {

// The one way the core talks to the host and to the editor views, shaped like
// SendMessageW. The DLL links the Win32 definition; native tests link a substitute
// that routes the message to a fake window.
std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam);

// Names the host's two editor views. In the DLL, messages to them then go by each view's
// direct function, asked once per view on its first message and kept, instead of through
// the window system, which costs the host's hooks on every message; a view without one
// keeps getting SendMessageW. Every other window always gets SendMessageW. Null names no
// view: the host is about to destroy its views, and a direct call into a destroyed view
// would not fail safely as SendMessageW does.
void setEditorViews(WindowHandle mainView, WindowHandle secondView);
// Names a view of the plugin's own, called directly as the host's are; null while it has
// none.
void setReaderView(WindowHandle reader);

}  // namespace tarnwick
