#pragma once

namespace tarnwick {

// A window of the host or of an editor view. Opaque on purpose: the portable core
// never looks inside it, it only passes it to sendMessage.
using WindowHandle = void*;

}  // namespace tarnwick
