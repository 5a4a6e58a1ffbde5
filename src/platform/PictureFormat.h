#pragma once
// The file formats a picture of the plots can be written in, chosen by the
// file name's extension.

#include <optional>
#include <string>

enum class PictureFormat { Png, Svg, Pdf };

// The format for a file name ending in .png, .svg or .pdf (in any case);
// none for another name.
std::optional<PictureFormat> pictureFormatForName(const std::string& path);
