#pragma once
// Writing a picture as a PNG file.

#include <QImage>
#include <cstdio>

// Writes the RGB pixels of `picture` (any format; alpha is dropped) into
// `file` as an 8-bit RGB PNG with its resolution. Each row is filtered by
// its difference to the row above and compressed at zlib level 1: lossless
// like every PNG setting, and several times faster than choosing a filter
// per row at the default level. False for a null picture or a failed write.
bool writePng(const QImage& picture, std::FILE* file);
