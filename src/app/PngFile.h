#pragma once
// Writing a picture as a PNG file.

#include <QImage>
#include <string>

// Writes the RGB pixels of `picture` (any format; alpha is dropped) to
// `path` as an 8-bit RGB PNG with its resolution. Each row is filtered by
// its difference to the row above and compressed at zlib level 1: lossless
// like every PNG setting, and several times faster than choosing a filter
// per row at the default level. False when the file cannot be written.
bool writePngFile(const QImage& picture, const std::string& path);
