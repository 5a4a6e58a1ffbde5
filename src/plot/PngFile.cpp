#include "plot/PngFile.h"

#include <cstdio>
#include <png.h>
#include <vector>

namespace {

struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWrite() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

// The rows of an RGB32 image as packed 8-bit RGB. libpng reports errors by
// jumping back to the setjmp, so everything with a destructor exists before it.
bool writeRows(PngWrite& write, const QImage& image, FILE* file, std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(write.png)))
        return false;
    png_init_io(write.png, file);
    png_set_IHDR(write.png, write.info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        png_set_pHYs(write.png, write.info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                     static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(write.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(write.png, 1);
    png_write_info(write.png, write.info);
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const QRgb* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<png_byte>(qRed(pixels[x]));
            row[3 * x + 1] = static_cast<png_byte>(qGreen(pixels[x]));
            row[3 * x + 2] = static_cast<png_byte>(qBlue(pixels[x]));
        }
        png_write_row(write.png, row.data());
    }
    png_write_end(write.png, write.info);
    return true;
}

} // namespace

bool writePng(const QImage& picture, std::FILE* file) {
    if (picture.isNull())
        return false;
    const QImage image = picture.format() == QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    std::vector<png_byte> row(static_cast<size_t>(image.width()) * 3);
    PngWrite write;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!write.png)
        return false;
    write.info = png_create_info_struct(write.png);
    if (!write.info)
        return false;
    return writeRows(write, image, file, row) && std::fflush(file) == 0;
}
