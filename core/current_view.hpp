#pragma once

#include "host/host_records.hpp"

namespace tarnwick {

// The editor view the host reports as current: the main view when the host answers 0,
// the second view for any other answer (including none at all). Null when the host's
// handles were never stored.
WindowHandle currentView(const NppData& hostHandles);

}  // namespace tarnwick
