#pragma once
// How large a picture of the whole canvas may be. A magnified tall map with
// a second plot below reaches hundreds of millions of pixels; such a picture
// is refused with a message instead of exhausting memory.

#include <cstdint>
#include <string>

constexpr std::int64_t kMaxCanvasPixels = std::int64_t(1) << 27; // 512 MiB at 4 bytes a pixel

bool canvasFits(int width, int height);

// The message for a canvas that cannot be made into one picture; `purpose`
// completes "too large to ...", e.g. "copy to the clipboard", and a full
// stop ends it.
// The size is given in unrounded pixels, as large as it may be.
std::string canvasTooLargeText(double width, double height, const std::string& purpose);
