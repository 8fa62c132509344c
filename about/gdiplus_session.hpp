#pragma once

namespace tarnwick {

// Starts GDI+ for the process the first time it is called; later calls do nothing. GDI+
// is never shut down: the About box draws with it whenever it is opened.
void startGdiplusOnce();

}  // namespace tarnwick
