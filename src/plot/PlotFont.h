#pragma once
// The fonts of the plot texts: the platform's default proportional
// sans-serif face at a cell height in plot units, so that text scales with
// the magnification like the rest of the plot.

#include "platform/DeviceContext.h"

// Weight 400 (normal) or 700 (bold); escapement 900 reads bottom to top.
inline void createPlotFont(CFont& font, int cellHeight, int weight, int escapement = 0) {
    constexpr std::uint8_t kTrueTypePreferred = 4, kClipPrecision = 0x30, kDefaultQuality = 0;
    constexpr std::uint8_t kVariableSwiss = 0x26;
    font.CreateFont(cellHeight, 0, escapement, escapement, weight, 0, 0, 0, 0, kTrueTypePreferred,
                    kClipPrecision, kDefaultQuality, kVariableSwiss, "");
}
