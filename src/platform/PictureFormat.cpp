#include "platform/PictureFormat.h"

#include <cctype>

namespace {

bool endsWithNoCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size())
        return false;
    const size_t start = text.size() - ending.size();
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[start + i])) != ending[i])
            return false;
    return true;
}

} // namespace

std::optional<PictureFormat> pictureFormatForName(const std::string& path) {
    if (endsWithNoCase(path, ".png"))
        return PictureFormat::Png;
    if (endsWithNoCase(path, ".svg"))
        return PictureFormat::Svg;
    if (endsWithNoCase(path, ".pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}
