#pragma once

namespace tarnwick {

// The DPI that the panel's pixel constants are written for.
inline constexpr int kDefaultDpi = 96;

// `pixels` at 96 DPI for a window at `dpi`, rounded to the nearest pixel with halves away
// from zero, as the system's MulDiv rounds. A DPI that is not positive counts as 96.
int scaleForDpi(int pixels, int dpi);

// `pixels` measured at `fromDpi` for `toDpi`, rounded the same way.
int rescaleForDpi(int pixels, int fromDpi, int toDpi);

}  // namespace tarnwick
